// A person's erasure on request and the log of what left the program: the
// person gone from every file of the data directory, a receipt for them,
// the log naming no one and showing a removed or changed line.
#include "base/text_file.h"
#include "tests/support/cli_runner.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace person_cli_test {

namespace fs = std::filesystem;
using qv::test::CliRun;

class PersonCli : public ::testing::Test {
protected:
    CliRun run(const std::string& args) const { return qv::test::runCli(QV_CLI_PATH, args + " --data-dir " + data.path().string()); }
    qv::test::TempDataDir data{true}, out;
};

TEST_F(PersonCli, AnErasedPersonIsInNoFileAndGetsAReceipt) {
    const std::string aaf = (qv::test::fixturesDir() / "exchange" / "dieci.aaf").string();
    ASSERT_EQ(run("archive import BASE " + aaf + " --format aaf --accept-all").status, 0);
    ASSERT_EQ(run("recall BASE \"8\"").status, 0);  // ROSSI MARIO, now the current subject
    ASSERT_EQ(run("consultation add --archive BASE --subject \"Rossi Mario\" --note \"diario di Rossi\"").status, 0);
    ASSERT_EQ(run("report --archive BASE --subject \"Rossi Mario\" --out " + (out.path() / "r.pdf").string()).status, 0);

    CliRun r = run("person erase --archive BASE --subject \"Rossi Mario\"");
    EXPECT_EQ(r.status, 2) << "nothing without --confirm\n" << r.out;
    const fs::path receipt = out.path() / "ricevuta.txt";
    r = run("person erase --archive BASE --subject \"Rossi Mario\" --confirm --receipt " + receipt.string());
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_TRUE(r.has("1 consultazione")) << r.out;
    const std::string text = qv::readWholeFile(receipt);
    EXPECT_NE(text.find("ROSSI MARIO (nascita 01/02/1980 08:30)"), std::string::npos) << text;
    EXPECT_NE(text.find("copie di sicurezza fatte prima di oggi"), std::string::npos) << text;
    EXPECT_EQ(fs::status(receipt).permissions() & fs::perms::all, fs::perms(0600));

    for (const auto& e : fs::recursive_directory_iterator(data.path())) {
        if (!e.is_regular_file() || e.path().parent_path().filename() == "Localita") continue;
        const std::string bytes = qv::readWholeFile(e.path());
        EXPECT_EQ(bytes.find("ROSSI MARIO"), std::string::npos) << e.path();
        EXPECT_EQ(bytes.find("Rossi Mario"), std::string::npos) << e.path();
        EXPECT_EQ(bytes.find("diario di Rossi"), std::string::npos) << e.path();
    }
    EXPECT_TRUE(run("chart --current").has("Nessun soggetto attuale"));

    r = run("audit show --check");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_TRUE(r.has("relazione  consultazione 1 (soggetto n. 1)")) << r.out;
    EXPECT_TRUE(r.has("cancellazione  persona n. ")) << r.out;
    EXPECT_TRUE(r.has("Registro integro: 2 righe")) << r.out;
}

// What the program holds of a person, for them to take away; the subjects
// past the retention time.
TEST_F(PersonCli, APersonsDataAreExportedAndOldRecordsListed) {
    ASSERT_EQ(run("register --archive BASE --name \"Rossi Maria\" --date 12/03/1968 --time 14:30 --place MILANO "
                  "--nation ITALIA --corr -1 --coords 45N28-009E11 --annotation Allergie --with-text")
                  .status,
              0);
    ASSERT_EQ(run("consultation add --archive BASE --subject 1 --date 03/03/2010 --note \"vecchia\"").status, 0);
    const fs::path folder = out.path() / "dati";
    CliRun r = run("person export --archive BASE --subject 1 --out " + folder.string());
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(fs::status(folder).permissions() & fs::perms::all, fs::perms(0700));
    const std::string json = qv::readWholeFile(folder / "persona.json");
    for (const char* part : {"\"name\": \"ROSSI MARIA\"", "\"date_time\": \"12/03/1968 14:30\"", "\"correction_hours\": -1",
                             "\"annotations\": [\"Allergie\"", "\"text_document\": \"00001.txt\"", "\"notes\": \"vecchia\""})
        EXPECT_NE(json.find(part), std::string::npos) << part << "\n" << json;
    EXPECT_TRUE(fs::exists(folder / "00001.txt"));
    EXPECT_TRUE(run("audit show").has("dati della persona")) << "the export is recorded";

    r = run("retention list");
    EXPECT_TRUE(r.has("BASE  voce 1  ROSSI MARIA  ultima consultazione 03/03/2010")) << r.out;
    EXPECT_TRUE(run("retention list --years 100").has("nessuno"));
}

// A line removed, changed or moved breaks the chain there.
TEST_F(PersonCli, TheLogShowsALineRemovedOrChanged) {
    for (const char* format : {"aaf", "csv", "aaf"})
        ASSERT_EQ(run("archive export BASE --format " + std::string(format) + " --out " + (out.path() / "x").string()).status, 0);
    const fs::path log = data.path() / "Registro.log";
    const std::vector<std::string> lines = qv::readTextLines(log);
    ASSERT_EQ(lines.size(), 3u);
    ASSERT_EQ(run("audit show --check").status, 0);
    const struct {
        const char* what;
        std::vector<std::string> lines;
        const char* brokenAt;
    } cases[] = {
        {"the first removed", {lines[1], lines[2]}, "riga 1"},
        {"the middle removed", {lines[0], lines[2]}, "riga 2"},
        {"two swapped", {lines[0], lines[2], lines[1]}, "riga 2"},
        {"a detail changed", {lines[0], lines[1].substr(0, 30) + "X" + lines[1].substr(31), lines[2]}, "riga 2"},
    };
    for (const auto& c : cases) {
        qv::writeTextLines(log, c.lines);
        const CliRun r = run("audit show --check");
        EXPECT_EQ(r.status, 1) << c.what << "\n" << r.out;
        EXPECT_TRUE(r.has(std::string("si interrompe alla ") + c.brokenAt)) << c.what << "\n" << r.out;
    }
}

} // namespace person_cli_test
