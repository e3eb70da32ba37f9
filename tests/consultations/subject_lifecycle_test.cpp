// Correcting and deleting a person: the archive and the consultation store
// change together or not at all, whether the change is refused, meets a
// busy store or a full disk, or is killed at any step; a deleted person
// leaves nothing behind.
#include "archive/archive_files.h"
#include "archive/current_subject.h"
#include "archive/side_files.h"
#include "archive/subject_operations.h"
#include "archive/subject_registration.h"
#include "base/data_dir.h"
#include "base/errors.h"
#include "base/file_safety.h"
#include "base/text_file.h"
#include "consultations/consultation_store.h"
#include "consultations/subject_change_record.h"
#include "consultations/subject_lifecycle.h"
#include "settings/chart_settings.h"
#include "tests/support/temp_data_dir.h"
#include "tests/support/zero_tables.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstring>
#include <sys/wait.h>
#include <unistd.h>

namespace qv::consultations {
namespace subject_lifecycle_test {

namespace fs = std::filesystem;

NewSubject person(const std::string& name, int minute = 0) {
    NewSubject s;
    s.name = name;
    s.day = 12;
    s.month = 3;
    s.year = 1968;
    s.hour = 14;
    s.minute = minute;
    s.corr = -1;
    s.coordinates = "45N28-009E11";
    s.place = "Milano";
    s.nation = "Italia";
    s.annotations = {"Allergia al polline di " + name, "", "", ""};
    return s;
}

Archive openBase() { return std::move(*openArchive("BASE").archive); }

std::string bytesOf(const std::string& dataPath) { return readWholeFile(dataDir().resolve(dataPath)); }

// Every file of the data directory that a change may touch, with its bytes:
// the archives, TMPR, the side files and the subject texts.
std::map<std::string, std::string> personFiles() {
    std::map<std::string, std::string> out;
    for (const auto& e : fs::recursive_directory_iterator(dataDir().root())) {
        if (!e.is_regular_file()) continue;
        const std::string relative = fs::relative(e.path(), dataDir().root()).string();
        for (const char* prefix : {"BASE.", "TMPR.", "FileDum/", "FileTmp/", "BASEtxt/"})
            if (relative.rfind(prefix, 0) == 0) out[relative] = readWholeFile(e.path());
    }
    return out;
}

// The files that differ between two readings (by name, not by bytes).
std::vector<std::string> changedFiles(const std::map<std::string, std::string>& a,
                                      const std::map<std::string, std::string>& b) {
    std::vector<std::string> out;
    for (const auto& [name, bytes] : a)
        if (!b.count(name) || b.at(name) != bytes) out.push_back(name);
    for (const auto& [name, bytes] : b)
        if (!a.count(name)) out.push_back(name);
    return out;
}

void stopHere(const char* step);
const char* stopAt = nullptr;
void stopHere(const char* step) {
    if (stopAt && std::strcmp(step, stopAt) == 0) ::_exit(0);
}

class Lifecycle : public ::testing::Test {
protected:
    void SetUp() override {
        test::writeZeroCorrectionTables(dir.path());
        resetChartSettings();
        LoadActiveOrbs();
        createPersonalArchive();
        NewSubject zanardelli = person("Zanardelli Ottavio", 5);
        zanardelli.textNumber = createTextDocument("BASE", "Zanardelli Ottavio");
        ASSERT_EQ(registerSubject("BASE", zanardelli).failure, "");
        ASSERT_EQ(registerSubject("BASE", person("Verdi Anna")).failure, "");  // the current subject now
        const Archive base = openBase();
        zanardelliLink = linkAt(base, 2);  // after Verdi
        ConsultationStore store = openStore();
        for (int day : {3, 9}) {
            Consultation c;
            c.subject = zanardelliLink;
            c.date = {day, 1, 2026};
            c.complaints = "Insonnia di Zanardelli";
            c.remedies = {{"Melissa", "15 gocce", "tre settimane"}};
            store.save(c);
        }
    }
    void TearDown() override {
        setSubjectChangeStepHook(nullptr);
        setWriteFailureAfter(-1);
        resetChartSettings();
    }

    static SubjectLink linkAt(const Archive& archive, int position) {
        const StoredSubject s = readStoredSubject(archive, position);
        return subjectLinkOf("BASE", s.entry.name(), s.record.moment);
    }
    int consultationsOf(const SubjectLink& link) { return openStore().countOf(link); }
    bool pendingNote() { return dataDir().exists(kSubjectChangeFile); }

