// End-to-end runs of transits, return, progressions and calendar on a
// temporary data directory.
#include "tests/support/cli_runner.h"
#include "tests/support/temp_data_dir.h"
#include "timing/icalendar.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

namespace timing_cli_test {

using qv::test::CliRun;

CliRun runCli(const std::string& args) { return qv::test::runCli(QV_CLI_PATH, args); }

std::size_t count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++n;
    return n;
}

double numberAfter(const std::string& json, const std::string& key, std::size_t from = 0) {
    const std::size_t at = json.find("\"" + key + "\": ", from);
    if (at == std::string::npos) return -1e300;
    return std::stod(json.substr(at + key.size() + 4));
}

const char* const kBirth = " --date 14/03/1975 --time 10:30 --corr -1 --coords 45N28-009E11";

class TimingCli : public ::testing::Test {
protected:
    std::string dataDir() const { return " --data-dir " + dir.path().string(); }
    qv::test::TempDataDir dir;
};

TEST_F(TimingCli, TransitsListContactsWithTheirMoments) {
    const CliRun r = runCli(std::string("transits") + kBirth + " --from 01/01/2026 --to 31/03/2026 --json" + dataDir());
    ASSERT_EQ(r.status, 0) << r.out;
    const std::regex contact(
        "\\{\"body\": \"[A-Za-z ]+\", \"aspect\": \"(Congiunzione|Sestile|Quadratura|Trigono|Opposizione)\", "
        "\"angle\": (0|60|90|120|180), \"natal\": \"[A-Za-z ]+\", \"natal_longitude\": [0-9.]+, \"point\": [0-9.]+, "
        "\"orb\": [0-9.]+, \"enter_jd\": (null|[0-9.]+), \"exact_jd\": \\[[0-9., ]*\\], \"leave_jd\": (null|[0-9.]+), ");
    const auto contacts = count(r.out, "{\"body\": ");
    EXPECT_GT(contacts, 200u) << "a quarter of Moon contacts alone";
    EXPECT_EQ(static_cast<std::size_t>(std::distance(std::sregex_iterator(r.out.begin(), r.out.end(), contact),
                                                     std::sregex_iterator())),
              contacts);
    EXPECT_NE(r.out.find("\"orbs\": {\"Luminari\": 2, \"Personali\": 2, \"Sociali\": 1.5, \"Lenti\": 1, \"Nodo\": 1}"),
              std::string::npos) << r.out.substr(0, 300);
    EXPECT_NE(r.out.find("\"local_clock\": \"correzione fissa -1\""), std::string::npos);

    const CliRun mars = runCli(std::string("transits") + kBirth +
                               " --from 01/01/2026 --to 31/12/2026 --bodies Marte,giove --orbs 3,3,2,1,1 --json" + dataDir());
    ASSERT_EQ(mars.status, 0) << mars.out;
    EXPECT_EQ(count(mars.out, "{\"body\": "), count(mars.out, "{\"body\": \"Marte\"") + count(mars.out, "{\"body\": \"Giove\""));
    EXPECT_GT(count(mars.out, "{\"body\": \"Marte\""), 10u);
    EXPECT_NE(mars.out.find("\"Personali\": 3"), std::string::npos);

    // The practitioner's setting stands where --orbs is not given.
    std::ofstream(dir.path() / "FileSet" / "OrbiTransiti.stt", std::ios::binary) << "1\r\n2\r\n3\r\n0.5\r\n0.25\r\n";
    const CliRun set = runCli(std::string("transits") + kBirth + " --from 01/01/2026 --to 02/01/2026 --bodies Sole --json" + dataDir());
    ASSERT_EQ(set.status, 0) << set.out;
    EXPECT_NE(set.out.find("\"orbs\": {\"Luminari\": 1, \"Personali\": 2, \"Sociali\": 3, \"Lenti\": 0.5, \"Nodo\": 0.25}"),
              std::string::npos) << set.out.substr(0, 300);
    std::filesystem::remove(dir.path() / "FileSet" / "OrbiTransiti.stt");

    const CliRun text = runCli(std::string("transits") + kBirth + " --from 01/03/2026 --to 02/03/2026 --bodies Luna" + dataDir());
    ASSERT_EQ(text.status, 0) << text.out;
    EXPECT_TRUE(text.has("Orbi: Luminari 2.00")) << text.out;
    EXPECT_TRUE(text.has("esatto:")) << text.out;
}

TEST_F(TimingCli, TransitsRefuseWhatTheyCannotRead) {
    const std::pair<std::string, std::string> cases[] = {
        {" --from 01/01/2026 --to 31/13/2026", "Data inesistente"},
        {" --from 01/02/2026 --to 01/01/2026", "--to viene prima di --from"},
        {" --from 01/01/2026 --to 02/01/2026 --bodies Marte,Cerere", "Corpo sconosciuto"},
        {" --from 01/01/2026 --to 02/01/2026 --orbs 1,2", "cinque orbi"},
    };
    for (const auto& [options, message] : cases) {
        const CliRun r = runCli(std::string("transits") + kBirth + options + dataDir());
        EXPECT_NE(r.status, 0) << options;
        EXPECT_TRUE(r.has(message)) << options << "\n" << r.out;
    }
}

