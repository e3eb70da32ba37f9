#include "remedies/ui/window_parts.h"

#include "base/ui/qt_text.h"
#include "base/ui/search_box.h"

#include <QBoxLayout>
#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

namespace qv {

namespace {
class MouseTap : public QObject {
public:
    MouseTap(QObject* parent, std::function<void()> click, std::function<void()> doubleClick)
        : QObject(parent), click_(std::move(click)), doubleClick_(std::move(doubleClick)) {}
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::MouseButtonPress && click_) click_();
        if (e->type() == QEvent::MouseButtonDblClick && doubleClick_) {
            doubleClick_();
            return true;
        }
        return false;
    }

private:
    std::function<void()> click_, doubleClick_;
};
} // namespace

QPushButton* windowButton(QWidget* parent, const QString& caption, const char* name) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QListWidget* entryList(QWidget* parent, const char* name) {
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    list->setMinimumWidth(260);
    list->setUniformItemSizes(true);
    return list;
}

void fillEntryList(QListWidget* list, SearchBox* cerca, std::vector<std::string> entries) {
    list->clear();
    QStringList shown;
    shown.reserve(static_cast<qsizetype>(entries.size()));
    for (const std::string& e : entries) shown << fromCp1252(e);
    list->addItems(shown);
    if (cerca) cerca->setEntries(std::move(entries));
}

QPlainTextEdit* helpMemo(QWidget* parent, const QString& text, const char* name) {
    auto* memo = new QPlainTextEdit(text, parent);
    memo->setObjectName(name);
    memo->setReadOnly(true);
    memo->setStyleSheet("QPlainTextEdit { background-color: #fffde8; border: 2px solid #a98; }");
    memo->hide();
    onMouse(memo->viewport(), {}, [memo] { memo->hide(); });
    return memo;
}

void showOver(QWidget* memo, QWidget* over) {
    memo->setGeometry(QRect(over->mapTo(memo->parentWidget(), QPoint(0, 0)), over->size()));
    memo->show();
    memo->raise();
}

void toggleOver(QWidget* memo, QWidget* over) {
    if (memo->isVisible())
        memo->hide();
    else
        showOver(memo, over);
}

void onMouse(QWidget* widget, std::function<void()> onClick, std::function<void()> onDoubleClick) {
    widget->installEventFilter(new MouseTap(widget, std::move(onClick), std::move(onDoubleClick)));
}

QVBoxLayout* captioned(QWidget* parent, const QString& caption, QWidget* widget) {
    auto* column = new QVBoxLayout;
    auto* label = new QLabel(caption, parent);
    label->setStyleSheet("font-weight: bold;");
    column->addWidget(label);
    column->addWidget(widget, 1);
    return column;
}

void layOutWithBack(QWidget* window, QLayout* left, int leftShare, QLayout* right, int rightShare, QPushButton* back) {
    auto* top = new QHBoxLayout;
    top->addLayout(left, leftShare);
    top->addLayout(right, rightShare);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(back);
    auto* layout = new QVBoxLayout(window);
    layout->addLayout(top, 1);
    layout->addLayout(bottom);
}

void layOutConsultation(QWidget* window, QLayout* head, QWidget* pages, const QString& listCaption,
                        QListWidget* list, QWidget* search, QPushButton* clear, QPushButton* info,
                        QPushButton* back) {
    auto* left = new QVBoxLayout;
    left->addLayout(head);
    left->addWidget(pages, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel(listCaption, window));
    right->addWidget(list, 1);
    right->addWidget(search);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(clear);
    buttons->addWidget(info);
    buttons->addStretch();
    buttons->addWidget(back);
    auto* top = new QHBoxLayout;
    top->addLayout(left, 3);
    top->addLayout(right, 1);
    auto* layout = new QVBoxLayout(window);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
}

} // namespace qv
