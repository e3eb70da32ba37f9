// The part the recall, modification and deletion windows share: the list
// of archives with the archive field, the name field with its search (the
// typed beginning by bisection, else the words of a name in any order;
// aqua when found, red when nothing matches, never red while empty; the
// hint "Cognome Nome" says the surname comes first), and the name list
// of 9 or 8 lines with its scroll bar. A subject is chosen by a double
// click on the list or by Enter; the window then reads it.
#pragma once

#include "archive/archive_files.h"
#include "archive/ui/name_list_rules.h"

#include <QWidget>
#include <optional>

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QScrollBar;

namespace qv {

class SubjectListPanel : public QWidget {
    Q_OBJECT
public:
    // `lines`: 9 (recall, deletion) or 8 (modification). With
    // `enterInList`, Enter on a highlighted list line chooses it (recall).
    SubjectListPanel(int lines, bool enterInList, QWidget* parent = nullptr);

    // The open archive, or nullptr.
    Archive* archive() { return archive_ ? &*archive_ : nullptr; }
    QString archiveName() const;
    // Where the list stands (the middle line's index position).
    int position() const { return position_; }
    bool fieldRed() const { return red_; }
    // The entry last clicked or chosen and its index position (0 when none).
    int lastPosition() const { return lastPosition_; }
    const IndexEntry& lastEntry() const { return lastEntry_; }

    // Opens BASE when it exists; the window calls it once its signals are
    // connected.
    void start();
    // Opens the archive of that name (closing the one open), as a click on
    // the archive list does.
    void openNamedArchive(const QString& name);
    // Closes and reopens the open archive and shows the list again where it
    // stood (after the window changed the index).
    void reopen();
    // Empties the name field and colours it.
    void clearField(bool red);
    void setFieldText(const QString& text);
    QLineEdit* nameField() const { return EditSoggetto; }
    QListWidget* nameList() const { return ListBoxNomi; }

signals:
    // A subject was chosen: its index position, whose last five characters
    // read as a birth-record number.
    void subjectChosen(int position);
    // Another archive was opened (or the opening failed).
    void archiveChanged();

public slots:
    void ListBoxArchiviClick(QListWidgetItem* item);
    void EditArchiEnter();
    void EditSoggettoChange(const QString& text);
    void EditSoggettoEnter();
    void ListBoxNomiClick(QListWidgetItem* item);
    void ListBoxNomiDblClick(QListWidgetItem* item);
    void ScrollBarNomiChange(int value);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillArchiveList();
    void showList();
    void setRed(bool red);
    void scrollBy(int delta);
    // Chooses the subject at index position k; when its entry has no
    // record number the fifth line is tried, then the field turns red.
    void choose(int k);
    int positionOfRow(int row) const;
    NameListWindow window() const;

    QListWidget* ListBoxArchivi;
    QLineEdit* EditArchi;
    QLineEdit* EditSoggetto;
    QListWidget* ListBoxNomi;
    QScrollBar* ScrollBarNomi;

    int lines_;
    int rowHeight_ = 0;
    bool enterInList_;
    std::optional<Archive> archive_;
    int position_ = 0;
    int located_ = 0;  // where the last search landed
    bool red_ = true;
    int lastPosition_ = 0;
    IndexEntry lastEntry_;
};

} // namespace qv
