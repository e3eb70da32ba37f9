// The support lists derived from the record files, their rebuild, and the
// damaged or missing files that stop it without touching anything.
#include "remedies/remedy_files.h"
#include "remedies/remedy_text.h"
#include "remedies/scratch_files.h"
#include "remedies/support_lists.h"
#include "tests/remedies/remedy_fixture.h"
#include "tests/support/temp_data_dir.h"

#include "base/errors.h"
#include "base/text_file.h"

#include <gtest/gtest.h>

#include <fstream>

namespace qv::remedies {
namespace support_lists_test {

using test::remedy;
using test::therapy;
using Lines = std::vector<std::string>;

std::vector<RemedyRecord> withHeader(std::vector<RemedyRecord> records) {
    records.insert(records.begin(), remedy("Intestazione", "Intestazione"));
    return records;
}

TEST(SupportLists, RecordZeroAloneGivesEmptyLists) {
    const auto only = withHeader({});
    EXPECT_TRUE(deriveSymptomList(only).empty());
    EXPECT_TRUE(deriveRemedyNames(only).empty());
    EXPECT_TRUE(deriveRemedyLines({}).empty());
}

TEST(SupportLists, IndicationsAndNamesAreDistinctSortedAndInListedForm) {
    const auto db = withHeader({
        remedy("Tarassaco TSA", "Tosse secca"),
        remedy("Tarassaco TSA", "Cefalea"),
        remedy("Tarassaco TSA", "Insonnia; "),  // trailing symbols are not part of the listed form
        remedy("Malva", "tosse secca"),         // differs only in case: kept, next to its twin
        remedy("Malva", "Cefalea"),
        remedy("Iperico (2)", "Ansia"),
    });
    EXPECT_EQ(deriveSymptomList(db), (Lines{"Ansia", "Cefalea", "Insonnia", "tosse secca", "Tosse secca"}));
    // The remedy of three indications is listed once; the first name is not dropped.
    EXPECT_EQ(deriveRemedyNames(db), (Lines{"Iperico (2)", "Malva", "Tarassaco TSA"}));
}

TEST(SupportLists, IndicationsOf250And251Characters) {
    const std::string i250(250, 'a'), i251 = std::string(250, 'b') + "c";
    const auto db = withHeader({remedy("R", i250), remedy("R", i251)});
    EXPECT_EQ(deriveSymptomList(db), (Lines{i250, i251}));
}

std::string shown70(const std::string& part) { return part + std::string(70 - part.size(), ' '); }

TEST(SupportLists, PreparationTypeLines) {
    const Lines lines = deriveRemedyLines({"HS 8 - Calendula", "HS 123 - Arnica", "MSA", "QSPC Ruta", "TSA Salvia", "Viola"});
    const Lines expected = {
        shown70(" (MSA)") + "MSA",
        "Arnica (HS 123)" + std::string(55, ' ') + "HS 123 - Arnica",
        "Calendula (HS 8)" + std::string(54, ' ') + "HS 8 - Calendula",
        "HS 123 - Arnica",
        "HS 8 - Calendula",
        "MSA",
        "QSPC Ruta",
        "RUTA (QSPC)" + std::string(59, ' ') + "QSPC Ruta",
        "Salvia (TSA)" + std::string(58, ' ') + "TSA Salvia",
        "TSA Salvia",
        "Viola",
    };
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(sourceNameOfLine(expected[2]), "HS 8 - Calendula");
    EXPECT_EQ(sourceNameOfLine("Viola"), "");
    // A long name keeps 30 characters in the shown part but is found whole.
    const std::string longName = "MSA " + std::string(46, 'x');
    const Lines longLines = deriveRemedyLines({longName});
    ASSERT_EQ(longLines.size(), 2u);
    EXPECT_EQ(longLines[1].substr(0, 37), std::string(30, 'x') + " (MSA) ");
    EXPECT_EQ(sourceNameOfLine(longLines[1]), longName);
}

TEST(SupportLists, SignaturePathologyAndRepertoryLists) {
    const auto db = withHeader({
        remedy("Rosa", "a", "Venere-Luna", "Toro Bilancia"),
        remedy("Ortica", "b", "Marte", "Ariete"),
        remedy("Rosa", "c", "Venere", "Toro"),
        remedy("ortica", "d", "marte", "ariete"),  // signature words match by case
    });
    const auto& files = signatureFiles();
    ASSERT_EQ(files.size(), 21u);
    EXPECT_EQ(signatureFilePath(files[0]), "OpzioneH\\SolePri.rnd");
    EXPECT_EQ(signatureFilePath(files[20]), "OpzioneH\\Pesci.rnd");
    EXPECT_EQ(deriveSignatureNames(db, files[3]), Lines{"Rosa"});    // Venere
    EXPECT_EQ(deriveSignatureNames(db, files[4]), Lines{"Ortica"});  // Marte
    EXPECT_EQ(deriveSignatureNames(db, files[10]), Lines{"Rosa"});   // Toro

    const std::vector<RepertoryRecord> rep = {therapy("Intestazione", "x"), therapy("Tosse", "Malva"),
                                              therapy("Cefalea", "Rosa"), therapy("Tosse", "Rosa"),
                                              therapy("tosse", "zzzz")};
    EXPECT_EQ(derivePathologies(rep), (Lines{"Cefalea", "tosse", "Tosse"}));
    EXPECT_EQ(deriveRepertoryRemedies(rep), (Lines{"Malva", "Rosa", "zzzz"}));
}

TEST(PlantDatabase, TextGroupsSymptomsAndPlants) {
    Lines text;
    auto group = [&](const std::string& plant, const std::string& symptom) {
        text.insert(text.end(), {plant, "SIG", "sole", "luna", "Leone", "Sintesi", symptom, "Autori"});
    };
    group("Pianta", "Sintomo");  // the header group
    group("Malva", "Tosse ");
    group("Malva", "Tosse ");   // equal to the record before: listed once
    group("Altea   ", "Tosse");  // the same symptom without the blank: one entry
    group("", "Afonia");
    const auto entries = parsePlantText(text);
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_EQ(entries[1].pianta, "Malva");
    EXPECT_EQ(entries[1].sintomo, "Tosse ");
    EXPECT_EQ(entries[1].segnaturaZodiacale, "Leone");
    EXPECT_EQ(derivePlantSymptoms(entries), (Lines{"Afonia", "Tosse"}));
    EXPECT_EQ(derivePlantNames(entries), (Lines{"Altea", "Malva"}));
    const auto records = namesFromRecordOne({"Altea"}, kPlantNameWidth);
    EXPECT_EQ(records[0], Bytes(21, 0));

    text.pop_back();
    EXPECT_THROW(parsePlantText(text), IoError);  // an incomplete last group
    text.push_back("Autori");
    text[8] = std::string(21, 'P');  // a plant name wider than its field
    try {
        parsePlantText(text);
        FAIL();
    } catch (const IoError& e) {
        EXPECT_EQ(e.file(), "OpzioneS\\DbTesto.Txt");
        EXPECT_NE(std::string(e.what()).find("riga 9 (Pianta)"), std::string::npos) << e.what();
    }
}

TEST(Principles, FifteenGroupsOfFiveUpperCaseLines) {
    Lines text;
    for (int i = 0; i < 75; ++i) text.push_back("acido " + std::to_string(i) + " \xE8");
    const auto records = parsePrinciples(text);
    ASSERT_EQ(records.size(), 15u);
    EXPECT_EQ(records[0][0], "ACIDO 0 \xE8");
    EXPECT_EQ(records[14][4], "ACIDO 74 \xE8");
    text.pop_back();
    EXPECT_THROW(parsePrinciples(text), IoError);
}

class Rebuild : public ::testing::Test {
protected:
    test::TempDataDir temp;
    DataDir dir{temp.path()};

