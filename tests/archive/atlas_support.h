// Helpers of the atlas tests: small hand-built place and regime tables in a
// temporary data directory, and a copy of the shipped tables.
#pragma once

#include "archive/places.h"
#include "archive/time_regimes.h"

#include <filesystem>
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

} // namespace qv::test
