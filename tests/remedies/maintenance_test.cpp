// Keeping the remedy database: saves, appends, deletions and new orders that
// an interrupted write cannot leave half done, the rebuild of each editor's
// lists, updates from a medium, search-and-correct and the plant viewer.
#include "remedies/maintenance.h"
#include "remedies/plant_viewer.h"
#include "remedies/remedy_files.h"
#include "remedies/safe_rewrite.h"
#include "remedies/search_correct.h"
#include "remedies/update_copy.h"
#include "tests/remedies/remedy_fixture.h"
#include "tests/support/temp_data_dir.h"

#include "base/errors.h"
#include "base/text_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <fcntl.h>
#include <sys/stat.h>

namespace qv::remedies {
namespace maintenance_test {

namespace fs = std::filesystem;
using test::fileBytes;
using test::remedy;
using test::therapy;

struct Fixture {
    test::TempDataDir temp;
    DataDir dir{temp.path()};
    Fixture() {
        test::writeRemedyDatabase(dir, {remedy("Tarassaco TSA", "Tosse secca", "Giove-Sole", "Leone"),
                                        remedy("Melissa", "Insonnia", "Luna", "Cancro"),
                                        remedy("Iperico", "Malinconia", "Sole", "Leone")});
        test::writeRepertoryDatabase(dir, {therapy("Cefalea", "Melissa", "10 gocce", "prima dei pasti"),
                                           therapy("Ansia", "Melissa", "15 gocce")});
    }
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const RemedyRecord& r : readRemedies(dir)) out.push_back(r.rimedio);
        return out;
    }
};

struct NoFailure {
    ~NoFailure() { setWriteFailureAfter(-1); }
};

// A write that stops after N bytes (a full disk, a killed program, a power
// cut) never leaves a half-written database: the file keeps its old bytes
// and a later write succeeds.
TEST(SafeWrites, AnInterruptedWriteLeavesTheOldDatabase) {
    const NoFailure restore;
    using Action = std::function<void(const DataDir&)>;
    const std::vector<std::pair<const char*, Action>> actions = {
        {"save", [](const DataDir& d) { saveRecord(d, Database::Primary, 2, encodeRemedy(remedy("Salvia", "Tosse"))); }},
        {"append", [](const DataDir& d) { appendRecord(d, Database::Primary, encodeRemedy(remedy("Salvia", "Tosse"))); }},
        {"delete", [](const DataDir& d) { deleteRecord(d, Database::Primary, 1); }},
        {"reorder", [](const DataDir& d) { reorderDatabase(d, Database::Primary, {3, 1, 2}); }},
        {"correct", [](const DataDir& d) { writeCorrection(d, SearchField::Rimedio, 1, "Tarassaco"); }},
        {"record write", [](const DataDir& d) { writeRemedy(d, 2, remedy("Salvia", "Tosse")); }},
    };
    for (const auto& [what, action] : actions)
        for (std::int64_t after : {0, 1, 4814, 4814 * 2 + 100}) {
            SCOPED_TRACE(std::string(what) + " interrupted after " + std::to_string(after));
            Fixture f;
            const std::string before = fileBytes(f.dir, files::kRemedies);
            setWriteFailureAfter(after);
            EXPECT_THROW(action(f.dir), IoError);
            setWriteFailureAfter(-1);
            EXPECT_EQ(fileBytes(f.dir, files::kRemedies), before);
            EXPECT_EQ(f.names(), (std::vector<std::string>{"Intestazione", "Tarassaco TSA", "Melissa", "Iperico"}));
            for (const fs::directory_entry& e : fs::recursive_directory_iterator(f.temp.path()))
                EXPECT_EQ(e.path().filename().string().find(".new~"), std::string::npos) << e.path();
            EXPECT_FALSE(f.dir.exists("ArcProv.rnd"));
            action(f.dir); // the same action, uninterrupted, goes through
        }
}

TEST(SafeWrites, SaveAppendDeleteChangeOnlyTheirRecord) {
    Fixture f;
    saveRecord(f.dir, Database::Primary, 2, encodeRemedy(remedy("Melissa", "Insonnia lieve")));
    EXPECT_EQ(readRemedies(f.dir)[2].indication(), "Insonnia lieve");
    EXPECT_EQ(appendRecord(f.dir, Database::Primary, encodeRemedy(remedy("Salvia", "Tosse"))), 4);
    EXPECT_EQ(deleteRecord(f.dir, Database::Primary, 1), 3);
    EXPECT_EQ(f.names(), (std::vector<std::string>{"Intestazione", "Melissa", "Iperico", "Salvia"}));
    // The header is never replaced or deleted, and a record past the end is an error.
    EXPECT_THROW(saveRecord(f.dir, Database::Primary, 0, encodeRemedy(remedy("X", "Y"))), IoError);
    EXPECT_THROW(deleteRecord(f.dir, Database::Primary, 0), IoError);
    EXPECT_THROW(deleteRecord(f.dir, Database::Primary, 9), IoError);
    EXPECT_EQ(f.names().size(), 4u);
}