TEST_F(TimingCli, SolarReturnGivesItsMomentAndItsChart) {
    const CliRun r = runCli(std::string("return --year 2026") + kBirth + " --json" + dataDir());
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out.rfind("{\"jd\": ", 0), 0u) << r.out.substr(0, 80);
    for (const char* key : {"\"bodies\": {\"sun\": {\"longitude\": ", "\"cusps\": [", "\"ascendant\": ", "\"natal_sun\": ",
                            "\"year\": 2026"})
        EXPECT_NE(r.out.find(key), std::string::npos) << key;
    EXPECT_TRUE(std::regex_search(r.out, std::regex("\"local_time\": \"1[345]/03/2026 [0-9:]{8}\""))) << r.out;
    const double sun = numberAfter(r.out, "longitude"), natal = numberAfter(r.out, "natal_sun");
    EXPECT_NEAR(sun, natal, 1e-5) << "the Sun back at its place within a second of its motion";

    const CliRun elsewhere = runCli(std::string("return --year 2026") + kBirth +
                                    " --return-coords 40N51-014E15 --return-corr -1 --json" + dataDir());
    ASSERT_EQ(elsewhere.status, 0) << elsewhere.out;
    EXPECT_EQ(numberAfter(elsewhere.out, "jd"), numberAfter(r.out, "jd"));
    EXPECT_NE(numberAfter(elsewhere.out, "ascendant"), numberAfter(r.out, "ascendant"));
}

TEST_F(TimingCli, ProgressionsListBodiesAndAspects) {
    const CliRun r = runCli(std::string("progressions --date 14/03/2026") + kBirth + " --json" + dataDir());
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(count(r.out, "{\"body\": "), 11u + count(r.out, "\"applying\": "));
    EXPECT_TRUE(r.has("\"progressed_jd\": "));
    // 51 years after birth the progressed day is 51 days after it.
    EXPECT_NEAR(numberAfter(r.out, "progressed_jd") - 2442485.896, 51.0, 0.05);
    EXPECT_TRUE(std::regex_search(r.out, std::regex("\"aspects\": \\[(\\{\"body\": \"[A-Za-z ]+\", \"aspect\": \"[A-Za-z]+\", "
                                                    "\"angle\": [0-9]+, \"natal\": \"[A-Za-z ]+\", \"natal_longitude\": [0-9.]+, "
                                                    "\"orb\": [0-9.e-]+, \"applying\": (true|false)\\}(, )?)*\\]\\}")))
        << r.out;
}

