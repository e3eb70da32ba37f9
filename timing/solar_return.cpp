#include "timing/solar_return.h"

#include "ephemeris/angles.h"
#include "ephemeris/bodies.h"
#include "ephemeris/houses.h"
#include "ephemeris/julian_day.h"
#include "timing/body_positions.h"
#include "timing/roots.h"

#include <cmath>

namespace qv::timing {

Extended solarReturnMoment(const ChartState& natal, int year) {
    const Extended target = Norm360(natal.longitude[kSun]);
    const CivilDate born = civilDateOf(natal.jd, natal.gregorian);
    // The birthday of that year at the birth's hour: the Sun is within a
    // day of its place (leap years and the calendar's drift move it less).
    const Extended guess = natal.jd + julianDayOf(true, born.day, born.month, year, 12, 0) -
                           julianDayOf(true, born.day, born.month, born.year, 12, 0);
    BodyPositions sun(kSun, "MEDIO");
    auto offset = [&](Extended t) { return halfTurn(sun.longitude(t) - target); };
    const Extended a = guess - 3, b = guess + 3;
    return bracketedRoot(offset, a, b, offset(a), offset(b), 1e-7L);
}

BirthData birthDataAt(const BirthData& place, Extended jd, Extended& seconds) {
    BirthData b = place;
    const Extended local = jd - place.corr / 24.0L;
    const Extended dayStart = std::floor(local + 0.5L) - 0.5L;
    const CivilDate c = civilDateOf(dayStart + 0.5L, place.gregorian);
    b.day = c.day;
    b.month = c.month;
    b.year = c.year;
    const Extended minutes = (local - dayStart) * 1440.0L;
    const int whole = std::min(1439, static_cast<int>(std::floor(minutes)));
    b.hour = whole / 60;
    b.minute = whole % 60;
    seconds = (minutes - whole) * 60.0L;
    return b;
}

MotionFlags castChartAt(ChartState& s, const BirthData& place, Extended jd) {
    Extended seconds = 0;
    const BirthData b = birthDataAt(place, jd, seconds);
    s.gregorian = b.gregorian;
    s.corr = b.corr;
    s.birth = b;
    s.jd = jd;
    s.asteroidsValid = jd >= kAsteroidsFirstJd && jd <= kAsteroidsLastJd;
    HouseInput in = houseInputOf(b, jd);
    in.extraHours = seconds / 3600.0L;
    computeHouses(s, in);
    computeBodies(s, 0, jd);
    MotionFlags moved{};
    for (int i = 1; i <= kMarkSlots; ++i) {
        moved[static_cast<std::size_t>(i)] = s.longitude[static_cast<std::size_t>(i)] < 0;
        s.retroMark[static_cast<std::size_t>(i)] = moved[static_cast<std::size_t>(i)] && i <= 9 ? 'r' : ' ';
        s.longitude[static_cast<std::size_t>(i)] = std::fabs(s.longitude[static_cast<std::size_t>(i)]);
    }
    if (!s.asteroidsValid)
        for (int i = kCeres; i <= kChiron; ++i) {
            s.longitude[static_cast<std::size_t>(i)] = 0;
            s.retroMark[static_cast<std::size_t>(i)] = ' ';
            moved[static_cast<std::size_t>(i)] = false;
        }
    return moved;
}

} // namespace qv::timing
