#include "shell/cli/atlas_comparison.h"

#include "archive/birth_entry_rules.h"
#include "ephemeris/birth_data.h"

#include <cmath>
#include <cstdlib>

namespace qv::cli {

namespace {

// The largest gap between typed coordinates and the atlas ones that is
// taken as the same place (a rounding, a nearby hamlet).
constexpr int kCoordinateToleranceMinutes = 2;

} // namespace

std::optional<Extended> correctionFromOptions(const Arguments& a) {
    const auto corr = a.value("--corr");
    const auto zone = a.value("--zone");
    if (corr && zone) throw UsageError{"Indicare --corr oppure --zone, non entrambi"};
    if (!corr && !zone) return std::nullopt;
    const char* const option = corr ? "--corr" : "--zone";
    const long double hours = parseReal(corr ? *corr : *zone, option);
    // The bound of every birth moment; past it the number was mistyped,
    // whichever way it was given.
    if (std::fabs(hours) > 24)
        throw UsageError{std::string("Valore fuori dai limiti per ") + option + ": " + echoed(corr ? *corr : *zone) +
                         " (da -24 a +24 ore)"};
    return corr ? hours : -hours;
}

std::string signedCorrection(const std::string& cp1252Text) {
    std::string text = shown(cp1252Text);
    if (!text.empty() && text[0] == '-') text.replace(0, 1, "\xE2\x88\x92");
    return text;
}

std::string candidateLines(const std::vector<atlas::Place>& places) {
    std::string lines;
    for (const atlas::Place& p : places) lines += "\n  " + shown(p.name) + " - " + shown(p.state);
    return lines;
}

std::optional<int> coordinateGapMinutes(const std::string& a, const std::string& b) {
    BirthData x, y;
    if (!readCoordinates(a, x) || !readCoordinates(b, y)) return std::nullopt;
    auto minutes = [](int degrees, int mins, bool negative) { return (degrees * 60 + mins) * (negative ? -1 : 1); };
    const int lat = std::abs(minutes(x.latDegrees, x.latMinutes, x.latLetter == "S") -
                             minutes(y.latDegrees, y.latMinutes, y.latLetter == "S"));
    int lon = std::abs(minutes(x.lonDegrees, x.lonMinutes, x.lonLetter != "E") -
                       minutes(y.lonDegrees, y.lonMinutes, y.lonLetter != "E"));
    if (lon > 180 * 60) lon = 360 * 60 - lon;
    return std::max(lat, lon);
}

void warnIfCoordinatesDiffer(std::ostream& err, const std::string& typed, const std::string& atlas) {
    const auto gap = coordinateGapMinutes(typed, atlas);
    if (gap && *gap <= kCoordinateToleranceMinutes) return;
    err << "Attenzione: le coordinate " << shown(typed) << " differiscono";
    if (gap) err << " di " << *gap << "'";
    err << " da quelle dell'atlante (" << shown(atlas) << ")\n";
}

void warnIfCorrectionDiffers(std::ostream& err, Extended typed, Extended atlas) {
    if (std::fabs(typed - atlas) < 1e-9L) return;
    err << "Attenzione: la correzione " << signedCorrection(fittedCorrection(typed))
        << " differisce da quella dell'atlante (" << signedCorrection(fittedCorrection(atlas)) << ")";
    if (std::fabs(typed + atlas) < 1e-9L)
        err << ": \xC3\xA8 il fuso con il segno della correzione; per il fuso usare --zone "
            << signedCorrection(fittedCorrection(typed));
    err << "\n";
}

} // namespace qv::cli
