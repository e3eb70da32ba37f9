#include "base/data_dir.h"
#include "base/errors.h"
#include "base/text_file.h"
#include "settings/display_settings.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

namespace qv {
namespace display_settings_test {

namespace fs = std::filesystem;

std::vector<std::string> settingsLines(const test::TempDataDir& dir) {
    return readTextLines(dir.path() / "FileSet" / "MMVarLas.stt");
}

TEST(DisplaySettings, AMissingFileIsCreatedWithTheDefaults) {
    test::TempDataDir dir;
    const DisplaySettings s = readDisplaySettings();
    EXPECT_EQ(s.line1, 1);
    EXPECT_EQ(s.printerAdapted, 0);
    EXPECT_EQ(s.calendarReformFlag, 1);
    EXPECT_EQ(s.lineThickness, 1.0L);
    EXPECT_EQ(readWholeFile(dir.path() / "FileSet" / "MMVarLas.stt"),
              "1\r\n0\r\n0\r\n1\r\n 1.00000000000000E+0000\r\n\r\n 1.00000000000000E+0000\r\n"
              " 1.00000000000000E+0000\r\n");
}

TEST(DisplaySettings, TheCalendarReformLineAloneDefaultsToOneAndWritesNothing) {
    test::TempDataDir dir;
    EXPECT_EQ(calendarReformSetting(), 1);
    EXPECT_FALSE(fs::exists(dir.path() / "FileSet" / "MMVarLas.stt")) << "reading line 4 creates no file";
    fs::create_directories(dir.path() / "FileSet");
    struct Case { std::vector<std::string> lines; int setting; };
    const Case cases[] = {
        {{"1", "0", "0", "0"}, 0}, {{"1", "0", "0", " 2 "}, 2}, {{"1", "0", "0", "+0"}, 0},
        {{"1", "0", "0", "2x"}, 1}, {{"1", "0", "0", ""}, 1}, {{"1", "0"}, 1},
    };
    for (const Case& c : cases) {
        writeTextLines(dir.path() / "FileSet" / "MMVarLas.stt", c.lines);
        EXPECT_EQ(calendarReformSetting(), c.setting) << (c.lines.size() > 3 ? c.lines[3] : "short file");
    }
}

TEST(DisplaySettings, ZeroFactorsReadAsOneAndTheFileStaysAsItIs) {
    test::TempDataDir dir;
    fs::create_directories(dir.path() / "FileSet");
    const std::vector<std::string> lines = {"1", "1", "7", "0", "0", "/media/usb/OrdelinxBck", "0.0", " 9.5E-0001"};
    writeTextLines(dir.path() / "FileSet" / "MMVarLas.stt", lines);
    const DisplaySettings s = readDisplaySettings();
    EXPECT_EQ(s.printerAdapted, 1);
    EXPECT_EQ(s.reserved, 7);
    EXPECT_EQ(s.lineThickness, 1.0L);
    EXPECT_EQ(s.scaleX, 1.0L);
    EXPECT_EQ(s.scaleY, 0.95L);
    EXPECT_EQ(s.backupFolder, "/media/usb/OrdelinxBck");
    EXPECT_EQ(settingsLines(dir), lines);
}

TEST(DisplaySettings, AnOldBackupFolderIsRetiredAndNothingElseChanges) {
    test::TempDataDir dir;
    fs::create_directories(dir.path() / "FileSet");
    writeTextLines(dir.path() / "FileSet" / "MMVarLas.stt",
                   {"1", "0", "3", "1", " 2.00000000000000E+0000", "D:\\Od6Backup", "0.9", "1.1"});
    EXPECT_TRUE(retireOldBackupFolder());
    EXPECT_EQ(settingsLines(dir), (std::vector<std::string>{"1", "0", "3", "1", " 2.00000000000000E+0000",
                                                            "Da definire", "0.9", "1.1"}));
    EXPECT_FALSE(retireOldBackupFolder());
}

TEST(DisplaySettings, BadFilesAreReportedAndLeftAlone) {
    test::TempDataDir dir;
    fs::create_directories(dir.path() / "FileSet");
    writeTextLines(dir.path() / "FileSet" / "MMVarLas.stt", {"1", "0", "0"});
    EXPECT_THROW(readDisplaySettings(), ConversionError);
    writeTextLines(dir.path() / "FileSet" / "MMVarLas.stt", {"1", "x", "0", "1", "1", "", "1", "1"});
    try {
        readDisplaySettings();
        FAIL();
    } catch (const ConversionError& e) {
        EXPECT_NE(std::string(e.what()).find("riga 2"), std::string::npos) << e.what();
    }
    EXPECT_EQ(settingsLines(dir)[1], "x");
}

// Every line against its range, and exactly eight lines: a thickness of
// 1e308 drew a wheel without circles, and a file of millions of lines was
// taken for the settings.
TEST(DisplaySettings, ValuesOutOfTheirRangeAndWrongLineCountsAreRefused) {
    test::TempDataDir dir;
    fs::create_directories(dir.path() / "FileSet");
    const std::vector<std::string> good = {"1", "0", "0", "1", " 1.00000000000000E+0000", "", "1", "1"};
    struct Case {
        int line;  // 1-based; 0: the whole file
        std::string value, expected;
    };
    const Case refused[] = {
        {5, "1e308", "riga 5"}, {5, "-3", "riga 5"}, {5, "50", "riga 5"}, {5, "0.49", "riga 5"},
        {5, "4.01", "riga 5"}, {7, "1.3", "riga 7"},  {8, "0.7", "riga 8"}, {7, "-1", "riga 7"},
        {2, "2", "riga 2"},    {4, "-1", "riga 4"},   {3, "99999999999", "riga 3"},
    };
    for (const Case& c : refused) {
        std::vector<std::string> lines = good;
        lines[static_cast<std::size_t>(c.line - 1)] = c.value;
        writeTextLines(dir.path() / "FileSet" / "MMVarLas.stt", lines);
        try {
            readDisplaySettings();
            ADD_FAILURE() << "accepted " << c.value << " on line " << c.line;
        } catch (const ConversionError& e) {
            EXPECT_NE(std::string(e.what()).find(c.expected), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find("MMVarLas.stt"), std::string::npos) << e.what();
        }
        EXPECT_EQ(settingsLines(dir), lines) << "the file is left as it was";
    }
    // The ends of the ranges, and 0 read as 1.0, are accepted.
    for (const auto& [thickness, factor] : {std::pair{"0.5", "0.8"}, std::pair{"4", "1.2"}, std::pair{"0", "0"}}) {
        std::vector<std::string> lines = good;
        lines[4] = thickness;
        lines[6] = lines[7] = factor;
        writeTextLines(dir.path() / "FileSet" / "MMVarLas.stt", lines);
        EXPECT_NO_THROW(readDisplaySettings()) << thickness << " " << factor;
    }

    std::vector<std::string> nine = good;
    nine.push_back("1");
    std::vector<std::string> trailingBlank = good;
    trailingBlank.push_back("");
    writeTextLines(dir.path() / "FileSet" / "MMVarLas.stt", nine);
    EXPECT_THROW(readDisplaySettings(), ConversionError);
    writeTextLines(dir.path() / "FileSet" / "MMVarLas.stt", trailingBlank);
    EXPECT_NO_THROW(readDisplaySettings()) << "an editor's final blank line is tolerated";
    std::string huge = "1\r\n0\r\n0\r\n1\r\n1\r\n\r\n1\r\n1\r\n";
    huge.reserve(huge.size() + 3 * 5000000);
    for (int i = 0; i < 5000000; ++i) huge += "1\r\n";
    writeFileAtomically(dir.path() / "FileSet" / "MMVarLas.stt", huge);
    EXPECT_THROW(readDisplaySettings(), ConversionError);
}

TEST(PractitionerName, CreatedWhenMissingAndRewrittenWhole) {
    test::TempDataDir dir;
    EXPECT_EQ(readPractitionerName().shown(), "Nome Cognome");
    writePractitionerName({"Anna", "Bianch\xEC"});
    EXPECT_EQ(readWholeFile(dir.path() / "FileTmp" / "Personal.Tmp"), "Anna\r\nBianch\xEC\r\n");
    EXPECT_EQ(readPractitionerName().shown(), "Anna Bianch\xEC");
}

} // namespace display_settings_test
} // namespace qv
