#include "timing/transit_orbs.h"

#include "base/data_dir.h"
#include "base/errors.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace qv::timing {
namespace {

class TransitOrbsFile : public ::testing::Test {
protected:
    void SetUp() override { std::filesystem::create_directories(dir.path() / "FileSet"); }
    std::filesystem::path file() const { return dir.path() / "FileSet" / "OrbiTransiti.stt"; }
    void write(const std::string& bytes) { std::ofstream(file(), std::ios::binary) << bytes; }
    std::string bytes() const {
        std::ifstream in(file(), std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    test::TempDataDir dir;
};

TEST_F(TransitOrbsFile, MissingGivesTheDefaults) { EXPECT_EQ(readTransitOrbs(), TransitOrbs{}); }

TEST_F(TransitOrbsFile, OneOrbALineInTheOrderOfTheClasses) {
    write("3\r\n2.5\r\n1.5\r\n0.75\r\n1\r\n");
    const TransitOrbs orbs = readTransitOrbs();
    EXPECT_EQ(orbs.of(kSun), 3);
    EXPECT_EQ(orbs.of(kVenus), 2.5L);
    EXPECT_EQ(orbs.of(kSaturn), 1.5L);
    EXPECT_EQ(orbs.of(kPluto), 0.75L);
    EXPECT_EQ(orbs.of(kEphemerisNode), 1);
    write("3\n2.5\n1.5\n0.75\n1");  // LF lines and no final end read the same
    EXPECT_EQ(readTransitOrbs(), orbs);
}

TEST_F(TransitOrbsFile, WrittenWithCrLfAndReadBack) {
    TransitOrbs orbs;
    orbs.degrees = {2.5L, 2, 1.5L, 1, 0.5L};
    writeTransitOrbs(orbs);
    EXPECT_EQ(bytes(), "2.5\r\n2\r\n1.5\r\n1\r\n0.5\r\n");
    EXPECT_EQ(readTransitOrbs(), orbs);
}

TEST_F(TransitOrbsFile, ALineThatIsNoOrbIsNamed) {
    for (const char* bad : {"2\r\n2\r\nx\r\n1\r\n1\r\n", "2\r\n2\r\n1.5\r\n1\r\n", "2\r\n2\r\n16\r\n1\r\n1\r\n",
                            "2\r\n0\r\n1.5\r\n1\r\n1\r\n", "2,5\r\n2\r\n1.5\r\n1\r\n1\r\n"}) {
        write(bad);
        try {
            readTransitOrbs();
            ADD_FAILURE() << bad;
        } catch (const ConversionError& e) {
            EXPECT_NE(std::string(e.what()).find("OrbiTransiti.stt: la riga "), std::string::npos) << e.what();
        }
    }
}

} // namespace
} // namespace qv::timing
