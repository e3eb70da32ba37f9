// Measures the program's positions against the reference ephemeris, with
// the correction tables it ships and with tables of zeros, and writes the
// accuracy report (docs/accuracy.md). With --fixture it writes instead the
// reference longitudes of the spot checks in
// tests/ephemeris/correction_tables_data_test.cpp.
//
// Usage: accuracy_report [--data DATA_FOLDER] OUTPUT.md
//        accuracy_report --fixture OUTPUT.txt
// DATA_FOLDER holds FilePosi\ with the tables to measure (default: the
// source tree's data/).
#include "base/data_dir.h"
#include "base/text_file.h"
#include "ephemeris/angles.h"
#include "ephemeris/bodies.h"
#include "ephemeris/fundamental_arguments.h"
#include "ephemeris/houses.h"
#include "ephemeris/julian_day.h"
#include "ephemeris/nodes.h"
#include "ephemeris/sun_moon.h"
#include "tools/correction_tables/scratch_folder.h"
#include "tools/correction_tables/table_builder.h"
#include "tools/correction_tables/table_layout.h"
#include "tools/reference/reference_ephemeris.h"

#include <swephexp.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using qv::Extended;
using qv::reference::Body;

namespace {

// ---------------------------------------------------------------- grid

constexpr Extended kYear1 = 1721423.5L;    // 1 January 1 (Julian calendar), 0h
constexpr Extended kGridStart = 1721434.5L; // 12 January 1: every table applies from here
constexpr Extended kYear1000 = 2086307.5L; // 1 January 1000 (Julian)
constexpr Extended kYear1600 = 2305447.5L; // 1 January 1600 (Gregorian)
constexpr Extended kYear1850 = 2396758.5L;
constexpr Extended kYear1900 = 2415020.5L;
constexpr Extended kYear2100 = 2488069.5L;
constexpr Extended kTablesEnd = qv::tables::kLastCorrectedDay; // 2130 December

struct Period {
    const char* name;
    Extended from, to;
};

const Period kPeriods[] = {{"1–1000", kYear1, kYear1000},       {"1000–1600", kYear1000, kYear1600},
                           {"1600–1850", kYear1600, kYear1850}, {"1850–1900", kYear1850, kYear1900},
                           {"1900–2100", kYear1900, kYear2100}, {"2100–2130", kYear2100, kTablesEnd}};
constexpr int kPeriodCount = static_cast<int>(std::size(kPeriods));

// Every 97 days from year 1 to 1850 and every 5 days from 1850 to the end of
// the Moon's table. Each instant is moved by a fraction of a day that runs
// through the day (the golden-ratio sequence), so the grid never sits on the
// tables' record instants, where the tables are exact.
std::vector<Extended> grid() {
    std::vector<Extended> out;
    long k = 0;
    auto fraction = [&] { return std::fmod(0.6180339887498949L * static_cast<Extended>(++k), 1.0L); };
    for (Extended jd = kGridStart; jd < kYear1850; jd += 97.0L) out.push_back(jd + fraction());
    for (Extended jd = kYear1850; jd + 1.0L < kTablesEnd; jd += 5.0L) out.push_back(jd + fraction());
    return out;
}

int periodOf(Extended jd) {
    for (int p = 0; p < kPeriodCount; ++p)
        if (jd >= kPeriods[p].from && jd < kPeriods[p].to) return p;
    return -1;
}

// ---------------------------------------------------------------- statistics

struct Stat {
    double max = 0, sumSq = 0;
    long n = 0;
    void add(double e) {
        max = std::fmax(max, std::fabs(e));
        sumSq += e * e;
        ++n;
    }
    double rms() const { return n ? std::sqrt(sumSq / static_cast<double>(n)) : 0.0; }
};

// Ours minus the reference, arcseconds.
double errorArcsec(Extended ours, double ref) {
    return 3600.0 * std::remainder(static_cast<double>(std::fabs(ours)) - ref, 360.0);
}

struct Row {
    std::string name;
    Stat with[kPeriodCount], without[kPeriodCount];
    bool tables = true; // false: the tables do not touch this point
};

// ---------------------------------------------------------------- data folders

void writeZeroTables(const fs::path& root) {
    using namespace qv::tables;
    qv::writeFileAtomically(root / "FilePosi" / "DSEL.rnd", std::string(kDselRecords * qv::kDselRecordSize, '\0'));
    qv::writeFileAtomically(root / "FilePosi" / "NOJLNE.rnd",
                            std::string(kNojlneRecords * qv::kNojlneRecordSize, '\0'));
    qv::writeFileAtomically(root / "FilePosi" / "DPR1.rnd", zeroDpr1());
}

// ---------------------------------------------------------------- positions

struct Positions {
    qv::ChartState trueKinds;  // node "VERO", Black Moon "VERA"
    qv::ChartState meanKinds;  // node "MEDIO", Black Moon "MEDIA"
};

// The chart's own computation: both passes, then the absolute longitude.
void computeAt(qv::ChartState& s, const std::string& node, const std::string& blackMoon, Extended jd) {
    s.nodeKind = node;
    s.blackMoonKind = blackMoon;
    qv::computeBodies(s, 0, jd);
}

struct MeasuredPoint {
    const char* name;
    int point;     // chart point as the ephemeris leaves it
    bool meanKind; // read from the "MEDIO"/"MEDIA" run
    Body body;
    bool tables;   // a table corrects it somewhere
};

const MeasuredPoint kPoints[] = {
    {"Sun", qv::kSun, false, Body::Sun, false},
    {"Moon", qv::kMoon, false, Body::Moon, true},
    {"Mercury", qv::kMercury, false, Body::Mercury, true},
    {"Venus", qv::kVenus, false, Body::Venus, true},
    {"Mars", qv::kMars, false, Body::Mars, true},
    {"Jupiter", qv::kJupiter, false, Body::Jupiter, true},
    {"Saturn", qv::kSaturn, false, Body::Saturn, true},
    {"Uranus", qv::kUranus, false, Body::Uranus, true},
    {"Neptune", qv::kNeptune, false, Body::Neptune, true},
    {"Pluto", qv::kPluto, false, Body::Pluto, true},
    {"Mean node", qv::kEphemerisNode, true, Body::MeanNode, false},
    {"True node", qv::kEphemerisNode, false, Body::TrueNode, true},
    {"Mean Black Moon", qv::kBlackMoon, true, Body::MeanApogee, false},
    {"Black Moon VERA (osculating apogee)", qv::kBlackMoon, false, Body::OsculatingApogee, true},
    {"Ceres", qv::kCeres, false, Body::Ceres, true},
    {"Pallas", qv::kPallas, false, Body::Pallas, true},
    {"Juno", qv::kJuno, false, Body::Juno, true},
    {"Vesta", qv::kVesta, false, Body::Vesta, true},
    {"Chiron", qv::kChiron, false, Body::Chiron, true},
};
constexpr int kPointCount = static_cast<int>(std::size(kPoints));

bool measured(const MeasuredPoint& p, Extended jd) {
    if (p.body == Body::OsculatingApogee) return jd >= kYear1850 && jd < qv::tables::kLastBlackMoonDay;
    if (p.body >= Body::Ceres) return jd >= qv::kAsteroidsFirstJd && jd <= qv::kAsteroidsLastJd;
    return true;
}

// ---------------------------------------------------------------- interpolation alone

// The program's positions without the correction of a point, at an instant:
// the model the tables correct (the true node from the corrected Moon).
struct Model {
    fs::path dir; // the shipped DSEL.rnd, DPR1.rnd and NOJLNE.rnd with zeros
    struct Cached {
        Extended jd = -1;
        qv::ChartState state;
    };
    Cached cache[3]; // the two records and the instant itself
    int next = 0;

