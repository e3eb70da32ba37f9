// End-to-end runs of `quorendaville-cli chart` on a temporary data directory.
#include "tests/support/cli_runner.h"
#include "tests/support/temp_data_dir.h"
#include "tests/support/zero_tables.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace cli_chart_test {

using qv::test::CliRun;

CliRun runCli(const std::string& args) { return qv::test::runCli(QV_CLI_PATH, args); }

double jsonNumber(const std::string& json, const std::string& path) {
    // path: "bodies.sun.longitude" style over this command's flat layout
    std::size_t at = 0;
    std::string key;
    for (std::size_t start = 0;;) {
        const std::size_t dot = path.find('.', start);
        key = path.substr(start, dot - start);
        at = json.find("\"" + key + "\":", at);
        if (at == std::string::npos) return -1e300;
        if (dot == std::string::npos) break;
        start = dot + 1;
    }
    return std::stod(json.substr(at + key.size() + 3));
}

class CliChart : public ::testing::Test {
protected:
    void SetUp() override { qv::test::writeZeroCorrectionTables(dir.path()); }
    std::string dataDir() const { return " --data-dir " + dir.path().string(); }
    qv::test::TempDataDir dir;
};

TEST_F(CliChart, JsonReproducesTheJ2000Chart) {
    const CliRun r = runCli("chart --date 01/01/2000 --time 12:00 --corr 0 --coords 51N29-000E00 --json" + dataDir());
    ASSERT_EQ(r.status, 0) << r.out;
    const std::pair<const char*, double> expected[] = {
        {"bodies.sun.longitude", 280.368},     {"bodies.moon.longitude", 223.316},
        {"bodies.mercury.longitude", 271.892}, {"bodies.venus.longitude", 241.568},
        {"bodies.mars.longitude", 327.963},    {"bodies.jupiter.longitude", 25.253},
        {"bodies.saturn.longitude", 40.387},   {"bodies.uranus.longitude", 314.808},
        {"bodies.neptune.longitude", 303.196}, {"bodies.pluto.longitude", 251.396},
        {"local_sidereal_time", 18.6974},      {"jd", 2451545.0}};
    for (auto [path, value] : expected) EXPECT_NEAR(jsonNumber(r.out, path), value, 0.0005) << path;
    EXPECT_NEAR(jsonNumber(r.out, "mc"), 279.61, 0.005);
    EXPECT_NEAR(jsonNumber(r.out, "ascendant"), 24.28, 0.005);
    EXPECT_NE(r.out.find("\"saturn\": {\"longitude\": 40.38"), std::string::npos);
    EXPECT_TRUE(std::regex_search(r.out, std::regex("\"retrograde\": true, \"cusp_house\": [0-9]+, "
                                                    "\"wheel_house\": [0-9]+\\}, \"uranus\"")))
        << "Saturn is retrograde";
    EXPECT_NE(r.out.find("\"asteroids_valid\": true"), std::string::npos);
    EXPECT_TRUE(std::regex_search(r.out, std::regex("\"cusps\": \\[24\\.28[0-9]+, 54\\.28")));
    EXPECT_NE(r.out.find("\"chiron\""), std::string::npos);
}

TEST_F(CliChart, ReadableTableInItalian) {
    const CliRun r = runCli("chart --date 01/01/1800 --time 09:30 --corr -0,5 --coords 45N28-009E11 --calendar GR --houses PLACIDO --node VERO" + dataDir());
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("Sole"), std::string::npos);
    EXPECT_NE(r.out.find("Capricorno"), std::string::npos);
    EXPECT_NE(r.out.find("\xC2\xB0"), std::string::npos) << "degree sign in UTF-8";
    EXPECT_EQ(r.out.find("Chirone"), std::string::npos) << "no minor bodies before 1850";
}

