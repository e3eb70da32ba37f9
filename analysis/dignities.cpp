#include "analysis/dignities.h"

#include "base/data_dir.h"
#include "ephemeris/text_forms.h"

#include <algorithm>

namespace qv {

namespace {

// Signs of domicile, exaltation, exile and fall of each planet (0: none).
struct DignitySigns {
    std::array<int, 2> domicile, exaltation, exile, fall;
};
const DignitySigns kDignities[8] = {
    {},
    {{5, 0}, {1, 0}, {11, 0}, {7, 0}},   // Sole
    {{4, 0}, {2, 0}, {10, 0}, {8, 0}},   // Luna
    {{3, 6}, {11, 0}, {9, 12}, {5, 0}},  // Mercurio
    {{2, 7}, {12, 0}, {1, 8}, {6, 0}},   // Venere
    {{1, 8}, {10, 0}, {2, 7}, {4, 0}},   // Marte
    {{9, 12}, {4, 0}, {3, 6}, {10, 0}},  // Giove
    {{10, 11}, {7, 0}, {4, 5}, {1, 0}},  // Saturno
};

bool holds(const std::array<int, 2>& signs, int sign) { return sign != 0 && (signs[0] == sign || signs[1] == sign); }

bool disposes(int planet, int sign) { return holds(kDomiciles[static_cast<std::size_t>(planet)], sign); }

const char* const kExchangeFiles[6] = {"", "", "Scambi\\Scambio22.txt", "Scambi\\Scambio33.txt",
                                       "Scambi\\Scambio44.txt", "Scambi\\Scambio55.txt"};

// Every combination of `size` positions with the given highest position, in
// increasing lexicographic order.
void combinationsEndingAt(int size, int highest, std::vector<std::vector<int>>& out) {
    std::vector<int> c(static_cast<std::size_t>(size));
    for (int i = 0; i < size - 1; ++i) c[static_cast<std::size_t>(i)] = i + 1;
    c.back() = highest;
    if (size - 1 >= highest) return;
    for (;;) {
        out.push_back(c);
        // Next combination of the first size − 1 positions below `highest`.
        int i = size - 2;
        while (i >= 0 && c[static_cast<std::size_t>(i)] == highest - 1 - (size - 2 - i)) --i;
        if (i < 0) return;
        ++c[static_cast<std::size_t>(i)];
        for (int j = i + 1; j < size - 1; ++j) c[static_cast<std::size_t>(j)] = c[static_cast<std::size_t>(j - 1)] + 1;
    }
}

} // namespace

int dignityState(int planet, int sign) {
    if (planet < 1 || planet > kPlanets) return kNoState;
    const DignitySigns& d = kDignities[planet];
    if (holds(d.domicile, sign)) return kDomicile;
    if (holds(d.exaltation, sign)) return kExaltation;
    if (holds(d.exile, sign)) return kExile;
    if (holds(d.fall, sign)) return kFall;
    return kNoState;
}

const char* dignityCode(int state) {
    switch (state) {
    case kDomicile: return "Ad";
    case kExaltation: return "Ae";
    case kExile: return "De";
    case kFall: return "Dc";
    default: return "";
    }
}

std::string planetSignLabel(int planet, int sign) {
    return std::string(kPointCodes4[static_cast<std::size_t>(planet)]) + kSignCodes4[static_cast<std::size_t>(sign)];
}

std::string exchangeKey(const std::vector<int>& planets, const std::array<int, 8>& signs) {
    std::string key;
    for (int p : planets) key += ZeroPad(p, 2) + ZeroPad(signs[static_cast<std::size_t>(p)], 2);
    return key;
}

std::vector<std::vector<int>> exchangeTrialOrder(int size, int candidates) {
    std::vector<std::vector<int>> order;
    if (size == 3) {
        // The triples up to the fifth candidate come in the order the
        // doctrine's tables list them.
        const std::vector<std::vector<int>> first = {{1, 2, 3}, {2, 3, 4}, {1, 3, 4}, {1, 2, 4},
                                                     {3, 4, 5}, {2, 4, 5}, {1, 4, 5}, {2, 3, 5},
                                                     {1, 3, 5}, {1, 2, 5}};
        for (const auto& t : first)
            if (t.back() <= candidates) order.push_back(t);
        for (int highest = 6; highest <= candidates; ++highest) combinationsEndingAt(3, highest, order);
        return order;
    }
    for (int highest = size; highest <= candidates; ++highest) combinationsEndingAt(size, highest, order);
    return order;
}

int StructureRow::size() const {
    int n = 0;
    for (const StructureSlot& s : members)
        if (s.planet != 0) ++n;
    return n;
}

std::vector<std::string> readExchangeFile(int size) {
    const char* path = kExchangeFiles[size];
    return readDataTextLines(path);
}

namespace {

struct Builder {
    std::array<int, 8> sign{};
    std::array<int, 8> state{};
    std::array<int, 8> group{};
    std::array<bool, 8> used{};
    std::array<std::array<StructureSlot, 8>, 8> rows{};  // by planet, slots 0–7