TEST_F(TimingCli, CalendarOfVenusHoursInMilanoAndItsICalendarFile) {
    const std::string ics = (dir.path() / "venere.ics").string();
    const CliRun r = runCli("calendar --coords 45N28-009E11 --corr -1 --from 01/11/2026 --to 30/11/2026 --planet Venere"
                            " --ics " + ics + " --json" + dataDir());
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(count(r.out, "{\"date\": "), 30u);
    for (const char* key : {"\"ruler\": ", "\"sunrise_jd\": ", "\"sunset_jd\": ", "\"moon_phase\": ", "\"hours\": ["})
        EXPECT_EQ(count(r.out, key), 30u) << key;
    const std::regex daySign("\"moon_sign\": \"[A-Za-z]+\", \"moon_phase\": ");
    EXPECT_EQ(std::distance(std::sregex_iterator(r.out.begin(), r.out.end(), daySign), std::sregex_iterator()), 30);
    const std::size_t venusHours = count(r.out, "{\"number\": ");
    EXPECT_EQ(count(r.out, "\"planet\": \"Venere\", \"start_jd\": "), venusHours);
    EXPECT_NEAR(static_cast<double>(venusHours), 30 * 24 / 7.0, 1.0);
    EXPECT_EQ(count(r.out, "\"night\": "), venusHours);

    std::ifstream in(ics, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(count(text.str(), "BEGIN:VEVENT\r\n"), venusHours) << "one event per Venus hour";
    const qv::timing::IcsCheck check = qv::timing::checkIcalendar(text.str());
    EXPECT_TRUE(check.valid) << check.problem;
    EXPECT_EQ(check.events, static_cast<int>(venusHours));
    EXPECT_NE(r.out.find("\"ics\": {\"file\": "), std::string::npos);
    EXPECT_NE(text.str().find("SUMMARY:Ora di Venere ("), std::string::npos);
}

TEST_F(TimingCli, CalendarFiltersAndPolarDays) {
    const CliRun all = runCli("calendar --coords 45N28-009E11 --corr -1 --from 02/11/2026 --to 02/11/2026 --json" + dataDir());
    ASSERT_EQ(all.status, 0) << all.out;
    EXPECT_EQ(count(all.out, "{\"number\": "), 24u);
    EXPECT_TRUE(all.has("\"weekday\": \"Luned\xC3\xAC\", \"ruler\": \"Luna\""));

    const CliRun waxing = runCli("calendar --coords 45N28-009E11 --corr -1 --from 01/11/2026 --to 30/11/2026 --waxing "
                                 "--moon-signs Toro,Cancro --json" + dataDir());
    ASSERT_EQ(waxing.status, 0) << waxing.out;
    const std::size_t kept = count(waxing.out, "{\"number\": ");
    EXPECT_GT(kept, 0u);
    EXPECT_EQ(count(waxing.out, "\"waxing\": true, \"void_of_course\""), kept);
    EXPECT_EQ(count(waxing.out, "\"moon_sign\": \"Toro\", \"waxing\"") + count(waxing.out, "\"moon_sign\": \"Cancro\", \"waxing\""),
              kept);

    const CliRun polar = runCli("calendar --coords 69N39-018E57 --corr -2 --from 20/06/2026 --to 21/06/2026 --json" + dataDir());
    ASSERT_EQ(polar.status, 0) << polar.out;
    EXPECT_EQ(count(polar.out, "\"hours\": []"), 2u);
    EXPECT_EQ(count(polar.out, "\"sunrise_jd\": null"), 2u);
    EXPECT_TRUE(polar.has("giorno polare"));

    const CliRun nowhere = runCli("calendar --from 01/11/2026 --to 02/11/2026" + dataDir());
    EXPECT_NE(nowhere.status, 0);
    EXPECT_TRUE(nowhere.has("Indicare il luogo")) << nowhere.out;
}

TEST_F(TimingCli, TheCurrentSubjectGivesTheBirthAndTheClockOfItsPlace) {
    ASSERT_EQ(runCli("register --archive BASE --name \"ROSSI MARIA\" --date 14/03/1975 --time 10:30 --place MILANO" +
                     dataDir()).status, 0);
    const CliRun summer = runCli("transits --current --from 01/07/2026 --to 01/07/2026 --bodies Luna --json" + dataDir());
    ASSERT_EQ(summer.status, 0) << summer.out;
    EXPECT_TRUE(summer.has("\"local_clock\": \"regimi orari di MILANO (MI)")) << summer.out.substr(0, 300);
    // Summer time: the clock is two hours ahead of Universal Time.
    const std::smatch m = [&] {
        std::smatch found;
        std::regex_search(summer.out, found, std::regex("\"exact_jd\": \\[([0-9.]+)\\], \"leave_jd\": [0-9.]+, "
                                                        "\"enter_local\": \"[0-9/: ]+\", \"exact_local\": \\[\"([0-9/: ]+)\"\\]"));
        return found;
    }();
    ASSERT_EQ(m.size(), 3u) << summer.out.substr(0, 600);
    const double exact = std::stod(m[1].str());
    // The clock shows the minute the moment falls in.
    const long seconds = std::lround((exact + 0.5 - std::floor(exact + 0.5)) * 86400) + 7200;
    const int hh = static_cast<int>(seconds / 3600 % 24), mm = static_cast<int>(seconds / 60 % 60);
    char expected[8];
    std::snprintf(expected, sizeof expected, "%02d:%02d", hh, mm);
    EXPECT_EQ(m[2].str().substr(11, 5), expected);

    const CliRun both = runCli("transits --current --date 01/01/2000 --from 01/07/2026 --to 01/07/2026" + dataDir());
    EXPECT_NE(both.status, 0);
    EXPECT_TRUE(both.has("togliere --date")) << both.out;

    const CliRun progressed = runCli("progressions --date 14/03/2026 --current --json" + dataDir());
    ASSERT_EQ(progressed.status, 0) << progressed.out;
    EXPECT_NEAR(numberAfter(progressed.out, "progressed_jd") - 2442485.896, 51.0, 0.05);
}

TEST_F(TimingCli, ARemedyGivesItsPlanetFromItsSignature) {
    const CliRun r = runCli("calendar --place MILANO --from 01/07/2026 --to 07/07/2026 --remedy Altea --json" + dataDir());
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_TRUE(r.has("\"filter\": {\"planet\": \"Venere\", \"remedy\": \"MSA Altea\"")) << r.out.substr(0, 400);
    EXPECT_EQ(count(r.out, "{\"number\": "), 24u) << "a week holds 24 hours of each planet";
    const CliRun many = runCli("calendar --place MILANO --from 01/07/2026 --to 01/07/2026 --remedy MSA" + dataDir());
    EXPECT_NE(many.status, 0);
    EXPECT_TRUE(many.has("rimedi con questo nome")) << many.out;
}

} // namespace timing_cli_test
