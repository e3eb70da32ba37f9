// Readers of the correction tables under FilePosi\: the Moon's longitude
// (DSEL.rnd), the planets and the true node (DPR1.rnd), the corrected Black
// Moon (NOJLNE.rnd) and Ceres to Chiron (DAST.rnd). Each reader reads its
// table as it is on disk at that moment (kept in memory while its file stays
// the same, see cached_tables.h) and interpolates linearly between two
// records. A missing table or a record past its end raises IoError with the
// table's name, except DAST.rnd: without it the minor bodies keep their
// osculating orbits (zero corrections).
#pragma once

#include "base/reals.h"

namespace qv {

inline constexpr const char* kDselPath = "FilePosi\\DSEL.rnd";
inline constexpr const char* kDpr1Path = "FilePosi\\DPR1.rnd";
inline constexpr const char* kNojlnePath = "FilePosi\\NOJLNE.rnd";
inline constexpr const char* kDastPath = "FilePosi\\DAST.rnd";

inline constexpr Extended kDselOrigin = 1721420.5L;
inline constexpr Extended kDpr1Origin = 1721408.5L;
inline constexpr Extended kNojlneOrigin = 2341972.5L;
inline constexpr Extended kDastOrigin = 2396758.5L;

// Where the planets read DPR1.rnd: the first corrections (fields 1–8) from
// year 1 to the end of the table, the second ones (fields 10–17) before
// 1900 only.
inline constexpr Extended kPlanetTableFrom = 1721423.5L;
inline constexpr Extended kPlanetTableUntil = 2499373.5L;
inline constexpr Extended kSecondPlanetCorrectionsUntil = 2415020.5L;
// Ceres to Chiron read DAST.rnd from its origin (1850) to the end of the day
// 2481129.5 (2080), the last day the chart shows them.
inline constexpr Extended kMinorBodyTableUntil = 2481130.5L;

inline constexpr int kDselRecordSize = 2;
inline constexpr int kDpr1RecordSize = 32;
inline constexpr int kNojlneRecordSize = 4;
// Five signed 32-bit corrections a day: Ceres, Pallas, Juno, Vesta, Chiron.
inline constexpr int kDastRecordSize = 20;
inline constexpr int kDastBodies = 5;

// Arcseconds.
Extended ReadDsel(Extended jd);
// Arcminutes; field 1..17.
Extended ReadDpr1(Extended jd, int field);
// Arcminutes, for a planet whose model jumps at the instant `jump` (Jupiter
// to Pluto change their element set at T = −2 and switch their perturbation
// series on at T = 0 and off after T = 2). Inside the 5-day step that
// contains the jump the straight line between the step's two records would
// smear the jump over the whole step; there the correction is carried on
// from the two records on the jd's own side of the jump. Elsewhere it is
// ReadDpr1.
Extended ReadDpr1AcrossJump(Extended jd, int field, Extended jump);

// Arcseconds.
Extended ReadNojlne(Extended jd);
// Arcseconds; body 1 (Ceres) .. 5 (Chiron). Zero when the table is missing.
Extended ReadDast(Extended jd, int body);

// Byte offset and width (1 or 2) of a DPR1.rnd field 1..17.
struct Dpr1Field {
    int offset;
    int width;
};
Dpr1Field dpr1Field(int field);

} // namespace qv
