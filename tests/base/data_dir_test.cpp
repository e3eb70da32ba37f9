#include "base/data_dir.h"
#include "datatemplate/template_update.h"
#include "datatemplate/template_files.h"
#include "base/text_file.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

namespace qv {
namespace data_dir_test {

namespace fs = std::filesystem;

TEST(DataDir, ResolvesBackslashPathsIgnoringCase) {
    test::TempDataDir dir;
    fs::create_directories(dir.path() / "FilePosi");
    writeTextLines(dir.path() / "FilePosi" / "dsel.RND", {});
    EXPECT_EQ(dataDir().resolve("FILEPOSI\\DSEL.rnd"), dir.path() / "FilePosi" / "dsel.RND");
    EXPECT_TRUE(dataDir().exists("fileposi\\Dsel.Rnd"));
    // What does not exist keeps the case given, under the folder that does.
    EXPECT_EQ(dataDir().resolve("fileposi\\NEW.rnd"), dir.path() / "FilePosi" / "NEW.rnd");
    EXPECT_EQ(dataDir().prepareForWrite("BASEtxt\\00001.txt"), dir.path() / "BASEtxt" / "00001.txt");
    EXPECT_TRUE(fs::is_directory(dir.path() / "BASEtxt"));
}

TEST(DataDir, TemplateFillsOnlyMissingFiles) {
    test::TempDataDir templ;
    fs::create_directories(templ.path() / "FileSet");
    writeTextLines(templ.path() / "FileSet" / "OrbiDomi.stt", {"template"});
    writeTextLines(templ.path() / "Top.txt", {"template"});

    test::TempDataDir user;
    fs::create_directories(user.path() / "fileset");
    writeTextLines(user.path() / "fileset" / "orbidomi.stt", {"mine"});
    EXPECT_EQ(installTemplate(dataDir(), templ.path()), 1);
    EXPECT_EQ(readTextLines(user.path() / "fileset" / "orbidomi.stt"), std::vector<std::string>{"mine"});
    EXPECT_EQ(readTextLines(user.path() / "Top.txt"), std::vector<std::string>{"template"});
    EXPECT_FALSE(fs::exists(user.path() / "FileSet"));
    EXPECT_EQ(installTemplate(dataDir(), templ.path()), 0);
}

TEST(DataDir, SecondCopyDoesNotGetTheLock) {
    test::TempDataDir dir;
    DataDirLock first(dataDir());
    ASSERT_TRUE(first.acquired());
    DataDirLock second(dataDir());
    EXPECT_FALSE(second.acquired());
}

} // namespace data_dir_test
} // namespace qv