TEST(Editors, AppendOnAHeaderOnlyDatabaseBecomesRecordOne) {
    test::TempDataDir temp;
    const DataDir dir(temp.path());
    test::writeRemedyDatabase(dir, {});
    EXPECT_TRUE(editorEntries(dir, Database::Primary, true, true).empty());
    EXPECT_EQ(appendRecord(dir, Database::Primary, encodeRemedy(remedy("Salvia", "Tosse"))), 1); // "Tot=1"
    const auto entries = editorEntries(dir, Database::Primary, true, true);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].text, "Salvia**Tosse");
    EXPECT_EQ(entries[0].record, 1);
    // A repertory that does not exist yet starts with its header.
    EXPECT_TRUE(editorEntries(dir, Database::Repertory, false, true).empty());
    EXPECT_EQ(appendRecord(dir, Database::Repertory, encodeRepertory(therapy("Tosse", "Salvia"))), 1);
    EXPECT_EQ(readRepertory(dir).at(1).patologia, "Tosse");
    // Nor is a record appended to an empty file taken for its header.
    { std::ofstream(dir.resolve(files::kRemedies), std::ios::trunc); }
    EXPECT_EQ(appendRecord(dir, Database::Primary, encodeRemedy(remedy("Salvia", "Tosse"))), 1);
    EXPECT_EQ(editorEntries(dir, Database::Primary, true, true).at(0).text, "Salvia**Tosse");
}

