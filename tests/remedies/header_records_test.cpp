// The databases whose record 0 is a header: a file cut to nothing is no
// database. Lookups and the rebuild of the support lists refuse it naming
// the file (a lookup answered "0 rimedi" and the rebuild wrote all thirty
// lists empty); adding a record to it still gives it its header first. A
// file that lost its header record (cut at the start by whole records) still
// has a valid size: its first record's content gives it away.
#include "base/errors.h"
#include "base/text_file.h"
#include "remedies/consultation.h"
#include "remedies/maintenance.h"
#include "remedies/remedy_files.h"
#include "remedies/support_lists.h"
#include "tests/remedies/remedy_fixture.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>

namespace qv::remedies {
namespace header_records_test {

namespace fs = std::filesystem;

std::map<std::string, std::string> folderBytes(const fs::path& folder) {
    std::map<std::string, std::string> out;
    for (const auto& e : fs::recursive_directory_iterator(folder))
        if (e.is_regular_file()) out[e.path().string()] = readWholeFile(e.path());
    return out;
}

TEST(HeaderRecords, AnEmptyDatabaseIsRefusedAndTheRebuildChangesNothing) {
    test::TempDataDir temp;
    const DataDir dir(temp.path());
    test::writeRemedyDatabase(dir, {test::remedy("MSA Rosa", "Tosse")});
    test::writeRepertoryDatabase(dir, {test::therapy("Cefalea", "MSA Rosa")});
    rebuildSupportLists(dir);
    for (const char* emptied : {files::kRemedies, files::kRepertory}) {
        SCOPED_TRACE(emptied);
        const std::string kept = readWholeFile(dir.resolve(emptied));
        writeFileAtomically(dir.resolve(emptied), "");
        const auto before = folderBytes(temp.path());
        const auto refusedNaming = [&](auto action) {
            try {
                action();
                ADD_FAILURE() << "an empty " << emptied << " was read as a database";
            } catch (const IoError& e) {
                EXPECT_EQ(e.file(), emptied);
                EXPECT_NE(e.reason().find("manca il record di intestazione"), std::string::npos) << e.what();
            }
        };
        refusedNaming([&] { rebuildSupportLists(dir); });
        if (std::string(emptied) == files::kRemedies)
            refusedNaming([&] { findSymptom(dir, "Tosse"); });
        else
            refusedNaming([&] { findPathology(dir, "Cefalea"); });
        EXPECT_EQ(folderBytes(temp.path()), before) << "nothing was rewritten";
        writeFileAtomically(dir.resolve(emptied), kept);
    }
}

TEST(HeaderRecords, ADatabaseThatLostItsHeaderRecordIsRefusedByItsContent) {
    test::TempDataDir temp;
    const DataDir dir(temp.path());
    test::writeRemedyDatabase(dir, {test::remedy("TSA Achillea", "Tosse"), test::remedy("MSA Rosa", "Cefalea")});
    test::writeRepertoryDatabase(dir, {test::therapy("Cefalea", "MSA Rosa"), test::therapy("Tosse", "TSA Achillea")});
    rebuildSupportLists(dir);
    const struct {
        const char* file;
        std::size_t recordSize;
        std::function<void()> lookup;
        const char* firstName;
    } cases[] = {
        {files::kRemedies, kRemedyRecordSize, [&] { findSymptom(dir, "Tosse"); }, "TSA Achillea"},
        {files::kRepertory, kRepertoryRecordSize, [&] { findPathology(dir, "Cefalea"); }, "Cefalea"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string kept = readWholeFile(dir.resolve(c.file));
        writeFileAtomically(dir.resolve(c.file), kept.substr(c.recordSize));
        const auto before = folderBytes(temp.path());
        for (const auto& action : {std::function<void()>([&] { rebuildSupportLists(dir); }), c.lookup}) {
            try {
                action();
                ADD_FAILURE() << c.file << " without its header was read as a database";
            } catch (const IoError& e) {
                EXPECT_EQ(e.file(), c.file);
                EXPECT_NE(e.reason().find("non \xE8 il record di intestazione"), std::string::npos) << e.what();
                EXPECT_NE(e.reason().find(c.firstName), std::string::npos) << e.what();
            }
        }
        EXPECT_EQ(folderBytes(temp.path()), before) << "nothing was rewritten";
        writeFileAtomically(dir.resolve(c.file), kept);
    }
}

TEST(HeaderRecords, TheShippedHeadersAndAProgramStartedOneAreAccepted) {
    test::TempDataDir temp;
    const DataDir dir(temp.path());
    const DataDir shipped(test::dataTemplateDir());
    for (const char* file : {files::kRemedies, files::kRepertory}) {
        SCOPED_TRACE(file);
        const RecordLayout& layout = std::string(file) == files::kRemedies ? remedyLayout() : repertoryLayout();
        EXPECT_GT(RecordScan(shipped, file, layout).count(), 1);
        // Zeros, as a database the program starts (see the next test).
        writeRecords(dir, file, {Bytes(layout.size, 0)});
        EXPECT_EQ(RecordScan(dir, file, layout).count(), 1);
    }
}

TEST(HeaderRecords, ARecordAddedToAnEmptyDatabaseIsRecordOne) {
    test::TempDataDir temp;
    const DataDir dir(temp.path());
    test::writeRemedyDatabase(dir, {test::remedy("MSA Rosa", "Tosse")});
    writeFileAtomically(dir.resolve(files::kRemedies), "");
    appendRecord(dir, Database::Primary, encodeRemedy(test::remedy("Malva", "Tosse")));
    const auto records = readRemedies(dir);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1].rimedio, "Malva");
    EXPECT_EQ(findSymptom(dir, "Tosse").size(), 1u);
}

} // namespace header_records_test
} // namespace qv::remedies
