// The one rule by which every lookup of the program compares a typed text
// with a stored entry: both are reduced to a folded key, and the keys are
// compared byte for byte. Stored text and list order never change; only
// the comparison does.
#pragma once

#include <string>
#include <string_view>

namespace qv {

// The folded key of a Windows-1252 text:
// - letters lose case and accent: "È" and "è" are "e", "ç" is "c", "ñ" is
//   "n"; the ligatures and the sharp s are spelled out ("œ" → "oe",
//   "æ" → "ae", "ß" → "ss", "þ" → "th");
// - blanks, control characters and punctuation (ASCII and the Windows-1252
//   quotes, dashes and signs) separate words: each run of them becomes one
//   blank inside the text and nothing at either end, so "Sant'Angelo",
//   "sant angelo" and "  SANT’ANGELO." share the key "sant angelo";
// - digits are kept.
// The key is ASCII lower case, digits and single blanks.
std::string foldedKey(std::string_view cp1252Text);

} // namespace qv
