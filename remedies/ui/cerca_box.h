// The "Cerca" box beside a list of the remedy windows: each typed key
// changes the prefix and moves the list's selection to an entry that begins
// with it (or to where it would sort); the selection only highlights the
// entry. A click into the box empties it.
#pragma once

#include "remedies/list_prefix_search.h"

#include <QLineEdit>
#include <string>
#include <vector>

class QListWidget;

namespace qv {

class CercaBox : public QLineEdit {
    Q_OBJECT
public:
    CercaBox(QListWidget* list, bool upperEveryCharacter, QWidget* parent = nullptr);
    // The list's entries as stored (Windows-1252), in list order.
    void setEntries(std::vector<std::string> entries) { entries_ = std::move(entries); }
    const std::vector<std::string>& entries() const { return entries_; }
    void clearPrefix();

signals:
    // A click into the box (after it was emptied).
    void boxClicked();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    void search();
    QListWidget* list_;
    remedies::TypedPrefix prefix_;
    std::vector<std::string> entries_;
};

} // namespace qv
