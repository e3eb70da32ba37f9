// The coordinates text of a place and the local-mean-time correction that
// follows from it ("Usa Ora Locale").
#pragma once

#include "base/reals.h"

#include <string>

namespace qv::atlas {

// Twelve characters: latitude degrees (2), "N" or "S", minutes (2), "-",
// longitude degrees (3), "E" or "W", minutes (2). Degrees are the integer
// part of the absolute value, minutes the rounded sixtieths of the fraction
// (so a value just below a whole degree shows 60 minutes). "45N28-009E11".
std::string coordinatesText(Extended latitude, Extended longitude);

// The check of the entry window: characters 1-2 a number 0-89, 3 "N" or "S",
// 4-5 0-60, 7-9 0-179, 10 "E" or "W", 11-12 0-60.
bool validCoordinatesText(const std::string& coordinates);

// Longitude of a coordinates text: degrees (characters 7-9) + minutes
// (11-12) / 60, negative when character 10 is "W". Raises ConversionError
// when those characters are not digits.
Extended longitudeOfCoordinates(const std::string& coordinates);

// Local mean time: longitude × 4 / 60 hours, with the sign reversed (east
// of Greenwich the clock is ahead, so Universal Time = local - longitude/15).
Extended localMeanTimeCorrection(const std::string& coordinates);

// The same as the correction field shows it: "-" for east longitudes, "+"
// for west ones, then the absolute value ("-0.612222222222222" at 9°11' E).
std::string localMeanTimeCorrectionText(const std::string& coordinates);

// The text of a correction: "+" before positive values and zero, the value
// with at most 15 significant digits ("+1", "-2", "-0.832222222222222").
std::string correctionText(Extended hours);

} // namespace qv::atlas
