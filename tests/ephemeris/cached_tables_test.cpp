#include "base/data_dir.h"
#include "base/errors.h"
#include "base/record_file.h"
#include "base/text_file.h"
#include "ephemeris/cached_tables.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <fstream>
#include <string>
#include <thread>

namespace qv {
namespace cached_tables_test {

namespace fs = std::filesystem;

constexpr const char* kTable = "FilePosi\\DSEL.rnd";

void rewriteInPlace(const fs::path& file, const std::string& bytes) {
    std::fstream f(file, std::ios::in | std::ios::out | std::ios::binary);
    ASSERT_TRUE(f.is_open());
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

int firstByte(std::size_t recordSize = 2) { return tableRecords(kTable, recordSize).record(0)[0]; }

// Which reading of the table's file the records in memory come from: a new
// number each time the file is read again.
std::uint64_t reading() { return tableRecords(kTable, 2).loading(); }

// What opening the table's file itself says when it is not there.
std::string missingTableMessage() {
    try {
        RecordFile(dataDir().resolve(kTable), 2, RecordFile::Mode::ReadOnly, kTable);
    } catch (const IoError& e) {
        return e.what();
    }
    return "no error";
}

// A table kept in memory is seen to change however it changes: rewritten in
// place with the same size, replaced by a rename, deleted (with the error of
// a table that is not there), and put back.
TEST(CachedTables, ChangesOfTheFileAreSeen) {
    test::TempDataDir dir;
    fs::create_directories(dir.path() / "FilePosi");
    const fs::path file = dir.path() / "FilePosi" / "DSEL.rnd";
    writeFileAtomically(file, std::string("\x01\x00\x02\x00", 4));
    EXPECT_EQ(firstByte(), 1);
    // A change just after the file was written, in the same tick of the
    // file system's clock.
    rewriteInPlace(file, std::string("\x03\x00", 2));
    EXPECT_EQ(firstByte(), 3);

    // An old file is checked by its times and identity alone: used again
    // and again, it is read once.
    std::this_thread::sleep_for(std::chrono::milliseconds(1100));
    EXPECT_EQ(firstByte(), 3);
    const std::uint64_t settled = reading();
    for (int use = 0; use < 5; ++use) {
        EXPECT_EQ(firstByte(), 3);
        EXPECT_EQ(reading(), settled) << "an unchanged file was read again at use " << use;
    }
    rewriteInPlace(file, std::string("\x04\x00", 2));
    EXPECT_EQ(firstByte(), 4);
    EXPECT_NE(reading(), settled) << "a file rewritten in place was not read again";

    std::this_thread::sleep_for(std::chrono::milliseconds(1100));
    const std::uint64_t beforeRename = reading();
    EXPECT_EQ(reading(), beforeRename);
    writeFileAtomically(file, std::string("\x05\x00\x06\x00", 4));
    EXPECT_EQ(firstByte(), 5);
    EXPECT_NE(reading(), beforeRename) << "a file replaced by a rename was not read again";
    EXPECT_EQ(tableRecords(kTable, 2).record(1)[0], 6);

    fs::remove(file);
    try {
        firstByte();
        FAIL() << "a deleted table was still read";
    } catch (const IoError& e) {
        EXPECT_EQ(e.file(), kTable);
        EXPECT_EQ(std::string(e.what()), missingTableMessage());
    }
    EXPECT_FALSE(tablePresent(kTable));
    writeFileAtomically(dir.path() / "FilePosi" / "dsel.RND", std::string("\x07\x00", 2));
    EXPECT_TRUE(tablePresent(kTable));
    EXPECT_EQ(firstByte(), 7);
    // A file under the exact name now comes before the other case.
    writeFileAtomically(file, std::string("\x08\x00", 2));
    EXPECT_EQ(firstByte(), 8);
}

// Inside a check scope each table is checked once: a change during the
// scope is seen by the next one.
TEST(CachedTables, OneCheckPerScope) {
    test::TempDataDir dir;
    fs::create_directories(dir.path() / "FilePosi");
    const fs::path file = dir.path() / "FilePosi" / "DSEL.rnd";
    writeFileAtomically(file, std::string("\x01\x00", 2));
    {
        TableCheckScope chart;
        EXPECT_EQ(firstByte(), 1);
        writeFileAtomically(file, std::string("\x02\x00", 2));
        {
            TableCheckScope inner;
            EXPECT_EQ(firstByte(), 1);
        }
        EXPECT_EQ(firstByte(), 1);
    }
    TableCheckScope next;
    EXPECT_EQ(firstByte(), 2);
}

// Records past the end, or only partly present, are errors of the table,
// worded as reading the file would word them; another data directory has
// its own tables.
TEST(CachedTables, RecordsAndDataDirectories) {
    test::TempDataDir first;
    fs::create_directories(first.path() / "FilePosi");
    writeFileAtomically(first.path() / "FilePosi" / "DSEL.rnd", std::string("\x01\x00\x02\x00\x03", 5));
    const TableRecords records = tableRecords(kTable, 2);
    EXPECT_EQ(records.count(), 2);
    try {
        records.record(2);
        FAIL();
    } catch (const IoError& e) {
        EXPECT_EQ(e.file(), kTable);
        EXPECT_NE(std::string(e.what()).find("lettura oltre la fine del file (record 2)"), std::string::npos);
    }
    EXPECT_THROW(records.record(-1), IoError);
    test::TempDataDir second;
    fs::create_directories(second.path() / "FilePosi");
    writeFileAtomically(second.path() / "FilePosi" / "DSEL.rnd", std::string("\x09\x00", 2));
    EXPECT_EQ(firstByte(), 9);
}

} // namespace cached_tables_test
} // namespace qv
