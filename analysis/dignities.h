// Essential dignities and debilities of the seven planets, their exchanges
// (mutual receptions of two to five planets, looked up in the files
// Scambi\Scambio22.txt … Scambio55.txt) and the archetypal structure built
// from both: rows headed by a planet with a dignity, a debility or an
// exchange, followed level by level by the planets it disposes.
#pragma once

#include "analysis/chart_codes.h"
#include "base/reals.h"
#include "ephemeris/chart_state.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace qv {

// States of a planet.
enum PlanetState : int {
    kNoState = 0, kDomicile = 1, kExaltation = 2, kExile = 3, kFall = 4, kExchange = 5,
};
// Exchange groups: the first and second two-planet exchanges, then the
// exchange of three, four and five planets.
enum ExchangeGroup : int {
    kNoGroup = 0, kFirstPair = 21, kSecondPair = 22, kTriple = 3, kQuadruple = 4, kQuintuple = 5,
};

// The dignity of planet 1–7 in sign 1–12: a state 1–4 or kNoState, and its
// two-letter code ("Ad", "Ae", "De", "Dc"; empty without).
int dignityState(int planet, int sign);
const char* dignityCode(int state);

// Planet–sign label: "Sole" + "Toro" gives SoleToro.
std::string planetSignLabel(int planet, int sign);

// The key of a configuration: for each planet in increasing number, the
// planet and its sign in two digits each (01040205).
std::string exchangeKey(const std::vector<int>& planets, const std::array<int, 8>& signs);

// The orders in which the combinations of `size` of n candidates (positions
// 1 … n) are tried.
std::vector<std::vector<int>> exchangeTrialOrder(int size, int candidates);

struct StructureSlot {
    int planet = 0;  // 0: empty
    int level = 0;   // 1 for the head, 2 for the planets it disposes, …
    int parent = 0;  // the planet that disposes it; 0 for the head
};

struct StructureRow {
    int state = kNoState;  // of the head
    int group = kNoGroup;  // of the head
    std::array<StructureSlot, 8> members{};
    int head() const { return members[0].planet; }
    int size() const;      // planets in the row
};

struct ArchetypalStructure {
    // Rows in display order: exile, fall, first and second pair, triple,
    // quadruple, quintuple, exaltation, domicile; within each by planet.
    std::vector<StructureRow> rows;
    // By planet 1–7, before the rows were ordered.
    std::array<int, 8> state{};
    std::array<int, 8> group{};
    std::array<int, 8> sign{};
    // "Nessuna Debilità né Dignità Planetaria": no row, and no planet in a
    // sign of dignity or debility.
    bool noDignity = false;
};

// Lines of Scambi\ScambioNN.txt for exchanges of `size` planets (2–5).
using ExchangeReader = std::function<std::vector<std::string>(int size)>;
// Reads them from the data directory; a missing file is an IoError.
std::vector<std::string> readExchangeFile(int size);

// From the longitudes of points 1–7. Each exchange file is read only when
// its size of exchange is looked for.
ArchetypalStructure ComputeArchetypalStructure(const ChartState& chart,
                                               const ExchangeReader& read = readExchangeFile);

// Whether row k and row k + 1 belong to the same exchange (a bracket joins
// them).
bool joinedToNext(const ArchetypalStructure& structure, std::size_t row);

// The label beside a row's band: "Domicil", "Esaltaz", "Esilio", "Caduta",
// "Scambio".
const char* stateLabel(int state);
// Colour of a row: aqua for dignities, red for debilities, yellow for
// exchanges.
TextColour stateColour(int state);
const char* parentAbbreviation(int planet);  // "sol", … "sat"

extern const char* const kNoDignityMessage;

} // namespace qv
