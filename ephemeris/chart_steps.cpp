#include "ephemeris/chart_steps.h"

#include "ephemeris/angles.h"
#include "ephemeris/bodies.h"
#include "ephemeris/houses.h"
#include "ephemeris/julian_day.h"

#include <cmath>

namespace qv {

Extended universalJulianDay(const BirthData& b) {
    return julianDayOf(b.gregorian, b.day, b.month, b.year, b.hour, b.minute) + b.corr / 24.0L;
}

HouseInput houseInputOf(const BirthData& b, Extended jd) {
    HouseInput in;
    in.lonDegrees = b.lonDegrees;
    in.lonMinutes = b.lonMinutes;
    in.lonLetter = b.lonLetter;
    in.latDegrees = b.latDegrees;
    in.latMinutes = b.latMinutes;
    in.latLetter = b.latLetter;
    in.hour = b.hour;
    in.minute = b.minute;
    in.corr = b.corr;
    in.extraHours = 0;
    in.jd = jd;
    return in;
}

MotionFlags castChart(ChartState& s, const BirthData& b) {
    s.gregorian = b.gregorian;
    s.corr = b.corr;
    s.birth = b;

    const JulianDayResult local = JulianDay(b.gregorian, b.day, b.month, b.year, b.hour, b.minute);
    s.asteroidsValid = local.asteroidsValid;
    s.jd = local.jd + b.corr / 24.0L;

    computeHouses(s, houseInputOf(b, s.jd));

    computeBodies(s, 0, s.jd);

    MotionFlags moved{};
    for (int i = 1; i <= kMarkSlots; ++i) {
        moved[i] = s.longitude[i] < 0;
        s.retroMark[i] = moved[i] && i <= 9 ? 'r' : ' ';
        s.longitude[i] = std::fabs(s.longitude[i]);
    }

    if (s.jd < kAsteroidsFirstJd || s.jd > kAsteroidsLastJd) {
        s.asteroidsValid = false;
        for (int i = kCeres; i <= kChiron; ++i) {
            s.longitude[i] = 0;
            s.retroMark[i] = ' ';
            moved[i] = false;
        }
    }
    return moved;
}

void layOutTraditionally(ChartState& s, const MotionFlags& moved) {
    s.longitude[kNorthNode] = s.longitude[kEphemerisNode];
    s.longitude[kSouthNode] = Norm360(s.longitude[kNorthNode] + 180.0L);
    s.longitude[kAscendantPoint] = s.cusp[1];
    s.longitude[kMcPoint] = RadToDeg(s.mcRadians);
    for (int i = kNorthNode; i <= kMcPoint; ++i) s.latitude[static_cast<std::size_t>(i)] = 0;
    const char nodeMark = moved[kEphemerisNode] ? 'r' : ' ';
    s.retroMark[kNorthNode] = nodeMark;
    s.retroMark[kSouthNode] = nodeMark;

    housesOfPoints(kMarkSlots, s.longitude.data(), s.cusp.data(), s.houseOf.data());
    signsOfPoints(kMarkSlots, s.longitude.data(), s.signOf.data());
    signsOfCusps(12, s.cusp.data(), s.cuspSign.data());
}

} // namespace qv