    Extended longitude(Extended jd, int point) {
        if (point == qv::kMoon) return qv::moonPosition(qv::FundamentalArguments(jd), false).longitude;
        if (point == qv::kBlackMoon) return qv::blackMoon(qv::FundamentalArguments(jd), "MEDIA");
        for (const Cached& c : cache)
            if (c.jd == jd) return c.state.longitude[point];
        Cached& c = cache[next];
        next = (next + 1) % 3;
        qv::setDataDir(dir);
        c.jd = jd;
        c.state.nodeKind = "VERO";
        c.state.blackMoonKind = "MEDIA";
        qv::computeBodiesOnce(c.state, 0, jd, false);
        return c.state.longitude[point];
    }
};

// The error at `jd` of a table whose records held the exact difference
// between the reference and the model, arcseconds. Records are `step` days
// apart; `first` is the instant of the record the reader starts from.
double exactRecordError(Model& model, const qv::reference::Ephemeris& ref, const MeasuredPoint& ps, Extended jd,
                        Extended first, Extended step) {
    auto correction = [&](Extended x) {
        return std::remainder(ref.longitude(static_cast<double>(x), ps.body) -
                                  static_cast<double>(model.longitude(x, ps.point)),
                              360.0);
    };
    // Jupiter to Pluto: inside a step that holds a jump of their model the
    // program follows the two records on the jd's own side (bodies.cpp).
    Extended a = first;
    if (step == 5.0L && ps.point >= qv::kJupiter && ps.point <= qv::kPluto)
        for (const Extended jump : {2341970.0L, 2415020.0L, 2488070.0L + 1e-7L})
            if (jump > first && jump < first + step) a = jd < jump ? first - step : first + step;
    const double p = correction(a);
    const double q = correction(a + step);
    const Extended modelAt = model.longitude(jd, ps.point);
    const double interpolated = p + static_cast<double>((jd - a) / step) * (q - p);
    return 3600.0 *
           std::remainder(static_cast<double>(modelAt) + interpolated - ref.longitude(static_cast<double>(jd), ps.body),
                          360.0);
}

// The instant of the record the reader interpolates from, and the step; or
// step 0 where no table corrects the point at `jd`.
std::pair<Extended, Extended> recordBefore(const MeasuredPoint& ps, Extended jd) {
    if (ps.body == Body::Moon && jd > 1721422.5L && jd < qv::tables::kLastCorrectedDay)
        return {qv::kDselOrigin + qv::Round(jd - qv::kDselOrigin - 0.5L), 1.0L};
    if (ps.body == Body::OsculatingApogee && jd >= kYear1850 && jd < qv::tables::kLastBlackMoonDay)
        return {qv::kNojlneOrigin + qv::Round(jd - qv::kNojlneOrigin - 0.5L), 1.0L};
    if (ps.body >= Body::Ceres && jd >= qv::kDastOrigin && jd < qv::kMinorBodyTableUntil)
        return {qv::kDastOrigin + qv::Round(jd - qv::kDastOrigin - 0.5L), 1.0L};
    const bool planet = ps.point >= qv::kMercury && ps.point <= qv::kPluto && ps.body != Body::MeanNode;
    const bool node = ps.body == Body::TrueNode;
    if ((planet && jd >= qv::kPlanetTableFrom && jd < qv::kPlanetTableUntil) ||
        (node && jd > 1721433.5L && jd < qv::tables::kLastCorrectedDay)) {
        const long n = static_cast<long>(qv::Int(jd - qv::kDpr1Origin - 0.5L)) / 5;
        return {qv::tables::dpr1RecordDay(n), 5.0L};
    }
    return {0, 0};
}

// ---------------------------------------------------------------- houses

struct Place {
    const char* name;
    int latDegrees, latMinutes;
    const char* latLetter;
};

const Place kPlaces[] = {{"0°", 0, 0, "N"},
                         {"33°52′ S", 33, 52, "S"},
                         {"45°28′ N", 45, 28, "N"},
                         {"51°30′ N", 51, 30, "N"},
                         {"60°10′ N", 60, 10, "N"}};

// The house frame at the whole minute nearest `jd`, Universal Time, 9°11′ E.
struct HouseMoment {
    qv::HouseInput input;
    double jd;
};

HouseMoment houseMoment(const Place& place, Extended jd) {
    const Extended day = std::floor(jd - 0.5L) + 0.5L;
    const long minutes = std::lround(static_cast<double>((jd - day) * 1440.0L)) % 1440;
    HouseMoment m;
    m.input.latDegrees = place.latDegrees;
    m.input.latMinutes = place.latMinutes;
    m.input.latLetter = place.latLetter;
    m.input.lonDegrees = 9;
    m.input.lonMinutes = 11;
    m.input.lonLetter = "E";
    m.input.hour = static_cast<int>(minutes / 60);
    m.input.minute = static_cast<int>(minutes % 60);
    m.input.jd = day + static_cast<Extended>(minutes) / 1440.0L;
    m.jd = static_cast<double>(m.input.jd);
    return m;
}

// ---------------------------------------------------------------- report

std::string arcsec(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, v < 100.0 ? "%.1f" : "%.0f", v);
    return buf;
}

