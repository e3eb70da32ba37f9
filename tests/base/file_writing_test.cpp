// The writing mechanics every rewrite shares: temporary names of one writer
// alone, and a full disk that leaves the old file whole.
#include "base/errors.h"
#include "base/file_writing.h"
#include "base/text_file.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

#include <set>
#include <sys/wait.h>
#include <unistd.h>

namespace qv {
namespace file_writing_test {

namespace fs = std::filesystem;

TEST(FileWriting, TemporaryNamesAreOfThisWriterAloneAndHidden) {
    test::TempDataDir dir;
    const fs::path target = dir.path() / "TerCom.Rnd";
    std::set<std::string> names;
    std::vector<int> open;
    for (int i = 0; i < 5; ++i) {
        fs::path temp;
        const int fd = createTemporaryBeside(target, temp);
        ASSERT_GE(fd, 0);
        open.push_back(fd);
        EXPECT_EQ(temp.parent_path(), dir.path());
        const std::string name = temp.filename().string();
        EXPECT_EQ(name.rfind(".TerCom.Rnd." + std::to_string(::getpid()) + ".", 0), 0u) << name;
        EXPECT_EQ(temp.extension(), ".tmp~");
        names.insert(name);
    }
    EXPECT_EQ(names.size(), 5u) << "two writers of the same file never share a temporary file";
    for (int fd : open) ::close(fd);
}

// Two commands rewriting the same working file at once (two `remedies
// therapy` runs): with one fixed temporary name the second writer truncated
// the first one's file, and a rename then failed with "file o cartella
// inesistente".
TEST(FileWriting, TwoProcessesRewritingOneFileNeverFail) {
    test::TempDataDir dir;
    const fs::path target = dir.path() / "ProdotR.txt";
    constexpr int kRewrites = 300;
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        int failures = 0;
        for (int i = 0; i < kRewrites; ++i) {
            try {
                writeTextLines(target, {"figlio", std::to_string(i)});
            } catch (const IoError&) {
                ++failures;
            }
        }
        ::_exit(failures == 0 ? 0 : 1);
    }
    int failures = 0;
    std::string firstFailure;
    for (int i = 0; i < kRewrites; ++i) {
        try {
            writeTextLines(target, {"padre", std::to_string(i)});
        } catch (const IoError& e) {
            if (failures++ == 0) firstFailure = e.what();
        }
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_EQ(failures, 0) << firstFailure;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the other process failed";
    EXPECT_EQ(readTextLines(target).size(), 2u) << "the file holds one whole version";
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(FileWriting, AFullDiskLeavesTheOldFileAndNoTemporary) {
    test::TempDataDir dir;
    const fs::path target = dir.path() / "MMVarLas.stt";
    writeTextLines(target, {"vecchio"});
    for (const std::int64_t room : {0, 3, 9}) {
        setWriteFailureAfter(room);
        try {
            writeTextLines(target, {"nuovo contenuto"}, "FileSet\\MMVarLas.stt");
            ADD_FAILURE() << "written with room for " << room << " bytes";
        } catch (const IoError& e) {
            EXPECT_EQ(e.file(), "FileSet\\MMVarLas.stt");
            EXPECT_EQ(e.reason(), "spazio su disco esaurito");
        }
        setWriteFailureAfter(-1);
        EXPECT_EQ(readTextLines(target), std::vector<std::string>{"vecchio"});
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
    }
}

} // namespace file_writing_test
} // namespace qv
