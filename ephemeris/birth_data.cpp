#include "ephemeris/birth_data.h"

namespace qv {

namespace {

std::string zeroPadded(int n, std::size_t width) {
    std::string s = std::to_string(n < 0 ? -n : n);
    while (s.size() < width) s.insert(s.begin(), '0');
    return n < 0 ? "-" + s : s;
}

std::string part(const std::string& text, std::size_t from, std::size_t count) {
    return from < text.size() ? text.substr(from, count) : std::string();
}

} // namespace

bool readIntegerText(const std::string& text, int& value) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return false;
    const std::string t = text.substr(first, text.find_last_not_of(' ') - first + 1);
    std::size_t i = 0;
    bool negative = false;
    if (t[i] == '+' || t[i] == '-') negative = t[i++] == '-';
    if (i == t.size() || t.size() - i > 9) return false;
    int v = 0;
    for (; i < t.size(); ++i) {
        if (t[i] < '0' || t[i] > '9') return false;
        v = v * 10 + (t[i] - '0');
    }
    value = negative ? -v : v;
    return true;
}

std::string BirthData::dateText() const {
    return zeroPadded(day, 2) + "/" + zeroPadded(month, 2) + "/" + zeroPadded(year, 4) + " " +
           zeroPadded(hour, 2) + ":" + zeroPadded(minute, 2);
}

std::string BirthData::momentDigits() const {
    return zeroPadded(year, 4) + zeroPadded(month, 2) + zeroPadded(day, 2) + zeroPadded(hour, 2) +
           zeroPadded(minute, 2);
}

std::string BirthData::coordinatesText() const {
    return zeroPadded(latDegrees, 2) + latLetter + zeroPadded(latMinutes, 2) + "-" + zeroPadded(lonDegrees, 3) +
           lonLetter + zeroPadded(lonMinutes, 2);
}

bool readMomentDigits(const std::string& text, BirthData& b) {
    return readIntegerText(part(text, 0, 4), b.year) && readIntegerText(part(text, 4, 2), b.month) &&
           readIntegerText(part(text, 6, 2), b.day) && readIntegerText(part(text, 8, 2), b.hour) &&
           readIntegerText(part(text, 10, 2), b.minute);
}

bool readCoordinates(const std::string& text, BirthData& b) {
    if (!readIntegerText(part(text, 0, 2), b.latDegrees) || !readIntegerText(part(text, 3, 2), b.latMinutes) ||
        !readIntegerText(part(text, 6, 3), b.lonDegrees) || !readIntegerText(part(text, 10, 2), b.lonMinutes))
        return false;
    b.latLetter = part(text, 2, 1);
    b.lonLetter = part(text, 9, 1);
    return true;
}

} // namespace qv
