// Correction tables of the stated sizes with every correction zero, written
// into a test's data directory: the ephemeris then runs on its analytic
// model alone, whatever tables the program ships.
#pragma once

#include <filesystem>

namespace qv::test {

// Writes FilePosi/DSEL.rnd, DPR1.rnd and NOJLNE.rnd under `dataDirRoot`.
void writeZeroCorrectionTables(const std::filesystem::path& dataDirRoot);

} // namespace qv::test
