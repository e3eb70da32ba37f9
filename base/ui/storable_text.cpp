#include "base/ui/storable_text.h"

#include "base/cp1252.h"
#include "base/ui/qt_text.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace qv {

QString unstorableReason(const QString& typed, bool multiLine) {
    std::string offending;
    const auto bytes = typedTextToCp1252(typed.normalized(QString::NormalizationForm_C).toStdString(), &offending);
    if (!bytes)
        return fromCp1252("contiene \"") + QString::fromStdString(offending) +
               fromCp1252("\", che non si pu\xF2 scrivere negli archivi (solo i caratteri dell'alfabeto "
                          "Windows-1252)");
    std::string checked = *bytes;
    if (multiLine)
        for (char& c : checked)
            if (c == '\r' || c == '\n' || c == '\t') c = ' ';
    if (const std::string c = controlCharacterIn(checked); !c.empty())
        return fromCp1252("contiene un carattere di controllo (" + c + "), non ammesso");
    return {};
}

namespace {

QString quoted(const QString& text) {
    QString start = text.simplified();
    if (start.size() > 30) start = start.left(30) + QString::fromUtf8("\u2026");
    return fromCp1252("Il testo \"") + start + "\" ";
}

} // namespace

QString unstorableTextIn(const QWidget* window) {
    for (const QLineEdit* box : window->findChildren<QLineEdit*>()) {
        if (box->isReadOnly() || !box->isEnabled()) continue;
        if (const QString why = unstorableReason(box->text()); !why.isEmpty()) return quoted(box->text()) + why;
    }
    for (const QPlainTextEdit* memo : window->findChildren<QPlainTextEdit*>()) {
        if (memo->isReadOnly()) continue;
        const QString text = memo->toPlainText();
        if (const QString why = unstorableReason(text, true); !why.isEmpty()) return quoted(text) + why;
    }
    for (const QTextEdit* memo : window->findChildren<QTextEdit*>()) {
        if (memo->isReadOnly()) continue;
        const QString text = memo->toPlainText();
        if (const QString why = unstorableReason(text, true); !why.isEmpty()) return quoted(text) + why;
    }
    return {};
}

} // namespace qv
