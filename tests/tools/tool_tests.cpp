// The developers' tools that the data and the pictures of the README rest
// on: write_data_manifest raises the data version exactly when the list of
// program files changes, and take_screenshots draws every window into a
// picture that is not blank.
#include "base/data_dir.h"
#include "base/text_file.h"
#include "tests/support/cli_runner.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QSet>
#include <filesystem>
#include <string>

namespace tool_tests {

namespace fs = std::filesystem;
using qv::test::CliRun;

std::string version(const fs::path& folder) { return qv::readWholeFile(folder / "VERSION"); }

TEST(WriteDataManifest, RaisesTheVersionWhenAProgramFileChangesAndOnlyThen) {
    qv::test::TempDataDir temp;
    const fs::path data = temp.path() / "data";
    fs::create_directories(data / "FilePosi");
    fs::create_directories(data / "Appoggio");
    qv::writeFileAtomically(data / "FilePosi" / "DSEL.rnd", std::string("\x01\x00\x02\x00", 4));
    qv::writeFileAtomically(data / "Appoggio" / "Messaggi.txt", "Buongiorno\r\n");
    qv::writeFileAtomically(data / "VERSION", "6\r\n");
    const std::string tool = QV_WRITE_DATA_MANIFEST;

    // A template without a manifest: one is written, the version raised.
    CliRun r = qv::test::runCli(tool, data.string());
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(version(data), "7\r\n");
    const std::string manifest = qv::readWholeFile(data / "MANIFEST");
    EXPECT_NE(manifest.find("FilePosi\\DSEL.rnd\r\n"), std::string::npos) << manifest;
    EXPECT_NE(manifest.find("Appoggio\\Messaggi.txt\r\n"), std::string::npos) << manifest;

    // Nothing changed: neither the manifest nor the version moves.
    r = qv::test::runCli(tool, data.string());
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("unchanged; data version 7"), std::string::npos) << r.out;
    EXPECT_EQ(version(data), "7\r\n");
    EXPECT_EQ(qv::readWholeFile(data / "MANIFEST"), manifest);

    // A table changed in place, same size: a new checksum and a new version,
    // once.
    qv::writeFileAtomically(data / "FilePosi" / "DSEL.rnd", std::string("\x01\x00\x03\x00", 4));
    r = qv::test::runCli(tool, data.string());
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("changed or new: FilePosi\\DSEL.rnd"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("Messaggi"), std::string::npos) << r.out;
    EXPECT_EQ(version(data), "8\r\n");
    EXPECT_NE(qv::readWholeFile(data / "MANIFEST"), manifest);
    ASSERT_EQ(qv::test::runCli(tool, data.string()).status, 0);
    EXPECT_EQ(version(data), "8\r\n");

    // A file removed is a change too.
    fs::remove(data / "Appoggio" / "Messaggi.txt");
    r = qv::test::runCli(tool, data.string());
    EXPECT_NE(r.out.find("removed: Appoggio\\Messaggi.txt"), std::string::npos) << r.out;
    EXPECT_EQ(version(data), "9\r\n");
}

// The number of colours in the picture, up to `enough`.
int colours(const QImage& image, int enough) {
    QSet<QRgb> seen;
    for (int y = 0; y < image.height() && seen.size() < enough; y += 3)
        for (int x = 0; x < image.width() && seen.size() < enough; x += 3) seen.insert(image.pixel(x, y));
    return static_cast<int>(seen.size());
}

TEST(TakeScreenshots, EveryWindowIsDrawnIntoAPictureThatIsNotBlank) {
    qv::test::TempDataDir temp;
    const fs::path out = temp.path() / "foto";
    fs::create_directories(out);
    const CliRun r = qv::test::runCli(std::string("QT_QPA_PLATFORM=offscreen ") + QV_TAKE_SCREENSHOTS,
                                      out.string() + " 1366x768");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out.find("non scritto"), std::string::npos) << r.out;
    for (const char* name : {"main_window", "birth_entry", "recall", "modification", "deletion", "backup",
                             "text_editor", "orb_editor", "remedies", "therapies", "symptoms", "sheet_window",
                             "sheet_window_portrait", "analysis_window"}) {
        const fs::path png = out / (std::string(name) + ".png");
        ASSERT_TRUE(fs::exists(png)) << name << "\n" << r.out;
        const QImage image(QString::fromStdString(png.string()));
        ASSERT_FALSE(image.isNull()) << name;
        EXPECT_GE(colours(image, 8), 8) << name << " is blank or nearly so";
    }
    // The full-screen windows take the screen size given.
    for (const char* name : {"sheet_window", "analysis_window"}) {
        const QImage image(QString::fromStdString((out / (std::string(name) + ".png")).string()));
        EXPECT_EQ(image.size(), QSize(1366, 768)) << name;
    }
}

} // namespace tool_tests