    void makeHead(int p) {
        if (state[p] == kNoState) state[p] = kExchange;
        used[p] = true;
        rows[p][0].level = 1;
    }

    bool inFile(const std::vector<int>& planets, const std::vector<std::string>& lines) const {
        const std::string key = exchangeKey(planets, sign);
        return std::find(lines.begin(), lines.end(), key) != lines.end();
    }

    void pairs(const ExchangeReader& read) {
        std::vector<std::string> lines;
        bool loaded = false;
        std::array<int, 2> first{}, second{};
        for (int i = 1; i <= kPlanets; ++i) {
            for (int j = i + 1; j <= kPlanets; ++j) {
                if (used[i] || used[j]) continue;
                // A planet stands in one sign, so it can take part in one
                // exchange only, whatever lines a file holds.
                if (group[i] != kNoGroup || group[j] != kNoGroup) continue;
                if (!loaded) {
                    lines = read(2);
                    loaded = true;
                }
                if (!inFile({i, j}, lines)) continue;
                if (first[0] == 0) {
                    first = {i, j};
                    group[i] = group[j] = kFirstPair;
                } else {
                    // A later pair takes the place of the second exchange;
                    // the pair it replaces keeps no group, since it has no
                    // place in the structure.
                    if (second[0] != 0) group[second[0]] = group[second[1]] = kNoGroup;
                    second = {i, j};
                    group[i] = group[j] = kSecondPair;
                }
            }
        }
        for (int p : {first[0], first[1], second[0], second[1]})
            if (p != 0) makeHead(p);
    }

    void larger(int size, const ExchangeReader& read) {
        std::vector<int> candidates;
        for (int p = 1; p <= kPlanets; ++p)
            if (!used[p]) candidates.push_back(p);
        const int n = static_cast<int>(candidates.size());
        if (n < size) return;
        const std::vector<std::string> lines = read(size);
        for (const std::vector<int>& positions : exchangeTrialOrder(size, n)) {
            std::vector<int> planets;
            for (int pos : positions) planets.push_back(candidates[static_cast<std::size_t>(pos - 1)]);
            if (!inFile(planets, lines)) continue;
            for (int p : planets) {
                group[p] = size;
                makeHead(p);
            }
            return;
        }
    }

    void levelTwo() {
        for (int p = 1; p <= kPlanets; ++p) {
            if (state[p] == kNoState) continue;
            for (int q = 1; q <= kPlanets; ++q) {
                if (q == p || used[q] || !disposes(p, sign[q])) continue;
                for (StructureSlot& slot : rows[p]) {
                    if (slot.planet == 0) {
                        slot = {q, 2, p};
                        used[q] = true;
                        break;
                    }
                }
            }
        }
    }

