// Natal charts cast from birth data on the analytic ephemeris (zero
// correction tables in a temporary data directory) and laid out the
// traditional way, as the chart computation leaves them.
#pragma once

#include "ephemeris/angles.h"
#include "ephemeris/chart_steps.h"
#include "tests/support/temp_data_dir.h"
#include "tests/support/zero_tables.h"

namespace qv::test {

// A temporary data directory with zero correction tables (and the shipped
// template when asked).
struct EphemerisDir {
    TempDataDir dir;
    explicit EphemerisDir(bool withTemplate = false) : dir(withTemplate) { writeZeroCorrectionTables(dir.path()); }
};

inline BirthData birth(int day, int month, int year, int hour, int minute, Extended corr, int latDeg, int latMin,
                       const char* latLetter, int lonDeg, int lonMin, const char* lonLetter) {
    BirthData b;
    b.day = day;
    b.month = month;
    b.year = year;
    b.hour = hour;
    b.minute = minute;
    b.corr = corr;
    b.gregorian = year > 1582;
    b.latDegrees = latDeg;
    b.latMinutes = latMin;
    b.latLetter = latLetter;
    b.lonDegrees = lonDeg;
    b.lonMinutes = lonMin;
    b.lonLetter = lonLetter;
    return b;
}

// Equal houses, mean node, as the chart computation casts them.
inline ChartState castTraditional(const BirthData& b) {
    ChartState s;
    s.houseSystem = "CASE_MEDIE";
    s.nodeKind = "MEDIO";
    s.blackMoonKind = "MEDIA";
    castChart(s, b);
    s.longitude[kNorthNode] = s.longitude[kEphemerisNode];
    s.longitude[kSouthNode] = Norm360(s.longitude[kNorthNode] + 180.0L);
    s.longitude[kAscendantPoint] = s.cusp[1];
    s.longitude[kMcPoint] = RadToDeg(s.mcRadians);
    for (int i = 8; i <= 11; ++i) s.latitude[static_cast<std::size_t>(i)] = 0;
    return s;
}

} // namespace qv::test
