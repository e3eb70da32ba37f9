// Pieces the remedy consultation windows share: the list with its "Cerca"
// box, the help text that a double click hides, and the bottom buttons.
#pragma once

#include <QString>
#include <functional>
#include <string>
#include <vector>

class QLayout;
class QVBoxLayout;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace qv {

class SearchBox;

QPushButton* windowButton(QWidget* parent, const QString& caption, const char* name);
// A list of the window's entries (ListBox1), not re-sorted.
QListWidget* entryList(QWidget* parent, const char* name = "ListBox1");
// Fills the list and its "Cerca" box with the same entries.
void fillEntryList(QListWidget* list, SearchBox* cerca, std::vector<std::string> entries);
// A hidden read-only help text (MemoInfo) that a double click hides.
QPlainTextEdit* helpMemo(QWidget* parent, const QString& text, const char* name = "MemoInfo");
// Shows `memo` over the area of `over` (raised), or hides it when shown.
void toggleOver(QWidget* memo, QWidget* over);
void showOver(QWidget* memo, QWidget* over);
// The layout the consultation windows share: the chosen entry (`head`) over
// the pages on the left, the captioned list with its "Cerca" box on the
// right, and Pulisci, Informazioni and Ritorna along the bottom.
void layOutConsultation(QWidget* window, QLayout* head, QWidget* pages, const QString& listCaption,
                        QListWidget* list, QWidget* search, QPushButton* clear, QPushButton* info,
                        QPushButton* back);
// A bold caption over a widget, as one column (the widget takes the height).
QVBoxLayout* captioned(QWidget* parent, const QString& caption, QWidget* widget);
// Two columns side by side (stretched `leftShare` to `rightShare`) over a
// row with the back button at the right: the layout of the windows whose
// only bottom button is "&Ritorna al Menu".
void layOutWithBack(QWidget* window, QLayout* left, int leftShare, QLayout* right, int rightShare, QPushButton* back);
// Calls `onClick` when `widget` is clicked (and `onDoubleClick` on a double click).
void onMouse(QWidget* widget, std::function<void()> onClick, std::function<void()> onDoubleClick = {});

} // namespace qv
