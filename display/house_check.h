// Whether a chart's houses can be drawn. Quadrant house systems divide the
// diurnal and nocturnal arcs of the ecliptic's degrees; near and beyond the
// polar circles some degrees never rise or never set, and the computed cusps
// come out of zodiacal order or on top of one another. The drawings then
// leave the houses out, draw what holds (signs, planets, aspects, Ascendant
// and Medium Coeli) and say why in one line.
#pragma once

#include "analysis/planetary_hour.h"
#include "ephemeris/chart_state.h"

#include <string>

namespace qv::draw {

// True when the twelve cusps follow one another around the zodiac, each
// house at least a sixth of a degree wide.
bool housesHold(const ChartState& chart);
// The same for cusps 1..12 held apart from a chart (index 0 unused).
bool cuspsHold(const Extended* cusps);

// The line the sheets and the analysis window show when the houses do not
// hold: "Sistema di case non definito a questa latitudine (PLACIDO)".
std::string housesUndefinedLine(const ChartState& chart);

// What the planetary-hour lines say when there is no hour: "Il Sole non
// sorge in questo giorno" or "… non tramonta …" (told apart by the Sun's
// declination), or else that the hour is not defined at that latitude.
// Empty when there is an hour.
std::string noPlanetaryHourLine(const ChartState& chart, const PlanetaryHour& hour);

} // namespace qv::draw
