// The search box beside a list ("Cerca"): every window that finds an entry
// of a list by typing uses this one box, so that all of them compare alike
// (the folded keys of base/lookup.h).
//
// Typing moves the list's current row to the first entry whose key begins
// with the typed key (an entry equal to it wins over a longer one); the
// selection only highlights the entry. When nothing begins with it, the
// box offers a drop-down of the entries that contain it (at most 20, in
// list order) and then of the nearest ones by edit distance (at most 5, in
// italics); when nothing contains it either, the text turns red, the box
// says "Nessuna voce trovata" and the list keeps no current row.
//
// Enter, or a pick in the drop-down, emits entryActivated() for the entry
// selected; a window connects it where Enter should act like a click.
// A click into the box empties it (unless setEmptiedOnClick(false)).
//
// Usage:
//   auto* box = new SearchBox(list, this);          // list may be null
//   box->setEntries(entriesInListOrder);             // Windows-1252 texts
//   connect(box, &SearchBox::entryActivated, this, &W::openRow);
#pragma once

#include "base/lookup.h"

#include <QLineEdit>
#include <string>
#include <vector>

class QCompleter;
class QLabel;
class QListWidget;
class QStandardItemModel;

namespace qv {

class SearchBox : public QLineEdit {
    Q_OBJECT
public:
    inline static const QString kNoMatchText = QStringLiteral("Nessuna voce trovata");

    explicit SearchBox(QListWidget* list, QWidget* parent = nullptr);

    // The list's entries as stored (Windows-1252), in list order: row k of
    // the list is entry k.
    void setEntries(std::vector<std::string> entries);
    const std::vector<std::string>& entries() const { return entries_; }
    const FoldedList& keys() const { return keys_; }

    // Looks `cp1252Text` up as if typed, without changing the box's text
    // (an editor's name box that the list follows).
    void lookUp(const std::string& cp1252Text);
    // Empties the box, its drop-down and its "no match" state.
    void clearSearch();
    void setEmptiedOnClick(bool emptied) { emptiedOnClick_ = emptied; }

    const LookupResult& result() const { return result_; }
    bool noMatch() const { return result_.noMatch(); }
    // The texts the drop-down offers, in the order shown.
    QStringList dropDownTexts() const;
    bool dropDownVisible() const;
    // What the box says beside the text: kNoMatchText or nothing.
    QString message() const;

signals:
    // Enter on an entry whose key begins with the typed key, or a pick in
    // the drop-down.
    void entryActivated(int row);
    // A click into the box (after it was emptied).
    void boxClicked();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void showResult();
    void showNoMatch(bool none);
    void pickFromDropDown(int entry);
    QListWidget* list_;
    std::vector<std::string> entries_;
    FoldedList keys_;
    LookupResult result_;
    QLabel* noMatchLabel_;
    QCompleter* dropDown_;
    QStandardItemModel* dropDownModel_;
    bool emptiedOnClick_ = true;
};

} // namespace qv
