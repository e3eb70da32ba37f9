#include "base/lookup.h"

#include "base/folded_key.h"

#include <algorithm>
#include <numeric>
#include <tuple>

namespace qv {

bool keyBeginsWith(std::string_view key, std::string_view prefix) {
    return key.substr(0, prefix.size()) == prefix;
}

bool keyContains(std::string_view key, std::string_view part) {
    return key.find(part) != std::string_view::npos;
}

std::size_t editDistance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    std::iota(row.begin(), row.end(), std::size_t{0});
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

std::size_t partialDistance(std::string_view typed, std::string_view key) {
    // Columns run over `key`; a match may start at any column (the first
    // row costs nothing) and end at any column (the least of the last row).
    std::vector<std::size_t> row(key.size() + 1, 0);
    for (std::size_t i = 1; i <= typed.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= key.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (typed[i - 1] == key[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return *std::min_element(row.begin(), row.end());
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

std::vector<std::size_t> FoldedList::nearest(std::string_view typedKey, std::size_t limit) const {
    const std::size_t reach = suggestionReach(typedKey.size());
    if (reach == 0 || limit == 0) return {};
    // (distance within the entry, distance to the whole entry, position)
    std::vector<std::tuple<std::size_t, std::size_t, std::size_t>> near;
    for (std::size_t i = 0; i < keys_.size(); ++i) {
        const std::string& key = keys_[i];
        // A key shorter than the typed one by more than the reach cannot
        // come within it: skip the table.
        if (key.size() + reach < typedKey.size()) continue;
        const std::size_t d = partialDistance(typedKey, key);
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
    result.suggestions = nearest(result.typedKey, kMaxSuggestions);
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
