#include "base/errors.h"
#include "base/reals.h"

#include <gtest/gtest.h>

#include <vector>

namespace qv {
namespace reals_test {

using Ten = std::array<std::uint8_t, 10>;
using Six = std::array<std::uint8_t, 6>;

TEST(Extended10, BytesOfKnownValues) {
    struct Case { Extended value; Ten bytes; };
    const std::vector<Case> cases = {
        {1.0L, {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}},
        {-2.5L, {0, 0, 0, 0, 0, 0, 0, 0xA0, 0x00, 0xC0}},
        {0.0L, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {45.5L, {0, 0, 0, 0, 0, 0, 0, 0xB6, 0x04, 0x40}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(encodeExtended10(c.value), c.bytes) << static_cast<double>(c.value);
        EXPECT_EQ(decodeExtended10(c.bytes), c.value);
    }
    const Extended third = 1.0L / 3.0L;
    EXPECT_EQ(decodeExtended10(encodeExtended10(third)), third); // all 64 bits kept
}

TEST(Extended10, NonFiniteAndUnnormalEncodingsAreConversionErrors) {
    const Ten infinity{0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F};
    const Ten unnormal{0, 0, 0, 0, 0, 0, 0, 0x40, 0xFF, 0x3F}; // integer bit missing
    EXPECT_THROW(decodeExtended10(infinity), ConversionError);
    EXPECT_THROW(decodeExtended10(unnormal), ConversionError);
}

TEST(Real48, BytesOfKnownValues) {
    struct Case { Extended value; Six bytes; };
    const std::vector<Case> cases = {
        {1.0L, {0x81, 0, 0, 0, 0, 0}},
        {-1.0L, {0x81, 0, 0, 0, 0, 0x80}},
        {0.5L, {0x80, 0, 0, 0, 0, 0}},
        {10.0L, {0x84, 0, 0, 0, 0, 0x20}},
        {1721408.5L, {0x95, 0x00, 0x00, 0x04, 0x22, 0x52}},
        {0.0L, {0, 0, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(encodeReal48(c.value), c.bytes) << static_cast<double>(c.value);
        EXPECT_EQ(decodeReal48(c.bytes), c.value);
    }
    // A zero exponent byte is zero whatever the mantissa holds.
    EXPECT_EQ(decodeReal48(Six{0, 1, 2, 3, 4, 5}), 0.0L);
}

TEST(Real48, RoundsTheMantissaAndRejectsOverflow) {
    // 1 + 2^-40 is halfway between two 39-bit mantissas: ties go to even (1).
    EXPECT_EQ(decodeReal48(encodeReal48(1.0L + 0x1p-40L)), 1.0L);
    EXPECT_EQ(decodeReal48(encodeReal48(1.0L + 0x1p-39L)), 1.0L + 0x1p-39L);
    EXPECT_THROW(encodeReal48(0x1p200L), ConversionError);
    EXPECT_EQ(encodeReal48(0x1p-200L), (Six{0, 0, 0, 0, 0, 0}));
}

} // namespace reals_test
} // namespace qv
