// What the command line prints, read back: the sheets' and the wheel's PDF
// pages through pdftotext (their headings, the subject's lines, positions of
// the chart), the spindles of the wheel, the text of every analysis section
// of one chart, and the chart with each house system. A blank page, a
// section that prints nothing or a house system the command line ignores
// fails here.
#include "base/text_file.h"
#include "tests/support/cli_runner.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace printed_readback_cli_test {

using qv::test::CliRun;

CliRun runCli(const std::string& args) { return qv::test::runCli(QV_CLI_PATH, args); }

// The text of a PDF, laid out as on the page (UTF-8).
std::string pdfText(const std::filesystem::path& pdf) {
    const std::string command = "pdftotext -layout -enc UTF-8 '" + pdf.string() + "' - 2>&1";
    std::string text;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return text;
    std::array<char, 4096> buf{};
    while (std::size_t n = fread(buf.data(), 1, buf.size(), pipe)) text.append(buf.data(), n);
    EXPECT_EQ(pclose(pipe), 0) << "pdftotext (poppler-utils) on " << pdf << ": " << text;
    return text;
}

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class PrintedReadBack : public ::testing::Test {
protected:
    std::string dataDir() const { return " --data-dir " + dir.path().string(); }
    std::filesystem::path out(const std::string& name) const { return dir.path() / name; }
    // The shipped template: its correction tables, pictures and texts.
    qv::test::TempDataDir dir{true};
};

// Rome, 17 June 1975 at 08:40 (Corr −2): the Sun at 25°29' Gemini, the
// Ascendant at 03°28' Leo, the Medium Coeli at 18°50' Aries, Mars at
// 19°59' Aries (as `chart` prints them).
const std::string kRoma =
    " --date 17/06/1975 --time 08:40 --corr -2 --coords 41N54-012E29 --name 'Maria Rossi' --place Roma --nation Italia";

TEST_F(PrintedReadBack, SheetPagesCarryTheirHeadingsTheSubjectAndTheChart) {
    const CliRun chart = runCli("chart --date 17/06/1975 --time 08:40 --corr -2 --coords 41N54-012E29" + dataDir());
    ASSERT_EQ(chart.status, 0) << chart.out;
    ASSERT_TRUE(chart.has("Sole        25°29' Gemelli")) << chart.out;
    struct Case {
        const char* layout;
        std::vector<std::string> lines;
    };
    const std::vector<std::string> subject = {"Maria Rossi", "TEMA DI NASCITA",
                                              "NASCITA Martedì 17/06/1975 08:40 (GMT+2.00)", "Roma - Italia",
                                              "41N54-012E29", "JD=2442580.7777", "MC 18°50'"};
    const Case cases[] = {
        // The chart sheets: the longitudes list gives the Sun's place; the
        // masters and the terms are printed in words.
        {"V1", {"LONGITUDINI", "25°29' Gemelli", "19°59' Ariete", "Ascendente 03Leo28", "Mediocielo 18Ari50",
                "Ora Planetaria: 3 Diurna", "DISTANZE SFERICHE", "TERMINI", "LATITUDINI"}},
        {"O1", {"LONGITUDINI", "25°29' Gemelli", "Ascendente 03Leo28", "Giorno Planetario: Martedì"}},
        // The affinity sheets: two wheels (their planets are pictures), the
        // elementary and seasonal substance in figures.
        {"V2", {"AFFINITA' ENERGETICHE", "AFFINITA' SPECULARI", "STOFFA ELEMENTARE", "STOFFA STAGIONALE",
                "Collerico (Fuoco): 3", "Caldo 6 Umido 4", "03°28'"}},
        {"O2", {"AFFINITA' ENERGETICHE", "AFFINITA' SPECULARI", "STOFFA ELEMENTARE", "Collerico (Fuoco): 3"}},
    };
    for (const Case& c : cases) {
        const std::filesystem::path pdf = out(std::string("foglio-") + c.layout + ".pdf");
        const CliRun run = runCli(std::string("sheet --layout ") + c.layout + kRoma + " --out " + pdf.string() + dataDir());
        ASSERT_EQ(run.status, 0) << run.out;
        const std::string text = pdfText(pdf);
        for (const std::string& line : subject) EXPECT_TRUE(has(text, line)) << c.layout << ": " << line << "\n" << text;
        for (const std::string& line : c.lines) EXPECT_TRUE(has(text, line)) << c.layout << ": " << line << "\n" << text;
    }
}

