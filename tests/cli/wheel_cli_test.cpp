// End-to-end runs of `quorendaville-cli wheel`: the chart wheel written as
// SVG, PDF and PNG, in colour and in black and white.
#include "tests/support/cli_runner.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace wheel_cli_test {

using qv::test::CliRun;

CliRun runCli(const std::string& args) { return qv::test::runCli(QV_CLI_PATH, args); }

std::string contents(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class CliWheel : public ::testing::Test {
protected:
    std::string dataDir() const { return " --data-dir " + dir.path().string(); }
    std::filesystem::path out(const std::string& name) const { return dir.path() / name; }
    // The shipped template, with its pictures.
    qv::test::TempDataDir dir{true};
    const std::string birth = " --date 04/02/1962 --time 12:00 --corr -1 --coords 45N28-009E11";
};

TEST_F(CliWheel, WritesTheWheelAsSvgPdfAndPng) {
    for (const char* name : {"tema.svg", "tema.PDF", "tema.png"}) {
        const CliRun run = runCli("wheel" + birth + " --out " + out(name).string() + dataDir());
        ASSERT_EQ(run.status, 0) << run.out;
        EXPECT_TRUE(run.has(name)) << run.out;
    }
    const std::string svg = contents(out("tema.svg"));
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_NE(svg.find("Corvalimetrix 3"), std::string::npos);
    EXPECT_EQ(contents(out("tema.PDF")).rfind("%PDF", 0), 0u);
    const std::string png = contents(out("tema.png"));
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(png.substr(1, 3), "PNG");
    // 195 mm at 5 pixels per millimetre, from the header's width and height.
    auto be32 = [&](std::size_t at) {
        return (static_cast<unsigned char>(png[at]) << 24) | (static_cast<unsigned char>(png[at + 1]) << 16) |
               (static_cast<unsigned char>(png[at + 2]) << 8) | static_cast<unsigned char>(png[at + 3]);
    };
    EXPECT_EQ(be32(16), 975u);
    EXPECT_EQ(be32(20), 975u);

    ASSERT_EQ(runCli("wheel" + birth + " --size 100 --out " + out("piccolo.png").string() + dataDir()).status, 0);
    EXPECT_EQ(static_cast<unsigned char>(contents(out("piccolo.png"))[19]), 500 % 256);
}

TEST_F(CliWheel, BlackAndWhiteUsesTheBlackPicturesOnPaper) {
    ASSERT_EQ(runCli("wheel" + birth + " --mono --spindles --out " + out("nero.svg").string() + dataDir()).status, 0);
    ASSERT_EQ(runCli("wheel" + birth + " --out " + out("colore.svg").string() + dataDir()).status, 0);
    const std::string mono = contents(out("nero.svg")), colour = contents(out("colore.svg"));
    // Fire signs are red in colour (the paper red, dark enough for white,
    // not the screen's light one); in black and white nothing is red.
    EXPECT_NE(colour.find("#d63e31"), std::string::npos);
    EXPECT_EQ(colour.find("#ff4a3a"), std::string::npos);
    EXPECT_EQ(mono.find("#d63e31"), std::string::npos);
    EXPECT_EQ(mono.find("#ff0000"), std::string::npos);
}

TEST_F(CliWheel, DrawsTheCurrentSubject) {
    ASSERT_EQ(runCli("register --archive BASE --name \"Rossi Mario\"" + birth +
                     " --place \"Milano (MI)\" --nation Italia" + dataDir()).status, 0);
    ASSERT_EQ(runCli("recall BASE 1" + dataDir()).status, 0);
    const CliRun run = runCli("wheel --current --out " + out("attuale.svg").string() + dataDir());
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_NE(contents(out("attuale.svg")).find("<svg"), std::string::npos);
}

TEST_F(CliWheel, RefusesBadArgumentsInItalian) {
    struct Case {
        std::string args, message;
        int status;
    } cases[] = {
        {"wheel" + birth + " --out tema.jpg", "deve finire in .svg, .pdf o .png", 2},
        {"wheel" + birth, "--out", 2},
        {"wheel --out x.svg", "Indicare --current oppure i dati di nascita", 2},
        {"wheel --current --date 01/01/2000 --out x.svg", "togliere --date", 2},
        {"wheel" + birth + " --size 20 --out x.svg", "Dimensione fuori dai limiti", 2},
        {"wheel --date 31/02/1962 --time 12:00 --corr -1 --coords 45N28-009E11 --out x.svg", "Data inesistente", 2},
        {"wheel" + birth + " --out /nonexistent-folder/x.png", "/nonexistent-folder/x.png", 1},
    };
    for (const Case& c : cases) {
        const CliRun run = runCli(c.args + dataDir());
        EXPECT_EQ(run.status, c.status) << c.args << "\n" << run.out;
        EXPECT_TRUE(run.has(c.message)) << c.args << "\n" << run.out;
    }
}

} // namespace wheel_cli_test
