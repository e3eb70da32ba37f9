// Small remedy databases written by the tests into a data directory.
#pragma once

#include "base/data_dir.h"
#include "remedies/records.h"

#include <string>
#include <vector>

namespace qv::test {

// A remedy record with the fields a test cares about; the other texts
// are left empty.
remedies::RemedyRecord remedy(const std::string& name, const std::string& indication,
                              const std::string& primary = "", const std::string& zodiacal = "");
remedies::RepertoryRecord therapy(const std::string& pathology, const std::string& remedy,
                                  const std::string& dosage = "", const std::string& notes = "");

// Writes the primary database (or the repertory) with a header record 0
// before `records`.
void writeRemedyDatabase(const DataDir& dir, const std::vector<remedies::RemedyRecord>& records);
void writeRepertoryDatabase(const DataDir& dir, const std::vector<remedies::RepertoryRecord>& records);

// The whole content of a file of the data directory ("" when missing).
std::string fileBytes(const DataDir& dir, const std::string& dataPath);

} // namespace qv::test
