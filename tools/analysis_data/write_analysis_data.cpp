// Writes the analysis data that follow from a rule:
//
// Scambi\Scambio22.txt … Scambio55.txt — the exchanges (mutual receptions)
// the archetypal structure looks up. The doctrine is reception by domicile:
// a planet standing in a domicile of another is received by it, and two
// planets each in a domicile of the other are in mutual reception
// (Ptolemy, Tetrabiblos I.17, "Of the houses of the several planets", for
// the domiciles; the medieval authors, e.g. Guido Bonatti, Liber
// astronomiae, tractatus III, for reception). Its cyclic forms chain three,
// four or five planets: each stands in a domicile of the next and the last
// in a domicile of the first, so that the chain of dispositors closes on
// itself. Every such configuration of 2, 3, 4 and 5 of the seven planets is
// written, one per line, as its planets in increasing number, each as the
// planet number and the number of its sign in two digits (Sole in Cancro
// with Luna in Leone is 01040205), the lines in increasing order. The
// domiciles are the program's own table (analysis/chart_codes.h).
//
// Appoggio\GoverAnno.txt — the masters of the year and of the 36-year
// cycle for the years 1765 to 2016 (252 = 7 × 36 years; the program brings
// every year into this span). The master of the year follows the sequence
// of the planetary regents of the year of the perpetual hundred-year
// calendar (Mauritius Knauer, Calendarium oeconomicum practicum perpetuum,
// 1652–1658): Saturno, Giove, Marte, Sole, Venere, Mercurio, Luna, one year
// each in the descending order of the spheres, the year beginning at the
// spring equinox; the sequence is anchored so that 2024 is a year of the
// Sole, as the calendar's current editions give it. The master of a cycle
// of 36 years is the master of its first year; the cycles begin in 1765,
// 1801, … 1981. Since 36 = 5 × 7 + 1, each cycle passes to the next planet
// of the same sequence, and after seven cycles, 252 years, both masters
// repeat. Each line is the year in four digits and the two masters' numbers
// (1 Sole … 7 Saturno) in two digits.
//
// Usage: write_analysis_data DATA_TEMPLATE_DIR (the data/ folder).
#include "analysis/chart_codes.h"
#include "base/text_file.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <set>
#include <string>
#include <vector>

namespace {

std::string twoDigits(int n) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d", n);
    return buf;
}

// Every sign assignment of a cycle p[0] → p[1] → … → p[0], each planet in a
// domicile of the next.
void assignSigns(const std::vector<int>& cycle, std::size_t k, std::array<int, 8>& sign, std::set<std::string>& out) {
    if (k == cycle.size()) {
        std::vector<int> planets = cycle;
        std::sort(planets.begin(), planets.end());
        std::string key;
        for (int p : planets) key += twoDigits(p) + twoDigits(sign[static_cast<std::size_t>(p)]);
        out.insert(key);
        return;
    }
    const int next = cycle[(k + 1) % cycle.size()];
    for (int s : qv::kDomiciles[static_cast<std::size_t>(next)]) {
        if (s == 0) continue;
        sign[static_cast<std::size_t>(cycle[k])] = s;
        assignSigns(cycle, k + 1, sign, out);
    }
}

std::vector<std::string> exchanges(int size) {
    std::set<std::string> keys;
    // Subsets of `size` planets by bit mask; each cycle is written starting
    // from its lowest planet.
    for (int mask = 0; mask < (1 << qv::kPlanets); ++mask) {
        std::vector<int> planets;
        for (int p = 1; p <= qv::kPlanets; ++p)
            if (mask & (1 << (p - 1))) planets.push_back(p);
        if (static_cast<int>(planets.size()) != size) continue;
        std::vector<int> rest(planets.begin() + 1, planets.end());
        do {
            std::vector<int> cycle{planets.front()};
            cycle.insert(cycle.end(), rest.begin(), rest.end());
            std::array<int, 8> sign{};
            assignSigns(cycle, 0, sign, keys);
        } while (std::next_permutation(rest.begin(), rest.end()));
    }
    return {keys.begin(), keys.end()};
}

// Planet numbers: 1 Sole, 2 Luna, 3 Mercurio, 4 Venere, 5 Marte, 6 Giove,
// 7 Saturno.
constexpr int kRegents[7] = {7, 6, 5, 1, 4, 3, 2};  // Saturno … Luna
constexpr int kSunYear = 2024;
constexpr int kFirstYear = 1765;
constexpr int kLastYear = 2016;
constexpr int kCycleYears = 36;

int yearMaster(int year) {
    const int sunIndex = 3;
    int k = (year - kSunYear + sunIndex) % 7;
    if (k < 0) k += 7;
    return kRegents[k];
}

std::vector<std::string> yearMasters() {
    std::vector<std::string> lines;
    for (int year = kFirstYear; year <= kLastYear; ++year) {
        const int cycleStart = kFirstYear + (year - kFirstYear) / kCycleYears * kCycleYears;
        lines.push_back(std::to_string(year) + twoDigits(yearMaster(year)) + twoDigits(yearMaster(cycleStart)));
    }
    return lines;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "Usage: write_analysis_data DATA_TEMPLATE_DIR\n";
        return 2;
    }
    const std::filesystem::path root = argv[1];
    try {
        std::filesystem::create_directories(root / "Scambi");
        std::filesystem::create_directories(root / "Appoggio");
        for (int size = 2; size <= 5; ++size) {
            const std::string name = "Scambio" + std::to_string(size) + std::to_string(size) + ".txt";
            const auto lines = exchanges(size);
            qv::writeTextLines(root / "Scambi" / name, lines);
            std::cout << name << ": " << lines.size() << " configurations\n";
        }
        qv::writeTextLines(root / "Appoggio" / "GoverAnno.txt", yearMasters());
        std::cout << "GoverAnno.txt: " << (kLastYear - kFirstYear + 1) << " years\n";
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
    return 0;
}
