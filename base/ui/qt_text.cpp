#include "base/ui/qt_text.h"

#include "base/cp1252.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace qv {

QString fromCp1252(const std::string& bytes) {
    QStringDecoder decoder("windows-1252");
    if (decoder.isValid()) return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return QString::fromStdString(cp1252ToUtf8(bytes));
}

std::string toCp1252(const QString& text) {
    QStringEncoder encoder("windows-1252", QStringConverter::Flag::Default);
    if (encoder.isValid()) {
        const QByteArray bytes = encoder.encode(text);
        return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    }
    return utf8ToCp1252(text.toStdString());
}

} // namespace qv
