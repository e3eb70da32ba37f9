// Finding a subject by the words of its name in any order: "mar ros"
// finds ROSSI MARIA. Beside the bisection of the typed beginning, this is
// how the name boxes of the archive windows find people whose name the
// user remembers only in part, or typed first name first.
#pragma once

#include "archive/archive_records.h"

#include <string>
#include <vector>

namespace qv {

// The words of a typed text under the folded key ("Mar  Ros." → "mar", "ros").
std::vector<std::string> foldedWords(const std::string& typedCp1252);

// True when the folded key of `name` contains every one of `words`.
bool nameHoldsWords(const std::string& name, const std::vector<std::string>& words);

// The index positions (1..n) of `entries` (record 0, the header, is
// skipped) whose names hold every typed word, in index order. Empty when
// the text holds no word.
std::vector<int> positionsHoldingWords(const std::vector<IndexEntry>& entries, const std::string& typedCp1252);

} // namespace qv
