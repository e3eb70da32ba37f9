// Helpers of the atlas tests: small hand-built place and regime tables in a
// temporary data directory, and a copy of the shipped tables.
#pragma once

#include "archive/places.h"
#include "archive/time_regimes.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace qv::test {

// A regime record dated at the local civil time given (Gregorian).
atlas::RegimeRecord regimeAt(int day, int month, int year, int hour, int minute, const std::string& code,
                             double correction);
// A record whose stored date is `stored` as it is (GREG of the reform rule, RICH).
atlas::RegimeRecord rawRegime(long double stored, const std::string& code, double correction = 0);

void writeRegimeFile(const std::string& dataPath, const std::vector<atlas::RegimeRecord>& records);
// Writes the place table of `archive` with a header and `places` in the order given.
void writePlaceTable(atlas::PlaceArchive archive, const std::vector<atlas::Place>& places);
void writeTextFile(const std::string& dataPath, const std::string& content);

// Copies the shipped place and regime tables into `root` (once per suite).
void copyShippedAtlas(const std::filesystem::path& root);

// A suite on one copy of the shipped atlas, made once for all its tests
// and in force during each.
class ShippedAtlasSuite : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;

private:
    static std::unique_ptr<TempDataDir> shared_;
};

} // namespace qv::test
