// Correction tables of the stated sizes with (almost) every correction zero,
// written into a test's data directory: the ephemeris then runs on its
// analytic model alone (to well under an arcsecond), whatever tables the
// program ships.
#pragma once

#include <filesystem>

namespace qv::test {

// Writes FilePosi/DSEL.rnd, DPR1.rnd and NOJLNE.rnd under `dataDirRoot`.
void writeZeroCorrectionTables(const std::filesystem::path& dataDirRoot);

} // namespace qv::test
