#include "archive/birth_entry_rules.h"

#include "base/decimal_text.h"
#include "ephemeris/angles.h"
#include "ephemeris/birth_data.h"
#include "ephemeris/julian_day.h"

#include <cmath>

namespace qv {

std::string fittedCorrection(Extended hours) {
    for (int decimals = 6; decimals > 0; --decimals) {
        const Extended scale = std::pow(10.0L, static_cast<Extended>(decimals));
        const std::string text = corrText(Round(hours * scale) / scale);
        if (text.size() <= kCorrectionWidth) return text;
    }
    return corrText(Round(hours));
}

std::string gmtOfCorrection(const std::string& typed) {
    const auto first = typed.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    std::string t = typed.substr(first, typed.find_last_not_of(" \t\r\n") - first + 1);
    for (char& c : t)
        if (c == '.') c = ',';
    std::string magnitude = t;
    char sign = '-';
    if (t[0] == '+' || t[0] == '-') {
        magnitude = t.substr(1);
        sign = t[0] == '+' ? '-' : '+';
    }
    if (magnitude.empty() || magnitude[0] == '+' || magnitude[0] == '-') return {};
    if (!parseCorr(magnitude)) return {};
    return sign + magnitude;
}

std::string carriedMinutes(const std::string& coordinates) {
    if (coordinates.size() != 12) return coordinates;
    std::string c = coordinates;
    auto carry = [&](std::size_t degreesAt, std::size_t degreesWidth, std::size_t minutesAt) {
        int degrees = 0, minutes = 0;
        if (!readIntegerText(c.substr(degreesAt, degreesWidth), degrees) ||
            !readIntegerText(c.substr(minutesAt, 2), minutes) || minutes != 60)
            return;
        std::string d = std::to_string(degrees + 1);
        while (d.size() < degreesWidth) d.insert(d.begin(), '0');
        c.replace(degreesAt, degreesWidth, d);
        c.replace(minutesAt, 2, "00");
    };
    carry(0, 2, 3);
    carry(6, 3, 10);
    return c;
}

Extended typedUniversalJulianDay(bool gregorian, const atlas::BirthMoment& m, Extended corr) {
    return julianDayOf(gregorian, m.day, m.month, m.year, m.hour + corr, m.minute);
}

} // namespace qv
