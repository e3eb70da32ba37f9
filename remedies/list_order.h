// The order of every sorted list of the remedy windows and support lists:
// alphabetical without regard to case, as a sorted list control shows it.
// Accented letters sort with their plain letter; blanks and punctuation
// come before digits and digits before letters. Texts equal in that
// respect are told apart by accents (plain first), then by case (lower
// case first), then byte by byte, so that only byte-equal texts are equal
// and "distinct" can drop an entry equal to the one just before it.
#pragma once

#include <string>
#include <vector>

namespace qv::remedies {

// A byte key whose plain (unsigned byte) comparison gives list order.
std::string listOrderKey(const std::string& text);

// True when `a` comes before `b` in list order.
bool listOrderLess(const std::string& a, const std::string& b);

// Sorts texts into list order.
void sortInListOrder(std::vector<std::string>& texts);

// Drops every entry byte-equal to the entry just before it.
void dropRepeats(std::vector<std::string>& texts);

} // namespace qv::remedies
