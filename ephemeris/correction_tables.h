// Readers of the three correction tables under FilePosi\: the Moon's
// longitude (DSEL.rnd), the planets before 1900 and the true node
// (DPR1.rnd), and the corrected Black Moon (NOJLNE.rnd). Each reader opens,
// reads and closes its table on every call and interpolates linearly
// between two records. A missing table or a record past its end raises
// IoError with the table's name.
#pragma once

#include "base/reals.h"

namespace qv {

inline constexpr const char* kDselPath = "FilePosi\\DSEL.rnd";
inline constexpr const char* kDpr1Path = "FilePosi\\DPR1.rnd";
inline constexpr const char* kNojlnePath = "FilePosi\\NOJLNE.rnd";

inline constexpr Extended kDselOrigin = 1721420.5L;
inline constexpr Extended kDpr1Origin = 1721408.5L;
inline constexpr Extended kNojlneOrigin = 2341972.5L;

inline constexpr int kDselRecordSize = 2;
inline constexpr int kDpr1RecordSize = 32;
inline constexpr int kNojlneRecordSize = 4;

// Arcseconds.
Extended ReadDsel(Extended jd);
// Arcminutes; field 1..17.
Extended ReadDpr1(Extended jd, int field);
// Arcseconds.
Extended ReadNojlne(Extended jd);

// Byte offset and width (1 or 2) of a DPR1.rnd field 1..17.
struct Dpr1Field {
    int offset;
    int width;
};
Dpr1Field dpr1Field(int field);

} // namespace qv
