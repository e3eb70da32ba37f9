// What the command line says about bad typed text: Italian that reads as
// Italian ("del nome", not "di il nome"), bytes that are no UTF-8 never
// echoed as garbled letters, a pasted file never echoed whole; and the help
// lists every option the commands take.
#include "tests/support/cli_runner.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

#include <string>

namespace messages_cli_test {

using qv::test::CliRun;

// Whether `s` is well-formed UTF-8 (no stray Windows-1252 byte, no cut or
// overlong sequence, no surrogate).
bool validUtf8(const std::string& s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        const std::size_t n = b < 0x80 ? 1 : b >= 0xC2 && b <= 0xDF ? 2 : b >= 0xE0 && b <= 0xEF ? 3
                            : b >= 0xF0 && b <= 0xF4 ? 4 : 0;
        if (n == 0 || i + n > s.size()) return false;
        for (std::size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        const auto second = static_cast<unsigned char>(s[i + 1 < s.size() ? i + 1 : i]);
        if ((b == 0xE0 && second < 0xA0) || (b == 0xED && second > 0x9F) || (b == 0xF0 && second < 0x90) ||
            (b == 0xF4 && second > 0x8F))
            return false;
        i += n;
    }
    return true;
}

class CliMessages : public ::testing::Test {
protected:
    CliRun run(const std::string& args) const {
        return qv::test::runCli(QV_CLI_PATH, args + " --data-dir " + data.path().string());
    }
    qv::test::TempDataDir data;
};

TEST_F(CliMessages, TheTypedTextCheckSpeaksItalian) {
    const CliRun r = run("archive list \"$(printf 'AB\\001')\"");
    EXPECT_EQ(r.status, 2) << r.out;
    EXPECT_TRUE(r.has("Il testo del nome dell'archivio contiene un carattere di controllo")) << r.out;
    EXPECT_FALSE(r.has("di il ")) << r.out;
}

TEST_F(CliMessages, BytesThatAreNoUtf8AreNeverEchoedAsOtherLetters) {
    const CliRun named = run("archive list \"$(printf 'AB\\377')\"");
    EXPECT_EQ(named.status, 2) << named.out;
    EXPECT_TRUE(named.has("non \xC3\xA8 un testo UTF-8 valido: \"AB\xEF\xBF\xBD\"")) << named.out;
    const CliRun date = run("chart --date \"$(printf '01/01/2000\\351')\" --time 12:00 --corr 0 --coords 45N28-009E11");
    EXPECT_EQ(date.status, 2) << date.out;
    EXPECT_TRUE(date.has("\"01/01/2000\xEF\xBF\xBD\"")) << date.out;
    for (const CliRun* r : {&named, &date}) EXPECT_FALSE(r->has("\xC3\xBF") || r->has("\xC3\xA9")) << r->out;
}

TEST_F(CliMessages, ALongArgumentIsEchoedCutAtEightyCharacters) {
    const std::string pasted(100000, '7');
    const struct {
        std::string args;
    } cases[] = {
        {"chart --date " + pasted + " --time 12:00 --corr 0 --coords 45N28-009E11"},
        {"chart --date 01/01/2000 --time 12:00 --corr " + pasted + "x --coords 45N28-009E11"},
        {"chart --" + pasted},
        {"comando" + pasted},
    };
    for (const auto& c : cases) {
        const CliRun r = run(c.args);
        EXPECT_EQ(r.status, 2) << r.out.substr(0, 300);
        // The pasted text is never echoed whole: at most 80 of its characters
        // (the usage that may follow is the program's own).
        EXPECT_EQ(r.out.find(std::string(81, '7')), std::string::npos) << r.out.substr(0, 300);
        EXPECT_LT(r.out.size(), 8000u) << r.out.substr(0, 300);
        EXPECT_TRUE(r.has(std::string(70, '7') + "\xE2\x80\xA6\"")) << r.out.substr(0, 300);
    }
}

TEST_F(CliMessages, TheHelpListsEveryOption) {
    const CliRun help = qv::test::runCli(QV_CLI_PATH, "--help");
    ASSERT_EQ(help.status, 0);
    const char* const options[] = {
        // sheet and analysis take texts and birth options of their own
        "--layout", "--name NOME", "--place LUOGO", "--nation STATO", "--mono", "--screen", "--out",
        "--calendar GR|GI", "--node MEDIO|VERO", "--black-moon VERA|MEDIA", "--only",
        "--size MM", "--spindles", "--prefix", "--annotation", "--with-text", "--verbose", "--data-dir",
    };
    for (const char* option : options) EXPECT_TRUE(help.has(option)) << option;
    const auto sheet = help.out.find("  sheet ");
    ASSERT_NE(sheet, std::string::npos);
    const std::string sheetHelp = help.out.substr(sheet, help.out.find("\n  remedies") - sheet);
    for (const char* option : {"--name", "--place", "--nation"})
        EXPECT_NE(sheetHelp.find(option), std::string::npos) << "sheet " << option;
}

TEST_F(CliMessages, TheHelpAndEveryUsageAreUtf8) {
    const CliRun help = qv::test::runCli(QV_CLI_PATH, "--help");
    ASSERT_EQ(help.status, 0);
    EXPECT_TRUE(validUtf8(help.out)) << help.out;
    EXPECT_TRUE(help.has("la consultazione pi\xC3\xB9 recente")) << help.out;
    // Each command without what it needs, and the commands' own usages.
    const char* const commands[] = {
        "", "comando", "chart", "atlas", "atlas find", "archive", "archive list", "register", "recall", "modify",
        "delete", "analysis", "analysis --only niente", "remedies", "remedies niente", "consultation",
        "consultation niente", "consultation list", "report", "report niente", "wheel", "sheet", "sheet --layout X",
    };
    for (const char* command : commands) {
        const CliRun r = run(command);
        SCOPED_TRACE(command);
        EXPECT_EQ(r.status, 2) << r.out;
        EXPECT_FALSE(r.out.empty());
        EXPECT_TRUE(validUtf8(r.out)) << r.out;
    }
}

TEST_F(CliMessages, ANumberPastItsBoundsIsABadArgumentNamingTheOption) {
    const std::string huge = "99999999999999999999";
    const std::string birth = " --date 04/02/1962 --time 12:00 --corr -1 --coords 45N28-009E11";
    const struct {
        std::string args;
        const char* named;
    } cases[] = {
        {"consultation delete --archive BASE --subject 1 --id " + huge, "--id"},
        {"consultation delete --archive BASE --subject 1 --id 0", "--id"},
        {"report --archive BASE --subject 1 --id " + huge + " --out x.pdf", "--id"},
        {"archive show BASE " + huge, "la posizione"},
        {"chart --date 04/02/1962 --time 12:00 --corr 1e99999 --coords 45N28-009E11", "--corr"},
        {"register --archive BASE --name X --date 04/02/1962 --time 12:00 --place MILANO --zone " + huge, "--zone"},
        {"modify BASE 1 --corr 1e4000", "--corr"},
        {"chart --date 04/02/" + huge + " --time 12:00 --corr -1 --coords 45N28-009E11", "--date"},
        {"chart --date 04/02/1962 --time " + huge + ":00 --corr -1 --coords 45N28-009E11", "--time"},
        {"wheel" + birth + " --size 1e99999 --out x.svg", "--size"},
    };
    for (const auto& c : cases) {
        const CliRun r = run(c.args);
        SCOPED_TRACE(c.args);
        EXPECT_EQ(r.status, 2) << r.out;
        EXPECT_TRUE(r.has(c.named)) << r.out;
        EXPECT_FALSE(r.has("stoll") || r.has("stoi") || r.has("Errore:")) << r.out;
    }
}

} // namespace messages_cli_test
