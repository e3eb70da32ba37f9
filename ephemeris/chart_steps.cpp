#include "ephemeris/chart_steps.h"

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
    s.day = b.day;
    s.month = b.month;
    s.year = b.year;
    s.hour = b.hour;
    s.minute = b.minute;
    s.latDegrees = b.latDegrees;
    s.latMinutes = b.latMinutes;
    s.latLetter = b.latLetter;
    s.lonDegrees = b.lonDegrees;
    s.lonMinutes = b.lonMinutes;
    s.lonLetter = b.lonLetter;

    s.jd = JulianDay(b.gregorian, b.day, b.month, b.year, b.hour, b.minute);
    s.asteroidsValid = chartState().asteroidsValid;
    s.jd = s.jd + b.corr / 24.0L;

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

} // namespace qv
