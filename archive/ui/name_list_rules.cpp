#include "archive/ui/name_list_rules.h"

#include <algorithm>
#include <vector>

namespace qv {

int NameListWindow::clamp(int p) const {
    if (showsAll()) return 0;
    return std::clamp(p, lowest(), highest());
}

int NameListWindow::first(int p) const { return showsAll() ? 1 : clamp(p) - before(); }

std::string invertedName(const std::string& name, int clicks) {
    const std::size_t paren = name.find('(');
    const std::string head = name.substr(0, paren);
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < head.size() && words.size() < 3) {
        while (i < head.size() && head[i] == ' ') ++i;
        std::size_t j = i;
        while (j < head.size() && head[j] != ' ') ++j;
        if (j > i) words.push_back(head.substr(i, j - i));
        i = j;
    }
    while (i < head.size() && head[i] == ' ') ++i;
    std::string rest = head.substr(i);
    if (paren != std::string::npos) rest += name.substr(paren);
    while (!rest.empty() && rest.back() == ' ') rest.pop_back();
    if (words.size() < 2) return name;

    static constexpr int kThreeWordCycle[6][3] = {{1, 2, 0}, {0, 2, 1}, {1, 0, 2}, {2, 0, 1}, {2, 1, 0}, {0, 1, 2}};
    std::vector<int> order;
    if (words.size() == 2) {
        order = clicks % 2 == 1 ? std::vector<int>{1, 0} : std::vector<int>{0, 1};
    } else {
        const int step = ((clicks - 1) % 6 + 6) % 6;
        order = clicks <= 0 ? std::vector<int>{0, 1, 2}
                            : std::vector<int>(kThreeWordCycle[step], kThreeWordCycle[step] + 3);
    }
    std::string out;
    for (int k : order) {
        if (!out.empty()) out += ' ';
        out += words[static_cast<std::size_t>(k)];
    }
    if (!rest.empty()) out += ' ' + rest;
    return out;
}

} // namespace qv
