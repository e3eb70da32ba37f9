// End-to-end runs of `quorendaville-cli sheet`: the four sheets as A4 PDF
// pages in their orientation, SVG and PNG (for paper, or as on screen),
// and the refused arguments.
#include "tests/support/cli_runner.h"
#include "tests/support/temp_data_dir.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>

namespace sheet_cli_test {

using qv::test::CliRun;

CliRun runCli(const std::string& args) { return qv::test::runCli(QV_CLI_PATH, args); }

std::string contents(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class CliSheet : public ::testing::Test {
protected:
    std::string dataDir() const { return " --data-dir " + dir.path().string(); }
    std::filesystem::path out(const std::string& name) const { return dir.path() / name; }
    qv::test::TempDataDir dir{true};
    const std::string birth =
        " --date 17/06/1975 --time 08:40 --corr -2 --coords 41N54-012E29 --name 'Maria Rossi' --place Roma --nation Italia";
};

TEST_F(CliSheet, EveryLayoutIsOneA4PdfPageInItsOrientation) {
    struct Case {
        const char* layout;
        bool landscape;
        const char* caption;
    };
    for (const Case c : {Case{"V1", false, "Verticale 1"}, Case{"v2", false, "Verticale 2"},
                         Case{"O1", true, "Orizzontale 1"}, Case{"O2", true, "Orizzontale 2"}}) {
        const std::string name = std::string("foglio-") + c.layout + ".pdf";
        const CliRun run = runCli(std::string("sheet --layout ") + c.layout + birth + " --out " + out(name).string() + dataDir());
        ASSERT_EQ(run.status, 0) << run.out;
        EXPECT_TRUE(run.has(c.caption)) << run.out;
        const std::string pdf = contents(out(name));
        ASSERT_EQ(pdf.rfind("%PDF", 0), 0u) << c.layout;
        std::smatch box;
        ASSERT_TRUE(std::regex_search(pdf, box, std::regex(R"(/MediaBox \[0 0 ([0-9.]+) ([0-9.]+)\])"))) << c.layout;
        const double w = std::stod(box[1]), h = std::stod(box[2]);
        // A4 in points: 595 × 842.
        EXPECT_NEAR(c.landscape ? h : w, 595.3, 1.0) << c.layout;
        EXPECT_NEAR(c.landscape ? w : h, 841.9, 1.0) << c.layout;
    }
}

TEST_F(CliSheet, SvgCarriesTheTextsAndPngIsAPage) {
    ASSERT_EQ(runCli("sheet --layout V1 --mono" + birth + " --out " + out("foglio.svg").string() + dataDir()).status, 0);
    const std::string svg = contents(out("foglio.svg"));
    for (const char* text : {"Maria Rossi", "TEMA DI NASCITA", "TERMINI", "DODECATEMORIE", "LATITUDINI",
                             "Roma - Italia", "GMT+2.00"})
        EXPECT_NE(svg.find(text), std::string::npos) << text;
    ASSERT_EQ(runCli("sheet --layout O2" + birth + " --out " + out("foglio.png").string() + dataDir()).status, 0);
    const std::string png = contents(out("foglio.png"));
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(png.substr(1, 3), "PNG");
    const auto be32 = [&](std::size_t at) {
        return (static_cast<unsigned char>(png[at]) << 24) | (static_cast<unsigned char>(png[at + 1]) << 16) |
               (static_cast<unsigned char>(png[at + 2]) << 8) | static_cast<unsigned char>(png[at + 3]);
    };
    EXPECT_GT(be32(16), be32(20)) << "a landscape page is wider than high";
}

TEST_F(CliSheet, PngIsForPaperUnlessTheScreenLookIsAsked) {
    // The page's corner: white paper, or the black of the sheet window.
    const auto corner = [&](const std::string& options, const char* name) {
        const CliRun run = runCli("sheet --layout V2" + options + birth + " --out " + out(name).string() + dataDir());
        EXPECT_EQ(run.status, 0) << run.out;
        const QImage image(QString::fromStdString(out(name).string()));
        return image.isNull() ? QColor() : image.pixelColor(2, 2);
    };
    EXPECT_EQ(corner("", "carta.png"), QColor(Qt::white));
    EXPECT_EQ(corner(" --mono", "nero.png"), QColor(Qt::white));
    EXPECT_EQ(corner(" --screen", "schermo.png"), QColor(Qt::black));
    const CliRun refused = runCli("sheet --layout V2 --screen" + birth + " --out " + out("x.pdf").string() + dataDir());
    EXPECT_EQ(refused.status, 2);
    EXPECT_TRUE(refused.has("--screen vale solo"));
}

TEST_F(CliSheet, RefusesWhatItCannotDraw) {
    struct Case {
        std::string args;
        const char* message;
    };
    const Case cases[] = {
        {"sheet --layout V3" + birth + " --out " + out("x.pdf").string(), "Foglio sconosciuto"},
        {"sheet --layout V1" + birth + " --out " + out("x.txt").string(), ".svg, .pdf o .png"},
        {"sheet --layout V1 --current --name Anna --out " + out("x.pdf").string(), "togliere --name"},
        {"sheet --layout V1 --out " + out("x.pdf").string(), "Indicare --current"},
        {"sheet" + birth + " --out " + out("x.pdf").string(), "--layout"},
    };
    for (const Case& c : cases) {
        const CliRun run = runCli(c.args + dataDir());
        EXPECT_EQ(run.status, 2) << c.args << "\n" << run.out;
        EXPECT_TRUE(run.has(c.message)) << c.args << "\n" << run.out;
    }
    EXPECT_FALSE(std::filesystem::exists(out("x.pdf")));
}

} // namespace sheet_cli_test
