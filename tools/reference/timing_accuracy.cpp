// Accuracy of the timing computations against the reference ephemeris:
// the exact moments of a year of transits for a test subject, solar returns,
// and sunrise and sunset up to the polar circles. Writes a Markdown report
// (docs/accuracy_timing.md).
//
// Transits: the same search (the same sampling and root finding) runs once
// on the program's positions and once on the reference's; the exact moments
// of the same contacts are compared. The program's positions are good to
// its stated accuracy (docs/accuracy.md, 1900–2100), so a moment can be
// good only to the time the body's motion takes to cover it: that bound is
// reported beside each body's error.
//
// Sunrise and sunset: the reference's own rising and setting (upper limb,
// refraction at 1013.25 hPa and 15 °C, sea level) against the program's
// (upper limb, standard refraction: the centre 50' below the horizon).
//
// Run: build/tools/reference/timing_accuracy [REPORT.md]
#include "base/data_dir.h"
#include "ephemeris/chart_steps.h"
#include "ephemeris/julian_day.h"
#include "timing/roots.h"
#include "timing/solar_return.h"
#include "timing/sun_horizon.h"
#include "timing/transits.h"
#include "tools/reference/reference_positions.h"

#include <swephexp.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

namespace {

using qv::Extended;

// The program's stated accuracy 1900–2100, arcseconds (docs/accuracy.md).
const double kStatedAccuracy[12] = {0, 8.0, 0.9, 39.9, 34.4, 35.4, 34.9, 35.8, 35.9, 35.7, 35.6, 27.5};

struct Figures {
    int count = 0, withinBound = 0;
    double maxSeconds = 0, sumSquares = 0, maxBoundSeconds = 0;
    void add(double seconds, double boundSeconds) {
        ++count;
        maxSeconds = std::max(maxSeconds, std::fabs(seconds));
        sumSquares += seconds * seconds;
        maxBoundSeconds = std::max(maxBoundSeconds, boundSeconds);
        if (std::fabs(seconds) <= boundSeconds) ++withinBound;
    }
    double rms() const { return count ? std::sqrt(sumSquares / count) : 0; }
};

std::string minutesText(double seconds) {
    char t[32];
    if (seconds < 120)
        std::snprintf(t, sizeof t, "%.1f s", seconds);
    else if (seconds < 7200)
        std::snprintf(t, sizeof t, "%.1f min", seconds / 60);
    else
        std::snprintf(t, sizeof t, "%.1f h", seconds / 3600);
    return t;
}

qv::ChartState testSubject() {
    qv::BirthData b;
    b.day = 14; b.month = 3; b.year = 1975; b.hour = 10; b.minute = 30; b.corr = -1;
    b.latDegrees = 45; b.latMinutes = 28; b.lonDegrees = 9; b.lonMinutes = 11;
    qv::ChartState s;
    s.houseSystem = "CASE_MEDIE";
    s.nodeKind = "MEDIO";
    s.blackMoonKind = "MEDIA";
    qv::layOutTraditionally(s, qv::castChart(s, b));
    return s;
}

void transits(std::ostream& out) {
    const qv::ChartState natal = testSubject();
    qv::timing::TransitQuery q;
    q.from = qv::julianDayOf(true, 1, 1, 2026, 0, 0);
    q.to = qv::julianDayOf(true, 1, 1, 2027, 0, 0);
    const auto ours = qv::timing::findTransits(natal, q);
    const auto theirs = qv::timing::findTransits(natal, q, &qv::reference::ReferencePositions::make);
    // The same contact on both sides: body, natal point, aspect point, and
    // the exact moment nearest in time.
    std::map<int, Figures> byBody;
    int unmatched = 0;
    for (const auto& c : ours) {
        qv::timing::BodyPositions positions(c.body, q.nodeKind);
        for (Extended e : c.exact) {
            double best = 1e9;
            for (const auto& r : theirs) {
                if (r.body != c.body || r.natal != c.natal || std::fabs(static_cast<double>(r.point - c.point)) > 1e-9) continue;
                for (Extended f : r.exact)
                    if (std::fabs(static_cast<double>(e - f) * 86400.0) < std::fabs(best)) best = static_cast<double>(e - f) * 86400.0;
            }
            if (std::fabs(best) > 30 * 86400.0) {
                ++unmatched;  // a grazing pass one side finds and the other does not
                continue;
            }
            const double speed = std::fabs(static_cast<double>(positions.speed(e)));  // degrees a day
            const double bound = kStatedAccuracy[c.body] / 3600.0 / std::max(speed, 1e-6) * 86400.0;
            byBody[c.body].add(best, bound);
        }
    }
    out << "## Exact moments of a year of transits\n\n"
        << "Test subject born 14/03/1975 10:30 (Corr -1) at 45N28-009E11; all contacts of the eleven moving bodies"
           " (mean node) with the eleven natal points, 2026, default orbs. Program minus reference, in time.\n"
           " \"Bound\" is the time the body takes to move through the program's stated accuracy (the largest error of"
           " its longitudes 1900-2100 in docs/accuracy.md) at the speed it has at that moment; the largest bound is"
           " reached where the body is slowest, near a station.\n\n"
        << "| body | exact moments | max error | RMS error | within bound | largest bound |\n|---|---:|---:|---:|---:|---:|\n";
    for (const auto& [body, f] : byBody)
        out << "| " << qv::timing::kTransitBodyNames[static_cast<std::size_t>(body)] << " | " << f.count << " | "
            << minutesText(f.maxSeconds) << " | " << minutesText(f.rms()) << " | " << f.withinBound << " of " << f.count
            << " | " << minutesText(f.maxBoundSeconds) << " |\n";
    out << "\nExact moments found on one side only (a grazing pass near a station): " << unmatched << ".\n\n";
}

void solarReturns(std::ostream& out) {
    const qv::ChartState natal = testSubject();
    qv::reference::ReferencePositions sun(1, "MEDIO");
    Figures f;
    for (int year = 1976; year <= 2075; ++year) {
        const Extended ours = qv::timing::solarReturnMoment(natal, year);
        // The reference's return: the same root of the Sun's offset.
        auto offset = [&](Extended t) { return qv::timing::halfTurn(sun.longitude(t) - natal.longitude[1]); };
        const Extended theirs = qv::timing::bracketedRoot(offset, ours - 1, ours + 1, offset(ours - 1), offset(ours + 1), 1e-8L);
        f.add(static_cast<double>(ours - theirs) * 86400.0, kStatedAccuracy[1] / 3600.0 / 0.9856 * 86400.0);
    }
    out << "## Solar returns\n\n"
        << "The same subject's returns 1976-2075, each the moment the Sun comes back to the program's natal Sun"
           " longitude; program minus reference.\n\n"
        << "| returns | max error | RMS error | within the Sun's stated accuracy (" << minutesText(f.maxBoundSeconds)
        << ") |\n|---:|---:|---:|---:|\n"
        << "| " << f.count << " | " << minutesText(f.maxSeconds) << " | " << minutesText(f.rms()) << " | " << f.withinBound
        << " of " << f.count << " |\n\n";
}

void sunrises(std::ostream& out) {
    swe_set_ephe_path(const_cast<char*>("/usr/share/libswe/ephe"));
    out << "## Sunrise and sunset\n\n"
        << "At longitude 9\xC2\xB0" "11' E, on the 1st, 8th, 15th and 22nd of every month of 2026; program minus"
           " reference. Days on which either side finds no rising or setting (polar day or night) are counted apart.\n\n"
        << "| latitude | risings and settings | max error | RMS error | polar on both | polar on one side only |\n"
           "|---:|---:|---:|---:|---:|---:|\n";
    const double longitude = 9 + 11 / 60.0;
    for (double latitude : {0.0, 23.0, 40.0, 45.47, 50.0, 55.0, 60.0, 63.0, 65.0, 66.0, 66.5, -33.9, -55.0}) {
        Figures f;
        int bothPolar = 0, onePolar = 0;
        for (int month = 1; month <= 12; ++month)
            for (int day : {1, 8, 15, 22}) {
                const Extended date = qv::julianDayOf(true, day, month, 2026, 0, 0);
                const qv::timing::SunTimes ours = qv::timing::sunTimes({latitude, longitude}, date);
                double geo[3] = {longitude, latitude, 0};
                char error[AS_MAXCH];
                // From the lower culmination before the program's noon, as the program looks.
                const double start = static_cast<double>(ours.noon) - 0.5;
                double rise = 0, set = 0;
                const int r = swe_rise_trans(start, SE_SUN, nullptr, SEFLG_SWIEPH, SE_CALC_RISE, geo, 1013.25, 15, &rise, error);
                const int s = swe_rise_trans(static_cast<double>(ours.noon), SE_SUN, nullptr, SEFLG_SWIEPH, SE_CALC_SET, geo,
                                             1013.25, 15, &set, error);
                const bool theirsRise = r == 0 && rise < static_cast<double>(ours.noon);
                const bool theirsSet = s == 0 && set < static_cast<double>(ours.noon) + 0.5;
                for (int k = 0; k < 2; ++k) {
                    const bool oursHas = k == 0 ? ours.sunrise.has_value() : ours.sunset.has_value();
                    const bool theirsHas = k == 0 ? theirsRise : theirsSet;
                    if (oursHas && theirsHas) {
                        const double t = k == 0 ? rise : set;
                        f.add(static_cast<double>((k == 0 ? *ours.sunrise : *ours.sunset) - t) * 86400.0, 60);
                    } else if (!oursHas && !theirsHas) {
                        ++bothPolar;
                    } else {
                        ++onePolar;
                    }
                }
            }
        char lat[16];
        std::snprintf(lat, sizeof lat, "%.2f", latitude);
        out << "| " << lat << " | " << f.count << " | " << minutesText(f.maxSeconds) << " | " << minutesText(f.rms())
            << " | " << bothPolar << " | " << onePolar << " |\n";
    }
    out << "\n";
}

} // namespace

int main(int argc, char** argv) {
    qv::setDataDir(QV_DATA_TEMPLATE_DIR);
    std::ostringstream report;
    report << "# Accuracy of transits, returns and the spagyric calendar\n\n"
           << "Generated by `tools/reference/timing_accuracy`; do not edit by hand. Reference: "
           << qv::reference::Ephemeris().description() << ".\n\n";
    transits(report);
    solarReturns(report);
    sunrises(report);
    if (argc > 1) {
        std::ofstream(argv[1]) << report.str();
    } else {
        std::fputs(report.str().c_str(), stdout);
    }
    return 0;
}