    void deeperLevels() {
        // Slots 2 to 6 are expanded in turn; slots 7 and 8 are filled but
        // never expanded.
        for (int position = 1; position <= 5; ++position) {
            for (int r = 1; r <= kPlanets; ++r) {
                const StructureSlot x = rows[r][static_cast<std::size_t>(position)];
                if (x.planet == 0) continue;
                for (int q = 1; q <= kPlanets; ++q) {
                    if (!disposes(x.planet, sign[q])) continue;
                    for (StructureSlot& slot : rows[r]) {
                        if (slot.planet == q) break;
                        if (slot.planet == 0) {
                            if (!used[q]) {
                                slot = {q, x.level + 1, x.planet};
                                used[q] = true;
                            }
                            break;
                        }
                    }
                }
            }
        }
    }
};

// Display order of a row by its head's state and group; −1 drops the row.
int category(int state, int group) {
    if (state == kExile) return 0;
    if (state == kFall) return 1;
    if (state == kExchange) {
        switch (group) {
        case kFirstPair: return 2;
        case kSecondPair: return 3;
        case kTriple: return 4;
        case kQuadruple: return 5;
        case kQuintuple: return 6;
        default: return -1;
        }
    }
    if (state == kExaltation) return 7;
    if (state == kDomicile) return 8;
    return -1;
}

} // namespace

ArchetypalStructure ComputeArchetypalStructure(const ChartState& chart, const ExchangeReader& read) {
    Builder b;
    for (int p = 1; p <= kPlanets; ++p) {
        b.sign[p] = signOf(chart.longitude[p]);
        b.rows[p][0].planet = p;
        b.state[p] = dignityState(p, b.sign[p]);
        if (b.state[p] != kNoState) {
            b.rows[p][0].level = 1;
            b.used[p] = true;
        }
    }
    b.pairs(read);
    for (int size = 3; size <= 5; ++size) b.larger(size, read);
    b.levelTwo();
    b.deeperLevels();

    ArchetypalStructure s;
    s.sign = b.sign;
    s.state = b.state;
    s.group = b.group;
    for (int c = 0; c <= 8; ++c) {
        for (int p = 1; p <= kPlanets; ++p) {
            if (category(b.state[p], b.group[p]) != c) continue;
            StructureRow row;
            row.state = b.state[p];
            row.group = b.group[p];
            row.members = b.rows[p];
            s.rows.push_back(row);
        }
    }
    bool anyDignity = false;
    for (int p = 1; p <= kPlanets; ++p)
        if (dignityState(p, b.sign[p]) != kNoState) anyDignity = true;
    s.noDignity = s.rows.empty() && !anyDignity;
    return s;
}

bool joinedToNext(const ArchetypalStructure& s, std::size_t row) {
    if (row + 1 >= s.rows.size()) return false;
    const StructureRow& a = s.rows[row];
    const StructureRow& b = s.rows[row + 1];
    return a.state == kExchange && b.state == kExchange && a.group == b.group;
}

const char* stateLabel(int state) {
    switch (state) {
    case kDomicile: return "Domicil";
    case kExaltation: return "Esaltaz";
    case kExile: return "Esilio";
    case kFall: return "Caduta";
    case kExchange: return "Scambio";
    default: return "";
    }
}

TextColour stateColour(int state) {
    if (state == kDomicile || state == kExaltation) return TextColour::Aqua;
    if (state == kExile || state == kFall) return TextColour::Red;
    return TextColour::Yellow;
}

const char* parentAbbreviation(int planet) {
    static const char* const names[8] = {"", "sol", "lun", "mer", "ven", "mar", "gio", "sat"};
    return planet >= 1 && planet <= kPlanets ? names[planet] : "";
}

const char* const kNoDignityMessage = "Nessuna Debilit\xE0 n\xE9 Dignit\xE0 Planetaria";

} // namespace qv
