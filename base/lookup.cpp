#include "base/lookup.h"

#include "base/folded_key.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <numeric>
#include <tuple>

namespace qv {

bool keyBeginsWith(std::string_view key, std::string_view prefix) {
    return key.substr(0, prefix.size()) == prefix;
}

bool keyContains(std::string_view key, std::string_view part) {
    return key.find(part) != std::string_view::npos;
}

namespace {

// The last row of the table of edit distances between the prefixes of `a`
// (rows) and of `b` (columns). With `anyStart` the first row costs nothing:
// a match of `a` may start at any column of `b`.
std::vector<std::size_t> lastRow(std::string_view a, std::string_view b, bool anyStart) {
    std::vector<std::size_t> row(b.size() + 1, 0);
    if (!anyStart) std::iota(row.begin(), row.end(), std::size_t{0});
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row;
}

} // namespace

std::size_t editDistance(std::string_view a, std::string_view b) { return lastRow(a, b, false).back(); }

namespace {

// The bit-parallel form of the partial distance (one machine word per
// column instead of a column of the table) for typed keys of at most 64
// letters: bit i of a mask stands for letter i of the typed key.
class PatternMasks {
public:
    explicit PatternMasks(std::string_view typed) : length_(typed.size()) {
        for (std::size_t i = 0; i < typed.size(); ++i)
            masks_[static_cast<unsigned char>(typed[i])] |= std::uint64_t{1} << i;
    }
    static bool fits(std::string_view typed) { return !typed.empty() && typed.size() <= 64; }

    // The least distance between the typed key and any stretch of `key`.
    std::size_t partialDistance(std::string_view key) const {
        const std::uint64_t last = std::uint64_t{1} << (length_ - 1);
        std::uint64_t plus = ~std::uint64_t{0}; // vertical differences +1
        std::uint64_t minus = 0;                 // vertical differences -1
        std::size_t score = length_;
        std::size_t best = score;
        for (char c : key) {
            const std::uint64_t eq = masks_[static_cast<unsigned char>(c)];
            const std::uint64_t xv = eq | minus;
            const std::uint64_t xh = (((eq & plus) + plus) ^ plus) | eq;
            std::uint64_t hPlus = minus | ~(xh | plus);
            std::uint64_t hMinus = plus & xh;
            if (hPlus & last) ++score;
            else if (hMinus & last) --score;
            // A match may start anywhere: the top row stays 0, so no carry in.
            hPlus <<= 1;
            hMinus <<= 1;
            plus = hMinus | ~(xv | hPlus);
            minus = hPlus & xv;
            best = std::min(best, score);
        }
        return best;
    }

private:
    std::size_t length_;
    std::array<std::uint64_t, 256> masks_{};
};

std::size_t partialDistanceByTable(std::string_view typed, std::string_view key) {
    // A match may also end at any column: the least of the last row.
    const std::vector<std::size_t> row = lastRow(typed, key, true);
    return *std::min_element(row.begin(), row.end());
}

} // namespace

std::size_t partialDistance(std::string_view typed, std::string_view key) {
    if (PatternMasks::fits(typed)) return PatternMasks(typed).partialDistance(key);
    return partialDistanceByTable(typed, key);
}

std::size_t suggestionReach(std::size_t typedKeyLength) {
    return std::min<std::size_t>(typedKeyLength / 3, 4);
}

FoldedList::FoldedList(const std::vector<std::string>& cp1252Entries) { assign(cp1252Entries); }

void FoldedList::assign(const std::vector<std::string>& cp1252Entries) {
    keys_.clear();
    keys_.reserve(cp1252Entries.size());
    for (const std::string& entry : cp1252Entries) keys_.push_back(foldedKey(entry));
}

void FoldedList::append(std::string_view cp1252Entry) { keys_.push_back(foldedKey(cp1252Entry)); }

std::optional<std::size_t> FoldedList::firstBeginningWith(std::string_view typedKey, bool* exact) const {
    std::optional<std::size_t> first;
    for (std::size_t i = 0; i < keys_.size(); ++i) {
        if (!keyBeginsWith(keys_[i], typedKey)) continue;
        if (keys_[i].size() == typedKey.size()) {
            if (exact) *exact = true;
            return i;
        }
        if (!first) first = i;
    }
    if (exact) *exact = false;
    return first;
}

std::vector<std::size_t> FoldedList::containing(std::string_view typedKey, std::size_t limit) const {
    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < keys_.size() && found.size() < limit; ++i)
        if (keyContains(keys_[i], typedKey)) found.push_back(i);
    return found;
}

