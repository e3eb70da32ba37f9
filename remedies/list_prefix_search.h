// The "Cerca" box beside a list: the user types a prefix and the list's
// selection moves to an entry that begins with it (or to where it would
// sort), by a bisection of exactly 100 steps over the list in list order.
// The selection only highlights the entry; it does not open it.
#pragma once

#include <string>
#include <vector>

namespace qv::remedies {

// Bisection over entries 0 … n−1 from lo = 0, `hi` and pos = hi div 2:
// 100 steps comparing the first L bytes of entry pos with the prefix
// (L = its length), ordinal and case-sensitive; greater moves hi down,
// smaller moves lo up, equal stays. Returns the final position, or −1 for
// an empty list.
int listPrefixSearch(const std::vector<std::string>& entries, const std::string& prefix, int hi);

// The prefix typed so far. Letters a to z become upper case when
// `upperEveryCharacter` is set, otherwise only the first character of an
// empty prefix does.
class TypedPrefix {
public:
    explicit TypedPrefix(bool upperEveryCharacter) : upperEvery_(upperEveryCharacter) {}
    // Appends a typed character (converted as above); returns it as shown.
    char type(char c);
    void backspace();
    void clear() { text_.clear(); }
    const std::string& text() const { return text_; }

private:
    bool upperEvery_;
    std::string text_;
};

} // namespace qv::remedies