TEST_F(PrintedReadBack, WheelPageCarriesTheAnglesHousesAndPlanetDegrees) {
    const std::filesystem::path pdf = out("tema.pdf");
    const CliRun run = runCli("wheel --date 17/06/1975 --time 08:40 --corr -2 --coords 41N54-012E29 --out " +
                              pdf.string() + dataDir());
    ASSERT_EQ(run.status, 0) << run.out;
    const std::string text = pdfText(pdf);
    // The angles with their degrees, the house numerals, and the middle of
    // each house (equal houses of the default CASE_MEDIE: the Ascendant's
    // 03°28' plus 15°). The planets are pictures, not text.
    for (const char* part : {"MC 18°50'", "AS", "03°28'", "18°28'", "XII", "VIII", "VII", "IV"})
        EXPECT_TRUE(has(text, part)) << part << "\n" << text;
}

// The current subject's wheel is that subject's chart, not an empty page.
TEST_F(PrintedReadBack, CurrentSubjectsWheelIsItsChart) {
    ASSERT_EQ(runCli("register --archive BASE" + kRoma + dataDir()).status, 0);
    ASSERT_EQ(runCli("recall BASE 1" + dataDir()).status, 0);
    const CliRun run = runCli("wheel --current --out " + out("attuale.pdf").string() + dataDir());
    ASSERT_EQ(run.status, 0) << run.out;
    const std::string text = pdfText(out("attuale.pdf"));
    for (const char* part : {"MC 18°50'", "03°28'", "18°28'"}) EXPECT_TRUE(has(text, part)) << part << "\n" << text;
}

// Each aspect is a filled six-cornered spindle with --spindles, a line
// without.
TEST_F(PrintedReadBack, SpindlesReplaceTheAspectLines) {
    const std::string birth = "wheel --date 04/02/1962 --time 12:00 --corr -1 --coords 45N28-009E11";
    ASSERT_EQ(runCli(birth + " --spindles --out " + out("fusi.svg").string() + dataDir()).status, 0);
    ASSERT_EQ(runCli(birth + " --out " + out("linee.svg").string() + dataDir()).status, 0);
    const std::regex spindle(R"re(d="M(\d+,\d+)(?: L\d+,\d+){5} L\1")re");
    const auto count = [&](const std::string& svg) {
        return std::distance(std::sregex_iterator(svg.begin(), svg.end(), spindle), std::sregex_iterator());
    };
    EXPECT_GE(count(qv::readWholeFile(out("fusi.svg"))), 5);
    EXPECT_EQ(count(qv::readWholeFile(out("linee.svg"))), 0);
}

