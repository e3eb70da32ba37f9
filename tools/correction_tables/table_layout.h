// The extent of the three correction tables: the windows in which the
// program reads each one, and the record counts that cover them with one
// record more at the end for the interpolation.
#pragma once

#include "base/reals.h"
#include "ephemeris/correction_tables.h"

namespace qv::tables {

// The Moon's table (DSEL.rnd) and the true node (field 9 of DPR1.rnd) are
// read up to this day, the planets (fields 1–8) before 1900 January 1, and
// the corrected Black Moon (NOJLNE.rnd) before 2100 January 1.
inline constexpr Extended kLastCorrectedDay = 2499373.5L;
inline constexpr Extended kPlanetsUntil = 2415020.5L;
inline constexpr Extended kLastBlackMoonDay = 2488433.5L;

inline constexpr long kDselRecords = static_cast<long>(kLastCorrectedDay - kDselOrigin) + 2;
inline constexpr long kNojlneRecords = static_cast<long>(kLastBlackMoonDay - kNojlneOrigin) + 2;
inline constexpr long kDpr1Records = static_cast<long>((kLastCorrectedDay - kDpr1Origin) / 5) + 2;

// The Julian Day of a DPR1.rnd record: its t0.
inline constexpr Extended dpr1RecordDay(long record) { return kDpr1Origin + 5.0L * record; }

} // namespace qv::tables