    test::TempDataDir dir{true};
    SubjectLink zanardelliLink;
};

TEST_F(Lifecycle, ACorrectionCarriesTheConsultationsAndCannotTakeAnotherPersonsIdentity) {
    Archive base = openBase();
    SubjectEdit edit = editFieldsOf(readStoredSubject(base, 2));
    edit.name = "Zanardelli Ottavio Maria";
    edit.time = "14:06";
    const SubjectCorrection done = correctSubject(base, readStoredSubject(base, 2), edit, true);
    ASSERT_EQ(done.failure, "");
    EXPECT_EQ(done.consultationsMoved, 2);
    const SubjectLink now = linkAt(base, done.indexPosition);
    EXPECT_EQ(now.name, "ZANARDELLI OTTAVIO MARIA");
    EXPECT_EQ(consultationsOf(now), 2);
    EXPECT_EQ(consultationsOf(zanardelliLink), 0);
    EXPECT_FALSE(pendingNote());

    // Verdi corrected into Zanardelli's name and birth moment: refused, naming
    // Zanardelli's entry, and nothing changes.
    const auto before = personFiles();
    SubjectEdit verdi = editFieldsOf(readStoredSubject(base, 1));
    verdi.name = "Zanardelli Ottavio Maria";
    verdi.time = "14:06";
    const SubjectCorrection refused = correctSubject(base, readStoredSubject(base, 1), verdi, true);
    EXPECT_EQ(refused.samePosition, 2);
    EXPECT_NE(refused.failure.find("c'\xE8 gi\xE0 nell'archivio BASE alla voce 2"), std::string::npos) << refused.failure;
    EXPECT_EQ(changedFiles(personFiles(), before), std::vector<std::string>{});
    EXPECT_EQ(consultationsOf(now), 2);
}

// A person deleted with their consultations: the entry, the records, the
// text, the consultations and their row go; being the current subject,
// TMPR and the side files forget them too. Nothing names them any more.
TEST_F(Lifecycle, ADeletedPersonLeavesNothingBehind) {
    Archive base = openBase();
    makeCurrentSubject(base, 2);  // Zanardelli becomes the current subject
    const StoredSubject zanardelli = readStoredSubject(base, 2);
    ASSERT_FALSE(zanardelli.textNumber().empty());
    writeFileAtomically(dataDir().prepareForWrite("FileTmp\\DatiNasc.Tmp"), "ZANARDELLI OTTAVIO\r\n196803121405\r\n");

    const SubjectDeletion d = deleteSubjectWhole(base, 2, ConsultationsOfDeleted::Delete);
    EXPECT_EQ(d.consultationsDeleted, 2);
    EXPECT_TRUE(d.wasCurrent);
    EXPECT_TRUE(d.textDeleted);
    EXPECT_FALSE(pendingNote());
    EXPECT_EQ(base.subjectCount(), 1);
    EXPECT_FALSE(currentSubjectExists());
    EXPECT_FALSE(dataDir().exists("TMPR.ST1"));
    EXPECT_EQ(bytesOf("BASE.ST2").substr(static_cast<std::size_t>(zanardelli.birthNumber) * kBirthRecordSize, kBirthRecordSize),
              std::string(kBirthRecordSize, '\0'));
    EXPECT_EQ(bytesOf("BASE.ST3").substr(static_cast<std::size_t>(zanardelli.annotationNumber) * kAnnotationRecordSize,
                                         kAnnotationRecordSize),
              std::string(kAnnotationRecordSize, '\0'));
    for (const auto& e : fs::recursive_directory_iterator(dataDir().root())) {
        if (!e.is_regular_file() || e.path().parent_path().filename() == "Localita") continue;
        const std::string bytes = readWholeFile(e.path());
        EXPECT_EQ(bytes.find("ZANARDELLI"), std::string::npos) << e.path();
        EXPECT_EQ(bytes.find("Zanardelli"), std::string::npos) << e.path();
    }
    // Verdi, the other person, is whole.
    EXPECT_EQ(readStoredSubject(base, 1).entry.name().substr(0, 10), "VERDI ANNA");
}

// Kept consultations stay under the person's name and birth moment; a
// person without consultations leaves no row in the store.
TEST_F(Lifecycle, KeptConsultationsStayAndAPersonWithoutNoneLeavesNoRow) {
    Archive base = openBase();
    const SubjectLink verdi = linkAt(base, 1);
    Consultation c;
    c.subject = verdi;
    c.date = {1, 2, 2026};
    openStore().save(c);
    openStore().remove(c.id);  // the row stays until the person goes
    ASSERT_TRUE(openStore().subjectIdOf(verdi));
    EXPECT_EQ(deleteSubjectWhole(base, 1, ConsultationsOfDeleted::Keep).consultationsKept, 0);
    EXPECT_FALSE(openStore().subjectIdOf(verdi));
    EXPECT_EQ(deleteSubjectWhole(base, 1, ConsultationsOfDeleted::Keep).consultationsKept, 2);
    EXPECT_EQ(consultationsOf(zanardelliLink), 2);
}

// The entry goes; the record numbers stay taken, so that no later subject
// reuses them, and the archive is noted as in use. An entry whose records
// do not read goes all the same, alone.
TEST_F(Lifecycle, TheEntryGoesAndItsRecordNumbersStayTaken) {
    writeTextLines(dataDir().resolve(kArchivesInUseFile), {"RICE"});
    Archive base = openBase();
    const SubjectDeletion verdi = deleteSubjectWhole(base, 1, ConsultationsOfDeleted::Keep);
    EXPECT_EQ(verdi.textNumber, "");
    EXPECT_FALSE(verdi.textDeleted);
    EXPECT_EQ(base.subjectCount(), 1);
    EXPECT_EQ(base.birthCount(), 3);
    EXPECT_EQ(archivesInUse(), (std::vector<std::string>{"RICE", "BASE"}));
    EXPECT_THROW(deleteSubjectWhole(base, 2, ConsultationsOfDeleted::Keep), IoError);

    writeRecordsAtomically(dataDir().resolve("BASE.ST1"), kIndexRecordSize,
                           {{1, encodeIndexEntry({"ZANARDELLI OTTAVIO                    0009x"})}}, "BASE.ST1");
    base = openBase();
    EXPECT_EQ(deleteSubjectWhole(base, 1, ConsultationsOfDeleted::Delete).textNumber, "");
    EXPECT_EQ(base.subjectCount(), 0);
    EXPECT_EQ(consultationsOf(zanardelliLink), 2) << "a person the entry no longer names keeps their record";
}

// Another program holds the store's lock past the wait: nothing is deleted.
TEST_F(Lifecycle, ABusyStoreLeavesTheSubjectWhole) {
    const auto before = personFiles();
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(storePath().c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    Archive base = openBase();
    try {
        deleteSubjectWhole(base, 2, ConsultationsOfDeleted::Delete);
        ADD_FAILURE() << "deleted with the store locked";
    } catch (const IoError& e) {
        EXPECT_NE(e.reason().find("bloccato da un altro programma"), std::string::npos) << e.reason();
        EXPECT_NE(e.reason().find("il soggetto non \xE8 stato eliminato"), std::string::npos) << e.reason();
    }
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_EQ(changedFiles(personFiles(), before), std::vector<std::string>{});
    EXPECT_EQ(consultationsOf(zanardelliLink), 2);
    EXPECT_FALSE(pendingNote());
}

// The disk fills up after every possible number of bytes: each deletion or
// correction that fails, finished or undone by the next start, leaves the
// person whole or gone, never half.
TEST_F(Lifecycle, AFullDiskAtAnyByteEndsWholeOrNothing) {
    const auto before = personFiles();
    int failures = 0;
    for (std::int64_t limit = 0;; limit += 211) {
        ASSERT_LT(limit, 200000);
        SCOPED_TRACE("limit " + std::to_string(limit));
        std::string reason;
        {
            Archive base = openBase();
            setWriteFailureAfter(limit);
            try {
                deleteSubjectWhole(base, 2, ConsultationsOfDeleted::Delete);
            } catch (const IoError& e) {
                reason = e.reason();
            }
            setWriteFailureAfter(-1);
        }
        finishInterruptedSubjectChange();
        EXPECT_FALSE(pendingNote());
        const bool gone = openBase().subjectCount() == 1;
        EXPECT_EQ(consultationsOf(zanardelliLink), gone ? 0 : 2);
        if (gone) {
            // Deleted, or deleted with what was left of it finished now.
            if (!reason.empty()) {
                EXPECT_NE(reason.find("il soggetto \xE8 stato eliminato"), std::string::npos) << reason;
            }
            EXPECT_FALSE(textDocumentExists("BASE", "00001"));
            break;
        }
        ++failures;
        EXPECT_NE(reason.find("spazio su disco esaurito"), std::string::npos) << reason;
        EXPECT_NE(reason.find("non \xE8 stato eliminato"), std::string::npos) << reason;
        EXPECT_EQ(changedFiles(personFiles(), before), std::vector<std::string>{});
    }
    EXPECT_GT(failures, 2);
}

struct KilledStep {
    const char* step;
    bool deletion;
    bool finished;  // the next start completes the change (else undoes it)
};

// The change is killed right after each of its steps; the next start ends
// it whole or not at all, as the step says.
TEST_F(Lifecycle, AChangeKilledAtAnyStepIsFinishedOrUndoneAtTheNextStart) {
    const KilledStep cases[] = {
        {"nota", true, false},          {"archivio", true, true},       {"consultazioni", true, true},
        {"dati", true, true},           {"nota", false, false},         {"archivio", false, true},
        {"consultazioni", false, true},
    };
    const auto before = personFiles();
    const std::string storeBefore = readWholeFile(storePath());
    for (const KilledStep& k : cases) {
        SCOPED_TRACE(std::string(k.deletion ? "eliminazione, " : "correzione, ") + k.step);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            stopAt = k.step;
            setSubjectChangeStepHook(stopHere);
            try {
                Archive base = openBase();
                if (k.deletion) {
                    deleteSubjectWhole(base, 2, ConsultationsOfDeleted::Delete);
                } else {
                    SubjectEdit edit = editFieldsOf(readStoredSubject(base, 2));
                    edit.name = "Zanardelli Ottaviano";
                    correctSubject(base, readStoredSubject(base, 2), edit, true);
                }
            } catch (...) {
                ::_exit(2);
            }
            ::_exit(1);  // the step never came
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
        ASSERT_TRUE(pendingNote());

        const std::string said = finishInterruptedSubjectChange();
        EXPECT_EQ(said.rfind(k.finished ? "Completata" : "Annullata", 0), 0u) << said;
        EXPECT_FALSE(pendingNote());
        Archive base = openBase();
        const SubjectLink renamed{"BASE", "ZANARDELLI OTTAVIANO", zanardelliLink.moment};
        if (!k.finished) {
            EXPECT_EQ(changedFiles(personFiles(), before), std::vector<std::string>{});
            EXPECT_EQ(consultationsOf(zanardelliLink), 2);
        } else if (k.deletion) {
            EXPECT_EQ(base.subjectCount(), 1);
            EXPECT_EQ(consultationsOf(zanardelliLink), 0);
            EXPECT_FALSE(openStore().subjectIdOf(zanardelliLink));
            EXPECT_FALSE(textDocumentExists("BASE", "00001"));
        } else {
            EXPECT_EQ(linkAt(base, 2), renamed);
            EXPECT_EQ(consultationsOf(renamed), 2);
            EXPECT_EQ(consultationsOf(zanardelliLink), 0);
        }
        // Back to the starting point for the next case.
        if (k.finished) {
            for (const auto& [path, bytes] : before) writeFileAtomically(dataDir().root() / path, bytes);
            writeFileAtomically(storePath(), storeBefore);
        }
        ASSERT_EQ(changedFiles(personFiles(), before), std::vector<std::string>{});
    }
}

// A correction cut off inside the archive's own writes (the birth record
// rewritten, the index not yet): the next start puts the old records back.
TEST_F(Lifecycle, ACorrectionCutInsideTheArchiveIsUndone) {
    const auto before = personFiles();
    Archive base = openBase();
    const StoredSubject s = readStoredSubject(base, 2);
    SubjectEdit edit = editFieldsOf(s);
    checkSubjectEdit(edit);
    edit.name = "Zanardelli Ottaviano";
    edit.date = "13/03/1968";
    SubjectChangeRecord r;
    r.kind = SubjectChangeRecord::Kind::Rename;
    r.archive = "BASE";
    r.birthNumber = s.birthNumber;
    r.annotationNumber = s.annotationNumber;
    r.oldEntry = s.entry.text;
    r.oldLink = zanardelliLink;
    r.oldBirth = s.record;
    r.newBirth = editedBirthRecord(s, edit);
    r.newEntry = subjectKey(edit.name, s.birthNumber);
    r.newLink = subjectLinkOf("BASE", edit.name, r.newBirth.moment);
    r.oldAnnotation = s.annotation;
    ASSERT_EQ(decodeSubjectChange(encodeSubjectChange(r)), r);
    writeSubjectChange(r);
    base.rewriteBirth(s.birthNumber, r.newBirth);

    EXPECT_EQ(finishInterruptedSubjectChange().rfind("Annullata", 0), 0u);
    EXPECT_EQ(changedFiles(personFiles(), before), std::vector<std::string>{});
    EXPECT_EQ(consultationsOf(zanardelliLink), 2);
}

} // namespace subject_lifecycle_test
} // namespace qv::consultations
