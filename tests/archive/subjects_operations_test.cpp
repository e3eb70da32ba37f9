// Registering, recalling, modifying and deleting subjects, and their text
// documents, on a temporary data directory with zero correction tables.
#include "settings/chart_settings.h"
#include "archive/archive_files.h"
#include "archive/current_subject.h"
#include "archive/side_files.h"
#include "archive/subject_operations.h"
#include "archive/subject_registration.h"
#include "base/data_dir.h"
#include "base/errors.h"
#include "base/file_safety.h"
#include "base/text_file.h"
#include "tests/support/temp_data_dir.h"
#include "tests/support/zero_tables.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qv {
namespace subjects_operations_test {

std::string bytesOf(const std::string& dataPath) { return readWholeFile(dataDir().resolve(dataPath)); }

std::string field(const std::string& value, std::size_t width) {
    return std::string(1, static_cast<char>(value.size())) + value + std::string(width - value.size(), '\0');
}

std::string record(const std::string& file, std::size_t size, int k) {
    return bytesOf(file).substr(static_cast<std::size_t>(k) * size, size);
}

// Born at Greenwich on 1 January 2000 at 12:00 Universal Time.
NewSubject greenwichSubject(const std::string& name) {
    NewSubject s;
    s.name = name;
    s.day = 1;
    s.month = 1;
    s.year = 2000;
    s.hour = 12;
    s.minute = 0;
    s.corr = 0;
    s.coordinates = "51N29-000E00";
    s.place = "Greenwich (Ldn)";
    s.nation = "Regno Unito";
    return s;
}

Archive openBase() {
    ArchiveOpening o = openArchive("BASE");
    return std::move(*o.archive);
}

class Subjects : public ::testing::Test {
protected:
    void SetUp() override {
        test::writeZeroCorrectionTables(dir.path());
        resetChartSettings();
        LoadActiveOrbs();
        createPersonalArchive();
    }
    void TearDown() override { resetChartSettings(); }
    test::TempDataDir dir{true};
};

TEST_F(Subjects, ARegisteredSubjectLandsByteForByte) {
    NewSubject s = greenwichSubject("Rossi Mario");
    s.annotations = {"Prima riga", "", "Terza", "Quarta"};
    s.textNumber = "00001";
    const Registration r = registerSubject("base", s);
    ASSERT_EQ(r.failure, "");
    EXPECT_EQ(r.archive, "BASE");
    EXPECT_EQ(r.birthNumber, 1);
    EXPECT_EQ(r.indexPosition, 1);
    EXPECT_EQ(r.annotationNumber, 1);

    const std::string key = "ROSSI MARIO                           00001";
    EXPECT_EQ(record("BASE.ST1", 44, 1), field(key, 43));
    const std::string line4 = "Quarta" + std::string(58, ' ') + "00001";
    EXPECT_EQ(record("BASE.ST3", 284, 1),
              field("Prima riga", 70) + field("", 70) + field("Terza", 70) + field(line4, 70));

    const std::string birth = record("BASE.ST2", 385, 1);
    EXPECT_EQ(birth.substr(0, 21), field("200001011200+0", 20));
    EXPECT_EQ(birth.substr(21, 40), field("51N29-000E00GREENWICH *LDN*", 39));
    EXPECT_EQ(birth.substr(61, 3), field("GR", 2));
    EXPECT_EQ(birth.substr(64, 21), field("REGNO UNITO", 20));
    EXPECT_EQ(birth.substr(344, 35), field("", 21) + field("", 12));
    EXPECT_EQ(birth.substr(379, 6), field("00001", 5));

    // The summaries: bodies of the J2000 chart (house, letter, sign, degrees).
    const BirthRecord stored = decodeBirthRecord(Bytes(birth.begin(), birth.end()));
    ASSERT_EQ(stored.planetSummary.size(), 72u);
    const char* bodies[] = {"eC10", "lS13", "mC01", "vR01", "aQ27", "gA25", "sT10", "uQ14", "nQ03", "pR11", "dL05"};
    for (int k = 0; k < 11; ++k) EXPECT_EQ(stored.planetSummary.substr(6 * k + 2, 4), bodies[k]) << k;
    ASSERT_EQ(stored.cuspSummary.size(), 60u);
    EXPECT_EQ(stored.cuspSummary.substr(0, 5), "01A24") << "the Ascendant, 24.28";
    EXPECT_EQ(stored.cuspSummary.substr(45, 5), "10C09") << "Placidus: cusp 10 is the Medium Coeli, 279.61";
    EXPECT_EQ(stored.aspectSummary.substr(0, 12), "eJl3eKm8eZs0");

    // The current subject, and the side files.
    EXPECT_EQ(bytesOf("TMPR.ST1"), field(key, 43));
    EXPECT_EQ(bytesOf("TMPR.ST2"), birth);
    EXPECT_EQ(bytesOf(kAnnotationsFile), "Prima riga  Terza " + line4 + "\r\n");
    EXPECT_EQ(bytesOf(kTextPointerFile), "BASE\r\n00001\r\n");
    EXPECT_EQ(bytesOf(kArchivesInUseFile), "BASE\r\n");
}

TEST_F(Subjects, WithoutAnnotationsTheStandardTextIsShown) {
    registerSubject("BASE", greenwichSubject("Verdi"));
    EXPECT_EQ(record("BASE.ST2", 385, 1).substr(379, 6), field("00000", 5));
    EXPECT_EQ(bytesOf("BASE.ST3").size(), 284u) << "no annotation record";
    EXPECT_EQ(readAnnotationsFile().substr(0, 20), " LO SPAZIO DELIMITAT");
    EXPECT_EQ(readTextPointer().number, "");
}

TEST_F(Subjects, EqualNamesAreKeptOldestFirst) {
    EXPECT_EQ(registerSubject("BASE", greenwichSubject("Rossi")).indexPosition, 1);
    EXPECT_EQ(registerSubject("BASE", greenwichSubject("Bianchi")).indexPosition, 1);
    NewSubject otherRossi = greenwichSubject("Rossi");
    otherRossi.minute = 30;  // another person of the same name
    EXPECT_EQ(registerSubject("BASE", otherRossi).indexPosition, 3);
    Archive base = openBase();
    EXPECT_EQ(base.readIndex(2).text.substr(38), "00001");
    EXPECT_EQ(base.readIndex(3).text.substr(38), "00003");
}

// The same name and birth moment twice would give two entries one person's
// record: the second registration is refused, naming the entry already
// there, and writes nothing. The temporary archive is not an archive of
// people and takes anyone.
TEST_F(Subjects, TheSamePersonIsRegisteredOnce) {
    registerSubject("BASE", greenwichSubject("Bianchi"));
    registerSubject("BASE", greenwichSubject("Rossi Mario"));
    const std::string before = bytesOf("BASE.ST1") + bytesOf("BASE.ST2") + bytesOf("BASE.ST3");
    for (const char* typed : {"Rossi Mario", "ROSSI MARIO", "rossi mario  "}) {
        const Registration again = registerSubject("BASE", greenwichSubject(typed));
        EXPECT_EQ(again.samePosition, 2) << typed;
        EXPECT_EQ(again.failure, "ROSSI MARIO (nascita 01/01/2000 12:00) c'\xE8 gi\xE0 nell'archivio BASE alla voce 2");
    }
    EXPECT_EQ(bytesOf("BASE.ST1") + bytesOf("BASE.ST2") + bytesOf("BASE.ST3"), before);
    EXPECT_EQ(registerSubject("BASE", greenwichSubject("Rossi Mario II")).failure, "");
    EXPECT_EQ(registerSubject("TMPR", greenwichSubject("Rossi Mario")).failure, "");
    EXPECT_EQ(registerSubject("TMPR", greenwichSubject("Rossi Mario")).failure, "");
}

TEST_F(Subjects, RegisteringIntoTheTemporaryArchive) {
    NewSubject s = greenwichSubject("Primo");
    s.annotations[0] = "non registrata";
    registerSubject("TMPR", s);
    const Registration r = registerSubject("TMPR", greenwichSubject("Secondo"));
    ASSERT_EQ(r.failure, "");
    EXPECT_EQ(r.birthNumber, 1);
    EXPECT_EQ(r.indexPosition, 0);
    EXPECT_EQ(bytesOf("TMPR.ST1"), field("SECONDO                               00001", 43));
    const std::string births = bytesOf("TMPR.ST2");
    ASSERT_EQ(births.size(), 2 * 385u) << "appended, and written as record 0";
    EXPECT_EQ(births.substr(0, 385), births.substr(385));
    EXPECT_FALSE(dataDir().exists("TMPR.ST3"));
    EXPECT_EQ(readCurrentSubject().name(), "SECONDO" + std::string(31, ' '));
}

TEST_F(Subjects, FailedChecksWriteNothing) {
    struct Case {
        const char* archive;
        NewSubject subject;
        const char* message;
    };
    std::vector<Case> cases;
    cases.push_back({"BASE", greenwichSubject(" "), "Manca il Nome del Soggetto"});
    NewSubject month13 = greenwichSubject("A");
    month13.month = 13;
    cases.push_back({"BASE", month13, "Data Scorretta"});
    NewSubject coords = greenwichSubject("A");
    coords.coordinates = "51N29-000X00";
    cases.push_back({"BASE", coords, "Coordinate Errate o Mancanti"});
    NewSubject longCorr = greenwichSubject("A");
    longCorr.corr = -0.6122222L;
    cases.push_back({"BASE", longCorr, "Correzione Totale con troppe cifre (al massimo 8 caratteri)"});
    NewSubject farCorr = greenwichSubject("A");
    farCorr.corr = 30;
    cases.push_back({"BASE", farCorr, "Correzione Totale fuori dai limiti (da -24 a +24 ore)"});
    cases.push_back({"RICE", greenwichSubject("A"), "Archivio RICE inesistente"});
    const std::string st1 = bytesOf("BASE.ST1"), st2 = bytesOf("BASE.ST2");
    for (const auto& c : cases) {
        EXPECT_EQ(registerSubject(c.archive, c.subject).failure, c.message);
        EXPECT_EQ(bytesOf("BASE.ST1"), st1);
        EXPECT_EQ(bytesOf("BASE.ST2"), st2);
        EXPECT_FALSE(dataDir().exists(kArchivesInUseFile)) << c.message;
        EXPECT_FALSE(currentSubjectExists()) << c.message;
    }
}

// A registration on a full disk: the text file, the birth file and the
// index take the subject together or not at all, wherever the disk fills
// (in the annotation, the birth record, the index or the current subject's
// files), so the next subject gets record 2, not the number after the
// records of the failed attempts.
TEST_F(Subjects, ARegistrationOnAFullDiskChangesNoArchiveFile) {
    registerSubject("BASE", greenwichSubject("Anna"));
    const std::string files[] = {"BASE.ST1", "BASE.ST2", "BASE.ST3"};
    std::string before[3];
    for (int i = 0; i < 3; ++i) before[i] = bytesOf(files[i]);
    NewSubject s = greenwichSubject("Bruno");
    s.annotations[0] = "nota";
    int failures = 0;
    for (std::int64_t budget = 0;; budget += 61) {
        setWriteFailureAfter(budget);
        try {
            const Registration r = registerSubject("BASE", s);
            setWriteFailureAfter(-1);
            ASSERT_TRUE(r.failure.empty()) << r.failure;
            EXPECT_EQ(r.birthNumber, 2) << "after " << failures << " failed attempts";
            EXPECT_EQ(r.annotationNumber, 1);
            break;
        } catch (const IoError& e) {
            setWriteFailureAfter(-1);
            ++failures;
            for (int i = 0; i < 3; ++i) EXPECT_EQ(bytesOf(files[i]), before[i]) << files[i] << ": " << e.what();
        }
        ASSERT_LT(budget, 100000) << "the registration never went through";
    }
    EXPECT_GT(failures, 10);
    Archive base = openBase();
    EXPECT_EQ(base.subjectCount(), 2);
    EXPECT_EQ(readStoredSubject(base, 2).annotation->lines[0], "nota");
}

TEST_F(Subjects, RecallNotesThePointerAndOkMakesTheSubjectCurrentWithItsNotes) {
    NewSubject s = greenwichSubject("Rossi Mario");
    s.annotations = {"  Prima riga ", "", "Terza", "Quarta"};
    s.textNumber = "00001";
    registerSubject("BASE", s);
    registerSubject("TMPR", greenwichSubject("Altro"));

    Archive base = openBase();
    const Recall r = recallSubject(base, 1);
    EXPECT_EQ(r.birth.dateText(), "01/01/2000 12:00");
    EXPECT_EQ(r.birth.place, "GREENWICH (LDN)");
    EXPECT_EQ(bytesOf(kRecalledPointerFile), "00001\r\nBASE\r\n");
    // Only looked at: the current subject's notes and text stay.
    EXPECT_EQ(bytesOf(kTextPointerFile), "TMPR\r\n\r\n");

    confirmRecall(r, r.subject.entry.name(), r.birth.place, "UK");
    EXPECT_EQ(bytesOf(kAnnotationsFile), " Prima riga  Terza Quarta" + std::string(58, ' ') + "00001\r\n");
    EXPECT_EQ(bytesOf(kTextPointerFile), "BASE\r\n00001\r\n");
    const CurrentSubject current = readCurrentSubject();
    EXPECT_EQ(current.nameText, "ROSSI MARIO" + std::string(27, ' ')) << "the name without record number";
    EXPECT_EQ(current.record.place, "51N29-000E00GREENWICH (LDN)");
    EXPECT_EQ(current.record.nation, "UK");
    EXPECT_EQ(current.record.planetSummary, r.subject.record.planetSummary);
    EXPECT_EQ(bytesOf("TMPR.ST2").size(), 385u);
}

TEST_F(Subjects, ModificationChecksInOrder) {
    registerSubject("BASE", greenwichSubject("Rossi"));
    Archive base = openBase();
    const StoredSubject stored = readStoredSubject(base, 1);
    const SubjectEdit fields = editFieldsOf(stored);
    EXPECT_EQ(fields.date, "01/01/2000");
    EXPECT_EQ(fields.time, "12:00");
    EXPECT_EQ(fields.corr, "+0");
    EXPECT_EQ(fields.place, "GREENWICH *LDN*");
    EXPECT_EQ(fields.coordinates, "51N29-000E00");
    EXPECT_EQ(fields.calendar, "GREGORIANO");

    struct Case {
        std::string SubjectEdit::*field;
        const char* value;
        const char* failure;
    };
    const Case cases[] = {
        {&SubjectEdit::date, "32/01/2000", "Data Nascita Scorretta o Incompleta"},
        {&SubjectEdit::date, "01/01/0000", "Data Nascita Scorretta o Incompleta"},
        {&SubjectEdit::date, "1/1/2000", "Data Nascita Scorretta o Incompleta"},
        {&SubjectEdit::date, "31/02/2000", "Data Nascita Scorretta o Incompleta"},
        {&SubjectEdit::date, "29/02/1900", "Data Nascita Scorretta o Incompleta"},
        {&SubjectEdit::date, "29/02/2000", ""},
        {&SubjectEdit::time, "24:00", "Ora Nascita Scorretta o Incompleta"},
        {&SubjectEdit::coordinates, "90N00-000E00", "Coordinate Scorrette o Incomplete"},
        {&SubjectEdit::coordinates, "51N29-000O00", "Coordinate Scorrette o Incomplete"},
        {&SubjectEdit::coordinates, "51N29-180E00", "Coordinate Scorrette o Incomplete"},
        {&SubjectEdit::calendar, "GREG", "Errore definizione Calendario"},
        {&SubjectEdit::corr, "uno", "Errore alla voce \"Corr\" (Correzione Totale)"},
        {&SubjectEdit::corr, "-0,612222", "Errore alla voce \"Corr\" (Correzione Totale)"},
        {&SubjectEdit::corr, "12,5", "\"Corr\" riporta un valore impossibile"},
        {&SubjectEdit::date, "  05/06/1950 ", ""},
    };
    const std::string st1 = bytesOf("BASE.ST1"), st2 = bytesOf("BASE.ST2");
    for (const auto& c : cases) {
        SubjectEdit e = fields;
        e.*c.field = c.value;
        EXPECT_EQ(checkSubjectEdit(e).failure, c.failure) << c.value;
        if (*c.failure) {
            EXPECT_EQ(modifySubject(base, stored, e, true).failure, c.failure);
            EXPECT_EQ(bytesOf("BASE.ST1"), st1);
            EXPECT_EQ(bytesOf("BASE.ST2"), st2);
        }
    }
    SubjectEdit e = fields;
    e.date = "  05/06/1950 ";
    checkSubjectEdit(e);
    EXPECT_EQ(e.date, "05/06/1950") << "fields are shown stripped";
}

TEST_F(Subjects, TheLongitudeAndCorrConsistencyQuestion) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"45N28-009E11", "-1", false}, {"45N28-009E11", "1", false}, {"45N28-009E11", "3", true},
        {"45N28-009W11", "1", false},  {"45N28-009W11", "3", true},  {"45N28-009W11", "-2", true},
    };
    registerSubject("BASE", greenwichSubject("Rossi"));
    Archive base = openBase();
    const StoredSubject stored = readStoredSubject(base, 1);
    for (auto [coordinates, corr, asks] : cases) {
        SubjectEdit e = editFieldsOf(stored);
        e.coordinates = coordinates;
        e.corr = corr;
        const EditCheck check = checkSubjectEdit(e);
        EXPECT_EQ(check.failure, "");
        EXPECT_EQ(check.question.empty(), !asks) << coordinates << " " << corr;
        if (asks) {
            const std::string st2 = bytesOf("BASE.ST2");
            const Modification m = modifySubject(base, stored, e, false);
            EXPECT_EQ(m.question, "Possibile Incongruenza tra Longitudine e \"Corr\", Confermi i Dati?");
            EXPECT_EQ(bytesOf("BASE.ST2"), st2) << "not confirmed: nothing written";
        }
    }
}