// Each indication and each pathology is one line of a consultation list: a
// line break inside one would split it, one at the end is dropped.
TEST(Editors, AKeyWithALineBreakInsideIsNotStored) {
    struct Case {
        Database db;
        const char* key;
        bool refused;
    };
    const Case cases[] = {
        {Database::Primary, "Tosse secca", false},
        {Database::Primary, "Tosse secca\r\n", false},
        {Database::Primary, "Tosse\r\nsecca", true},
        {Database::Primary, "Tosse\nsecca", true},
        {Database::Repertory, "Cefalea", false},
        {Database::Repertory, "Cefalea\r\ntensiva", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        const Bytes record = c.db == Database::Primary ? encodeRemedy(remedy("Salvia", c.key))
                                                       : encodeRepertory(therapy(c.key, "Salvia"));
        EXPECT_EQ(!listedKeyProblem(c.db, record).empty(), c.refused);
        // The same for the name, which is a line of the remedy lists.
        const Bytes named = c.db == Database::Primary ? encodeRemedy(remedy(c.key, "Tosse"))
                                                      : encodeRepertory(therapy("Tosse", c.key));
        EXPECT_EQ(!listedKeyProblem(c.db, named).empty(), c.refused);
    }
    // Search-and-correct checks the same before it writes.
    Fixture f;
    const std::string before = fileBytes(f.dir, files::kRemedies);
    EXPECT_THROW(writeCorrection(f.dir, SearchField::Indicazioni, 2, "Insonnia\r\nserale"), ConversionError);
    EXPECT_THROW(writeCorrection(f.dir, SearchField::Rimedio, 2, "Meli\r\nssa"), ConversionError);
    EXPECT_EQ(fileBytes(f.dir, files::kRemedies), before);
    writeCorrection(f.dir, SearchField::Posologia, 2, "10 gocce\r\nla sera");
    EXPECT_EQ(readRemedies(f.dir)[2].dosage(), "10 gocce\r\nla sera");
}

TEST(Editors, EntriesBySecondKeyAndDeletionThenRebuild) {
    Fixture f;
    const auto byIndication = editorEntries(f.dir, Database::Primary, false, true);
    ASSERT_EQ(byIndication.size(), 3u);
    EXPECT_EQ(byIndication[0].text, "Insonnia**Melissa");
    EXPECT_EQ(byIndication[0].record, 2);
    const auto fileOrder = editorEntries(f.dir, Database::Primary, true, false);
    EXPECT_EQ(fileOrder[0].text, "Tarassaco TSA**Tosse secca");

    deleteRecord(f.dir, Database::Primary, 3); // Iperico, the only other "Sole" and "Leone" besides Tarassaco
    const MaintenanceRebuild done = rebuildPrimaryLists(f.dir);
    EXPECT_EQ(done.lines, 2u);
    EXPECT_EQ(done.files, 24u);
    const DataDir& d = f.dir;
    EXPECT_EQ(readTextLines(d.resolve(files::kSymptomList)), (std::vector<std::string>{"Insonnia", "Tosse secca"}));
    EXPECT_EQ(readTextLines(d.resolve(files::kRemedyNames)), (std::vector<std::string>{"Melissa", "Tarassaco TSA"}));
    // No name begins with a preparation type: the remedy lines are the names.
    EXPECT_EQ(readTextLines(d.resolve(files::kRemedyLines)), readTextLines(d.resolve(files::kRemedyNames)));
    EXPECT_EQ(readNames(d, "OpzioneH\\SolePri.rnd", 50), (std::vector<std::string>{"Tarassaco TSA"}));
    EXPECT_EQ(readNames(d, "OpzioneH\\Leone.rnd", 50), (std::vector<std::string>{"Tarassaco TSA"}));
    EXPECT_TRUE(readNames(d, "OpzioneH\\Scorpione.rnd", 50).empty());

    deleteRecord(f.dir, Database::Repertory, 1);
    EXPECT_EQ(rebuildRepertoryLists(f.dir).lines, 1u);
    EXPECT_EQ(readTextLines(d.resolve(files::kPathologies)), (std::vector<std::string>{"Ansia"}));
}

TEST(Reordering, MovesShiftTheEntriesBetween) {
    std::vector<int> v{0, 1, 2, 3, 4, 5, 6, 7, 8};
    moveEntry(v, 7, 2);
    EXPECT_EQ(v, (std::vector<int>{0, 1, 7, 2, 3, 4, 5, 6, 8}));
    std::vector<int> w{0, 1, 2, 3, 4, 5, 6, 7, 8};
    moveEntry(w, 2, 7);
    EXPECT_EQ(w, (std::vector<int>{0, 1, 3, 4, 5, 6, 7, 2, 8}));
    moveEntry(w, 4, 4);
    EXPECT_EQ(w, (std::vector<int>{0, 1, 3, 4, 5, 6, 7, 2, 8}));
}

TEST(Reordering, WritesThroughAnExistingProvisionalFile) {
    Fixture f;
    // A long indication, twins of equal name and indication, and a provisional
    // file left by an earlier interrupted reordering.
    const std::string longIndication(280, 'a');
    appendRecord(f.dir, Database::Primary, encodeRemedy(remedy("Melissa", longIndication)));
    appendRecord(f.dir, Database::Primary, encodeRemedy(remedy("Melissa", "Insonnia")));
    { std::ofstream(f.dir.prepareForWrite("ArcProv.rnd")) << "resto di un riordino interrotto"; }
    std::vector<std::int64_t> seen;
    reorderDatabase(f.dir, Database::Primary, {5, 4, 3, 2, 1}, [&](std::int64_t next) { seen.push_back(next); });
    EXPECT_EQ(seen, (std::vector<std::int64_t>{1, 2, 3, 4, 5}));
    EXPECT_EQ(f.names(), (std::vector<std::string>{"Intestazione", "Melissa", "Melissa", "Iperico", "Melissa", "Tarassaco TSA"}));
    EXPECT_EQ(readRemedies(f.dir)[2].indication(), longIndication);
    EXPECT_FALSE(f.dir.exists("ArcProv.rnd"));

    // An order that leaves a record out (or names one twice) would lose it: refused.
    const std::string before = fileBytes(f.dir, files::kRemedies);
    EXPECT_THROW(reorderDatabase(f.dir, Database::Primary, {1, 2, 3, 4}), IoError);
    EXPECT_THROW(reorderDatabase(f.dir, Database::Primary, {1, 1, 2, 3, 4}), IoError);
    EXPECT_EQ(fileBytes(f.dir, files::kRemedies), before);

    reorderDatabase(f.dir, Database::Repertory, {2, 1});
    EXPECT_EQ(readRepertory(f.dir).at(1).patologia, "Ansia");
    EXPECT_FALSE(f.dir.exists("RepProv.rnd"));
}

// ---- updates from a medium ---------------------------------------------

void setTime(const fs::path& p, std::time_t seconds) {
    const timespec t[2] = {{seconds, 0}, {seconds, 0}};
    ::utimensat(AT_FDCWD, p.c_str(), t, 0);
}

void writeFile(const fs::path& p, const std::string& bytes) {
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << bytes;
}

TEST(Updates, MediaOfferingAnUpdateInAlphabeticalOrder) {
    test::TempDataDir temp;
    const fs::path media = temp.path() / "media";
    for (const char* m : {"user/ZETA", "user/ALFA", "CHIAVE"}) fs::create_directories(media / m / "OpzioneH");
    fs::create_directories(media / "user/VUOTA");
    fs::create_directories(media / "user/MINUSCOLO/opzioneh");
    const fs::path home = temp.path() / "home";
    fs::create_directories(home / "OpzioneH");
    const DataDir local(temp.path() / "dati");
    fs::create_directories(temp.path() / "dati/OpzioneH");
    // The local database is never offered, even when reached through a candidate.
    auto candidates = mountCandidates({media, temp.path() / "assente"}, home);
    candidates.push_back(temp.path() / "dati");
    std::vector<std::string> found;
    for (const UpdateSource& s : findUpdates(candidates, local)) found.push_back(fs::relative(s.medium, temp.path()));
    EXPECT_EQ(found, (std::vector<std::string>{"home", "media/CHIAVE", "media/user/ALFA", "media/user/MINUSCOLO",
                                               "media/user/ZETA"}));
}

TEST(Updates, InstallsACheckedCopyWithTheMediumsDates) {
    Fixture f;
    const fs::path stick = f.temp.path() / "stick";
    const std::string newDb = fileBytes(f.dir, files::kRemedies) + std::string(4814, '\0');
    writeFile(stick / "OpzioneH/DBmain.rnd", newDb);
    writeFile(stick / "OpzioneH/Sintomi.txt", "Tosse\r\n");
    setTime(stick / "OpzioneH/DBmain.rnd", 1600000000);
    // The medium lacks the repertory: the installed one stays, and the date
    // is the later of the two local files.
    const std::string repertory = fileBytes(f.dir, files::kRepertory);
    setTime(f.dir.resolve(files::kRepertory), 1500000000);
    const auto sources = findUpdates({stick}, f.dir);
    ASSERT_EQ(sources.size(), 1u);
    EXPECT_EQ(sources[0].date.time, 1600000000LL * 1000000000);
    std::uint64_t lastDone = 0, lastTotal = 0;
    const UpdateResult r = installUpdate(sources[0], f.dir, [&](std::uint64_t d, std::uint64_t t) {
        lastDone = d;
        lastTotal = t;
    });
    EXPECT_EQ(r.copied, (std::vector<std::string>{"DBmain.rnd", "Sintomi.txt"}));
    EXPECT_EQ(r.missing, (std::vector<std::string>{"Repertorio.rnd"}));
    EXPECT_EQ(lastDone, lastTotal);
    EXPECT_EQ(lastTotal, newDb.size() + 7);
    EXPECT_EQ(fileBytes(f.dir, files::kRemedies), newDb);
    EXPECT_EQ(fileBytes(f.dir, files::kRepertory), repertory);
    EXPECT_EQ(r.installed.text, sources[0].date.text);
    EXPECT_TRUE(f.dir.exists(kUpdateMarker));

    // A repertory newer than the primary database dates the folder.
    setTime(stick / "OpzioneH/DBmain.rnd", 1500000000);
    writeFile(stick / "OpzioneH/Repertorio.rnd", repertory);
    setTime(stick / "OpzioneH/Repertorio.rnd", 1700000000);
    EXPECT_EQ(databaseDate(stick / "OpzioneH").time, 1700000000LL * 1000000000);
    EXPECT_EQ(databaseDate(f.temp.path() / "nessuna").text, "Non Valida");
}

TEST(Updates, ADamagedOrInterruptedUpdateReplacesNothing) {
    const NoFailure restore;
    Fixture f;
    const std::string db = fileBytes(f.dir, files::kRemedies);
    const std::string rep = fileBytes(f.dir, files::kRepertory);
    const fs::path stick = f.temp.path() / "stick";
    writeFile(stick / "OpzioneH/DBmain.rnd", db + std::string(4814, '\0'));
    writeFile(stick / "OpzioneH/Repertorio.rnd", rep + "x"); // not whole records
    const UpdateSource source{stick, stick / "OpzioneH", {}};
    EXPECT_THROW(installUpdate(source, f.dir), IoError);
    EXPECT_EQ(fileBytes(f.dir, files::kRemedies), db);

    writeFile(stick / "OpzioneH/Repertorio.rnd", rep + rep.substr(0, 1206));
    setWriteFailureAfter(db.size() + 4814 + 10); // the first file copied, the second cut short
    EXPECT_THROW(installUpdate(source, f.dir), IoError);
    setWriteFailureAfter(-1);
    EXPECT_EQ(fileBytes(f.dir, files::kRemedies), db);
    EXPECT_EQ(fileBytes(f.dir, files::kRepertory), rep);
    EXPECT_FALSE(f.dir.exists(kUpdateMarker));
}

// ---- search and correct ------------------------------------------------

TEST(SearchCorrect, FindsRecordAfterRecordInUpperCase) {
    Fixture f;
    saveRecord(f.dir, Database::Primary, 2, encodeRemedy(remedy("MELISSA melissa", "Insonnia")));
    auto hit = findNextHit(f.dir, SearchField::Rimedio, "meliSSa", 0);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->record, 2);
    EXPECT_EQ(hit->position, 0u); // two occurrences in one field: one hit
    EXPECT_EQ(hit->text, "MELISSA melissa");
    hit = findNextHit(f.dir, SearchField::Indicazioni, "SONN", 0);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->position, 2u);
    EXPECT_FALSE(findNextHit(f.dir, SearchField::Rimedio, "melissa", 3)); // end of the archive
    EXPECT_FALSE(findNextHit(f.dir, SearchField::Rimedio, "", 0));
    EXPECT_EQ(searchRecordCount(f.dir, SearchField::Rimedio), 4);
    EXPECT_EQ(searchFieldInfo(SearchField::SintesiPsichica).capacity, 1500u);
}

