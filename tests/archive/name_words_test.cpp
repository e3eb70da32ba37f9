// Finding a stored name by the words typed, in any order and in part.
#include "archive/name_words.h"

#include <gtest/gtest.h>

namespace qv {
namespace name_words_test {

std::vector<IndexEntry> index(const std::vector<std::string>& names) {
    std::vector<IndexEntry> entries{{"0 Registro vuoto......................00000"}};
    for (std::size_t i = 0; i < names.size(); ++i) entries.push_back({subjectKey(names[i], static_cast<int>(i + 1))});
    return entries;
}

TEST(NameWords, EveryTypedWordInAnyOrderFindsTheName) {
    const auto entries = index({"BIANCHI LUCA", "D'ANGELO N\xC9LIDA", "ROSSI ANNA", "ROSSI MARIA", "VERDI MARIO"});
    const struct {
        const char* typed;
        std::vector<int> found;
    } cases[] = {
        {"mar ros", {4}},         {"Maria Rossi", {4}},      {"ros", {3, 4}},       {"mar", {4, 5}},
        {"  ROSS,  mar. ", {4}},  {"nelida d'angelo", {2}},  {"angelo", {2}},       {"mar bianchi", {}},
        {"", {}},                 {" - ", {}},               {"registro", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(positionsHoldingWords(entries, c.typed), c.found) << c.typed;
}

} // namespace name_words_test
} // namespace qv