std::optional<std::size_t> FoldedList::nextContaining(std::string_view typedKey, std::size_t from) const {
    for (std::size_t i = from; i < keys_.size(); ++i)
        if (keyContains(keys_[i], typedKey)) return i;
    return std::nullopt;
}

std::vector<std::size_t> FoldedList::nearest(std::string_view typedKey, std::size_t limit) const {
    const std::size_t reach = suggestionReach(typedKey.size());
    if (reach == 0 || limit == 0) return {};
    // (distance within the entry, distance to the whole entry, position)
    std::vector<std::tuple<std::size_t, std::size_t, std::size_t>> near;
    const bool bitParallel = PatternMasks::fits(typedKey);
    const PatternMasks masks(bitParallel ? typedKey : std::string_view("x"));
    for (std::size_t i = 0; i < keys_.size(); ++i) {
        const std::string& key = keys_[i];
        // A key shorter than the typed one by more than the reach cannot
        // come within it: skip the table.
        if (key.size() + reach < typedKey.size()) continue;
        const std::size_t d = bitParallel ? masks.partialDistance(key) : partialDistanceByTable(typedKey, key);
        if (d == 0 || d > reach) continue; // 0: it contains the key, offered as such
        near.emplace_back(d, 0, i);
    }
    // The whole-entry distance only orders the few near ones.
    for (auto& [d, whole, i] : near) whole = editDistance(typedKey, keys_[i]);
    const std::size_t kept = std::min(limit, near.size());
    std::partial_sort(near.begin(), near.begin() + static_cast<std::ptrdiff_t>(kept), near.end());
    std::vector<std::size_t> result;
    for (std::size_t k = 0; k < kept; ++k) result.push_back(std::get<2>(near[k]));
    return result;
}

LookupResult FoldedList::lookup(std::string_view typedCp1252) const {
    LookupResult result;
    result.typedKey = foldedKey(typedCp1252);
    if (result.typedKey.empty()) return result;
    result.selected = firstBeginningWith(result.typedKey, &result.exact);
    if (result.selected) return result;
    result.containing = containing(result.typedKey, kMaxContaining);
    // A full drop-down of containing entries leaves no room for near ones.
    if (result.containing.size() < kMaxContaining) result.suggestions = nearest(result.typedKey, kMaxSuggestions);
    return result;
}

std::vector<std::size_t> FoldedList::allMatching(std::string_view typedKey) const {
    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < keys_.size(); ++i)
        if (keyContains(keys_[i], typedKey)) found.push_back(i);
    return found;
}

Resolution resolveName(const FoldedList& list, std::string_view typedCp1252) {
    Resolution r;
    const std::string key = foldedKey(typedCp1252);
    if (key.empty()) return r;
    std::vector<std::size_t> beginning;
    std::vector<std::size_t> inside;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::string& k = list.key(i);
        if (k == key) {
            r.index = i;
            return r;
        }
        if (keyBeginsWith(k, key)) beginning.push_back(i);
        else if (keyContains(k, key)) inside.push_back(i);
    }
    std::vector<std::size_t>& matches = beginning.empty() ? inside : beginning;
    if (matches.size() == 1) r.index = matches.front();
    else if (!matches.empty()) r.candidates = std::move(matches);
    else r.suggestions = list.nearest(key, kMaxSuggestions);
    return r;
}

} // namespace qv
