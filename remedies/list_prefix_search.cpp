#include "remedies/list_prefix_search.h"

namespace qv::remedies {

int listPrefixSearch(const std::vector<std::string>& entries, const std::string& prefix, int hi) {
    if (entries.empty()) return -1;
    int lo = 0;
    int pos = hi / 2;  // truncates toward zero, as div does
    if (pos < 0) pos = 0;
    for (int step = 0; step < 100; ++step) {
        const int c = entries[static_cast<std::size_t>(pos)].compare(0, prefix.size(), prefix);
        if (c > 0) {
            hi = pos;
            pos = (pos + lo) / 2;
        } else if (c < 0) {
            lo = pos;
            pos = (pos + hi) / 2;
        }
        if (pos >= static_cast<int>(entries.size())) pos = static_cast<int>(entries.size()) - 1;
    }
    return pos;
}

char TypedPrefix::type(char c) {
    if ((upperEvery_ || text_.empty()) && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    text_ += c;
    return c;
}

void TypedPrefix::backspace() {
    if (!text_.empty()) text_.pop_back();
}

} // namespace qv::remedies
