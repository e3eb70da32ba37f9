// The atlas behind the birth data typed on the command line: the
// correction options, what the atlas gives, and the warnings where typed
// values differ from it.
#pragma once

#include "archive/places.h"
#include "base/reals.h"
#include "shell/cli/cli_support.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace qv::cli {

// Hours added to the clock time to give Universal Time: from --corr, or
// from --zone with its sign turned. Nothing when neither is given; both is
// a UsageError.
std::optional<Extended> correctionFromOptions(const Arguments& a);

// A correction text with a true minus sign, for the terminal (UTF-8).
std::string signedCorrection(const std::string& cp1252Text);

// One line per place: "  CASTRO (BG) - ITALIA".
std::string candidateLines(const std::vector<atlas::Place>& places);

// Arc minutes between two coordinate texts: the larger of the latitude and
// the longitude gaps. Nothing when one of them does not read.
std::optional<int> coordinateGapMinutes(const std::string& a, const std::string& b);

// Warnings on `err`: coordinates more than 2' from the atlas ones, and a
// correction that differs at all (with a hint when it is the zone's sign).
void warnIfCoordinatesDiffer(std::ostream& err, const std::string& typed, const std::string& atlas);
void warnIfCorrectionDiffers(std::ostream& err, Extended typed, Extended atlas);

} // namespace qv::cli
