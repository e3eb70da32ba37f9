// The archive files: a new archive byte for byte, the index order, locating
// a typed prefix, removing entries, corrupt files, the archive list and the
// data directory at start-up.
#include "archive/archive_files.h"
#include "archive/data_directory_startup.h"
#include "archive/side_files.h"
#include "archive/subject_operations.h"
#include "base/data_dir.h"
#include "base/errors.h"
#include "base/text_file.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qv {
namespace subjects_archive_test {

std::string bytesOf(const std::string& dataPath) { return readWholeFile(dataDir().resolve(dataPath)); }

std::string field(const std::string& value, std::size_t width) {
    return std::string(1, static_cast<char>(value.size())) + value + std::string(width - value.size(), '\0');
}

Archive openBase() {
    ArchiveOpening o = openArchive("BASE");
    if (!o.archive) throw std::runtime_error(o.refusal);
    return std::move(*o.archive);
}

std::vector<std::string> indexTexts(const Archive& a) {
    std::vector<std::string> out;
    for (const auto& e : a.readWholeIndex()) out.push_back(e.text);
    return out;
}

// An archive BASE whose index holds `names` in this order, each with birth
// record number 1, 2, … (birth records of every subject present).
Archive baseWith(const std::vector<std::string>& names) {
    createPersonalArchive();
    std::vector<Bytes> index = {encodeIndexEntry(headerIndexEntry())};
    std::vector<Bytes> births = {encodeBirthRecord(headerBirthRecord())};
    for (std::size_t i = 0; i < names.size(); ++i) {
        index.push_back(encodeIndexEntry({subjectKey(names[i], static_cast<int>(i) + 1)}));
        BirthRecord r;
        r.moment = "200001011200+0";
        r.place = "45N28-009E11MILANO *MI*";
        r.calendar = "GR";
        r.annotationNumber = "00000";
        births.push_back(encodeBirthRecord(r));
    }
    rewriteRecordFile(dataDir().resolve("BASE.ST1"), index, "BASE.ST1");
    rewriteRecordFile(dataDir().resolve("BASE.ST2"), births, "BASE.ST2");
    return openBase();
}

class ArchiveFiles : public ::testing::Test {
protected:
    test::TempDataDir dir;
};

TEST_F(ArchiveFiles, ANewPersonalArchiveHoldsTheThreeHeaderRecords) {
    createPersonalArchive();
    EXPECT_EQ(bytesOf("BASE.ST1"), field("0 Registro vuoto......................00000", 43));
    std::string st2;
    for (std::size_t width : {20, 39, 2, 20, 72, 60, 124, 21, 12}) st2 += field(" ", width);
    st2 += field("     ", 5);
    EXPECT_EQ(bytesOf("BASE.ST2"), st2);
    const std::string st3 = bytesOf("BASE.ST3");
    ASSERT_EQ(st3.size(), 284u);
    EXPECT_EQ(st3.substr(213, 71), field("           QUESTO TEMA NON CONTIENE PER ORA ANNOTAZIONI.              ", 70));

    Archive base = openBase();
    EXPECT_EQ(base.subjectCount(), 0);
    EXPECT_EQ(base.locate("ROSSI").position, 0) << "an empty archive is not searched";
    EXPECT_FALSE(base.locate("ROSSI").matches);
}

TEST_F(ArchiveFiles, CreatingAnArchiveNeverOverwritesItsFiles) {
    baseWith({"ROSSI MARIO"});
    std::filesystem::remove(dataDir().resolve("BASE.ST1"));
    const std::string births = bytesOf("BASE.ST2");
    // Births without their index: a fresh empty index would hide them all.
    EXPECT_THROW(createPersonalArchive(), IoError);
    EXPECT_EQ(bytesOf("BASE.ST2"), births) << "the birth records are kept";
    EXPECT_FALSE(dataDir().exists("BASE.ST1"));
    // An archive whose birth file holds its header alone is made anew.
    std::filesystem::resize_file(dataDir().resolve("BASE.ST2"), kBirthRecordSize);
    createPersonalArchive();
    EXPECT_EQ(bytesOf("BASE.ST1").size(), 44u);
}

TEST_F(ArchiveFiles, TheIndexIsInByteOrderOfTheWholeKey) {
    Archive base = baseWith({});
    const std::pair<std::string, int> added[] = {
        // name, the position it lands on when appended in order
        {"ROSSI MARIO", 1}, {"BIANCHI LUCA", 1}, {"ROSSI MARIO", 3}, {"\xC0LVARO", 4},
        {"ROSSI MARIO GIUSEPPE ANTONIO DI SANTA CROCE", 4}, {"ROSSI", 2},
    };
    int number = 1;
    for (const auto& [name, position] : added)
        EXPECT_EQ(base.appendInOrder({subjectKey(name, number++)}), position) << name;
    EXPECT_EQ(indexTexts(base), (std::vector<std::string>{
                                    "0 Registro vuoto......................00000",
                                    "BIANCHI LUCA                          00002",
                                    "ROSSI                                 00006",
                                    "ROSSI MARIO                           00001",
                                    "ROSSI MARIO                           00003",
                                    "ROSSI MARIO GIUSEPPE ANTONIO DI SANTA 00005",
                                    "\xC0LVARO                                00004",
                                }));
}

TEST_F(ArchiveFiles, InsertingInOrderRunsDownToTheSecondEntry) {
    // The new entry stands last; the pass swaps every pair that is out of order on its way.
    baseWith({"CARLO", "ANNA", "VERDI", "BRUNO"});
    Archive base = openBase();
    EXPECT_EQ(base.insertInOrder(4), 3);
    EXPECT_EQ(indexTexts(base)[1].substr(0, 5), "ANNA ");
    EXPECT_EQ(indexTexts(base)[2].substr(0, 5), "CARLO");
    EXPECT_EQ(indexTexts(base)[3].substr(0, 5), "BRUNO");
    EXPECT_EQ(indexTexts(base)[4].substr(0, 5), "VERDI");
    EXPECT_THROW(base.insertInOrder(5), IoError);
}

TEST_F(ArchiveFiles, LocatingATypedPrefix) {
    Archive base = baseWith({"ROSSI ANNA", "ROSSI MARIO", "ROSSINI GIOACCHINO", "VERDI GIUSEPPE"});
    struct Case {
        const char* typed;
        int position;
        bool matches;
    };
    const Case cases[] = {
        {"ROSSI", 2, true},         // a whole surname: the last of its names
        {"rossi", 2, true},         // typed in lower case
        {"ROSSI MARIO", 2, true},
        {"ROSSINI", 3, true},
        {"ROSSIN", 2, false},       // names that continue with letters sort after the probe
        {"A", 1, false},            // nothing below the probe: entry 1
        {"VERDI", 4, true},         // the last entry of the archive
        {"Z", 4, false},
    };
    for (const auto& c : cases) {
        const Located l = base.locate(c.typed);
        EXPECT_EQ(l.position, c.position) << c.typed;
        EXPECT_EQ(l.matches, c.matches) << c.typed;
        EXPECT_EQ(l.entry.text, base.readIndex(c.position).text) << c.typed;
    }
    Archive one = baseWith({"VERDI GIUSEPPE"});
    EXPECT_EQ(one.locate("A").position, 1);
    EXPECT_EQ(one.locate("Z").position, 1);
}

TEST_F(ArchiveFiles, RemovingEntriesKeepsTheRecords) {
    Archive base = baseWith({"ANNA", "BRUNO", "CARLO"});
    base.removeIndexEntry(2);
    EXPECT_EQ(base.subjectCount(), 2);
    EXPECT_EQ(indexTexts(base)[2].substr(0, 5), "CARLO");
    base.removeIndexEntry(2);
    base.removeIndexEntry(1);
    EXPECT_EQ(base.subjectCount(), 0);
    EXPECT_EQ(bytesOf("BASE.ST1"), field("0 Registro vuoto......................00000", 43));
    EXPECT_EQ(base.birthCount(), 4) << "birth records stay, unreferenced";
    EXPECT_THROW(base.removeIndexEntry(1), IoError);
    EXPECT_THROW(base.removeIndexEntry(0), IoError) << "the header is never removed";
}

TEST_F(ArchiveFiles, TheTemporaryArchiveIsRefusedAndMissingFilesAreNamed) {
    for (const char* name : {"TMPR", "tmpr", "BAS", "BASES"}) {
        const ArchiveOpening o = openArchive(name);
        EXPECT_FALSE(o.archive) << name;
        EXPECT_EQ(o.refusal, "Nome Archivio Non Ammesso") << name;
    }
    try {
        openArchive("RICE");
        FAIL() << "no error";
    } catch (const IoError& e) {
        EXPECT_EQ(e.file(), "RICE.ST1");
    }
    createPersonalArchive();
    writeFileAtomically(dataDir().resolve("BASE.ST1"), "");
    EXPECT_THROW(openArchive("base"), IoError) << "an index without its header record";
}

TEST_F(ArchiveFiles, CorruptRecordsGiveClearErrorsAndWriteNothing) {
    Archive base = baseWith({"ANNA", "BRUNO"});
    // Entry 1 with a number that is no number.
    writeRecordsAtomically(dataDir().resolve("BASE.ST1"), kIndexRecordSize,
                           {{1, encodeIndexEntry({"ANNA                                  00x01"})}}, "BASE.ST1");
    base = openBase();
    EXPECT_THROW(recallSubject(base, 1), ConversionError);

    // Entry 2's birth record cut short.
    std::string births = bytesOf("BASE.ST2");
    writeFileAtomically(dataDir().resolve("BASE.ST2"), births.substr(0, 2 * kBirthRecordSize + 100));
    base = openBase();
    EXPECT_THROW(recallSubject(base, 2), IoError);

    // An annotation number past the end of .ST3.
    BirthRecord r = decodeBirthRecord(Bytes(births.begin() + kBirthRecordSize, births.begin() + 2 * kBirthRecordSize));
    r.annotationNumber = "00007";
    writeFileAtomically(dataDir().resolve("BASE.ST2"), births);
    writeRecordsAtomically(dataDir().resolve("BASE.ST2"), kBirthRecordSize, {{2, encodeBirthRecord(r)}}, "BASE.ST2");
    base = openBase();
    try {
        recallSubject(base, 2);
        FAIL() << "no error";
    } catch (const IoError& e) {
        EXPECT_EQ(e.file(), "BASE.ST3");
        EXPECT_NE(std::string(e.what()).find("l'annotazione numero 7 non esiste"), std::string::npos) << e.what();
    }
    EXPECT_THROW(recallSubject(base, 3), IoError) << "past the last entry";
    EXPECT_FALSE(dataDir().exists(kRecalledPointerFile)) << "no failed recall wrote its side files";
    EXPECT_FALSE(dataDir().exists(kAnnotationsFile));
}

TEST_F(ArchiveFiles, TheListOfArchivesWithTheirCaptions) {
    createPersonalArchive();
    createArchive("rice");
    createArchive("TMPR");
    writeFileAtomically(dir.path() / "abcd.st1", "");
    writeFileAtomically(dir.path() / "notes.ST1", "");
    std::vector<std::string> captions;
    for (const auto& a : listArchives(false)) captions.push_back(a.caption);
    EXPECT_EQ(captions, (std::vector<std::string>{"ABCD", "BASE (personale)", "RICE (speciale)"}));
    captions.clear();
    for (const auto& a : listArchives(true)) captions.push_back(a.caption);
    EXPECT_EQ(captions.back(), "TMPR (temporaneo)");
    EXPECT_EQ(archiveCaption("BANK"), "BANK (banca dati)");
}

TEST(DataDirectoryStartup, CopiesTheTemplateCreatesBaseAndLocksOutASecondCopy) {
    test::TempDataDir parent;
    const auto root = parent.path() / "nuova";
    PreparedDataDirectory first = prepareDataDirectory(root, test::dataTemplateDir());
    ASSERT_TRUE(first.refusal.empty());
    EXPECT_TRUE(first.personalArchiveCreated);
    EXPECT_GT(first.templateFilesCopied, 0);
    EXPECT_TRUE(dataDir().exists("FileSet\\OrbiDomi.stt"));
    EXPECT_EQ(bytesOf("base.st1"), field("0 Registro vuoto......................00000", 43));

    std::filesystem::remove(dataDir().resolve("BASE.ST1"));
    std::filesystem::remove(dataDir().resolve("FileSet\\OrbiDomi.stt"));
    PreparedDataDirectory second = prepareDataDirectory(root, test::dataTemplateDir());
    EXPECT_FALSE(second.lock);
    EXPECT_NE(second.refusal.find("gi\xE0 in uso"), std::string::npos);
    EXPECT_FALSE(dataDir().exists("BASE.ST1")) << "the second copy writes nothing";
    EXPECT_FALSE(dataDir().exists("FileSet\\OrbiDomi.stt"));

    first.lock.reset();
    PreparedDataDirectory third = prepareDataDirectory(root, test::dataTemplateDir());
    EXPECT_TRUE(third.refusal.empty());
    EXPECT_TRUE(third.personalArchiveCreated);
    EXPECT_EQ(third.templateFilesCopied, 1);
}

} // namespace subjects_archive_test
} // namespace qv
