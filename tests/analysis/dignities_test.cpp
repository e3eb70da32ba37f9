#include "analysis/dignities.h"

#include "base/errors.h"
#include "base/text_file.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

#include <map>

namespace qv {
namespace dignities_test {

// A chart with planets 1–7 in the middle of the given signs.
ChartState chartOfSigns(std::array<int, 8> signs) {
    ChartState c;
    for (int p = 1; p <= 7; ++p) c.longitude[static_cast<std::size_t>(p)] = 30.0L * (signs[static_cast<std::size_t>(p)] - 1) + 15;
    return c;
}

// Exchange files given by size; sizes not given are empty.
ExchangeReader files(std::map<int, std::vector<std::string>> bySize) {
    return [bySize](int size) {
        auto it = bySize.find(size);
        return it == bySize.end() ? std::vector<std::string>{} : it->second;
    };
}

// A row written as "planet/level/parent" slots.
std::string rowText(const StructureRow& row) {
    std::string s;
    for (const StructureSlot& slot : row.members) {
        if (slot.planet == 0) continue;
        if (!s.empty()) s += " ";
        s += std::to_string(slot.planet) + "/" + std::to_string(slot.level) + "/" + std::to_string(slot.parent);
    }
    return s;
}

TEST(Dignities, TableOfStates) {
    struct Case { int planet, sign, state; };
    const Case cases[] = {
        {1, 5, kDomicile}, {1, 1, kExaltation}, {1, 11, kExile}, {1, 7, kFall},  {1, 2, kNoState},
        {3, 6, kDomicile}, {3, 11, kExaltation}, {3, 12, kExile}, {3, 5, kFall},
        {4, 12, kExaltation}, {5, 4, kFall},    {6, 3, kExile},  {7, 1, kFall},  {7, 11, kDomicile},
    };
    for (const Case& c : cases) EXPECT_EQ(dignityState(c.planet, c.sign), c.state) << c.planet << " " << c.sign;
    EXPECT_STREQ(dignityCode(kExile), "De");
    EXPECT_EQ(planetSignLabel(1, 2), "SoleToro");
}

TEST(Exchanges, KeysAndTrialOrders) {
    std::array<int, 8> signs{0, 4, 5, 0, 0, 0, 0, 0};
    EXPECT_EQ(exchangeKey({1, 2}, signs), "01040205");

    const std::vector<std::vector<int>> quads = {{1, 2, 3, 4}, {1, 2, 3, 5}, {1, 2, 4, 5}, {1, 3, 4, 5}, {2, 3, 4, 5}};
    EXPECT_EQ(exchangeTrialOrder(4, 5), quads);
    EXPECT_TRUE(exchangeTrialOrder(4, 3).empty());

    const auto triples = exchangeTrialOrder(3, 7);
    ASSERT_EQ(triples.size(), 35u);
    const std::vector<std::vector<int>> firstTen = {{1, 2, 3}, {2, 3, 4}, {1, 3, 4}, {1, 2, 4}, {3, 4, 5},
                                                    {2, 4, 5}, {1, 4, 5}, {2, 3, 5}, {1, 3, 5}, {1, 2, 5}};
    EXPECT_EQ(std::vector<std::vector<int>>(triples.begin(), triples.begin() + 10), firstTen);
    EXPECT_EQ(triples[10], (std::vector<int>{1, 2, 6}));
    EXPECT_EQ(triples[19], (std::vector<int>{4, 5, 6}));
    EXPECT_EQ(triples[20], (std::vector<int>{1, 2, 7}));
    EXPECT_EQ(triples.back(), (std::vector<int>{5, 6, 7}));
    EXPECT_EQ(exchangeTrialOrder(3, 4).size(), 4u);

    const auto quints = exchangeTrialOrder(5, 7);
    ASSERT_EQ(quints.size(), 21u);
    EXPECT_EQ(quints[0], (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(quints[1], (std::vector<int>{1, 2, 3, 4, 6}));
    EXPECT_EQ(quints[6], (std::vector<int>{1, 2, 3, 4, 7}));
}

TEST(ArchetypalStructure, TwoDomicileRowsWithTheirDisposedPlanets) {
    // Sole in Leone and Luna in Cancro; Venere in Leone; Mercurio in Cancro,
    // Marte in Gemelli, Giove in Ariete, Saturno in Sagittario: a chain.
    const auto s = ComputeArchetypalStructure(chartOfSigns({0, 5, 4, 4, 5, 3, 1, 9}), files({}));
    ASSERT_EQ(s.rows.size(), 2u);
    EXPECT_EQ(s.rows[0].state, kDomicile);
    EXPECT_EQ(rowText(s.rows[0]), "1/1/0 4/2/1");
    EXPECT_EQ(rowText(s.rows[1]), "2/1/0 3/2/2 5/3/3 6/4/5 7/5/6");
    EXPECT_FALSE(joinedToNext(s, 0));
    EXPECT_FALSE(s.noDignity);
}

TEST(ArchetypalStructure, VenereSaturnoExchangeWithBracket) {
    // Venere in Capricorno, Saturno in Toro; Mercurio and Giove in Toro,
    // Sole and Luna in Gemelli, Marte in Leone.
    const auto s = ComputeArchetypalStructure(chartOfSigns({0, 3, 3, 2, 10, 5, 2, 2}), files({{2, {"04100702"}}}));
    EXPECT_EQ(s.state[4], kExchange);
    EXPECT_EQ(s.state[7], kExchange);
    EXPECT_EQ(s.group[4], kFirstPair);
    EXPECT_EQ(s.group[7], kFirstPair);
    ASSERT_EQ(s.rows.size(), 2u);
    EXPECT_EQ(rowText(s.rows[0]), "4/1/0 3/2/4 6/2/4 1/3/3 2/3/3 5/4/1");
    EXPECT_EQ(rowText(s.rows[1]), "7/1/0");
    EXPECT_TRUE(joinedToNext(s, 0));
    EXPECT_STREQ(stateLabel(s.rows[0].state), "Scambio");
    EXPECT_EQ(stateColour(s.rows[0].state), TextColour::Yellow);
}

TEST(ArchetypalStructure, PlanetWithDignityTakesNoPartInExchanges) {
    // Sole exalted in Ariete, Marte in Leone; the file lists the pair.
    const auto s = ComputeArchetypalStructure(chartOfSigns({0, 1, 3, 2, 3, 5, 2, 3}), files({{2, {"01010505"}}}));
    EXPECT_EQ(s.state[1], kExaltation);
    EXPECT_EQ(s.state[5], kNoState);
    EXPECT_EQ(s.group[5], kNoGroup);
    ASSERT_EQ(s.rows.size(), 1u);
    EXPECT_EQ(rowText(s.rows[0]), "1/1/0 5/2/1");
}

TEST(ArchetypalStructure, OnlyTheFirstTripleInTrialOrder) {
    // No dignities: every planet is a candidate. Triples (2,3,4) and (1,5,6)
    // both match; (2,3,4) comes first in the trial order.
    const std::array<int, 8> signs{0, 3, 3, 2, 3, 3, 2, 3};
    const auto s = ComputeArchetypalStructure(chartOfSigns(signs), files({{3, {"010305030602", "020303020403"}}}));
    for (int p : {2, 3, 4}) EXPECT_EQ(s.group[p], kTriple) << p;
    for (int p : {1, 5, 6, 7}) EXPECT_EQ(s.group[p], kNoGroup) << p;
    ASSERT_EQ(s.rows.size(), 3u);
    EXPECT_EQ(s.rows[0].head(), 2);
    EXPECT_TRUE(joinedToNext(s, 0));
    EXPECT_TRUE(joinedToNext(s, 1));
}

TEST(ArchetypalStructure, QuadrupleFoundAfterThreeTrials) {
    // Mercurio and Giove in domicile; candidates Sole, Luna, Venere, Marte,
    // Saturno. Candidates (1,3,4,5) and (2,3,4,5) both match: the first
    // in the order wins.
    const auto s = ComputeArchetypalStructure(chartOfSigns({0, 3, 3, 3, 3, 3, 9, 3}),
                                              files({{4, {"0203040305030703", "0103040305030703"}}}));
    for (int p : {1, 4, 5, 7}) EXPECT_EQ(s.group[p], kQuadruple) << p;
    EXPECT_EQ(s.group[2], kNoGroup);
    // Exaltation and domicile rows come after the exchange rows.
    ASSERT_EQ(s.rows.size(), 6u);
    EXPECT_EQ(s.rows[0].head(), 1);
    EXPECT_EQ(s.rows[3].head(), 7);
    EXPECT_EQ(s.rows[4].head(), 3);
    EXPECT_EQ(s.rows[5].head(), 6);
}

TEST(ArchetypalStructure, ThirdPairTakesThePlaceOfTheSecond) {
    // Sole–Luna, Mercurio–Venere and Marte–Giove in mutual reception.
    const auto s = ComputeArchetypalStructure(chartOfSigns({0, 4, 5, 2, 3, 9, 1, 3}),
                                              files({{2, {"01040205", "03020403", "05090601"}}}));
    EXPECT_EQ(s.group[1], kFirstPair);
    EXPECT_EQ(s.group[5], kSecondPair);
    EXPECT_EQ(s.group[3], kNoGroup);
    EXPECT_EQ(s.state[3], kNoState);
    ASSERT_EQ(s.rows.size(), 4u);
    EXPECT_TRUE(joinedToNext(s, 0));
    EXPECT_FALSE(joinedToNext(s, 1));
    EXPECT_TRUE(joinedToNext(s, 2));
}

TEST(ArchetypalStructure, RowOrderByCategory) {
    // Sole in Acquario (exile), Luna in Scorpione (fall), Mercurio in
    // Acquario (exaltation), Venere in Toro (domicile), Marte in Bilancia
    // (exile), Giove in Leone and Saturno in Gemelli (no dignity).
    const auto s = ComputeArchetypalStructure(chartOfSigns({0, 11, 8, 11, 2, 7, 5, 3}), files({}));
    std::vector<int> heads;
    for (const auto& r : s.rows) heads.push_back(r.head());
    EXPECT_EQ(heads, (std::vector<int>{1, 5, 2, 3, 4}));
    EXPECT_EQ(stateColour(s.rows[0].state), TextColour::Red);
    EXPECT_STREQ(stateLabel(s.rows[2].state), "Caduta");
    EXPECT_STREQ(stateLabel(s.rows[3].state), "Esaltaz");
}

TEST(ArchetypalStructure, NoDignityMessage) {
    const auto s = ComputeArchetypalStructure(chartOfSigns({0, 3, 3, 2, 3, 3, 2, 3}), files({}));
    EXPECT_TRUE(s.rows.empty());
    EXPECT_TRUE(s.noDignity);
    EXPECT_STREQ(kNoDignityMessage, "Nessuna Debilit\xE0 n\xE9 Dignit\xE0 Planetaria");
}

TEST(ArchetypalStructure, ExchangeFilesFromTheDataDirectory) {
    test::TempDataDir dir;
    // All planets in domicile: no exchange is looked for, no file is read.
    EXPECT_NO_THROW(ComputeArchetypalStructure(chartOfSigns({0, 5, 4, 3, 2, 1, 9, 10})));
    EXPECT_THROW(ComputeArchetypalStructure(chartOfSigns({0, 3, 3, 2, 10, 5, 2, 2})), IoError);

    std::filesystem::create_directories(dir.path() / "scambi");
    writeFileAtomically(dir.path() / "scambi" / "SCAMBIO22.TXT", "01040205\r\n04100702\r\n");
    writeFileAtomically(dir.path() / "scambi" / "Scambio33.txt", "");
    writeFileAtomically(dir.path() / "scambi" / "Scambio44.txt", "");
    writeFileAtomically(dir.path() / "scambi" / "Scambio55.txt", "");
    const auto s = ComputeArchetypalStructure(chartOfSigns({0, 3, 3, 2, 10, 5, 2, 2}));
    EXPECT_EQ(s.group[4], kFirstPair);
}

} // namespace dignities_test
} // namespace qv