struct Extra {
    Stat apogeeIntpTable[kPeriodCount];     // interpolated-apogee table vs interpolated apogee
    Stat apogeeIntpVsOscu;                  // interpolated apogee − osculating apogee, 1850–2100
    Stat apogeeMeanVsOscu;                  // mean Black Moon − osculating apogee, 1850–2100
    std::map<std::string, Stat> moshierVsFiles; // reference: analytic minus files, 1800–2130
    // The tables' error with exact (unrounded) record values: what linear
    // interpolation over the tables' steps allows, per point of kPoints.
    Stat exactRecords[kPointCount][kPeriodCount];
};

std::string reportText(const std::vector<Row>& rows, const std::vector<Row>& houses, const Extra& extra,
                       const qv::reference::Ephemeris& ref, long instants) {
    std::ostringstream o;
    o << "# Accuracy of the ephemeris\n\n"
         "Generated by `tools/reference/accuracy_report` (see tools/correction_tables/README.md); "
         "do not edit by hand.\n\n"
         "The program's longitudes are compared with the reference ephemeris: "
      << ref.description()
      << ". The reference gives apparent geocentric ecliptic longitudes of date (light time, aberration, "
         "nutation) at the Universal Time instant, converting to its own time scale with its delta-T; the "
         "program's positions are those of a chart (both passes of the body computation, nodes and Black Moon "
         "of either kind).\n\n"
         "Grid: every 97 days from 12 January of year 1 (the first day on which every table applies) to 1850 "
         "and every 5 days from 1850 to the end of the Moon's table "
         "(December 2130), "
      << instants
      << " instants in all. Each instant is moved by a fraction of a day that runs through the whole day, so "
         "that the grid does not sit on the tables' record instants (0h UT), where the tables are exact. "
         "Ceres to Chiron are measured from 1850 to 2080, the corrected Black Moon from 1850 to 2100 (the "
         "windows in which the program computes them).\n\n"
         "Figures are the largest error and the root mean square error, ours minus the reference, in "
         "arcseconds, with the correction tables of `data/FilePosi` (\"tables\") and with tables of zeros "
         "(\"zeros\": the analytic model alone). A dash: not measured in that period.\n\n";

    auto row = [&](const char* name) -> const Row& {
        for (const Row& r : rows)
            if (r.name == name) return r;
        throw std::logic_error(name);
    };
    auto combined = [](const Stat* stats, int from, int to) {
        Stat all;
        for (int p = from; p <= to; ++p) {
            all.max = std::fmax(all.max, stats[p].max);
            all.sumSq += stats[p].sumSq;
            all.n += stats[p].n;
        }
        return all;
    };
    auto line = [&](const std::string& what, const Stat& with, const Stat& without) {
        o << "| " << what << " | " << arcsec(with.max) << " | " << arcsec(with.rms()) << " | "
          << arcsec(without.max) << " | " << arcsec(without.rms()) << " |\n";
    };
    const int last = kPeriodCount - 1;
    o << "## Headline\n\n"
         "| point, years | max, tables | RMS, tables | max, zeros | RMS, zeros |\n|---|---:|---:|---:|---:|\n";
    const Row& moon = row("Moon");
    line("Moon, 1–2130", combined(moon.with, 0, last), combined(moon.without, 0, last));
    line("Moon, 1–1000", combined(moon.with, 0, 0), combined(moon.without, 0, 0));
    line("Moon, 1000–2130", combined(moon.with, 1, last), combined(moon.without, 1, last));
    for (const char* planet : {"Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune", "Pluto"}) {
        const Row& r = row(planet);
        line(std::string(planet) + ", 1–1900", combined(r.with, 0, 3), combined(r.without, 0, 3));
        line(std::string(planet) + ", 1900–2130", combined(r.with, 4, last), combined(r.without, 4, last));
    }
    const Row& node = row("True node");
    line("True node, 1–1850", combined(node.with, 0, 2), combined(node.without, 0, 2));
    line("True node, 1850–2130", combined(node.with, 3, last), combined(node.without, 3, last));
    const Row& vera = row("Black Moon VERA (osculating apogee)");
    line("Black Moon VERA, 1850–2100", combined(vera.with, 3, last), combined(vera.without, 3, last));
    for (const char* minor : {"Ceres", "Pallas", "Juno", "Vesta", "Chiron"}) {
        const Row& r = row(minor);
        line(std::string(minor) + ", 1850–2080", combined(r.with, 3, last), combined(r.without, 3, last));
    }
    o << "\nRMS over the grid's instants (a period's share follows its grid step).\n\n";

    o << "## Points\n\n";
    for (int p = 0; p < kPeriodCount; ++p) {
        o << "### " << kPeriods[p].name << "\n\n"
          << "| point | max, tables | RMS, tables | max, zeros | RMS, zeros |\n|---|---:|---:|---:|---:|\n";
        for (const Row& r : rows) {
            if (r.with[p].n == 0) continue;
            o << "| " << r.name << " | " << arcsec(r.with[p].max) << " | " << arcsec(r.with[p].rms()) << " | ";
            if (r.tables)
                o << arcsec(r.without[p].max) << " | " << arcsec(r.without[p].rms()) << " |\n";
            else
                o << "same | same |\n";
        }
        o << "\n";
    }

    o << "## What the tables' formats allow\n\n"
         "The same errors with the record values unrounded: each record holding the exact difference at its "
         "instant, interpolated linearly as the program does (daily for the Moon, the Black Moon and Ceres to "
         "Chiron, every 5 days for the planets and the true node). This is the error of the interpolation "
         "alone; the shipped tables add the rounding of their units (1″ for the Moon, the Black Moon and "
         "Ceres to Chiron, 1′ for the planets and the true node, that is up to 30″).\n\n"
         "Where the targets (the Moon within 2″ RMS and 10″ at worst, Mercury to Pluto within 1′, the true "
         "node within 1′) are missed, this is why:\n\n"
         "- The Moon before 1000: there the model's mean arguments have drifted from the real ones and its "
         "Moon is off by up to 2.5°, mostly in terms with the periods of the month and the half month. A "
         "straight line over one day misses about (2π/P)²/8 of such a term's amplitude (0.65 % for P = 27.55 "
         "days), which is the half minute of arc found here; from 1000 on the error is a few arcseconds.\n"
         "- Mercury before 1000: its correction changes fastest when Mercury is nearest the Earth, where a "
         "5-day step cuts it short, and it is largest where the model has drifted most; the whole "
         "arcminutes of the field add up to 30″.\n"
         "- The true node: the node formula leaves out terms of about two weeks and less, which a 5-day step "
         "cannot follow; interpolated daily the same correction would stay within about 10″. The field's "
         "whole arcminutes add up to 30″. Before 1800 the reference itself is noisier (see the last "
         "section).\n\n"
         "| point |";
    for (int p = 0; p < kPeriodCount; ++p) o << " " << kPeriods[p].name << " max / RMS |";
    o << "\n|---|";
    for (int p = 0; p < kPeriodCount; ++p) o << "---:|";
    o << "\n";
    for (int i = 0; i < kPointCount; ++i) {
        bool any = false;
        for (int p = 0; p < kPeriodCount; ++p) any = any || extra.exactRecords[i][p].n > 0;
        if (!any) continue;
        o << "| " << rows[i].name << " |";
        for (int p = 0; p < kPeriodCount; ++p) {
            const Stat& st = extra.exactRecords[i][p];
            if (st.n) o << " " << arcsec(st.max) << " / " << arcsec(st.rms()) << " |";
            else o << " – |";
        }
        o << "\n";
    }
    o << "\n";

    o << "## Ascendant and Medium Coeli\n\n"
         "The house frame of the program (mean obliquity, sidereal time from Universal Time without the "
         "equation of the equinoxes) at the whole minute nearest each grid instant, place 9°11′ E, against "
         "the reference's `swe_houses` at the same instant and place. The tables do not touch them.\n\n"
         "| angle |";
    for (int p = 0; p < kPeriodCount; ++p) o << " " << kPeriods[p].name << " max / RMS |";
    o << "\n|---|";
    for (int p = 0; p < kPeriodCount; ++p) o << "---:|";
    o << "\n";
    for (const Row& r : houses) {
        o << "| " << r.name << " |";
        for (int p = 0; p < kPeriodCount; ++p) o << " " << arcsec(r.with[p].max) << " / " << arcsec(r.with[p].rms()) << " |";
        o << "\n";
    }

    o << "\n## The corrected Black Moon\n\n"
         "The osculating apogee swings by up to 30° around the mean one within two weeks and by several "
         "degrees within a day; a daily table interpolated linearly cannot follow it between its records. "
         "`NOJLNE.rnd` ships the osculating apogee (its values are exact at 0h UT of every day). "
         "An alternative table built from the reference's interpolated apogee (`--apogee interpolated` of the "
         "generator: the apogee with the swings of the osculating orbit smoothed out) follows its own "
         "reference far better, but that reference is a different point:\n\n"
         "| 1850–2100 | max | RMS |\n|---|---:|---:|\n";
    const Stat veraAll = combined(vera.with, 0, last);
    const Stat intpAll = combined(extra.apogeeIntpTable, 0, last);
    o << "| shipped table (osculating) − osculating apogee | " << arcsec(veraAll.max) << " | "
      << arcsec(veraAll.rms()) << " |\n"
      << "| alternative table (interpolated) − interpolated apogee | " << arcsec(intpAll.max) << " | "
      << arcsec(intpAll.rms()) << " |\n"
      << "| interpolated apogee − osculating apogee | " << arcsec(extra.apogeeIntpVsOscu.max) << " | "
      << arcsec(extra.apogeeIntpVsOscu.rms()) << " |\n"
      << "| mean Black Moon − osculating apogee | " << arcsec(extra.apogeeMeanVsOscu.max) << " | "
      << arcsec(extra.apogeeMeanVsOscu.rms()) << " |\n\n";

    o << "## The reference itself\n\n"
         "Before 1800 the reference is the library's analytic (Moshier) ephemeris, from 1800 its files. Where "
         "both exist, on the grid's instants from 1800 to 2130, they differ by (arcseconds):\n\n"
         "| point | max | RMS |\n|---|---:|---:|\n";
    for (const auto& [name, s] : extra.moshierVsFiles)
        o << "| " << name << " | " << arcsec(s.max) << " | " << arcsec(s.rms()) << " |\n";
    o << "\nThe differences of the true node and of the osculating apogee come from the Moon's velocity, which "
         "the osculating elements depend on; before 1800 the tables of these points are as good as the "
         "analytic reference.\n";
    return o.str();
}

