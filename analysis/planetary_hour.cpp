#include "analysis/planetary_hour.h"

#include "base/data_dir.h"
#include "base/errors.h"
#include "ephemeris/angles.h"
#include "ephemeris/bodies.h"
#include "ephemeris/chart_steps.h"
#include "ephemeris/houses.h"
#include "ephemeris/julian_day.h"
#include "ephemeris/text_forms.h"

#include <cmath>

namespace qv {

const std::array<const char*, 7> kWeekdayNames = {
    "Domenica", "Luned\xEC", "Marted\xEC", "Mercoled\xEC", "Gioved\xEC", "Venerd\xEC", "Sabato"};
const std::array<int, 7> kWeekdayRulers = {1, 2, 5, 3, 6, 4, 7};
const std::array<int, 7> kHourSequence = {1, 4, 3, 2, 7, 6, 5};

namespace {

constexpr int kSunriseRounds = 2001;
constexpr Extended kSunriseStep = 0.0008L;   // days per degree of half-distance
constexpr Extended kSunriseReached = 0.2L;  // half-distance, degrees
// A Julian Day this close below a whole day number is taken as that day:
// far above the rounding of adding and removing Corr, far below a minute.
constexpr Extended kDayTolerance = 1e-9L;
// Altitude within which a moment found by the Ascendant counts as the
// Sun's rising: the search stops within 0.4° of ecliptic longitude.
constexpr Extended kHorizonTolerance = 1.0L;
// Residual below which the five secant steps of an hour line are accepted.
constexpr Extended kLineTolerance = 1e-6L;

Extended sunAt(ChartState& work, Extended jd) {
    computeBodiesOnce(work, 13, jd, false);
    return work.longitude[kSun];
}

// The birthplace at the Universal Time moment `jd`, its clock time given as
// hours after the local midnight of the birth date.
HouseInput placeAt(const ChartState& chart, Extended jd, Extended localMidnight) {
    HouseInput in = houseInputOf(chart.birth, jd);
    in.hour = 0;
    in.minute = 0;
    in.corr = chart.corr;
    in.extraHours = (jd - chart.corr / 24.0L - localMidnight) * 24.0L;
    return in;
}

// The Sun's altitude above the horizon of the birthplace at `jd`, degrees,
// and whether it stands in the eastern half of the sky.
struct SunPlace {
    Extended altitude = 0;
    bool east = false;
};
SunPlace sunPlaceAt(const ChartState& chart, ChartState& work, Extended jd, Extended localMidnight) {
    const HouseFrame f = houseFrame(placeAt(chart, jd, localMidnight));
    const Extended sun = sunAt(work, jd);
    const Extended declination = RadToDeg(std::asin(SinDeg(f.obliquity) * SinDeg(sun)));
    const Extended rightAscension = RadToDeg(std::atan2(CosDeg(f.obliquity) * SinDeg(sun), CosDeg(sun)));
    const Extended hourAngle = f.ramc - rightAscension;
    const Extended phi = f.signedLatitude();
    SunPlace p;
    p.altitude =
        RadToDeg(std::asin(SinDeg(phi) * SinDeg(declination) + CosDeg(phi) * CosDeg(declination) * CosDeg(hourAngle)));
    p.east = SinDeg(hourAngle) <= 0;
    return p;
}

// The moment of the local day beginning at `start` at which the Sun's centre
// crosses the horizon upwards, found by its altitude; false when it does
// not rise that day.
bool sunriseByAltitude(const ChartState& chart, ChartState& work, Extended start, Extended localMidnight,
                       Extended& sunrise) {
    constexpr int kSteps = 288;  // five minutes
    Extended prev = start;
    Extended prevAltitude = sunPlaceAt(chart, work, prev, localMidnight).altitude;
    for (int k = 1; k <= kSteps; ++k) {
        const Extended t = start + k / static_cast<Extended>(kSteps);
        const Extended altitude = sunPlaceAt(chart, work, t, localMidnight).altitude;
        if (prevAltitude < 0 && altitude >= 0) {
            Extended lo = prev, hi = t;
            for (int i = 0; i < 40; ++i) {
                const Extended mid = (lo + hi) / 2;
                if (sunPlaceAt(chart, work, mid, localMidnight).altitude < 0)
                    lo = mid;
                else
                    hi = mid;
            }
            sunrise = hi;
            return true;
        }
        prev = t;
        prevAltitude = altitude;
    }
    return false;
}

Extended localMidnightOf(const ChartState& chart) {
    return julianDayOf(chart.gregorian, chart.birth.day, chart.birth.month, chart.birth.year, 0, 0);
}

// D of r sin(fD + RAMC) − cos D = 0: five secant steps from 0 and 180; where
// they do not reach a root, the root in [0, 180] is bracketed and bisected.
// False when the equation has no root there.
bool solveLine(Extended r, Extended f, Extended ramc, Extended& d) {
    auto fn = [&](Extended x) { return r * SinDeg(f * x + ramc) - CosDeg(x); };
    Extended dPrev = 0.000000001L, dCur = 180.0001L;
    Extended fPrev = fn(dPrev), fCur = fn(dCur);
    for (int step = 0; step < 5; ++step) {
        Extended den = fCur - fPrev;
        if (den == 0) den = 0.000001L;
        const Extended next = dCur - (dCur - dPrev) * fCur / den;
        dPrev = dCur;
        fPrev = fCur;
        dCur = next;
        fCur = fn(dCur);
    }
    if (std::isfinite(dCur) && std::fabs(fCur) <= kLineTolerance && dCur >= 0 && dCur <= 180.0001L) {
        d = dCur;
        return true;
    }
    Extended lo = 0, flo = fn(lo);
    for (int k = 1; k <= 180; ++k) {
        const Extended hi = k, fhi = fn(hi);
        if (flo == 0 || (flo < 0) != (fhi < 0)) {
            Extended a = lo, fa = flo, b = hi;
            if (flo != 0) {
                for (int i = 0; i < 80; ++i) {
                    const Extended m = (a + b) / 2;
                    const Extended fm = fn(m);
                    if ((fm < 0) == (fa < 0)) {
                        a = m;
                        fa = fm;
                    } else {
                        b = m;
                    }
                }
            }
            d = flo == 0 ? lo : (a + b) / 2;
            return true;
        }
        lo = hi;
        flo = fhi;
    }
    return false;
}

} // namespace

int WeekdayOf(Extended jd) {
    const Extended day = std::floor(jd + 1.5L + kDayTolerance);
    Extended w = std::fmod(day, 7.0L);
    if (w < 0) w += 7.0L;
    return static_cast<int>(w);
}

int hourRulerOf(int weekday, int hour) {
    const int ruler = kWeekdayRulers[static_cast<std::size_t>(weekday)];
    int start = 0;
    for (int i = 0; i < 7; ++i)
        if (kHourSequence[static_cast<std::size_t>(i)] == ruler) start = i;
    return kHourSequence[static_cast<std::size_t>((start + hour - 1) % 7)];
}

HourLines hourLinesOf(const ChartState& chart, Extended localJd) {
    HourLines out;
    const Extended t = (localJd - 2415020.0L) / 36525.0L;
    const Extended eps = 23.4522944L - 0.0130125L * t;
    Extended lonG = chart.birth.lonDegrees + chart.birth.lonMinutes / 60.0L;
    if (chart.birth.lonLetter == "O" || chart.birth.lonLetter == "W") lonG = 360.0L - lonG;
    Extended g = 18.6460655L + 2400.05126L * t + 0.000025805555L * t * t;
    while (g < 0) g += 24.0L;
    const Extended v = (chart.corr + chart.birth.hour + chart.birth.minute / 60.0L + 12.0L) / 24.0L;
    Extended lst = lonG / 15.0L + Frac(g / 24.0L) * 24.0L + Frac(v) * 24.0L;
    lst -= 24.0L * std::floor(lst / 24.0L);
    const Extended ramc = 15.0L * lst;
    Extended phi = chart.birth.latDegrees + chart.birth.latMinutes / 60.0L;
    if (chart.birth.latLetter == "S") phi = -phi;
    const Extended r = -TanDeg(phi) * TanDeg(eps);
    const Extended cosEps = CosDeg(eps);

    auto line = [&](Extended f, Extended& lambda) {
        Extended d = 0;
        // The meridian's line (f = 0) is the Medium Coeli whatever D is.
        if (f != 0 && !solveLine(r, f, ramc, d)) return false;
        const Extended alpha = Norm360(f * d + ramc);
        lambda = EclipticFromRightAscension(alpha, cosEps);
        return true;
    };
    const Extended eastern[7] = {1.0L, 5.0L / 6.0L, 2.0L / 3.0L, 0.5L, 1.0L / 3.0L, 1.0L / 6.0L, 0.0L};
    const Extended western[5] = {-1.0L / 6.0L, -1.0L / 3.0L, -0.5L, -2.0L / 3.0L, -5.0L / 6.0L};
    bool solved = true;
    for (int i = 0; i < 7; ++i) solved = line(eastern[i], out.line[static_cast<std::size_t>(1 + i)]) && solved;
    for (int i = 0; i < 5; ++i) {
        Extended lambda = 0;
        solved = line(western[i], lambda) && solved;
        out.line[static_cast<std::size_t>(20 + i)] = Norm360(lambda + 180.0L);
    }
    for (int i = 8; i <= 12; ++i) out.line[static_cast<std::size_t>(i)] = Norm360(out.line[static_cast<std::size_t>(i + 12)] + 180.0L);
    for (int i = 13; i <= 19; ++i) out.line[static_cast<std::size_t>(i)] = Norm360(out.line[static_cast<std::size_t>(i - 12)] + 180.0L);
    out.line[25] = out.line[1];
    out.line[0] = out.line[24];
    out.solved = solved;
    return out;
}

int hourAmongLines(const HourLines& lines, Extended sun) {
    for (int i = 1; i <= 24; ++i) {
        const Extended arc = Norm360(lines.line[static_cast<std::size_t>(i)] - lines.line[static_cast<std::size_t>(i + 1)]);
        if (arc >= Norm360(lines.line[static_cast<std::size_t>(i)] - sun)) return i;
    }
    return 0;
}

bool findSunrise(const ChartState& chart, Extended& sunrise) {
    ChartState work = chart;
    const Extended midnight = localMidnightOf(chart);
    const Extended start = midnight + chart.corr / 24.0L;
    Extended s = start;
    bool reached = false;
    for (int round = 0; round < kSunriseRounds; ++round) {
        const Extended d = Norm360(sunAt(work, s) - houseFrame(placeAt(chart, s, midnight)).asc) / 2.0L;
        s += kSunriseStep * d;
        if (d <= kSunriseReached) {
            reached = true;
            break;
        }
    }
    if (reached) {
        const Extended days = Int(s - start);
        if (days > 0) s -= days;
        // Taken back to the birth date, the moment found must still be a
        // sunrise there.
        const SunPlace p = sunPlaceAt(chart, work, s, midnight);
        if (std::fabs(p.altitude) < kHorizonTolerance && p.east) {
            sunrise = s;
            return true;
        }
    }
    // Where the Ascendant runs fast (high latitudes) the search by the
    // Ascendant overshoots and can run on for weeks, or meets the Sun's
    // longitude while the Sun is far from the horizon: the sunrise of the
    // birth date is then found by the Sun's altitude, and where the Sun
    // does not rise that day there is none.
    return sunriseByAltitude(chart, work, start, midnight, sunrise);
}

PlanetaryHour ComputePlanetaryHour(const ChartState& chart) {
    PlanetaryHour h;
    const Extended local = chart.jd - chart.corr / 24.0L;
    h.sunriseFound = findSunrise(chart, h.sunrise);
    h.weekday = h.sunriseFound && chart.jd < h.sunrise ? WeekdayOf(local - 1.0L) : WeekdayOf(local);
    if (h.sunriseFound) {
        h.lines = hourLinesOf(chart, h.sunrise - chart.corr / 24.0L);
        if (h.lines.solved) h.hour = hourAmongLines(h.lines, chart.longitude[kSun]);
        h.hourFound = h.hour != 0;
        if (h.hourFound) h.hourRuler = hourRulerOf(h.weekday, h.hour);
    }
    h.ascendantRuler = signRuler(signOf(chart.longitude[kAscendantPoint]));
    h.mcRuler = signRuler(signOf(chart.longitude[kMcPoint]));
    return h;
}

int mastersYear(const ChartState& chart) {
    int year = civilDateOf(chart.jd).year;
    ChartState work = chart;
    const Extended endOfYear = julianDayOf(chart.gregorian, 31, 12, year, 23, 59);
    if (chart.longitude[kSun] > sunAt(work, endOfYear)) --year;
    return year;
}

int yearInTable(int year) {
    int offset = (year - 1765) % 252;
    if (offset < 0) offset += 252;
    return 1765 + offset;
}

namespace {
const char* const kYearTablePath = "Appoggio\\GoverAnno.txt";

int masterAt(const std::string& line, std::size_t at) {
    const char a = line[at], b = line[at + 1];
    if (a != '0' || b < '1' || b > '7')
        throw ConversionError("Riga non valida nel file GoverAnno.txt: \"" + line + "\"");
    return b - '0';
}
} // namespace

YearMasters lookUpYearMasters(int year, const std::vector<std::string>& lines) {
    if (lines.empty()) throw ConversionError("Il file GoverAnno.txt \xE8 vuoto");
    const std::string wanted = ZeroPad(year, 4);
    const std::string* found = &lines.back();
    for (const std::string& line : lines) {
        if (line.compare(0, 4, wanted) == 0) {
            found = &line;
            break;
        }
    }
    if (found->size() < 8) throw ConversionError("Riga non valida nel file GoverAnno.txt: \"" + *found + "\"");
    return {year, masterAt(*found, 4), masterAt(*found, 6)};
}

std::vector<std::string> readYearTable() { return readDataTextLines(kYearTablePath); }

YearMasters yearMastersOf(const ChartState& chart) {
    return lookUpYearMasters(yearInTable(mastersYear(chart)), readYearTable());
}

std::string mastersHeading() { return "MAESTRI \"ASC\", \"MC\", \"Ora Planetaria\""; }

std::vector<ColouredLine> mastersLines(const ChartState& chart, const PlanetaryHour& h) {
    std::vector<ColouredLine> lines;
    if (h.sunriseFound)
        lines.push_back({"Il Sole sorge alle ore: " + JulianDayText(h.sunrise - chart.corr / 24.0L).substr(11, 5),
                         TextColour::Yellow});
    lines.push_back({std::string("Giorno Planetario: ") + kWeekdayNames[static_cast<std::size_t>(h.weekday)], TextColour::Aqua});
    if (h.hourFound) {
        const bool diurnal = h.hour <= 12;
        lines.push_back({"Ora Planetaria: " + std::to_string(diurnal ? h.hour : h.hour - 12) +
                             (diurnal ? " Diurna" : " Notturna"),
                         TextColour::Aqua});
        lines.push_back({std::string("Governata ") + kGovernedByPhrases[static_cast<std::size_t>(h.hourRuler)], TextColour::Aqua});
    }
    lines.push_back({"Ascendente " + LongitudeShort(0, chart.longitude[kAscendantPoint]), TextColour::White});
    lines.push_back({std::string("Governato ") + kGovernedByPhrases[static_cast<std::size_t>(h.ascendantRuler)], TextColour::White});
    lines.push_back({"Mediocielo " + LongitudeShort(0, chart.longitude[kMcPoint]), TextColour::Aqua});
    lines.push_back({std::string("Governato ") + kGovernedByPhrases[static_cast<std::size_t>(h.mcRuler)], TextColour::Aqua});
    return lines;
}

const char* const kYearMastersHeading = "MAESTRI dell'ANNO e del CICLO";

std::vector<ColouredLine> yearMastersLines(const YearMasters& m) {
    return {{std::string("Anno ") + kOfPhrases[static_cast<std::size_t>(m.yearMaster)], TextColour::Aqua},
            {std::string("nel Ciclo ") + kOfPhrases[static_cast<std::size_t>(m.cycleMaster)], TextColour::Aqua}};
}

} // namespace qv
