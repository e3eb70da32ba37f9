// Text rules of the remedy database: the form in which an indication or a
// remedy name appears in the support lists, upper case by letters a to z,
// preparation types and use numbers of remedy names, and the words of a
// signature as its pop-up list shows them.
#pragma once

#include <string>
#include <vector>

namespace qv::remedies {

// The form a text takes in the support lists: the part before its first
// "*", without up to ten trailing characters that are not letters, digits,
// ")", "." or à é è ù ò ì. Searches from a list line compare records in
// this form, so every record the line stands for is found.
std::string listedForm(const std::string& text);

// Letters a to z upper-cased; every other byte kept.
std::string upperLetters(const std::string& text);

// Trailing blanks removed (the whole text is kept otherwise).
std::string trimRightBlanks(const std::string& text);

// The caption of the preparation type a remedy name carries, or empty:
// "MSA" macerate, "TSA" tincture, "QSPC" quintessence (a later type in that
// order wins when several occur).
std::string preparationCaption(const std::string& remedyName);

// True when the name carries a use number "(1)" to "(9)".
bool hasUseNumber(const std::string& remedyName);
extern const char* const kUseNumberNotice;

// The lines of a signature pop-up. `primary` and `secondary` are cut into
// words at every blank and "-", one line per word (an empty word, between
// two separators or after a final one, gives an empty line); with
// `markPrimary` the words of the primary signature carry "§ " before them.
// A zodiacal signature is passed as `primary` without marks.
std::vector<std::string> signatureWords(const std::string& primary, const std::string& secondary,
                                        bool markPrimary);

} // namespace qv::remedies
