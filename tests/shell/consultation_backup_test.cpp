#include "base/data_dir.h"
#include "base/errors.h"
#include "consultations/consultation_store.h"
#include "shell/backup.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace qv {
namespace consultation_backup_test {

namespace fs = std::filesystem;
using namespace consultations;

const fs::perms kOwnerOnly = fs::perms::owner_read | fs::perms::owner_write;

Consultation visit(const std::string& complaints) {
    Consultation c;
    c.subject = {"BASE", "ROSSI MARIA", "196803121430-1"};
    c.date = {1, 2, 2026};
    c.complaints = complaints;
    c.remedies = {{"Melissa", "15 gocce", "tre settimane"}};
    return c;
}

void writeFile(const fs::path& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }

TEST(ConsultationBackup, TheStoreTravelsWithTheArchiveOwnerOnly) {
    test::TempDataDir drive;
    test::TempDataDir data;
    writeFile(data.path() / "BASE.ST1", "index");
    Consultation first = visit("Insonnia");
    openStore().save(first);
    const fs::path folder = backupFolderOn(drive.path());

    ASSERT_TRUE(runBackup(folder).copied);
    const fs::path copy = folder / "Consulti.db";
    EXPECT_EQ(fs::status(copy).permissions() & fs::perms::all, kOwnerOnly);
    EXPECT_FALSE(fs::exists(folder / "Consulti.db.copia~"));
    EXPECT_EQ(ConsultationStore(copy, false).countOf(first.subject), 1);

    // Work after the backup is undone by the restore.
    Consultation second = visit("Cefalea");
    openStore().save(second);
    ASSERT_TRUE(runRestore(folder).copied);
    EXPECT_EQ(fs::status(storePath()).permissions() & fs::perms::all, kOwnerOnly);
    const auto list = openStore().consultationsOf(first.subject);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].complaints, "Insonnia");
}

TEST(ConsultationBackup, ADamagedStoreIsNeitherBackedUpNorRestored) {
    test::TempDataDir drive;
    test::TempDataDir data;
    writeFile(data.path() / "BASE.ST1", "index");
    Consultation first = visit("Insonnia");
    openStore().save(first);
    const fs::path folder = backupFolderOn(drive.path());
    ASSERT_TRUE(runBackup(folder).copied);

    // A damaged live store does not overwrite the sound copy of the backup.
    writeFile(storePath(), "rovinato");
    EXPECT_THROW(runBackup(folder), IoError);
    EXPECT_EQ(ConsultationStore(folder / "Consulti.db", false).countOf(first.subject), 1);

    // A restore brings the sound copy back over the damaged one.
    ASSERT_TRUE(runRestore(folder).copied);
    EXPECT_EQ(openStore().countOf(first.subject), 1);

    // A damaged copy in the backup restores nothing at all.
    writeFile(folder / "Consulti.db", "rovinato anche qui");
    writeFile(folder / "DatiBase" / "BASE.ST1", "other index");
    EXPECT_THROW(runRestore(folder), IoError);
    EXPECT_EQ(openStore().countOf(first.subject), 1);
    std::ifstream index(data.path() / "BASE.ST1");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(index), {}), "index");
}

} // namespace consultation_backup_test
} // namespace qv
