#include "archive/local_time_correction.h"

#include "base/errors.h"
#include "ephemeris/angles.h"
#include "ephemeris/text_forms.h"

#include <cmath>

namespace qv::atlas {

namespace {

std::string degreesAndMinutes(Extended value, int degreeDigits) {
    const Extended a = std::fabs(value);
    const auto degrees = static_cast<long long>(Int(a));
    const auto minutes = static_cast<long long>(Round(Frac(a) * 60.0L));
    return ZeroPad(degrees, degreeDigits) + "|" + ZeroPad(minutes, 2);
}

bool digitsAt(const std::string& text, std::size_t from, std::size_t count) {
    for (std::size_t i = from; i < from + count; ++i)
        if (text[i] < '0' || text[i] > '9') return false;
    return true;
}

int numberAt(const std::string& text, std::size_t from, std::size_t count) {
    int v = 0;
    for (std::size_t i = from; i < from + count; ++i) v = v * 10 + (text[i] - '0');
    return v;
}

} // namespace

std::string coordinatesText(Extended latitude, Extended longitude) {
    std::string lat = degreesAndMinutes(latitude, 2);
    std::string lon = degreesAndMinutes(longitude, 3);
    lat.replace(lat.find('|'), 1, latitude < 0 ? "S" : "N");
    lon.replace(lon.find('|'), 1, longitude < 0 ? "W" : "E");
    return lat + "-" + lon;
}

bool validCoordinatesText(const std::string& c) {
    if (c.size() < 12) return false;
    if (!digitsAt(c, 0, 2) || !digitsAt(c, 3, 2) || !digitsAt(c, 6, 3) || !digitsAt(c, 10, 2)) return false;
    return numberAt(c, 0, 2) <= 89 && (c[2] == 'N' || c[2] == 'S') && numberAt(c, 3, 2) <= 60 &&
           numberAt(c, 6, 3) <= 179 && (c[9] == 'E' || c[9] == 'W') && numberAt(c, 10, 2) <= 60;
}

Extended longitudeOfCoordinates(const std::string& c) {
    if (c.size() < 12 || !digitsAt(c, 6, 3) || !digitsAt(c, 10, 2))
        throw ConversionError("Coordinate non valide: \"" + c + "\"");
    const Extended longitude = numberAt(c, 6, 3) + numberAt(c, 10, 2) / 60.0L;
    return c[9] == 'W' ? -longitude : longitude;
}

Extended localMeanTimeCorrection(const std::string& coordinates) {
    return -(longitudeOfCoordinates(coordinates) * 4.0L / 60.0L);
}

std::string localMeanTimeCorrectionText(const std::string& coordinates) {
    const Extended correction = localMeanTimeCorrection(coordinates);
    const std::string magnitude = DecimalText15(std::fabs(correction));
    if (magnitude == "0") return "+0";
    return (coordinates[9] == 'W' ? "+" : "-") + magnitude;
}

std::string correctionText(Extended hours) {
    const std::string magnitude = DecimalText15(std::fabs(hours));
    if (magnitude == "0") return "+0";
    return (hours < 0 ? "-" : "+") + magnitude;
}

} // namespace qv::atlas
