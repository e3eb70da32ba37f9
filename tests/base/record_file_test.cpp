#include "base/errors.h"
#include "base/record_file.h"
#include "base/text_file.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

namespace qv {
namespace record_file_test {

std::string readBytes(const std::filesystem::path& p) { return readWholeFile(p); }

TEST(RecordFile, WritesRecordKAtByteKTimesSizeAndCountsWholeRecords) {
    test::TempDataDir dir;
    const auto path = dir.path() / "R.ST1";
    {
        RecordFile f(path, 3, RecordFile::Mode::Create);
        EXPECT_EQ(f.count(), 0);
        EXPECT_EQ(f.append(Bytes{1, 2, 3}), 0);
        EXPECT_EQ(f.append(Bytes{4, 5, 6}), 1);
        f.write(0, Bytes{7, 8, 9});
        f.write(2, Bytes{10, 11, 12}); // writing at count() appends
        EXPECT_EQ(f.count(), 3);
        EXPECT_EQ(f.read(1), (Bytes{4, 5, 6}));
    }
    EXPECT_EQ(readBytes(path), std::string("\x07\x08\x09\x04\x05\x06\x0A\x0B\x0C", 9));

    RecordFile f(path, 3, RecordFile::Mode::ReadWrite);
    f.truncate(1);
    EXPECT_EQ(f.count(), 1);
    EXPECT_EQ(readBytes(path), std::string("\x07\x08\x09", 3));
}

TEST(RecordFile, TrailingPartialRecordIsNotCountedAndCannotBeRead) {
    test::TempDataDir dir;
    const auto path = dir.path() / "T.bin";
    writeFileAtomically(path, std::string("abcdefg", 7));
    RecordFile f(path, 4, RecordFile::Mode::ReadOnly, "FileDum\\T.bin");
    EXPECT_EQ(f.count(), 1);
    EXPECT_EQ(f.read(0), (Bytes{'a', 'b', 'c', 'd'}));
    try {
        f.read(1);
        FAIL() << "a partial record was read";
    } catch (const IoError& e) {
        EXPECT_EQ(e.file(), "FileDum\\T.bin");
        EXPECT_NE(std::string(e.what()).find("oltre la fine"), std::string::npos) << e.what();
    }
}

TEST(RecordFile, FailuresNameTheFileInItalian) {
    test::TempDataDir dir;
    try {
        RecordFile f(dir.path() / "missing.ST2", 385, RecordFile::Mode::ReadOnly, "BASE.ST2");
        FAIL() << "a missing file was opened";
    } catch (const IoError& e) {
        EXPECT_EQ(std::string(e.what()), "Errore di I/O sul file \"BASE.ST2\": file o cartella inesistente");
    }
    RecordFile f(dir.path() / "x", 2, RecordFile::Mode::Create);
    EXPECT_THROW(f.write(5, Bytes{1, 2}), IoError);     // a hole past the end
    EXPECT_THROW(f.write(0, Bytes{1, 2, 3}), IoError);  // wrong size
    EXPECT_THROW(f.read(-1), IoError);
    EXPECT_EQ(f.count(), 0);
}

} // namespace record_file_test
} // namespace qv
