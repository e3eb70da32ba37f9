#include "base/data_dir.h"
#include "base/errors.h"
#include "base/file_safety.h"
#include "base/text_file.h"
#include "ephemeris/text_forms.h"
#include "settings/display_settings.h"
#include "shell/backup.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

namespace qv {
namespace backup_test {

namespace fs = std::filesystem;

TEST(Backup, RefusesAnUndefinedOrMissingDrive) {
    test::TempDataDir data;
    const BackupOutcome none = runBackup(std::nullopt);
    EXPECT_FALSE(none.copied);
    EXPECT_EQ(*none.message, "Necessario definire l'Unit\xE0 di backup");
    const BackupOutcome gone = runBackup(fs::path("/nonexistent-drive/OrdelinxBck"));
    EXPECT_EQ(*gone.message, "L'Unit\xE0 /nonexistent-drive non \xE8 disponibile");
    EXPECT_EQ(*restoreRefusal(fs::path("/nonexistent-drive/OrdelinxBck")),
              "La sorgente /nonexistent-drive/OrdelinxBck non \xE8 disponibile");
    EXPECT_EQ(lastBackupText(), "Mai");

    // A backup folder without the archive is no source: nothing is copied.
    const fs::path empty = backupFolderOn(data.path() / "chiave");
    fs::create_directories(empty / "BASEtxt");
    writeTextLines(empty / "BASEtxt" / "00001.txt", {"testo"});
    EXPECT_EQ(*restoreRefusal(empty), "La sorgente " + empty.string() + " non contiene una copia dell'archivio BASE");
    EXPECT_FALSE(runRestore(empty).copied);
    EXPECT_FALSE(fs::exists(data.path() / "BASEtxt" / "00001.txt"));
}

TEST(Backup, CopiesTheArchiveAndTextsAndRestoresThem) {
    test::TempDataDir drive;
    test::TempDataDir data; // the data directory in force
    for (const char* name : {"BASE.ST1", "BASE.ST2", "BASE.ST3", "RICE.ST1"})
        writeFileAtomically(data.path() / name, std::string("bytes of ") + name);
    const fs::path folder = backupFolderOn(drive.path());

    // No BASEtxt yet: the destination folders are still made.
    BackupOutcome first = runBackup(folder);
    ASSERT_TRUE(first.copied);
    EXPECT_EQ(first.filesCopied, 3);
    EXPECT_TRUE(fs::is_directory(folder / "BASEtxt"));
    EXPECT_FALSE(fs::exists(folder / "DatiBase" / "RICE.ST1"));
    EXPECT_EQ(lastBackupText(), TodayText());

    fs::create_directories(data.path() / "BASEtxt");
    writeTextLines(data.path() / "BASEtxt" / "00001.txt", {"ROSSI MARIO"});
    const BackupOutcome second = runBackup(folder);
    EXPECT_EQ(second.filesCopied, 5); // the date file, three archive files, one text
    EXPECT_EQ(readTextLines(folder / "MMbakMod1.dum"), std::vector<std::string>{TodayText()});

    writeFileAtomically(data.path() / "BASE.ST2", "changed since");
    fs::remove_all(data.path() / "BASEtxt");
    const BackupOutcome restored = runRestore(folder);
    EXPECT_TRUE(restored.copied);
    EXPECT_EQ(readWholeFile(data.path() / "BASE.ST2"), "bytes of BASE.ST2");
    EXPECT_EQ(readTextLines(data.path() / "BASEtxt" / "00001.txt"), std::vector<std::string>{"ROSSI MARIO"});
}

// Choosing a drive replaces line 6 of the settings and nothing else: a 0
// and a value the typed reader refuses stay as they were.
TEST(Backup, TheChosenFolderReplacesOnlyLineSix) {
    test::TempDataDir data;
    recordBackupFolder("/media/chiave/OrdelinxBck");
    EXPECT_EQ(readDisplaySettings().backupFolder, "/media/chiave/OrdelinxBck");
    writeTextLines(data.path() / "FileSet" / "MMVarLas.stt", {"1", "0", "7", "1", "0", "Da definire", "0,95", "1.0"});
    recordBackupFolder("/home/anna/OrdelinxBck");
    EXPECT_EQ(readTextLines(data.path() / "FileSet" / "MMVarLas.stt"),
              (std::vector<std::string>{"1", "0", "7", "1", "0", "/home/anna/OrdelinxBck", "0,95", "1.0"}));
}

// A copy that fails on a later file (here the disk fills while BASE.ST3 is
// copied) leaves every file as it was: no archive with the index
// of the backup and the records of the data directory, no new backup date.
TEST(Backup, ACopyFailingHalfWayChangesNothing) {
    test::TempDataDir drive;
    test::TempDataDir data;
    for (const char* name : {"BASE.ST1", "BASE.ST2", "BASE.ST3"})
        writeFileAtomically(data.path() / name, std::string("backed up ") + name);
    const fs::path folder = backupFolderOn(drive.path());
    ASSERT_TRUE(runBackup(folder).copied);
    for (const char* name : {"BASE.ST1", "BASE.ST2", "BASE.ST3"})
        writeFileAtomically(data.path() / name, std::string("current ") + name);

    const auto temporaries = [](const fs::path& p) {
        int n = 0;
        for (const auto& e : fs::recursive_directory_iterator(p)) n += e.path().extension() == ".tmp~";
        return n;
    };
    // BASE.ST1 and BASE.ST2 go through ("backed up BASE.ST1" is 18 bytes), BASE.ST3 is cut short.
    setWriteFailureAfter(2 * 18 + 5);
    EXPECT_THROW(runRestore(folder), IoError);
    setWriteFailureAfter(-1);
    for (const char* name : {"BASE.ST1", "BASE.ST2", "BASE.ST3"})
        EXPECT_EQ(readWholeFile(data.path() / name), std::string("current ") + name);
    EXPECT_EQ(temporaries(data.path()), 0) << "no temporary file is left";

    writeTextLines(data.path() / "FileDum" / "MMbakMod1.dum", {"01/01/2020"});
    setWriteFailureAfter(18 + 5);
    EXPECT_THROW(runBackup(folder), IoError);
    setWriteFailureAfter(-1);
    EXPECT_EQ(temporaries(folder), 0) << "no temporary file is left";
    EXPECT_EQ(readWholeFile(folder / "DatiBase" / "BASE.ST1"), "backed up BASE.ST1");
    EXPECT_EQ(lastBackupText(), "01/01/2020");
}

} // namespace backup_test
} // namespace qv
