// The window boundary: Windows-1252 bytes of the core to QString and back.
#pragma once

#include <QString>
#include <string>

namespace qv {

QString fromCp1252(const std::string& bytes);
std::string toCp1252(const QString& text);

} // namespace qv
