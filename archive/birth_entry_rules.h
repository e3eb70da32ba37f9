// The rules of typing a birth: the correction as its field shows it, the
// zone offset that registration shows, coordinates whose rounding reached
// 60 minutes, and the Julian Day of the typed moment.
#pragma once

#include "archive/regime_derivation.h"
#include "base/reals.h"

#include <cstddef>
#include <string>

namespace qv {

// Corr takes the last 8 characters of the birth-moment field.
inline constexpr std::size_t kCorrectionWidth = 8;

// A correction as the field shows it: "+" before values of zero and more,
// the decimal comma, rounded so that it fits the birth record.
std::string fittedCorrection(Extended hours);

// The zone offset that registration shows as "GMT": the typed correction
// with its sign reversed and the decimal comma. A correction typed without a
// sign is a positive one. Empty when the text holds no number.
std::string gmtOfCorrection(const std::string& typed);

// 60 minutes, which the rounding of a coordinate can give, carried into the
// degrees: "45N60-009E11" is "46N00-009E11". Other texts are returned as
// they are.
std::string carriedMinutes(const std::string& coordinates);

// The Julian Day of Universal Time of a typed moment: the correction added
// to the hour, in the chosen calendar.
Extended typedUniversalJulianDay(bool gregorian, const atlas::BirthMoment& moment, Extended corr);

} // namespace qv
