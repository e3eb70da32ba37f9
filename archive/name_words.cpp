#include "archive/name_words.h"

#include "base/folded_key.h"

#include <sstream>

namespace qv {

std::vector<std::string> foldedWords(const std::string& typedCp1252) {
    // The folded key separates words by single blanks.
    std::istringstream key(foldedKey(typedCp1252));
    std::vector<std::string> words;
    for (std::string w; key >> w;) words.push_back(w);
    return words;
}

bool nameHoldsWords(const std::string& name, const std::vector<std::string>& words) {
    const std::string key = foldedKey(name);
    for (const std::string& w : words)
        if (key.find(w) == std::string::npos) return false;
    return true;
}

std::vector<int> positionsHoldingWords(const std::vector<IndexEntry>& entries, const std::string& typedCp1252) {
    std::vector<int> found;
    const std::vector<std::string> words = foldedWords(typedCp1252);
    if (words.empty()) return found;
    for (std::size_t k = 1; k < entries.size(); ++k)
        if (nameHoldsWords(entries[k].name(), words)) found.push_back(static_cast<int>(k));
    return found;
}

} // namespace qv