// ---------------------------------------------------------------- fixture

// One instant a century (and one between 2100 and 2130), off the record
// instants, for the points the tables correct there.
int writeFixture(const fs::path& out, const qv::reference::Ephemeris& ref) {
    std::ostringstream o;
    o << "# Reference longitudes for the spot checks of the shipped correction tables.\n"
         "# " << ref.description() << ";\n"
         "# apparent geocentric ecliptic longitude of date, degrees, at the Universal Time Julian Day.\n"
         "# Written by tools/reference/accuracy_report --fixture.\n"
         "# Each line: Julian Day (UT), chart point (2 Moon, 3-10 Mercury-Pluto, 11 true node,\n"
         "# 12 Black Moon VERA, 15-19 Ceres-Chiron), longitude.\n";
    char line[96];
    for (int century = 0; century <= 21; ++century) {
        const int year = century < 21 ? century * 100 + 50 : 2125;
        const bool gregorian = year > 1582;
        // The instant as the fixture writes it (6 decimals), so that the test
        // computes at the very instant the reference was asked for.
        std::snprintf(line, sizeof line, "%.6Lf",
                      qv::julianDayOf(gregorian, 7 + century % 20, 1 + century % 12, year, 13, 17));
        const Extended jd = std::strtold(line, nullptr);
        std::vector<std::pair<int, Body>> points = {{2, Body::Moon}, {11, Body::TrueNode}};
        for (int k = 3; k <= 10; ++k) points.push_back({k, static_cast<Body>(static_cast<int>(Body::Sun) + k - 1)});
        if (jd >= qv::kAsteroidsFirstJd && jd <= qv::kAsteroidsLastJd)
            for (int k = 15; k <= 19; ++k)
                points.push_back({k, static_cast<Body>(static_cast<int>(Body::Ceres) + k - 15)});
        if (jd >= kYear1850 && jd < qv::tables::kLastBlackMoonDay) {
            // The corrected Black Moon at the day's record instant: between
            // records it cannot follow the osculating apogee.
            const Extended day = std::floor(jd - 0.5L) + 0.5L;
            std::snprintf(line, sizeof line, "%.6Lf 12 %.6f\n", day,
                          ref.longitude(static_cast<double>(day), Body::OsculatingApogee));
            o << line;
        }
        for (const auto& [point, body] : points) {
            std::snprintf(line, sizeof line, "%.6Lf %d %.6f\n", jd, point, ref.longitude(static_cast<double>(jd), body));
            o << line;
        }
    }
    qv::writeFileAtomically(out, o.str());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    fs::path data = QV_DATA_TEMPLATE_DIR;
    fs::path output;
    bool fixture = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--data" && i + 1 < argc) data = argv[++i];
        else if (arg == "--fixture") fixture = true;
        else if (output.empty() && arg.rfind("--", 0) != 0) output = arg;
        else output.clear(), i = argc;
    }
    if (output.empty()) {
        std::cerr << "usage: accuracy_report [--data DATA_FOLDER] OUTPUT.md\n"
                     "       accuracy_report --fixture OUTPUT.txt\n";
        return 2;
    }
    try {
        const qv::reference::Ephemeris ref;
        if (fixture) return writeFixture(output, ref);

        qv::tables::ScratchFolder zeros;
        writeZeroTables(zeros.path());
        // The shipped tables with the Black Moon built from the interpolated apogee.
        qv::tables::ScratchFolder alternative;
        for (const char* name : {"DSEL.rnd", "DPR1.rnd"})
            fs::copy_file(qv::DataDir(data).resolve(std::string("FilePosi\\") + name),
                          alternative.path() / "FilePosi" / name);
        qv::tables::FieldReport ignored;
        qv::writeFileAtomically(alternative.path() / "FilePosi" / "NOJLNE.rnd",
                                qv::tables::buildNojlne(ref, qv::tables::ApogeeReference::Interpolated, ignored));

        // The model the tables correct: the shipped Moon table (the true node
        // uses the corrected Moon), no other correction.
        qv::tables::ScratchFolder modelFolder;
        writeZeroTables(modelFolder.path());
        fs::copy_file(qv::DataDir(data).resolve("FilePosi\\DSEL.rnd"), modelFolder.path() / "FilePosi" / "DSEL.rnd",
                      fs::copy_options::overwrite_existing);
        Model model{modelFolder.path(), {}, 0};

        std::vector<Row> rows(kPointCount);
        for (int i = 0; i < kPointCount; ++i) {
            rows[i].name = kPoints[i].name;
            rows[i].tables = kPoints[i].tables;
        }
        std::vector<Row> houses;
        houses.push_back(Row{"Medium Coeli", {}, {}, false});
        for (const Place& pl : kPlaces) houses.push_back(Row{std::string("Ascendant ") + pl.name, {}, {}, false});
        Extra extra;

        const std::vector<Extended> instants = grid();
        Positions with, without, alt;
        for (const Extended jd : instants) {
            const int p = periodOf(jd);
            if (p < 0) continue;
            qv::setDataDir(data);
            computeAt(with.trueKinds, "VERO", "VERA", jd);
            computeAt(with.meanKinds, "MEDIO", "MEDIA", jd);
            qv::setDataDir(zeros.path());
            computeAt(without.trueKinds, "VERO", "VERA", jd);
            const double t = static_cast<double>(jd);
            for (int i = 0; i < kPointCount; ++i) {
                const MeasuredPoint& ps = kPoints[i];
                if (!measured(ps, jd)) continue;
                const double r = ref.longitude(t, ps.body);
                const qv::ChartState& w = ps.meanKind ? with.meanKinds : with.trueKinds;
                rows[i].with[p].add(errorArcsec(w.longitude[ps.point], r));
                const qv::ChartState& z = ps.meanKind ? with.meanKinds : without.trueKinds;
                rows[i].without[p].add(errorArcsec(z.longitude[ps.point], r));
                if (ps.tables) {
                    const auto [first, step] = recordBefore(ps, jd);
                    if (step > 0) extra.exactRecords[i][p].add(exactRecordError(model, ref, ps, jd, first, step));
                }
                if (ps.body == Body::OsculatingApogee) {
                    qv::setDataDir(alternative.path());
                    alt.trueKinds.blackMoonKind = "VERA";
                    qv::computeBodiesOnce(alt.trueKinds, qv::kBlackMoon, jd, false);
                    const double intp = ref.longitude(t, Body::InterpolatedApogee);
                    extra.apogeeIntpTable[p].add(errorArcsec(alt.trueKinds.longitude[qv::kBlackMoon], intp));
                    extra.apogeeIntpVsOscu.add(3600.0 * std::remainder(intp - r, 360.0));
                    extra.apogeeMeanVsOscu.add(errorArcsec(with.meanKinds.longitude[qv::kBlackMoon], r));
                }
            }
            for (std::size_t h = 0; h < houses.size(); ++h) {
                const HouseMoment m = houseMoment(kPlaces[h == 0 ? 2 : h - 1], jd);
                const qv::HouseFrame f = qv::houseFrame(m.input);
                double cusps[13], angles[10];
                swe_houses(m.jd, static_cast<double>(f.signedLatitude()), 9.0 + 11.0 / 60.0, 'E', cusps, angles);
                houses[h].with[p].add(h == 0 ? errorArcsec(f.mc, angles[1]) : errorArcsec(f.asc, angles[0]));
            }
            if (jd >= qv::reference::kFilesFrom) {
                for (const auto& [name, body] : std::initializer_list<std::pair<const char*, Body>>{
                         {"Moon", Body::Moon},
                         {"Mercury", Body::Mercury},
                         {"Venus", Body::Venus},
                         {"Mars", Body::Mars},
                         {"Jupiter", Body::Jupiter},
                         {"Saturn", Body::Saturn},
                         {"Uranus", Body::Uranus},
                         {"Neptune", Body::Neptune},
                         {"Pluto", Body::Pluto},
                         {"True node", Body::TrueNode},
                         {"Osculating apogee", Body::OsculatingApogee}}) {
                    double x[6];
                    char error[AS_MAXCH];
                    if (swe_calc_ut(t, qv::reference::Ephemeris::libraryBody(body), SEFLG_MOSEPH, x, error) < 0)
                        throw std::runtime_error(error);
                    extra.moshierVsFiles[name].add(3600.0 * std::remainder(x[0] - ref.longitude(t, body), 360.0));
                }
            }
        }
        qv::writeFileAtomically(output, reportText(rows, houses, extra, ref, static_cast<long>(instants.size())));
        std::printf("%s written (%zu instants)\n", output.c_str(), instants.size());
    } catch (const std::exception& e) {
        std::cerr << "accuracy_report: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
