// The two chart settings files, the orbs in force and the three operations
// that load and change them.
#include "settings/chart_settings.h"
#include "base/data_dir.h"
#include "base/errors.h"
#include "base/text_file.h"
#include "ephemeris/chart_state.h"
#include "ephemeris/houses.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <vector>

namespace qv {
namespace chart_settings_test {

const std::string kTemplateOrbiDomi =
    " 1.00000000000000E+0001\r\n 1.00000000000000E+0000\r\n 1.00000000000000E+0000\r\n"
    " 1.00000000000000E+0000\r\n 1.00000000000000E+0000\r\n 1.00000000000000E+0000\r\n"
    " 4.00000000000000E+0000\r\n 1.00000000000000E+0000\r\n 6.00000000000000E+0000\r\n"
    " 8.00000000000000E+0000\r\n 1.00000000000000E+0000\r\n 1.00000000000000E+0000\r\n"
    " 1.00000000000000E+0000\r\n 9.00000000000000E+0000\r\n"
    " 1.00000000000000E+0000\r\n 1.00000000000000E+0000\r\n"
    "CASE_MEDIE\r\nMEDIO\r\nA\r\nMEDIA\r\n";

std::string fileText(const char* dataPath) { return readWholeFile(dataDir().resolve(dataPath)); }
std::vector<std::string> fileLines(const char* dataPath) { return readTextLines(dataDir().resolve(dataPath)); }
void writeFile(const char* dataPath, const std::string& text) {
    writeFileAtomically(dataDir().prepareForWrite(dataPath), text);
}

class ChartSettingsFiles : public ::testing::Test {
protected:
    void SetUp() override { resetChartSettings(); }
    void TearDown() override { resetChartSettings(); }
    test::TempDataDir dir{true};
};

TEST(SettingReals, WrittenInTheWidth23ScientificForm) {
    const std::pair<long double, const char*> cases[] = {
        {10, " 1.00000000000000E+0001"}, {0, " 0.00000000000000E+0000"},  {-1.5L, "-1.50000000000000E+0000"},
        {0.8L, " 8.00000000000000E-0001"}, {123456, " 1.23456000000000E+0005"}, {0.0001L, " 1.00000000000000E-0004"},
    };
    for (auto [value, text] : cases) {
        EXPECT_EQ(settingRealText(value), text);
        EXPECT_EQ(settingRealText(value).size(), 23u);
    }
}

TEST(SettingReals, ReadAnyDecimalWithAPointAndNothingElse) {
    const std::pair<const char*, long double> good[] = {
        {" 1.00000000000000E+0001", 10}, {"10", 10}, {"0.5", 0.5L}, {"-0.5", -0.5L}, {"+2", 2}, {".5", 0.5L},
        {" 7 ", 7}, {"4.5e0", 4.5L},
    };
    for (auto [text, value] : good) {
        long double v = -99;
        EXPECT_TRUE(parseSettingReal(text, v)) << text;
        EXPECT_EQ(v, value) << text;
    }
    for (const char* text : {"", "   ", "1,5", "abc", "1.5x", "nan", "inf", "--1", "+-1", "0x10", "1e99999"}) {
        long double v = -99;
        EXPECT_FALSE(parseSettingReal(text, v)) << text;
        EXPECT_EQ(v, -99) << text;
    }
}

TEST(SettingReals, TheMachineLocaleChangesNothing) {
    if (!std::setlocale(LC_NUMERIC, "it_IT.UTF-8") && !std::setlocale(LC_NUMERIC, "it_IT"))
        GTEST_SKIP() << "no Italian locale on this machine";
    long double v = 0;
    const bool parsed = parseSettingReal("0.5", v);
    const std::string text = settingRealText(0.5L);
    std::setlocale(LC_NUMERIC, "C");
    EXPECT_TRUE(parsed);
    EXPECT_EQ(v, 0.5L);
    EXPECT_EQ(text, " 5.00000000000000E-0001");
}

TEST_F(ChartSettingsFiles, TheTemplateHasSetAActiveWithEqualHousesAndTheMeanNode) {
    EXPECT_EQ(fileText(kActiveSettingsPath), kTemplateOrbiDomi);
    const auto sets = fileLines(kOrbSetsPath);
    ASSERT_EQ(sets.size(), 49u);
    const std::vector<std::string> setA(sets.begin(), sets.begin() + 14);
    EXPECT_EQ(setA, (std::vector<std::string>{"10", "1", "1", "1", "1", "1", "4", "1", "6", "8", "1", "1", "1", "9"}));
    EXPECT_EQ(sets[16], " 1.00000000000000E+0001") << "B starts with 10";
    EXPECT_EQ(sets[18], " 5.00000000000000E-0001") << "B's Decile is 0.5";
    EXPECT_EQ(sets[32], " 5.00000000000000E+0000") << "C starts with 5";
    EXPECT_EQ(sets[40], " 4.50000000000000E+0000") << "C's square is 4.5";
    EXPECT_EQ(sets[48], "A");

    LoadActiveOrbs();
    // By orb index: 0 conjunction, 1 sextile, 2 square, 3 trine, 4 opposition, 5.. the minor ones.
    const OrbTable expected = {10, 4, 6, 8, 9, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0};
    EXPECT_EQ(ActiveOrbs(), expected);
    EXPECT_EQ(chartSettings().houseSystem, "CASE_MEDIE");
    EXPECT_EQ(chartSettings().nodeKind, "MEDIO");
    EXPECT_EQ(chartSettings().setLetter, "A");
    EXPECT_EQ(chartSettings().blackMoonKind, "MEDIA");
    EXPECT_EQ(chartState().nodeKind, "MEDIO");
    EXPECT_EQ(chartState().houseSystem, "CASE_MEDIE");
}

TEST_F(ChartSettingsFiles, SelectingSetCPutsItsOrbsInForceAndItsLetterInBothFiles) {
    LoadActiveOrbs();
    EXPECT_EQ(SelectOrbSet("C"), "C (personali)");
    // C in file order: 5, 1, .5, .5, 1, .5, 3, 1, 4.5, 5, .8, .8, 1.5, 7.
    const OrbTable expected = {5, 3, 4.5L, 5, 7, 1, 0.5L, 0.5L, 1, 0.5L, 1, 0.8L, 0.8L, 1.5L, 0, 0};
    EXPECT_EQ(ActiveOrbs(), expected);
    const auto active = fileLines(kActiveSettingsPath);
    ASSERT_EQ(active.size(), 20u);
    EXPECT_EQ(active[0], " 5.00000000000000E+0000");
    EXPECT_EQ(active[12], " 1.50000000000000E+0000");
    EXPECT_EQ(active[16], "CASE_MEDIE");
    EXPECT_EQ(active[17], "MEDIO");
    EXPECT_EQ(active[18], "C");
    EXPECT_EQ(active[19], "MEDIA");
    const auto sets = fileLines(kOrbSetsPath);
    EXPECT_EQ(sets[48], "C");
    EXPECT_EQ(sets[0], "10") << "set A stays plain integers";

    EXPECT_EQ(SelectOrbSet("A"), "A (normali)");
    EXPECT_EQ(fileText(kActiveSettingsPath), kTemplateOrbiDomi) << "back to the template, byte for byte";
}

TEST_F(ChartSettingsFiles, SetAIsAConstantWhateverTheFileSays) {
    auto sets = fileLines(kOrbSetsPath);
    sets[0] = " 3.00000000000000E+0000";  // a hand-edited set A
    writeTextLines(dataDir().resolve(kOrbSetsPath), sets);
    SelectOrbSet("A");
    EXPECT_EQ(ActiveOrbs()[0], 10);
    EXPECT_EQ(fileLines(kOrbSetsPath)[0], "10");
}

TEST_F(ChartSettingsFiles, WritingLine18ChangesOnlyThatLineAndReloads) {
    LoadActiveOrbs();
    WriteSettingLine(18, "VERO");
    auto expected = splitLines(kTemplateOrbiDomi);
    expected[17] = "VERO";
    EXPECT_EQ(fileLines(kActiveSettingsPath), expected);
    EXPECT_EQ(chartSettings().nodeKind, "VERO");
    EXPECT_EQ(chartState().nodeKind, "VERO");
}

TEST_F(ChartSettingsFiles, AMissingSetsFileIsNamedAndChangesNothing) {
    LoadActiveOrbs();
    std::filesystem::remove(dataDir().resolve(kOrbSetsPath));
    try {
        SelectOrbSet("B");
        FAIL() << "no error";
    } catch (const OrbSetsFileMissing& e) {
        EXPECT_EQ(e.notice(), "Manca File \"MMVarOrb.dum\"");
    }
    EXPECT_EQ(fileText(kActiveSettingsPath), kTemplateOrbiDomi);
    EXPECT_EQ(chartSettings().setLetter, "A");
}

TEST_F(ChartSettingsFiles, CorruptFilesAreRefusedAndNothingChanges) {
    LoadActiveOrbs();
    const OrbTable before = ActiveOrbs();
    auto lines = splitLines(kTemplateOrbiDomi);

    struct Case {
        const char* what;
        std::vector<std::string> lines;
        bool ioError;  // otherwise a conversion error
    };
    std::vector<Case> cases;
    cases.push_back({"19 lines", std::vector<std::string>(lines.begin(), lines.begin() + 19), true});
    cases.push_back({"empty file", {}, true});
    auto notNumber = lines;
    notNumber[4] = "uno";
    cases.push_back({"line 5 is no number", notNumber, false});
    auto comma = lines;
    comma[14] = "1,5";
    cases.push_back({"a decimal comma on line 15", comma, false});
    // Exactly twenty lines: more are not this file either.
    auto longer = lines;
    longer.push_back("MEDIO");
    cases.push_back({"21 lines", longer, true});
    auto huge = lines;
    huge.resize(5000000, "1");
    cases.push_back({"five million lines", huge, true});

    for (const auto& c : cases) {
        std::string text;
        for (const auto& l : c.lines) text += l + "\r\n";
        writeFile(kActiveSettingsPath, text);
        if (c.ioError)
            EXPECT_THROW(LoadActiveOrbs(), IoError) << c.what;
        else
            EXPECT_THROW(LoadActiveOrbs(), ConversionError) << c.what;
        EXPECT_THROW(WriteSettingLine(18, "VERO"), std::exception) << c.what;
        EXPECT_EQ(fileText(kActiveSettingsPath), text) << c.what;
        EXPECT_EQ(ActiveOrbs(), before) << c.what;
        EXPECT_EQ(chartSettings().nodeKind, "MEDIO") << c.what;
    }
    // Choosing a set writes the file anew from the sets and the strings in
    // force: it mends a spoilt file.
    SelectOrbSet("A");
    EXPECT_EQ(fileText(kActiveSettingsPath), kTemplateOrbiDomi);
}

TEST_F(ChartSettingsFiles, AnOrbOrHouseSystemOutOfBoundsIsRefusedNamingFileAndLine) {
    LoadActiveOrbs();
    const OrbTable before = ActiveOrbs();
    const auto lines = splitLines(kTemplateOrbiDomi);
    const struct {
        int line;
        const char* text;
    } refused[] = {
        {1, "nan"},     {1, "inf"},     {1, "-inf"},      {1, "1e308"},   {1, "1e4000"}, {1, "-1"},
        {1, "361"},     {14, "180.0001"}, {9, "-0.5"},    {15, "1e308"},  {16, "181"},   {16, "-1"},
        {17, "XYZ"},    {17, "nan"},    {17, ""},         {17, "placido"}, {17, "PLACIDO "},
    };
    for (const auto& c : refused) {
        SCOPED_TRACE(std::to_string(c.line) + ": \"" + c.text + "\"");
        auto bad = lines;
        bad[static_cast<std::size_t>(c.line - 1)] = c.text;
        std::string text;
        for (const auto& l : bad) text += l + "\r\n";
        writeFile(kActiveSettingsPath, text);
        try {
            LoadActiveOrbs();
            ADD_FAILURE() << "accepted";
        } catch (const ConversionError& e) {
            const std::string message = e.what();
            EXPECT_NE(message.find("alla riga " + std::to_string(c.line) + " del file \"FileSet\\OrbiDomi.stt\""),
                      std::string::npos) << message;
        }
        EXPECT_THROW(WriteSettingLine(18, "VERO"), ConversionError);
        EXPECT_EQ(fileText(kActiveSettingsPath), text);
        EXPECT_EQ(ActiveOrbs(), before);
        EXPECT_EQ(chartSettings().houseSystem, "CASE_MEDIE");
    }
    // The bounds themselves, and every house system the computation knows.
    auto edges = lines;
    edges[0] = "0";
    edges[13] = "180";
    for (const char* system : kHouseSystemNames) {
        edges[16] = system;
        std::string text;
        for (const auto& l : edges) text += l + "\r\n";
        writeFile(kActiveSettingsPath, text);
        EXPECT_NO_THROW(LoadActiveOrbs()) << system;
        EXPECT_EQ(chartSettings().houseSystem, system);
    }
    EXPECT_EQ(ActiveOrbs()[0], 0);
    EXPECT_EQ(ActiveOrbs()[4], 180);
}

TEST_F(ChartSettingsFiles, AnOrbOutOfBoundsInASetIsRefusedBeforeTheSetIsChosen) {
    LoadActiveOrbs();
    auto sets = fileLines(kOrbSetsPath);
    sets[16] = "1e308";  // set B's conjunction
    writeTextLines(dataDir().resolve(kOrbSetsPath), sets);
    const std::string setsBefore = fileText(kOrbSetsPath);
    try {
        SelectOrbSet("B");
        ADD_FAILURE() << "set B was chosen";
    } catch (const ConversionError& e) {
        EXPECT_NE(std::string(e.what()).find("alla riga 17 del file \"FileDum\\MMVarOrb.dum\""), std::string::npos)
            << e.what();
    }
    EXPECT_EQ(fileText(kActiveSettingsPath), kTemplateOrbiDomi);
    EXPECT_EQ(fileText(kOrbSetsPath), setsBefore);
    EXPECT_EQ(chartSettings().setLetter, "A");
}

TEST_F(ChartSettingsFiles, TheSetsFileHasItsFortyEightRealsAndTheLetterOnly) {
    auto sets = splitLines(fileText(kOrbSetsPath));
    ASSERT_EQ(sets.size(), 49u);
    auto withoutLetter = sets;
    withoutLetter.pop_back();
    auto blankAfter = sets;
    blankAfter.push_back("");
    for (const auto& accepted : {sets, withoutLetter, blankAfter}) {
        writeTextLines(dataDir().resolve(kOrbSetsPath), accepted);
        EXPECT_NO_THROW(readOrbSetsFile()) << accepted.size() << " lines";
    }
    auto longer = sets;
    longer.push_back("B");
    writeTextLines(dataDir().resolve(kOrbSetsPath), longer);
    EXPECT_THROW(readOrbSetsFile(), IoError);
}

TEST_F(ChartSettingsFiles, ATextThatWouldSpoilTheFileIsNotWritten) {
    LoadActiveOrbs();
    EXPECT_THROW(WriteSettingLine(3, "tre"), ConversionError);
    EXPECT_EQ(fileText(kActiveSettingsPath), kTemplateOrbiDomi);
    EXPECT_THROW(WriteSettingLine(21, "x"), std::out_of_range);
}

TEST_F(ChartSettingsFiles, AShortSetsFileIsAnErrorOfItsOwnAndNothingIsWritten) {
    LoadActiveOrbs();
    auto sets = fileLines(kOrbSetsPath);
    sets.resize(40);
    writeTextLines(dataDir().resolve(kOrbSetsPath), sets);
    const std::string setsBefore = fileText(kOrbSetsPath);
    try {
        SelectOrbSet("B");
        FAIL() << "no error";
    } catch (const OrbSetsFileMissing&) {
        FAIL() << "the file is there: not a missing file";
    } catch (const IoError& e) {
        EXPECT_NE(std::string(e.what()).find("40 righe"), std::string::npos) << e.what();
    }
    EXPECT_EQ(fileText(kOrbSetsPath), setsBefore);
    EXPECT_EQ(fileText(kActiveSettingsPath), kTemplateOrbiDomi);
    EXPECT_THROW(SelectOrbSet("D"), ConversionError);
}

} // namespace chart_settings_test
} // namespace qv
