#include "base/errors.h"
#include "base/text_file.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

namespace qv {
namespace text_file_test {

TEST(TextFile, SplitsLinesToleratingEveryEnding) {
    struct Case { std::string text; std::vector<std::string> lines; };
    const std::vector<Case> cases = {
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\r\n\r\nc", {"a", "", "c"}},
        {"a\rb\n", {"a", "b"}},
        {"", {}},
        {"\r\n", {""}},
    };
    for (const auto& c : cases) EXPECT_EQ(splitLines(c.text), c.lines) << c.text;
}

TEST(TextFile, WritesCrLfAndReadsBack) {
    test::TempDataDir dir;
    const auto path = dir.path() / "Annotaz.dum";
    writeTextLines(path, {"uno", "", "caff\xE8"});
    EXPECT_EQ(readWholeFile(path), "uno\r\n\r\ncaff\xE8\r\n");
    EXPECT_EQ(readTextLines(path), (std::vector<std::string>{"uno", "", "caff\xE8"}));
}

TEST(TextFile, AFailedRewriteLeavesWhatWasThereAndNoTemporary) {
    test::TempDataDir dir;
    // The rename over a folder fails after the temporary was written.
    const auto blocked = dir.path() / "Blocked.stt";
    std::filesystem::create_directory(blocked);
    writeTextLines(blocked / "inside.txt", {"kept"});
    EXPECT_THROW(writeTextLines(blocked, {"new"}, "Blocked.stt"), IoError);
    EXPECT_EQ(readTextLines(blocked / "inside.txt"), std::vector<std::string>{"kept"});
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        EXPECT_EQ(entry.path().filename(), "Blocked.stt") << "temporary file left: " << entry.path();
    // A folder that does not exist: nothing is created.
    EXPECT_THROW(writeTextLines(dir.path() / "Missing" / "x.txt", {"new"}), IoError);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "Missing"));
}

TEST(TextFile, AMissingFileIsAnIoErrorWithItsName) {
    test::TempDataDir dir;
    try {
        readTextLines(dir.path() / "nope.txt", "FileDum\\nope.txt");
        FAIL();
    } catch (const IoError& e) {
        EXPECT_EQ(e.file(), "FileDum\\nope.txt");
    }
}

} // namespace text_file_test
} // namespace qv