TEST(SearchCorrect, ACorrectionLongerThanItsFieldIsRefused) {
    Fixture f;
    RemedyRecord r = remedy("Melissa", "Insonnia");
    r.setSynthesis(std::string(1500, 's'));
    saveRecord(f.dir, Database::Primary, 2, encodeRemedy(r));
    const std::string before = fileBytes(f.dir, files::kRemedies);
    EXPECT_THROW(writeCorrection(f.dir, SearchField::SintesiPsichica, 2, std::string(1510, 's')), ConversionError);
    EXPECT_THROW(writeCorrection(f.dir, SearchField::Rimedio, 2, std::string(51, 'm')), ConversionError);
    EXPECT_EQ(fileBytes(f.dir, files::kRemedies), before);
    writeCorrection(f.dir, SearchField::SintesiPsichica, 2, std::string(1499, 't') + "u");
    EXPECT_EQ(readRemedies(f.dir)[2].synthesis(), std::string(1499, 't') + "u");
    EXPECT_EQ(readRemedies(f.dir)[2].indication(), "Insonnia"); // the other fields as they were
}

TEST(SearchCorrect, ARepertoryCorrectionGoesToTheRepertory) {
    Fixture f;
    const std::string db = fileBytes(f.dir, files::kRemedies);
    const auto hit = findNextHit(f.dir, SearchField::RepNote, "PASTI", 0);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->record, 1);
    EXPECT_EQ(hit->name, "Melissa");
    writeCorrection(f.dir, SearchField::RepNote, hit->record, "dopo i pasti");
    EXPECT_EQ(readRepertory(f.dir)[1].notes(), "dopo i pasti");
    EXPECT_EQ(readRepertory(f.dir)[1].posologia, "10 gocce");
    EXPECT_EQ(fileBytes(f.dir, files::kRemedies), db);
}

// ---- plant viewer ------------------------------------------------------

TEST(PlantViewer, FileOrderAndPlantOrderKeepTheirRecords) {
    std::vector<PlantEntryRecord> e(4);
    e[1].pianta = "Salvia";
    e[1].sintomo = "Affanno";
    e[2].pianta = "";
    e[2].sintomo = "Bruciore   ";
    e[3].pianta = "Achillea";
    e[3].sintomo = "Crampi";
    const auto file = plantViewerEntries(e, false);
    ASSERT_EQ(file.size(), 3u);
    EXPECT_EQ(file[0].text, "Salvia              Affanno");
    EXPECT_EQ(file[1].text, "XXXX                Bruciore");
    const auto sorted = plantViewerEntries(e, true);
    EXPECT_EQ(sorted[0].record, 3);
    EXPECT_EQ(sorted[1].record, 1);
    EXPECT_EQ(sorted[2].record, 2); // even the entry of an empty plant shows its record
}

} // namespace maintenance_test
} // namespace qv::remedies
