#include "base/text_field.h"

#include <gtest/gtest.h>

#include <vector>

namespace qv {
namespace text_field_test {

TEST(TextField, WritesLengthByteValueAndZeros) {
    std::vector<std::uint8_t> rec(8, 0xEE);
    writeTextField(rec, 1, 5, "ABC");
    EXPECT_EQ(rec, (std::vector<std::uint8_t>{0xEE, 3, 'A', 'B', 'C', 0, 0, 0xEE}));
    writeTextField(rec, 1, 5, "TOOLONGTEXT"); // cut to the field's width
    EXPECT_EQ(rec, (std::vector<std::uint8_t>{0xEE, 5, 'T', 'O', 'O', 'L', 'O', 0xEE}));
}

TEST(TextField, ReaderIgnoresBytesAfterTheLengthAndClampsACorruptLength) {
    const std::vector<std::uint8_t> rec{2, 'O', 'K', 'x', 'y'};
    EXPECT_EQ(readTextField(rec, 0, 4), "OK");
    const std::vector<std::uint8_t> corrupt{200, 'a', 'b', 'c', 'd'};
    EXPECT_EQ(readTextField(corrupt, 0, 4), "abcd");
    const std::vector<std::uint8_t> accented{1, 0xE0};
    EXPECT_EQ(readTextField(accented, 0, 1), "\xE0");
}

TEST(TextField, AFieldPastTheRecordIsRejected) {
    std::vector<std::uint8_t> rec(4);
    EXPECT_THROW(readTextField(rec, 1, 3), std::out_of_range);
    EXPECT_THROW(writeTextField(rec, 0, 4, "x"), std::out_of_range);
}

} // namespace text_field_test
} // namespace qv