// Milano, 10 March 1990 at 12:30 (Corr −1), with the shipped tables: a few
// lines of each section, checked by hand where they are arithmetic (the
// dodecatemory of the Sun at 19°38' Pisces is 13 × λ = 15°13' Scorpio, its
// mirror across 0° Aries 10°22' Aries, the day a Saturday).
TEST_F(PrintedReadBack, EveryAnalysisSectionPrintsItsLines) {
    struct Section {
        const char* name;
        std::vector<std::string> lines;
    };
    const Section sections[] = {
        {"aspects", {"ASPETTI PLANETARI", "7.77   il Sole in Congiunzione con Mercurio",
                     "0.98   il Sole in Congiunzione con il Mediocielo", "3.53   la Luna in Opposizione con Mercurio"}},
        {"grid", {"ASPETTI  &  ORBITE", "Sol        Con08  SQu00                Ses03                Tri06  Con01"}},
        {"distances", {"DISTANZE SFERICHE", "Sol 168.5    8.042c   44.77    50.51    101.4    56.69a",
                       "(d: dura, a: armonica, c: congiunta)"}},
        {"subdivisions", {"COORDINATE PLANETARIE", "Sole        19°38' Pesci               44      35  Sole44 SolDec35 SO35",
                          "Ascendente  13°37' Cancro               3      11  Asce03 AscDec11 AS11",
                          "PIANETI NEI TERMINI", "Sole T44, Venere: temperato; armonia negli studi"}},
        {"dodecatemories", {"DODECATEMORIE", "Sole        15°13' Scorpione           23      23  Sole23 SolDec23 SO23",
                            "DODECATEMORIE NEI TERMINI"}},
        {"antiscia", {"ANTISCE E CONTRANTISCE", "Sole        10°22' Ariete         10°22' Bilancia",
                      "Mediocielo  11°21' Ariete         11°21' Bilancia"}},
        {"structure", {"STRUTTURA ARCHETIPALE", "Esilio    1 Mercurio  2 Luna (mer)", "Esaltaz   1 Marte"}},
        {"substance", {"STOFFA ELEMENTARE (Livello psicosomatico) [Elementare]",
                       "Mercurio    0          2          1          2          5",
                       "STOFFA STAGIONALE (Livello somatopsichico) [Stagionale]"}},
        {"hour", {"Il Sole sorge alle ore: 06:50", "Giorno Planetario: Sabato", "Ora Planetaria: 6 Diurna",
                  "Governata da Mercurio", "Ascendente 13Can37", "Mediocielo 18Pes39"}},
        {"masters", {"MAESTRI dell'ANNO e del CICLO", "Anno del Sole", "nel Ciclo di Marte"}},
        {"scoring", {"POTENZE PLANETARIE", "Nascita a MILANO il 10/03/1990 12:30  GMT+1",
                     "AFFINITA' CON SEGNO ASCEND  0    9    3    6    1    8    -3   6    5    1"}},
        {"keys", {"CHIAVI DEI PUNTI", "SolePesc", "LunaVerg", "AsceCanc", "SolAnAri"}},
    };
    std::set<std::string> seen;
    for (const Section& s : sections) {
        const CliRun r = runCli(std::string("analysis --only ") + s.name +
                                " --date 10/03/1990 --time 12:30 --corr -1 --coords 45N28-009E11 --place Milano "
                                "--name \"ROSSI MARIO\"" + dataDir());
        ASSERT_EQ(r.status, 0) << s.name << ": " << r.out;
        for (const std::string& line : s.lines) EXPECT_TRUE(r.has(line)) << s.name << ": " << line << "\n" << r.out;
        // Only the section asked for: no other section's heading.
        for (const Section& other : sections) {
            if (&other != &s) {
                EXPECT_FALSE(r.has(other.lines.front() + "\n")) << s.name << " prints " << other.name;
            }
        }
        seen.insert(s.name);
    }
    // Every section the command knows is in the table.
    const CliRun bad = runCli("analysis --only nessuna --date 10/03/1990 --time 12:30 --corr -1 --coords 45N28-009E11" +
                              dataDir());
    for (const std::string& name : seen) EXPECT_TRUE(bad.has(name)) << bad.out;
    std::smatch list;
    ASSERT_TRUE(std::regex_search(bad.out, list, std::regex(R"(\(una di: ([^)]*)\))"))) << bad.out;
    EXPECT_EQ(std::count(list[1].first, list[1].second, ',') + 1, static_cast<long>(seen.size())) << bad.out;
}

// Each house system through the command line: the system named, its own
// second cusp (the library's cusps agree with the reference to 1e-6°), and
// the Ascendant on the first cusp and the Medium Coeli on the tenth where
// the system puts them there.
TEST_F(PrintedReadBack, EachHouseSystemGivesItsOwnCusps) {
    struct Case {
        const char* system;
        const char* secondCusp;
        bool ascendantFirst;
        bool mediumCoeliTenth;
    };
    const Case cases[] = {{"PLACIDO", "01°38' Leone", true, true},   {"KOCH", "05°54' Leone", true, true},
                          {"REGIOMONT", "04°54' Leone", true, true}, {"PORFIRIO", "05°17' Leone", true, true},
                          {"CAMPANO", "10°54' Leone", true, true},   {"MORINO", "21°10' Cancro", false, false},
                          {"ALCABIZIO", "04°03' Leone", true, true}, {"CASE_MEDIE", "13°37' Leone", true, false}};
    for (const Case& c : cases) {
        const CliRun r = runCli(std::string("chart --date 10/03/1990 --time 12:30 --corr -1 --coords 45N28-009E11 "
                                            "--houses ") + c.system + dataDir());
        ASSERT_EQ(r.status, 0) << c.system << ": " << r.out;
        EXPECT_TRUE(r.has(std::string("Case: ") + c.system)) << r.out;
        EXPECT_TRUE(r.has(std::string("Cuspide  2  ") + c.secondCusp)) << c.system << "\n" << r.out;
        EXPECT_EQ(r.has("Cuspide  1  13°37' Cancro"), c.ascendantFirst) << c.system << "\n" << r.out;
        EXPECT_EQ(r.has("Cuspide 10  18°39' Pesci"), c.mediumCoeliTenth) << c.system << "\n" << r.out;
    }
}

} // namespace printed_readback_cli_test
