// Text in files and in the core is bytes in Windows-1252. These helpers
// convert at the edges that have no Qt (the command line), and give the
// upper-case form the archives use for names.
#pragma once

#include <optional>
#include <string>

namespace qv {

std::string cp1252ToUtf8(const std::string& bytes);
// Characters with no Windows-1252 form become '?'.
std::string utf8ToCp1252(const std::string& utf8);

// Text typed by the user (UTF-8) in Windows-1252, or nothing when a
// character has no form there or the bytes are no UTF-8; `offending` then
// receives that character. A Latin letter followed by a combining accent
// (grave, acute, circumflex, tilde, diaeresis, ring, cedilla, caron) is
// joined into the accented letter first, so "Niccolo" + U+0300 is
// "Niccol\xF2" as if typed with the accented key.
std::optional<std::string> typedTextToCp1252(const std::string& utf8, std::string* offending = nullptr);

// The name of the first control character (below 0x20, or 0x7F) of a
// Windows-1252 text: "a capo", "tabulazione", "ESC" or "codice N"; empty
// when there is none. Such characters would split record and list lines.
std::string controlCharacterIn(const std::string& cp1252);

// A message for the terminal that may quote the user's UTF-8 text beside
// core texts in Windows-1252: valid UTF-8 sequences are kept, every other
// byte is read as Windows-1252.
std::string mixedToUtf8(const std::string& bytes);

// Upper-cases ASCII letters and the accented letters of Windows-1252
// (à → À, ò → Ò, …); other bytes are kept.
char upperCase1252(char c);
std::string upperCase1252(const std::string& text);

} // namespace qv
