// Every message box of the program goes through this one service, so that
// tests can replace it and no test blocks on a modal box. Texts are QStrings
// already converted at the window boundary; buttons are Italian.
#pragma once

#include <QString>
#include <memory>
#include <vector>

class QWidget;

namespace qv {

class Dialogs {
public:
    enum class Answer { Yes, No, Cancel, Ok };
    virtual ~Dialogs() = default;
    virtual void information(QWidget* parent, const QString& text, const QString& title = {}) = 0;
    virtual void warning(QWidget* parent, const QString& text, const QString& title = {}) = 0;
    virtual void error(QWidget* parent, const QString& text, const QString& title = {}) = 0;
    // Yes/No, or Yes/No/Cancel with `withCancel`.
    virtual Answer question(QWidget* parent, const QString& text, bool withCancel = false,
                            const QString& title = {}) = 0;
};

Dialogs& dialogs();
// Replaces the service (tests); returns the previous one.
std::unique_ptr<Dialogs> setDialogs(std::unique_ptr<Dialogs> replacement);

// A service for tests: records every box and answers questions from a queue
// (Yes when the queue is empty).
class RecordingDialogs : public Dialogs {
public:
    struct Shown {
        QString kind;
        QString text;
    };
    std::vector<Shown> shown;
    std::vector<Answer> answers;

    void information(QWidget*, const QString& text, const QString&) override { shown.push_back({"information", text}); }
    void warning(QWidget*, const QString& text, const QString&) override { shown.push_back({"warning", text}); }
    void error(QWidget*, const QString& text, const QString&) override { shown.push_back({"error", text}); }
    Answer question(QWidget*, const QString& text, bool, const QString&) override {
        shown.push_back({"question", text});
        if (answers.empty()) return Answer::Yes;
        const Answer a = answers.front();
        answers.erase(answers.begin());
        return a;
    }
};

} // namespace qv