TEST_F(Subjects, AModifiedNameMovesUpTheIndexAndTheRecordIsRewrittenInPlace) {
    registerSubject("BASE", greenwichSubject("Anna"));
    registerSubject("BASE", greenwichSubject("Carlo"));
    registerSubject("BASE", greenwichSubject("Rossi"));
    const std::string current = bytesOf("TMPR.ST2");
    Archive base = openBase();
    const StoredSubject rossi = readStoredSubject(base, 3);
    SubjectEdit e = editFieldsOf(rossi);
    e.name = "Bianco";
    e.time = "18:30";
    e.corr = "-1.5";
    const Modification m = modifySubject(base, rossi, e, true);
    ASSERT_EQ(m.failure, "");
    EXPECT_EQ(m.indexPosition, 2);
    EXPECT_EQ(base.readIndex(1).text.substr(0, 5), "ANNA ");
    EXPECT_EQ(base.readIndex(2).text, "BIANCO                                00003");
    EXPECT_EQ(base.readIndex(3).text.substr(0, 5), "CARLO");
    EXPECT_EQ(base.birthCount(), 4) << "rewritten in place";
    EXPECT_EQ(base.readBirth(3).moment, "200001011830-1,5");
    EXPECT_EQ(base.readBirth(3).annotationNumber, "00000");
    EXPECT_NE(base.readBirth(3).cuspSummary, rossi.record.cuspSummary) << "the summaries follow the new time";
    EXPECT_EQ(bytesOf("TMPR.ST2"), current) << "the current subject is not changed";

    // Only the date: the entry stays where it is.
    const StoredSubject carlo = readStoredSubject(base, 3);
    SubjectEdit d = editFieldsOf(carlo);
    d.date = "02/01/2000";
    EXPECT_EQ(modifySubject(base, carlo, d, true).indexPosition, 3);
    EXPECT_EQ(base.readBirth(2).moment, "200001021200+0");
}

