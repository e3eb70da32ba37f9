// The warnings (Avvertenze) of a proposed remedy: read-only text that
// grows with its content, so that every sentence of the longest warning is
// on view without scrolling inside the field.
#pragma once

#include <QPlainTextEdit>

namespace qv {

class WarningsBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit WarningsBox(QWidget* parent = nullptr, const char* name = "EdAvve");
    void setText(const QString& text);
    QString text() const { return toPlainText(); }
    // The lines the text takes at the present width.
    int shownLines() const;

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    void fitHeight();
};

} // namespace qv
