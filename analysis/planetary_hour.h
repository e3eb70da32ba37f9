// The masters of the chart: the planetary hour of birth with its ruler, the
// sunrise of the birth day and the planetary weekday, the rulers of the
// Ascendant and of the Medium Coeli, and the masters of the year and of the
// 36-year cycle from Appoggio\GoverAnno.txt. The other moments these need
// are computed on a copy of the chart, so the chart itself never changes.
#pragma once

#include "analysis/chart_codes.h"
#include "base/reals.h"
#include "ephemeris/chart_state.h"

#include <array>
#include <string>
#include <vector>

namespace qv {

// Weekday names, 0 Domenica … 6 Sabato.
extern const std::array<const char*, 7> kWeekdayNames;
// The planet ruling each weekday (its first hour).
extern const std::array<int, 7> kWeekdayRulers;
// The Chaldean order the hours follow: Sole, Venere, Mercurio, Luna,
// Saturno, Giove, Marte.
extern const std::array<int, 7> kHourSequence;

// Weekday of a Julian Day, 0 Domenica … 6 Sabato. Computed from the whole
// day number, so a moment a rounding step before midnight of the local
// clock is not taken for the day before.
int WeekdayOf(Extended jd);

// The planet ruling hour h (1–24) of a weekday: h − 1 places after the
// weekday's ruler in the hour sequence.
int hourRulerOf(int weekday, int hour);

// Twenty-four hour lines L1 … L24 of the ecliptic (L0 = L24, L25 = L1).
struct HourLines {
    std::array<Extended, 26> line{};
    bool solved = false;  // false where some line has no solution
};
// The lines for the chart's birth moment and place, with the time argument
// of the local-clock moment `localJd`.
HourLines hourLinesOf(const ChartState& chart, Extended localJd);
// The hour 1–24 in which a longitude stands among the lines; 0 when none.
int hourAmongLines(const HourLines& lines, Extended sunLongitude);

struct PlanetaryHour {
    bool sunriseFound = false;
    Extended sunrise = 0;  // S, Julian Day in Universal Time
    int weekday = 0;       // the planetary weekday
    bool hourFound = false;
    int hour = 0;          // 1–12 diurnal, 13–24 nocturnal
    int hourRuler = 0;     // planet 1–7
    int ascendantRuler = 0;
    int mcRuler = 0;
    HourLines lines;
};

// The first moment of the birth date at which the Sun reaches the eastern
// horizon (by ecliptic longitude, within 0.4°); false where the search
// does not get there (the Sun does not rise that day).
bool findSunrise(const ChartState& chart, Extended& sunrise);

// The planetary hour and the rulers of the chart (traditional layout: the
// Sun is point 1, the Ascendant point 10, the Medium Coeli point 11). At
// latitudes where the Sun does not rise or the hour lines have no solution
// there is no sunrise, hour or ruler; the weekday is then the civil one.
PlanetaryHour ComputePlanetaryHour(const ChartState& chart);

// The year whose masters apply: the year of the birth date, one less when
// the Sun has not yet reached the longitude it has at the end of that year
// (the year begins when the Sun enters Ariete).
int mastersYear(const ChartState& chart);
// The year brought into 1765 … 2016 by whole periods of 252 years.
int yearInTable(int year);

struct YearMasters {
    int year = 0;           // as looked up, 1765 … 2016
    int yearMaster = 0;     // planet 1–7
    int cycleMaster = 0;
};
// Looks `year` up in the lines of GoverAnno.txt: the first line beginning
// with it, else the last line. A line that does not hold two masters 1–7
// is a ConversionError.
YearMasters lookUpYearMasters(int year, const std::vector<std::string>& lines);
std::vector<std::string> readYearTable();  // IoError when missing
YearMasters yearMastersOf(const ChartState& chart);

// The two views.
std::string mastersHeading();  // MAESTRI "ASC", "MC", "Ora Planetaria"
std::vector<ColouredLine> mastersLines(const ChartState& chart, const PlanetaryHour& hour);
extern const char* const kYearMastersHeading;
std::vector<ColouredLine> yearMastersLines(const YearMasters& masters);

} // namespace qv
