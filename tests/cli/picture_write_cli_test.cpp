// `wheel` and `sheet` never report a picture as written when it was not:
// targets that are no regular file are refused before drawing, a refusal
// names the file in Italian, the old file stays and no temporary file is
// left; Qt's own warnings stay off the terminal.
#include "tests/support/cli_runner.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>

namespace picture_write_cli_test {

namespace fs = std::filesystem;
using qv::test::CliRun;

std::string contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int temporariesIn(const fs::path& folder) {
    int n = 0;
    for (const auto& e : fs::directory_iterator(folder)) n += e.path().extension() == ".tmp~";
    return n;
}

class PictureWrite : public ::testing::Test {
protected:
    // The environment goes first: `env -u` drops a variable for the run.
    CliRun run(const std::string& args, const std::string& env = "") const {
        return qv::test::runCli((env.empty() ? "" : "env " + env + " ") + std::string(QV_CLI_PATH),
                                args + " --data-dir " + data.path().string());
    }
    qv::test::TempDataDir data{true};
    qv::test::TempDataDir out;
    const std::string birth = " --date 04/02/1962 --time 12:00 --corr -1 --coords 45N28-009E11";
};

TEST_F(PictureWrite, TargetsThatAreNoRegularFileAreRefusedBeforeDrawing) {
    fs::create_directory(out.path() / "cartella.svg");
    ASSERT_EQ(::mkfifo((out.path() / "pipe.svg").c_str(), 0600), 0);
    const struct {
        std::string target, reason;
    } cases[] = {
        {(out.path() / "cartella.svg").string(), "\xC3\xA8 una cartella, non un file"},
        {(out.path() / "cartella.svg").string() + "/../cartella.svg", "\xC3\xA8 una cartella, non un file"},
        {(out.path() / "pipe.svg").string(), "\xC3\xA8 una pipe con nome, non un file"},  // and never blocks
        {(out.path() / "manca" / "tema.pdf").string(), "file o cartella inesistente"},
    };
    for (const auto& c : cases) {
        for (const char* command : {"wheel", "sheet --layout V1"}) {
            const CliRun r = run(std::string(command) + birth + " --out " + c.target);
            SCOPED_TRACE(std::string(command) + " " + c.target);
            EXPECT_EQ(r.status, 1) << r.out;
            EXPECT_TRUE(r.has("\"" + c.target + "\": " + c.reason)) << r.out;
            EXPECT_FALSE(r.has("scritta in") || r.has("scritto in")) << r.out;
            EXPECT_FALSE(r.has("QPainter") || r.has("QSvg") || r.has("QPdf")) << r.out;
        }
    }
    EXPECT_TRUE(fs::is_directory(out.path() / "cartella.svg"));
    EXPECT_TRUE(fs::is_fifo(out.path() / "pipe.svg"));
    EXPECT_EQ(temporariesIn(out.path()), 0);
}

TEST_F(PictureWrite, AWrittenPictureReplacesTheOldOneWholeAndKeepsItsPermissions) {
    for (const char* name : {"tema.svg", "tema.pdf", "tema.png"}) {
        const fs::path target = out.path() / name;
        { std::ofstream(target) << "vecchio"; }
        fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
        const CliRun r = run("wheel" + birth + " --out " + target.string());
        ASSERT_EQ(r.status, 0) << r.out;
        const std::string bytes = contents(target);
        EXPECT_NE(bytes, "vecchio");
        EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    }
    // A new picture is its owner's only, whatever the file-creation mask:
    // a chart carries a person's birth data.
    const CliRun fresh = run("wheel" + birth + " --out " + (out.path() / "nuovo.png").string(), "sh -c 'umask 022; exec \"$0\" \"$@\"'");
    ASSERT_EQ(fresh.status, 0) << fresh.out;
    EXPECT_EQ(fs::status(out.path() / "nuovo.png").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_NE(contents(out.path() / "tema.svg").find("</svg>"), std::string::npos);
    EXPECT_NE(contents(out.path() / "tema.pdf").find("%%EOF"), std::string::npos);
    EXPECT_EQ(temporariesIn(out.path()), 0);
}

// A link at the target (planted in a shared folder, or pointing at a
// device) is replaced by the picture; what it pointed to is never written.
TEST_F(PictureWrite, ALinkAtTheTargetIsReplacedAndItsTargetUntouched) {
    { std::ofstream(out.path() / "altrui.png") << "vecchio"; }
    fs::create_symlink(out.path() / "altrui.png", out.path() / "link.png");
    fs::create_symlink("/dev/null", out.path() / "nulla.png");
    for (const char* name : {"link.png", "nulla.png"}) {
        const CliRun r = run("wheel" + birth + " --out " + (out.path() / name).string());
        ASSERT_EQ(r.status, 0) << r.out;
        EXPECT_FALSE(fs::is_symlink(out.path() / name));
        EXPECT_EQ(contents(out.path() / name).substr(1, 3), "PNG");
    }
    EXPECT_EQ(contents(out.path() / "altrui.png"), "vecchio");
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

// Control characters in the texts of a sheet made the SVG no valid XML.
TEST_F(PictureWrite, SheetTextsGoThroughTheTypedTextCheck) {
    const fs::path target = out.path() / "foglio.svg";
    for (const char* option : {"--name", "--place", "--nation"}) {
        const CliRun r = run("sheet --layout V1" + birth + " " + option + " \"$(printf 'Anna\\001')\" --out " + target.string());
        EXPECT_EQ(r.status, 2) << r.out;
        EXPECT_TRUE(r.has(std::string("Il testo di ") + option + " contiene un carattere di controllo")) << r.out;
        EXPECT_FALSE(fs::exists(target));
    }
}

TEST_F(PictureWrite, QtWarningsGoToTheLogNotToTheTerminal) {
    fs::create_directory(out.path() / "cartella.pdf");
    const std::string target = " --out " + (out.path() / "tema.png").string();
    const CliRun quiet = run("wheel" + birth + target, "-u XDG_RUNTIME_DIR");
    EXPECT_EQ(quiet.status, 0) << quiet.out;
    EXPECT_FALSE(quiet.has("XDG_RUNTIME_DIR")) << quiet.out;
    EXPECT_NE(contents(data.path() / "MessaggiQt.log").find("XDG_RUNTIME_DIR"), std::string::npos);

    const CliRun verbose = run("wheel --verbose" + birth + target, "-u XDG_RUNTIME_DIR");
    EXPECT_EQ(verbose.status, 0) << verbose.out;
    EXPECT_TRUE(verbose.has("XDG_RUNTIME_DIR")) << verbose.out;
}

} // namespace picture_write_cli_test
