// The writing mechanics every writer shares: temporary names of one writer
// alone and short enough for any target name, a full disk that leaves the
// old file whole, links replaced and never followed, the permissions of
// what is written, and when a file's identity proves anything.
#include "base/errors.h"
#include "base/file_safety.h"
#include "base/text_file.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

namespace qv {
namespace file_safety_test {

namespace fs = std::filesystem;

TEST(FileWriting, TemporaryNamesAreOfThisWriterAloneHiddenAndShort) {
    test::TempDataDir dir;
    const std::string longest(255, 'r');  // the longest name the file system allows
    const fs::path target = dir.path() / longest;
    std::set<std::string> names;
    std::vector<std::unique_ptr<FileReplacement>> open;
    for (int i = 0; i < 5; ++i) {
        open.push_back(std::make_unique<FileReplacement>(target, "relazione"));
        const fs::path& temp = open.back()->temporary();
        EXPECT_EQ(temp.parent_path(), dir.path());
        const std::string name = temp.filename().string();
        EXPECT_EQ(name.rfind(".qv" + std::to_string(::getpid()) + ".", 0), 0u) << name;
        EXPECT_EQ(temp.extension(), ".tmp~");
        EXPECT_EQ(writerOfTemporary(name), ::getpid());
        names.insert(name);
    }
    EXPECT_EQ(names.size(), 5u) << "two writers of the same file never share a temporary file";
    open.back()->write("parole");
    open.back()->putInPlace();
    EXPECT_EQ(readWholeFile(target), "parole");
    open.clear();
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1) << "no temporary left";
    // The names earlier versions gave their temporary files are known too.
    EXPECT_EQ(writerOfTemporary(".TerCom.Rnd.4242.000007.tmp~"), 4242);
    EXPECT_EQ(writerOfTemporary(".DPR1.rnd.4242.aB3xYz"), 4242);
    EXPECT_EQ(writerOfTemporary(".qv12.000001.tmp~"), 12);
    for (const char* other : {"BASE.ST1", ".qv.000001.tmp~", ".qvx1.000001.tmp~", ".bashrc"})
        EXPECT_EQ(writerOfTemporary(other), 0) << other;
}

// A link planted at the target (a shared folder, another user's file) is
// replaced by the new file; the file it pointed to is never written.
TEST(FileWriting, ALinkAtTheTargetIsReplacedNeverFollowed) {
    test::TempDataDir dir;
    const fs::path victim = dir.path() / "altrui.txt";
    writeFileAtomically(victim, "di un altro");
    fs::permissions(victim, fs::perms(0644), fs::perm_options::replace);
    const fs::path target = dir.path() / "relazione.pdf";
    fs::create_symlink(victim, target);
    writeFileAtomically(target, "la relazione");
    EXPECT_FALSE(fs::is_symlink(target));
    EXPECT_EQ(readWholeFile(target), "la relazione");
    EXPECT_EQ(readWholeFile(victim), "di un altro");
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all, fs::perms(0600)) << "a new file is the owner's only";
}

// A new file is its owner's only; a regular file replaced keeps the
// permissions it had.
TEST(FileWriting, NewFilesAreTheOwnersOnlyAndReplacedOnesKeepTheirPermissions) {
    test::TempDataDir dir;
    const fs::path target = dir.path() / "foglio.pdf";
    writeFileAtomically(target, "primo");
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all, fs::perms(0600));
    fs::permissions(target, fs::perms(0640), fs::perm_options::replace);
    writeFileAtomically(target, "secondo");
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all, fs::perms(0640));
    EXPECT_EQ(readWholeFile(target), "secondo");

    const fs::path folder = dir.path() / "a" / "b";
    createPrivateFolders(folder, "a\\b");
    EXPECT_EQ(fs::status(folder).permissions() & fs::perms::all, fs::perms(0700));
    EXPECT_EQ(fs::status(folder.parent_path()).permissions() & fs::perms::all, fs::perms(0700));
}

// Two programs creating one file: the second finds the first one's there
// and its own temporary goes.
TEST(FileWriting, PutInPlaceUnlessPresentNeverReplaces) {
    test::TempDataDir dir;
    const fs::path target = dir.path() / "Consulti.db";
    FileReplacement first(target, "Consulti.db"), second(target, "Consulti.db");
    first.write("primo");
    second.write("secondo");
    EXPECT_TRUE(first.putInPlaceUnlessPresent());
    EXPECT_FALSE(second.putInPlaceUnlessPresent());
    EXPECT_EQ(readWholeFile(target), "primo");
}

// An identity proves the same bytes only once its times are older than the
// file system's settling time.
TEST(FileWriting, AnIdentityProvesNothingWhileItsTimesAreFresh) {
    test::TempDataDir dir;
    const fs::path file = dir.path() / "DSEL.rnd";
    writeFileAtomically(file, "tabella");
    StatResult seen = statFile(file);
    ASSERT_TRUE(seen.regular);
    EXPECT_NE(seen.identity.device, 0u);
    EXPECT_EQ(seen.identity.size, 7u);
    EXPECT_FALSE(identitySettled(seen.identity, file)) << "just written";
    EXPECT_FALSE(settledIdentity(seen, file).known());
    seen.identity.modifiedNs -= 3000000000LL;
    seen.identity.changedNs -= 3000000000LL;
    EXPECT_TRUE(identitySettled(seen.identity, file)) << "three seconds old";
    EXPECT_EQ(settledIdentity(seen, file), seen.identity);
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

} // namespace file_safety_test
} // namespace qv