TEST_F(Subjects, AModificationAddsTheFirstAnnotations) {
    registerSubject("BASE", greenwichSubject("Rossi"));
    Archive base = openBase();
    const StoredSubject stored = readStoredSubject(base, 1);
    SubjectEdit e = editFieldsOf(stored);
    EXPECT_EQ(e.annotations[0], "") << "the standard text is not shown as annotations";
    e.annotations[0] = "Prima nota";
    e.time = "13:00";
    ASSERT_EQ(modifySubject(base, stored, e, true).failure, "");
    EXPECT_EQ(base.annotationCount(), 2);
    EXPECT_EQ(base.readBirth(1).annotationNumber, "00001");
    EXPECT_EQ(base.readBirth(1).moment, "200001011300+0");

    // A second change writes over the subject's own record.
    const StoredSubject again = readStoredSubject(base, 1);
    SubjectEdit f = editFieldsOf(again);
    EXPECT_EQ(f.annotations[0], "Prima nota");
    f.annotations[1] = "Seconda";
    modifySubject(base, again, f, true);
    EXPECT_EQ(base.annotationCount(), 2);
    EXPECT_EQ(base.readAnnotation(1).lines[1], "Seconda");
}

TEST_F(Subjects, TextDocumentsAreNumberedAndNeverOverwritten) {
    EXPECT_EQ(createTextDocument("BASE", "Rossi Mario"), "00001");
    EXPECT_EQ(bytesOf("BASEtxt\\FlagTxt.set"), "2\r\n");
    EXPECT_EQ(bytesOf("BASEtxt\\00001.txt"), "Rossi Mario" + std::string(27, ' ') + "\r\n");
    EXPECT_EQ(bytesOf(kEditedDocumentFile), "BASEtxt\\00001.txt\r\n");
    EXPECT_FALSE(dataDir().exists(kTextPointerFile)) << "the current subject's text pointer is not touched";

    writeTextLines(dataDir().prepareForWrite("BASEtxt\\00002.txt"), {"testo di un altro soggetto"});
    EXPECT_EQ(createTextDocument("BASE", "Verdi"), "00003");
    EXPECT_EQ(bytesOf("BASEtxt\\00002.txt"), "testo di un altro soggetto\r\n");
    EXPECT_EQ(bytesOf("BASEtxt\\FlagTxt.set"), "4\r\n");

    writeTextLines(dataDir().resolve("BASEtxt\\FlagTxt.set"), {"quattro"});
    EXPECT_THROW(createTextDocument("BASE", "Bianchi"), ConversionError);
    EXPECT_FALSE(dataDir().exists("BASEtxt\\00004.txt"));

    SubjectEdit e;
    e.name = "Verdi";
    e.textNumber = "00003";
    EXPECT_EQ(textDocumentForEdit("BASE", e), "00003") << "an existing document is reused";
    EXPECT_EQ(bytesOf(kEditedDocumentFile), "BASEtxt\\00003.txt\r\n");
}

} // namespace subjects_operations_test
} // namespace qv
