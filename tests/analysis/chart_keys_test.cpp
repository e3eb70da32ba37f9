#include "analysis/chart_keys.h"

#include "base/errors.h"
#include "base/text_file.h"
#include "tests/analysis/hand_charts.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace qv {
namespace chart_keys_test {

// Ascendant 100° with equal houses; the Sole at 87° (13° before the
// Ascendant), the Luna exactly at 0°, the nodes exactly opposite, the
// Ascendant square to the Mediocielo.
ChartState keyedChart() {
    ChartState c = test::chartWith({87, 0, 140, 200.5L, 300, 45, 250, 200, 20, 100, 10});
    c.retroMark[1] = 'r';
    return c;
}

TEST(ChartKeys, PointKeyListOfAHandCheckedChart) {
    const ChartState c = keyedChart();
    // Worked by hand: cusps moved back 15° are 85, 115, 145, … 55; terms
    // count 6° sectors from 85°; antiscia 360 − λ, contrantiscia 180 − λ.
    const std::vector<std::string> expected = {
        "SoleGeme", "LunaArie", "MercLeon", "VeneBila", "MartAcqu", "GiovToro", "SatuSagi", "NNorBila", "NSudArie", "AsceCanc", "McieArie",
        "SolePrim", "LunaDeci", "MercSeco", "VeneQuar", "MartOtta", "GiovUndi", "SatuSest", "NNorQuar", "NSudDeci", "AscePrim", "McieDeci",
        "Sole01", "Luna46", "Merc10", "Vene20", "Mart36", "Giov54", "Satu28", "NNor20", "NSud50", "Asce03", "Mcie48",
        "SolDec09", "VenDec21", "GioDec05",  // 140, 250 and 100 are on decan boundaries
        "SO09", "LU01", "ME15", "VE21", "MA31", "GI05", "SA26", "NN21", "NS03", "AS11", "MC01",
        "SolAnCap", "MerAnSco", "VenAnVer", "MarAnGem", "GioAnAcq", "SatAnCan", "NonAnVer", "NosAnPes", "AscAnSag", "MciAnPes",
        "SolCaCan", "MerCaTor", "VenCaPes", "MarCaSag", "GioCaLeo", "SatCaCap", "NonCaPes", "NosCaVer", "AscCaGem", "MciCaVer",
        "SolQuLun", "SolTrVen", "SolTrNon", "LunSeMar", "MerSeVen", "MerQuGio", "MerSeNon", "MerTrNos", "VenCoNon", "VenOpNos",
        "SatTrMci", "NonOpNos",
    };
    EXPECT_EQ(pointKeys(c, ComputeSubdivisions(c), test::setA()), expected);
}

TEST(ChartKeys, CentredHouses) {
    const ChartState c = keyedChart();
    struct Case { Extended longitude; int house; };
    const Case cases[] = {{87, 1}, {85, 1}, {85.1L, 1}, {84.9L, 12}, {115, 2}, {114.9L, 1}, {0, 10}, {355, 10}, {354.9L, 9}};
    for (const Case& k : cases) EXPECT_EQ(centredHouseOf(k.longitude, c), k.house) << k.longitude;
}

TEST(ChartKeys, SignKeyListUsesOneCodeForAcquario) {
    const auto keys = signKeys();
    ASSERT_EQ(keys.size(), 24u);
    EXPECT_EQ(keys[0], "ArAnPes");
    EXPECT_EQ(keys[10], "AqAnTor");
    EXPECT_EQ(keys[12], "ArCaVer");
    EXPECT_EQ(keys[22], "AqCaSco");
    EXPECT_EQ(keys[23], "PeCaBil");
}

// A data directory with the key lists of keyedChart() and the four text
// fixtures.
struct KeyedDataDir {
    test::TempDataDir dir;
    KeyedDataDir() {
        const auto folder = dir.path() / "OpzioneT";
        std::filesystem::create_directories(folder);
        for (const auto& entry : std::filesystem::directory_iterator(test::fixturesDir() / "analysis" / "attributions"))
            std::filesystem::copy_file(entry.path(), folder / entry.path().filename());
        const ChartState c = keyedChart();
        WriteChartKeys(c, ComputeSubdivisions(c), test::setA());
    }
};

TEST(Attributions, PointTextsSelectedByTheKeys) {
    KeyedDataDir data;
    EXPECT_EQ(readWholeFile(data.dir.path() / "OpzioneT" / "PosiSegn.txt").substr(0, 18), "ArAnPes\r\nToAnAcq\r\n");

    const std::string digits90 = "123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890";
    const Attributions sun = ShowPointAttributions(1, keyedChart());
    EXPECT_EQ(sun.specificCaption, "ATTRIBUZIONI SPECIFICHE al PIANETA");
    const std::vector<std::string> specific = {
        "SOLE  27\xB0" "00' Gemelli Retrogrado ",
        "Il Sole in Gemelli.",               // eight-character key: characters 22–81
        digits90.substr(0, 80),              // six-character key: characters 22–101
        "Il Sole nel nono decano.",
        "Il Sole nella nona decade.",        // four-character key
        "Prima riga della quadratura.",      // only the first line of a key
        "Sole in trigono con Venere.",
        "Dodecatemorie SOLE = 21\xB0" "00' Toro ",
    };
    EXPECT_EQ(sun.specific, specific);
    EXPECT_EQ(sun.generalCaption, "ATTRIBUZIONI GENERALI al PIANETA");
    EXPECT_EQ(sun.general, (std::vector<std::string>{"Il Sole \xE8 il centro.", "Seconda riga del Sole."}));
}

TEST(Attributions, MedioCieloLinesWithABlankSeventhCharacter) {
    KeyedDataDir data;
    // "Mcie48" stands on a line whose seventh character is blank: its key is
    // six characters and it is read as an eight-character key (60
    // characters). The aspect key SatTrMci belongs to the Mediocielo by its
    // second code.
    const Attributions mc = ShowPointAttributions(11, keyedChart());
    const std::vector<std::string> specific = {
        "MEDIOCIELO  10\xB0" "00' Ariete ",
        "Mediocielo in Ariete.",
        std::string("123456789012345678901234567890123456789012345678901234567890"),
        "Saturno in trigono col Mediocielo.",
        "Dodecatemorie MEDIOCIELO = 10\xB0" "00' Leone ",
    };
    EXPECT_EQ(mc.specific, specific);
    EXPECT_TRUE(mc.general.empty());
}

TEST(Attributions, AKeyBelongsToThePointWhoseCodeBeginsItOrEndsItsAspect) {
    const ChartState c = keyedChart();
    const std::vector<std::string> texts = {
        "SolAnVer             Antiscio del Sole in Vergine.",
        "NNorArie             Nodo Nord in Ariete.",
        "NosCaSag             Contrantiscio del Nodo Sud in Sagittario.",
        "GioTrNon             Giove in trigono col Nodo Nord.",
    };
    auto shown = [&](int point, const std::string& key) {
        const Attributions a = pointAttributions(point, c, {key}, texts, {});
        return a.specific.size() == 3 ? a.specific[1] : std::string();
    };
    EXPECT_EQ(shown(1, "SolAnVer"), "Antiscio del Sole in Vergine.");
    EXPECT_EQ(shown(4, "SolAnVer"), "") << "Vergine's letters do not make it Venere's";
    EXPECT_EQ(shown(8, "NNorArie"), "Nodo Nord in Ariete.");
    EXPECT_EQ(shown(9, "NosCaSag"), "Contrantiscio del Nodo Sud in Sagittario.");
    EXPECT_EQ(shown(7, "NosCaSag"), "") << "nor Sagittario's Saturno's";
    EXPECT_EQ(shown(6, "GioTrNon"), "Giove in trigono col Nodo Nord.");
    EXPECT_EQ(shown(8, "GioTrNon"), "Giove in trigono col Nodo Nord.");
}

TEST(Attributions, SignTextsOfAcquario) {
    KeyedDataDir data;
    const Attributions aq = ShowSignAttributions(11);
    EXPECT_EQ(aq.specificCaption, "ATTRIBUZIONI SPECIFICHE al SEGNO");
    EXPECT_EQ(aq.specific, (std::vector<std::string>{"ACQUARIO  "}));
    const std::vector<std::string> general = {"ACQUARIO  ", "Acquario in generale.", "Acquario e Toro per antiscio.",
                                              "Acquario e Scorpione per contrantiscio."};
    EXPECT_EQ(aq.general, general);
}

TEST(Attributions, MissingFilesAreIoErrors) {
    test::TempDataDir dir;
    EXPECT_THROW(ShowPointAttributions(1, keyedChart()), IoError);
    EXPECT_THROW(ShowSignAttributions(1), IoError);
}

} // namespace chart_keys_test
} // namespace qv
