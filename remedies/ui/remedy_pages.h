// The pages of fourteen rows every consultation window of the remedy
// database shows its matches in: the rows of read-only boxes with their
// numbered buttons "1°" … "14°", the page indicator and the two arrow
// buttons, the note area the numbered buttons fill in turn, and the pop-up
// list of a signature's words. The window says what a row shows and what
// each state of a row's button shows; the panel keeps the matches, the
// page and the note states.
#pragma once

#include "remedies/consultation.h"

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace qv {

class RemedyPagesPanel : public QWidget {
    Q_OBJECT
public:
    struct Column {
        const char* prefix;   // object names prefix + row ("EdP1" …)
        const char* caption;  // heading above the column
        int characters;       // width in characters
    };
    // The texts of the row of match-list entry `entry`, one per column.
    using RowTexts = std::function<std::vector<std::string>(int entry)>;
    // What the numbered button of that entry's row shows in a state.
    using RowNote = std::function<remedies::NoteSection(int entry, int state)>;

    RemedyPagesPanel(std::vector<Column> columns, int noteStates, RowTexts rowTexts, RowNote rowNote,
                     QWidget* parent = nullptr);

    // A new search: no matches, page 1, every note state back to the first,
    // rows and note emptied.
    void startSearch();
    // Appends a match and shows it when it falls on the page on view.
    void addMatch(std::int64_t record);
    const remedies::MatchPages& pages() const { return pages_; }

    // Empties every row, the note (label back to "Note") and the indicator.
    void clearAll();
    void clearRows();
    void showNote(const std::string& label, const std::string& text);

    // Shows the signature pop-up over `box` with one line per word.
    void showPopup(QLineEdit* box, const std::vector<std::string>& lines);
    void hidePopup();
    // The pop-up of the planets (primary words marked "§ ") or of the signs
    // of a remedy record shown in `row`.
    void showSignatures(int row, int column, const remedies::RemedyRecord& r, bool planets);

    QLineEdit* box(int row, int column) const;
    QPlainTextEdit* memoNote() const { return MemoNote; }
    QLabel* labNote() const { return LabNote; }

public slots:
    void BBseguitoClick();
    void BBAnticipoClick();
    void SBClick(int row);

signals:
    void boxDoubleClicked(int row, int column);
    void boxClicked(int row, int column);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void showPage();
    void fillRow(int row, int entry);
    void updateIndicator();

    std::vector<Column> columns_;
    RowTexts rowTexts_;
    RowNote rowNote_;
    remedies::MatchPages pages_;
    remedies::NoteCycle cycle_;
    std::vector<std::vector<QLineEdit*>> rows_;
    std::vector<QPushButton*> numbered_;
    QLineEdit* Edit1;
    QPushButton* BBseguito;
    QPushButton* BBAnticipo;
    QLabel* LabNote;
    QPlainTextEdit* MemoNote;
    QListWidget* list_;
};

} // namespace qv
