// Looking an entry up in a list by what the user typed, under the folded
// key of base/folded_key.h. Every box, window and command that finds an
// entry by name goes through here, so that all of them agree.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// At most this many entries containing the typed key are offered, and at
// most this many near ones.
inline constexpr std::size_t kMaxContaining = 20;
inline constexpr std::size_t kMaxSuggestions = 5;

bool keyBeginsWith(std::string_view key, std::string_view prefix);
bool keyContains(std::string_view key, std::string_view part);

// Levenshtein distance between two keys.
std::size_t editDistance(std::string_view a, std::string_view b);
// The least edit distance between `typed` and any stretch of `key`: how
// far `typed` is from appearing in `key` (0 when it does).
std::size_t partialDistance(std::string_view typed, std::string_view key);

// The farthest a suggestion may lie from a typed key of this length: none
// for one or two letters (anything would do), then one edit per three
// letters, at most four.
std::size_t suggestionReach(std::size_t typedKeyLength);

// What a lookup found. Indices are positions in the list, in list order.
struct LookupResult {
    std::string typedKey;
    // The entry to select: the first one whose key equals the typed key,
    // else the first one whose key begins with it.
    std::optional<std::size_t> selected;
    bool exact = false;
    // Only when nothing begins with the typed key: the entries that
    // contain it (at most kMaxContaining), then, when those are fewer, the
    // nearest ones by edit distance (at most kMaxSuggestions; nearest
    // first, then list order).
    std::vector<std::size_t> containing;
    std::vector<std::size_t> suggestions;

    bool empty() const { return typedKey.empty(); }
    // Typed text that matches no entry at all (neither begins nor contains).
    bool noMatch() const { return !empty() && !selected && containing.empty(); }
};

// The folded keys of a list, computed once, so that every keystroke
// compares keys only.
class FoldedList {
public:
    FoldedList() = default;
    explicit FoldedList(const std::vector<std::string>& cp1252Entries);

    void assign(const std::vector<std::string>& cp1252Entries);
    void append(std::string_view cp1252Entry);
    std::size_t size() const { return keys_.size(); }
    const std::string& key(std::size_t index) const { return keys_[index]; }

    // The entry of an already folded key, by the rule of LookupResult::selected.
    std::optional<std::size_t> firstBeginningWith(std::string_view typedKey, bool* exact = nullptr) const;
    // Entries whose key contains the typed key, in list order, at most `limit`.
    std::vector<std::size_t> containing(std::string_view typedKey, std::size_t limit) const;
    // The first entry at or after `from` whose key contains the typed key:
    // a "trova" button that steps through the list.
    std::optional<std::size_t> nextContaining(std::string_view typedKey, std::size_t from) const;
    // The nearest entries within suggestionReach, nearest first, at most `limit`.
    std::vector<std::size_t> nearest(std::string_view typedKey, std::size_t limit) const;

    // The whole lookup of a typed Windows-1252 text.
    LookupResult lookup(std::string_view typedCp1252) const;

    // Every entry whose key begins with or contains the typed key, in list
    // order, without limit: what a command prints for a search.
    std::vector<std::size_t> allMatching(std::string_view typedKey) const;

private:
    std::vector<std::string> keys_;
};

// Resolving one name typed as an argument against a list: the entry whose
// key equals it; else the only entry that begins with it; else, when none
// begins with it, the only entry that contains it. Several entries at the
// first step that has any make an ambiguity.
struct Resolution {
    std::optional<std::size_t> index;     // when resolved
    std::vector<std::size_t> candidates;  // when ambiguous: every match, list order
    std::vector<std::size_t> suggestions; // when nothing matched
};
Resolution resolveName(const FoldedList& list, std::string_view typedCp1252);

} // namespace qv
