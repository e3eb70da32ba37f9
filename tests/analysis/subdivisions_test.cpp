#include "analysis/subdivisions.h"

#include "base/errors.h"
#include "base/text_file.h"
#include "tests/analysis/hand_charts.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace qv {
namespace subdivisions_test {

TEST(Terms, SixtySectorsFromTheAscendantLessFifteen) {
    struct Case { Extended asc, longitude; int term; };
    const Case cases[] = {
        {100, 90, 1},    {100, 85, 1},  {100, 91, 1},   // both ends of sector 1 (tested last)
        {100, 91.5L, 2}, {100, 97, 3},  {100, 84.9L, 60},
        {5, 350, 1},     {5, 353, 1},   {5, 356, 1},    // ASC 5: term 1 is 350–356
        {5, 358, 2},     {5, 1, 2},     {5, 2, 3},      // term 2 wraps through 0
        {5, 349.9L, 60},
    };
    for (const Case& c : cases) EXPECT_EQ(termOf(c.longitude, c.asc), c.term) << c.asc << " " << c.longitude;
}

TEST(DecadesAndDecans, MultiplesOfTen) {
    struct Case { Extended longitude; int decade, decan; };
    const Case cases[] = {
        {0, 1, 0},  {10, 1, 0},    {20, 3, 0},      {15, 2, 2},  {359.9L, 36, 36},
        {5, 1, 1},  {350, 36, 0},  {355, 36, 36},   {30, 4, 0},  {29.99L, 3, 3},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(decadeOf(c.longitude), c.decade) << c.longitude;
        EXPECT_EQ(decanOf(c.longitude), c.decan) << c.longitude;
    }
}

TEST(Dodecatemories, TwelfthParts) {
    struct Case { Extended longitude, dodecatemory; };
    const Case cases[] = {{15, 195}, {29.5L, 23.5L}, {0, 0}, {45, 225}, {359, 347}};
    for (const Case& c : cases) EXPECT_NEAR(dodecatemoryOf(c.longitude), c.dodecatemory, 1e-12L) << c.longitude;
}

TEST(MirrorPlaces, AntiscionAndContrantiscion) {
    struct Case { Extended longitude, antiscion, contrantiscion; };
    const Case cases[] = {{10, 350, 170}, {0, 0, 180}, {200, 160, 340}, {90, 270, 90}};
    for (const Case& c : cases) {
        EXPECT_NEAR(Antiscion(c.longitude), c.antiscion, 1e-15L) << c.longitude;
        EXPECT_NEAR(Contrantiscion(c.longitude), c.contrantiscion, 1e-15L) << c.longitude;
    }
}

TEST(MirrorPlaces, SignPairsMirrorMidSigns) {
    for (const auto& pair : kAntisciaPairs)
        EXPECT_EQ(signOf(Antiscion(15 + 30.0L * (pair[0] - 1))), pair[1]);
    for (const auto& pair : kContrantisciaPairs)
        EXPECT_EQ(signOf(Contrantiscion(15 + 30.0L * (pair[0] - 1))), pair[1]);
}

// Sole at 45 (term 5 with ASC 33, decan and decade 5), Luna at 15 (term 60,
// decan and decade 2), Mercurio exactly at 30 (no decan).
ChartState keyedChart() {
    ChartState c = test::chartWith({45, 15, 30, 100, 110, 120, 130, 140, 320, 33, 301});
    return c;
}

TEST(Subdivisions, KeysOfThePoints) {
    const Subdivisions s = ComputeSubdivisions(keyedChart());
    EXPECT_EQ(s.termKey[1], "Sole05");
    EXPECT_EQ(s.decadeKey[1], "SO05");
    EXPECT_EQ(s.decanKey[1], "SolDec05");
    EXPECT_EQ(s.termKey[2], "Luna60");
    EXPECT_EQ(s.decanKey[3], "");
    EXPECT_EQ(s.decadeKey[3], "ME04");
    EXPECT_EQ(s.termKey[11], "Mcie48");
    EXPECT_EQ(s.termKey[10], "Asce03");
    EXPECT_EQ(s.decanKey[10], "AscDec04");
}

TEST(Subdivisions, DodecatemoriesAndTheirKeys) {
    const Dodecatemories d = ComputeDodecatemories(keyedChart());
    EXPECT_NEAR(d.longitude[1], 225, 1e-15L);
    EXPECT_EQ(d.sign[1], 8);
    EXPECT_NEAR(d.longitude[3], 30, 1e-15L);
    EXPECT_EQ(d.subdivisions.decanKey[3], "");
    EXPECT_EQ(d.subdivisions.decadeKey[1], "SO23");
}

TEST(Subdivisions, TextListsTakeTheFirstLineOfEachKey) {
    test::TempDataDir dir;
    std::filesystem::create_directories(dir.path() / "OpzioneT");
    std::filesystem::copy_file(test::fixturesDir() / "analysis" / "SpgPianSpe.Txt",
                               dir.path() / "OpzioneT" / "spgpianspe.txt");
    const auto texts = readSpecificPointTexts();
    const std::vector<std::string> expected = {
        "PIANETI NEI TERMINI",
        "Il Sole nel quinto termine.",
        "La Luna nel secondo termine, con un testo lungo che supera i settanta ",
        "  ",
        "PIANETI NEI DECANI",
        "Il Sole nel quinto decano.",
        "La Luna nel secondo decano.",
        "    ",
        "PIANETI NELLE DECADI",
        "Il Sole nella quinta decade.",
        "La Luna nella seconda decade.",
    };
    EXPECT_EQ(ListSubdivisionTexts(SubdivisionList::Points, ComputeSubdivisions(keyedChart()), texts), expected);

    // The dodecatemories have no lines here: only the headings remain.
    const std::vector<std::string> headings = {"DODECATEMORIE NEI TERMINI", "  ", "DODECATEMORIE NEI DECANI", "    ",
                                               "DODECATEMORIE NELLE DECADI"};
    EXPECT_EQ(ListSubdivisionTexts(SubdivisionList::Dodecatemories,
                                   ComputeDodecatemories(keyedChart()).subdivisions, texts),
              headings);
}

TEST(Subdivisions, MissingTextFileIsAnIoError) {
    test::TempDataDir dir;
    EXPECT_THROW(readSpecificPointTexts(), IoError);
}

} // namespace subdivisions_test
} // namespace qv
