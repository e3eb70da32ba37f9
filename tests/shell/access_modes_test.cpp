#include "shell/access_modes.h"

#include <gtest/gtest.h>

namespace qv {
namespace access_modes_test {

AccessCodeBuffer::Match typeAll(AccessCodeBuffer& b, const std::string& keys) {
    AccessCodeBuffer::Match last = AccessCodeBuffer::Match::None;
    for (char c : keys) last = b.type(c);
    return last;
}

TEST(AccessCode, CodesMatchWhateverTheCaseAndOnlyOnACleanBuffer) {
    accessModes() = {};
    AccessCodeBuffer b;
    EXPECT_EQ(typeAll(b, "tavoscrin"), AccessCodeBuffer::Match::Administrator);
    EXPECT_TRUE(accessModes().administrator);
    EXPECT_FALSE(accessModes().hidden);
    EXPECT_EQ(b.echo(), "*********");

    accessModes() = {};
    AccessCodeBuffer wrong;
    EXPECT_EQ(typeAll(wrong, "xTAVOSCRIN"), AccessCodeBuffer::Match::None);
    EXPECT_FALSE(accessModes().administrator) << "a wrong first key spoils the buffer";
    wrong.clear();
    EXPECT_EQ(typeAll(wrong, "QuernaDil"), AccessCodeBuffer::Match::Hidden);
    EXPECT_TRUE(accessModes().hidden);
}

} // namespace access_modes_test
} // namespace qv