// The table keeps its columns whatever the length of the sign's name or the
// retrograde mark; the local sidereal time reads as hours, minutes, seconds.
TEST_F(CliChart, TableColumnsLineUpWhateverTheSignAndTheMark) {
    const CliRun r = runCli("chart --date 20/05/2026 --time 06:45 --corr -2 --coords 45N28-009E11 --node VERO" + dataDir());
    ASSERT_EQ(r.status, 0) << r.out;
    std::istringstream in(r.out);
    std::string line;
    std::set<std::size_t> houses, minutes;
    int retrograde = 0, direct = 0;
    while (std::getline(in, line)) {
        if (line.rfind("Cuspide", 0) == 0 || line.rfind("Ascendente", 0) == 0 || line.rfind("Medio Cielo", 0) == 0)
            minutes.insert(line.find('\''));
        const std::size_t house = line.find("  casa ");
        if (house == std::string::npos) continue;
        houses.insert(house);
        minutes.insert(line.find('\''));
        (line.find(" Retrogrado ") != std::string::npos ? retrograde : direct)++;
    }
    EXPECT_EQ(houses.size(), 1u) << r.out;
    EXPECT_EQ(minutes.size(), 1u) << r.out;
    EXPECT_GE(retrograde, 2) << r.out; // Pluto and the node
    EXPECT_GE(direct, 10) << r.out;
    EXPECT_TRUE(std::regex_search(r.out, std::regex("\nTempo siderale locale [0-2][0-9]h [0-5][0-9]m [0-5][0-9]s\n")))
        << r.out;
}

// One meaning for "casa": the house the cusps give, and where it differs
// the house the wheel and the keys read (under CASE_MEDIE a house begins
// 15° before its cusp), with a legend; the JSON names both.
TEST_F(CliChart, HousesOfTheCuspsAndOfTheWheelAreBothNamed) {
    const std::string birth = "chart --date 20/05/2026 --time 06:45 --corr -2 --coords 45N28-009E11";
    CliRun r = runCli(birth + dataDir());
    ASSERT_EQ(r.status, 0) << r.out;
    // Mercury is 8° before the Ascendant's cusp: house 12 by the cusps, I on the wheel.
    EXPECT_TRUE(std::regex_search(r.out, std::regex("\nMercurio [^\n]*  casa 12 \\(1\\)\n"))) << r.out;
    EXPECT_TRUE(std::regex_search(r.out, std::regex("\nLuna [^\n(]*  casa  2\n"))) << r.out;
    EXPECT_TRUE(r.has("casa N (M): N la casa in cui le cuspidi pongono il punto")) << r.out;
    r = runCli(birth + " --json" + dataDir());
    EXPECT_TRUE(std::regex_search(r.out, std::regex("\"mercury\": \\{[^}]*\"cusp_house\": 12, \"wheel_house\": 1\\}")))
        << r.out;
    // Placidus houses begin on their cusps: one number, no legend.
    r = runCli(birth + " --houses PLACIDO" + dataDir());
    EXPECT_FALSE(r.has(" (1)")) << r.out;
    EXPECT_FALSE(r.has("casa N (M)")) << r.out;
}

TEST_F(CliChart, BadArgumentsGiveAnItalianMessageAndStatusTwo) {
    const std::pair<const char*, const char*> cases[] = {
        {"chart --date 31/02/2001 --time 12:00 --corr 0 --coords 45N28-009E11", "Data inesistente"},
        {"chart --date 01/01/2001 --time 25:00 --corr 0 --coords 45N28-009E11", "Ora non valida"},
        {"chart --date 01/01/2001 --time 12:00 --corr x --coords 45N28-009E11", "Valore non valido per --corr"},
        {"chart --date 01/01/2001 --time 12:00 --corr 0 --coords 45X28-009E11", "Coordinate non valide"},
        {"chart --date 01/01/2001 --time 12:00 --corr 0 --coords 45N28-009E11 --houses TOPO", "Sistema di case sconosciuto"},
        {"chart --date 01/01/2001 --time 12:00 --corr 0", "Manca l'opzione obbligatoria --coords"},
        {"chart --bogus", "Opzione sconosciuta"},
        {"nonsense", "Comando sconosciuto"},
    };
    for (auto [args, message] : cases) {
        const CliRun r = runCli(std::string(args) + dataDir());
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_NE(r.out.find(message), std::string::npos) << args << "\n" << r.out;
    }
}

TEST(CliChartTables, AMissingCorrectionTableIsReportedWithItsName) {
    qv::test::TempDataDir empty;
    // The template is installed on start; take the Moon's table away afterwards.
    runCli("chart --date 01/01/2000 --time 12:00 --corr 0 --coords 51N29-000E00 --data-dir " + empty.path().string());
    std::filesystem::remove(empty.path() / "FilePosi" / "DSEL.rnd");
    std::filesystem::create_directory(empty.path() / "FilePosi" / "DSEL.rnd"); // blocks the reinstall
    const CliRun r = runCli("chart --date 01/01/2000 --time 12:00 --corr 0 --coords 51N29-000E00 --data-dir " + empty.path().string());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("FilePosi\\DSEL.rnd"), std::string::npos) << r.out;
}

} // namespace cli_chart_test
