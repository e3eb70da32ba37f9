// The shipped exchange files and table of year masters against their rules.
#include "analysis/chart_codes.h"
#include "base/text_file.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

namespace qv {
namespace analysis_data_test {

std::string twoDigits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

// Every choice of signs for `size` planets in which following each planet
// to the ruler of its sign runs through all of them once and back.
std::set<std::string> cyclicReceptions(int size) {
    std::set<std::string> keys;
    for (int mask = 0; mask < 128; ++mask) {
        std::vector<int> planets;
        for (int p = 1; p <= 7; ++p)
            if (mask & (1 << (p - 1))) planets.push_back(p);
        if (static_cast<int>(planets.size()) != size) continue;
        std::vector<int> sign(8, 1);
        for (;;) {
            std::vector<int> next(8, 0);
            bool inside = true;
            for (int p : planets) {
                next[static_cast<std::size_t>(p)] = signRuler(sign[static_cast<std::size_t>(p)]);
                if (std::find(planets.begin(), planets.end(), next[static_cast<std::size_t>(p)]) == planets.end()) inside = false;
            }
            if (inside) {
                int steps = 0, p = planets.front();
                do {
                    p = next[static_cast<std::size_t>(p)];
                    ++steps;
                } while (p != planets.front() && steps <= size);
                if (p == planets.front() && steps == size) {
                    std::string key;
                    for (int q : planets) key += twoDigits(q) + twoDigits(sign[static_cast<std::size_t>(q)]);
                    keys.insert(key);
                }
            }
            // Next assignment of signs (an odometer over the chosen planets).
            std::size_t k = 0;
            while (k < planets.size() && ++sign[static_cast<std::size_t>(planets[k])] > 12) sign[static_cast<std::size_t>(planets[k++])] = 1;
            if (k == planets.size()) break;
        }
    }
    return keys;
}

TEST(AnalysisData, ExchangeFilesHoldEveryCyclicReceptionByDomicile) {
    const auto folder = test::dataTemplateDir() / "Scambi";
    const std::size_t counts[6] = {0, 0, 61, 340, 1680, 6528};
    for (int size = 2; size <= 5; ++size) {
        const auto path = folder / ("Scambio" + std::to_string(size) + std::to_string(size) + ".txt");
        const std::string bytes = readWholeFile(path);
        ASSERT_FALSE(bytes.empty());
        EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
        const auto lines = readTextLines(path);
        EXPECT_EQ(lines.size(), counts[size]) << size;
        const std::set<std::string> shipped(lines.begin(), lines.end());
        EXPECT_EQ(shipped.size(), lines.size()) << size;
        EXPECT_EQ(shipped, cyclicReceptions(size)) << size;
    }
    // The examples of the doctrine: Sole in Cancro with Luna in Leone;
    // Venere in Capricorno with Saturno in Toro.
    const auto pairs = readTextLines(folder / "Scambio22.txt");
    EXPECT_NE(std::find(pairs.begin(), pairs.end(), "01040205"), pairs.end());
    EXPECT_NE(std::find(pairs.begin(), pairs.end(), "04100702"), pairs.end());
}

TEST(AnalysisData, YearMastersFollowTheRegentsOfTheYear) {
    const auto lines = readTextLines(test::dataTemplateDir() / "Appoggio" / "GoverAnno.txt");
    ASSERT_EQ(lines.size(), 252u);
    // Saturno, Giove, Marte, Sole, Venere, Mercurio, Luna; 2024 a year of the Sole.
    const int regents[7] = {7, 6, 5, 1, 4, 3, 2};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int year = 1765 + static_cast<int>(i);
        ASSERT_EQ(lines[i].size(), 8u);
        EXPECT_EQ(lines[i].substr(0, 4), std::to_string(year));
        const int yearMaster = std::stoi(lines[i].substr(4, 2));
        const int cycleMaster = std::stoi(lines[i].substr(6, 2));
        EXPECT_EQ(yearMaster, regents[((year - 2024 + 3) % 7 + 7) % 7]) << year;
        const int cycleStart = 1765 + (year - 1765) / 36 * 36;
        EXPECT_EQ(cycleMaster, std::stoi(lines[static_cast<std::size_t>(cycleStart - 1765)].substr(4, 2))) << year;
    }
    EXPECT_EQ(lines[1989 - 1765], "19890105");
    EXPECT_EQ(lines[2004 - 1765], "20040405");
    EXPECT_EQ(lines[1768 - 1765], "17680201");
}

} // namespace analysis_data_test
} // namespace qv
