// Text in files and in the core is bytes in Windows-1252. These helpers
// convert at the edges that have no Qt (the command line), and give the
// upper-case form the archives use for names.
#pragma once

#include <string>

namespace qv {

std::string cp1252ToUtf8(const std::string& bytes);
// Characters with no Windows-1252 form become '?'.
std::string utf8ToCp1252(const std::string& utf8);

// Upper-cases ASCII letters and the accented letters of Windows-1252
// (à → À, ò → Ò, …); other bytes are kept.
char upperCase1252(char c);
std::string upperCase1252(const std::string& text);

} // namespace qv
