#include "base/data_dir.h"
#include "base/errors.h"
#include "base/text_file.h"
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
    try {
        runBackup(folder);
        ADD_FAILURE() << "a damaged store was backed up";
    } catch (const IoError& e) {
        EXPECT_NE(e.reason().find("ripristinarlo da una copia di sicurezza"), std::string::npos) << e.reason();
    }
    EXPECT_EQ(ConsultationStore(folder / "Consulti.db", false).countOf(first.subject), 1);

    // A restore brings the sound copy back over the damaged one.
    ASSERT_TRUE(runRestore(folder).copied);
    EXPECT_EQ(openStore().countOf(first.subject), 1);

    // A damaged copy in the backup restores nothing at all, and the user
    // is sent to another copy, not round in a circle to "a backup copy".
    const std::string sound = readWholeFile(folder / "Consulti.db");
    for (const std::string& damaged : {std::string("rovinato anche qui"), sound.substr(0, 4096 + 100), std::string()}) {
        writeFile(folder / "Consulti.db", damaged);
        writeFile(folder / "DatiBase" / "BASE.ST1", "other index");
        try {
            runRestore(folder);
            ADD_FAILURE() << "a damaged copy was restored";
        } catch (const IoError& e) {
            EXPECT_EQ(e.file(), (folder / "Consulti.db").string());
            EXPECT_NE(e.reason().find("nulla \xE8 stato ripristinato e i dati attuali restano come erano"),
                      std::string::npos) << e.reason();
            EXPECT_NE(e.reason().find("un'altra copia di sicurezza"), std::string::npos) << e.reason();
            EXPECT_EQ(e.reason().find("ripristinarlo da una copia"), std::string::npos) << e.reason();
        }
    }
    EXPECT_EQ(openStore().countOf(first.subject), 1);
    std::ifstream index(data.path() / "BASE.ST1");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(index), {}), "index");
}

} // namespace consultation_backup_test
} // namespace qv