    void writeDatabases() {
        test::writeRemedyDatabase(dir, {remedy("MSA Rosa", "Tosse", "Venere", "Toro"), remedy("Malva", "Afonia", "Luna", "Cancro")});
        test::writeRepertoryDatabase(dir, {therapy("Tosse", "Malva"), therapy("Tosse", "MSA Rosa")});
    }
    // Every file of the data directory with its bytes.
    std::map<std::string, std::string> snapshot() const {
        std::map<std::string, std::string> out;
        for (const auto& e : std::filesystem::recursive_directory_iterator(temp.path()))
            if (e.is_regular_file()) out[e.path().string()] = readWholeFile(e.path());
        return out;
    }
};

TEST_F(Rebuild, WritesEveryListAndTally) {
    writeDatabases();
    const RebuildSummary s = rebuildSupportLists(dir);
    EXPECT_EQ(s.remedies, 2u);
    EXPECT_EQ(s.filesWritten, 28u);
    EXPECT_EQ(readSupportList(dir, files::kSymptomList, 300), (Lines{"Afonia", "Tosse"}));
    EXPECT_EQ(test::fileBytes(dir, files::kRemedyNames), "Malva\r\nMSA Rosa\r\n");
    EXPECT_EQ(readSupportList(dir, files::kRemedyLines, 120).size(), 3u);
    EXPECT_EQ(readSupportList(dir, files::kPathologies, 100), Lines{"Tosse"});
    const auto tally = readScores(dir, files::kSymptomTally);
    ASSERT_EQ(tally.size(), 2u);
    EXPECT_EQ(tally[1].name, "MSA Rosa");
    EXPECT_EQ(tally[1].count, 0);
    EXPECT_EQ(readNames(dir, "OpzioneH\\VenePri.rnd", 50), Lines{"MSA Rosa"});
    EXPECT_TRUE(readNames(dir, "OpzioneH\\SolePri.rnd", 50).empty());
    EXPECT_EQ(readNames(dir, "opzioneh\\cancro.RND", 50), Lines{"Malva"});
}

TEST_F(Rebuild, ARecordAppendedToTheHeaderBecomesRecordOne) {
    test::writeRemedyDatabase(dir, {});
    test::writeRepertoryDatabase(dir, {});
    rebuildSupportLists(dir);
    EXPECT_EQ(test::fileBytes(dir, files::kSymptomList), "");
    EXPECT_EQ(test::fileBytes(dir, files::kRemedyNames), "");
    writeRemedy(dir, 1, remedy("Malva", "Afonia"));
    EXPECT_EQ(readRemedy(dir, 1).rimedio, "Malva");
    EXPECT_THROW(writeRemedy(dir, 3, remedy("Oltre", "x")), IoError);  // no gaps
    rebuildSupportLists(dir);
    EXPECT_EQ(test::fileBytes(dir, files::kSymptomList), "Afonia\r\n");
}

TEST_F(Rebuild, DamagedOrMissingFilesStopItAndChangeNothing) {
    writeDatabases();
    rebuildSupportLists(dir);
    const auto before = snapshot();
    const std::string db = test::fileBytes(dir, files::kRemedies);
    auto expectRefused = [&](const std::string& file, const std::string& reason) {
        try {
            rebuildSupportLists(dir);
            ADD_FAILURE() << "no error for " << file;
        } catch (const IoError& e) {
            EXPECT_EQ(e.file(), file);
            EXPECT_NE(std::string(e.what()).find(reason), std::string::npos) << e.what();
        }
    };

    // A trailing partial record.
    std::ofstream(dir.resolve(files::kRemedies), std::ios::binary | std::ios::app) << "xyz";
    const auto damaged = snapshot();
    expectRefused(files::kRemedies, "non \xE8 un multiplo del record (4814 byte)");
    EXPECT_EQ(snapshot(), damaged);

    // A length byte beyond its field in record 2.
    std::string bad = db;
    bad[2 * 4814 + 2835] = 71;
    std::ofstream(dir.resolve(files::kRemedies), std::ios::binary | std::ios::trunc) << bad;
    expectRefused(files::kRemedies, "record 2 \xE8 danneggiato: il campo SegnaturaZodiacale dichiara 71");

    // A missing repertory.
    std::ofstream(dir.resolve(files::kRemedies), std::ios::binary | std::ios::trunc) << db;
    std::filesystem::remove(dir.resolve(files::kRepertory));
    expectRefused(files::kRepertory, "inesistente");
    auto after = snapshot();
    EXPECT_EQ(after.size() + 1, before.size());
}

TEST_F(Rebuild, SupportListsAreCheckedWhenRead) {
    EXPECT_THROW(readSupportList(dir, files::kSymptomList, kLongestIndication), IoError);
    EXPECT_TRUE(readOptionalList(dir, files::kPathologies, kLongestPathology).empty());
    writeTextList(dir, files::kRemedyNames, {"Rosa", std::string(51, 'x')});
    try {
        readSupportList(dir, files::kRemedyNames, kLongestRemedyName);
        FAIL();
    } catch (const IoError& e) {
        EXPECT_EQ(e.file(), "OpzioneH\\ProdotA.txt");
        EXPECT_NE(std::string(e.what()).find("riga 2 ha 51 caratteri"), std::string::npos) << e.what();
    }
}

TEST_F(Rebuild, PlantDatabaseFromItsText) {
    Lines text;
    for (const char* plant : {"Pianta", "Malva", "Altea"})
        text.insert(text.end(), {plant, "S", "sole", "", "Leone", "", std::string("Tosse di ") + plant, "A"});
    writeTextList(dir, files::kPlantText, text);
    EXPECT_EQ(compilePlantDatabase(dir), 3u);
    EXPECT_EQ(std::filesystem::file_size(dir.resolve(files::kPlantEntries)), 3u * 599u);
    EXPECT_EQ(readNames(dir, files::kPlants, 20), (Lines{"", "Altea", "Malva"}));
    EXPECT_EQ(readNames(dir, files::kPlantSymptoms, 100), (Lines{"", "Tosse di Altea", "Tosse di Malva"}));
}

TEST_F(Rebuild, RemedyNameListAndItsScratchFiles) {
    const auto db = withHeader({remedy("Rosa ", "a"), remedy("Malva", "b"), remedy("Rosa", "c"), remedy("Errore 3", "d")});
    const auto list = remedyNameList(db);
    ASSERT_EQ(list.size(), 3u);  // "Intestazione", "Malva", "Rosa"
    EXPECT_EQ(list[2].name, "Rosa");
    EXPECT_EQ(list[2].firstRecord, 3);
    writeRecordNumbers(dir, list);
    EXPECT_EQ(readRecordNumbers(dir), (std::vector<std::int64_t>{0, 2, 3}));

    std::vector<SignatureHit> hits;
    for (int i = 0; i < 15; ++i) hits.push_back({"R" + std::to_string(i), "Sole", "", "Leone"});
    writeSignatureHits(dir, hits);
    EXPECT_EQ(readSignatureHits(dir, 1).size(), 14u);
    ASSERT_EQ(readSignatureHits(dir, 2).size(), 1u);
    EXPECT_EQ(readSignatureHits(dir, 2)[0].rimedio, "R14");
}

} // namespace support_lists_test
} // namespace qv::remedies
