// The extent of the correction tables: the windows in which the
// program reads each one, and the record counts that cover them with one
// record more at the end for the interpolation.
#pragma once

#include "base/reals.h"
#include "ephemeris/correction_tables.h"

namespace qv::tables {

// The Moon's table (DSEL.rnd), the planets and the true node (fields 1–9 of
// DPR1.rnd) are read up to this day, the corrected Black Moon (NOJLNE.rnd)
// before 2100 January 1, Ceres to Chiron (DAST.rnd) through 2080 December
// (the last day of their window, 2481129.5).
inline constexpr Extended kLastCorrectedDay = 2499373.5L;
inline constexpr Extended kLastBlackMoonDay = 2488433.5L;
inline constexpr Extended kLastMinorBodyDay = 2481129.5L;

inline constexpr long kDselRecords = static_cast<long>(kLastCorrectedDay - kDselOrigin) + 2;
inline constexpr long kNojlneRecords = static_cast<long>(kLastBlackMoonDay - kNojlneOrigin) + 2;
inline constexpr long kDastRecords = static_cast<long>(kLastMinorBodyDay - kDastOrigin) + 2;
inline constexpr long kDpr1Records = static_cast<long>((kLastCorrectedDay - kDpr1Origin) / 5) + 2;

// The Julian Day of a DPR1.rnd record: its t0.
inline constexpr Extended dpr1RecordDay(long record) { return kDpr1Origin + 5.0L * record; }

} // namespace qv::tables
