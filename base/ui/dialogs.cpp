#include "base/ui/dialogs.h"

#include <QApplication>
#include <QMessageBox>

namespace qv {

namespace {

QString titleOr(const QString& title) {
    return title.isEmpty() ? QApplication::applicationDisplayName() : title;
}

class MessageBoxDialogs : public Dialogs {
public:
    void information(QWidget* parent, const QString& text, const QString& title) override {
        QMessageBox::information(parent, titleOr(title), text);
    }
    void warning(QWidget* parent, const QString& text, const QString& title) override {
        QMessageBox::warning(parent, titleOr(title), text);
    }
    void error(QWidget* parent, const QString& text, const QString& title) override {
        QMessageBox::critical(parent, titleOr(title), text);
    }
    Answer question(QWidget* parent, const QString& text, bool withCancel, const QString& title) override {
        auto buttons = QMessageBox::Yes | QMessageBox::No;
        if (withCancel) buttons |= QMessageBox::Cancel;
        switch (QMessageBox::question(parent, titleOr(title), text, buttons)) {
        case QMessageBox::Yes: return Answer::Yes;
        case QMessageBox::No: return Answer::No;
        default: return Answer::Cancel;
        }
    }
};

std::unique_ptr<Dialogs>& current() {
    static std::unique_ptr<Dialogs> service = std::make_unique<MessageBoxDialogs>();
    return service;
}

} // namespace

Dialogs& dialogs() { return *current(); }

std::unique_ptr<Dialogs> setDialogs(std::unique_ptr<Dialogs> replacement) {
    std::unique_ptr<Dialogs> previous = std::move(current());
    current() = std::move(replacement);
    return previous;
}

} // namespace qv
