#include "ephemeris/birth_data.h"

#include "base/decimal_text.h"

#include <cmath>

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

bool isExistingDate(int day, int month, int year, bool gregorian) {
    if (month < 1 || month > 12 || day < 1) return false;
    static const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int length = lengths[month - 1];
    if (month == 2) {
        const bool leap = gregorian ? (year % 4 == 0 && (year % 100 != 0 || year % 400 == 0)) : year % 4 == 0;
        if (leap) length = 29;
    }
    return day <= length;
}

bool readTypedCoordinates(const std::string& text, BirthData& b) {
    if (text.size() != 12) return false;
    for (std::size_t i : {0u, 1u, 3u, 4u, 6u, 7u, 8u, 10u, 11u})
        if (text[i] < '0' || text[i] > '9') return false;
    if (text[2] != 'N' && text[2] != 'S') return false;
    if (text[9] != 'E' && text[9] != 'W' && text[9] != 'O') return false;
    return readCoordinates(text, b);
}

BirthFault birthDataFault(const BirthData& b) {
    if (!isExistingDate(b.day, b.month, b.year, b.gregorian))
        return {BirthField::Date, "Data inesistente nel calendario " + std::string(b.gregorian ? "gregoriano" : "giuliano") +
                                      ": " + b.dateText().substr(0, 10)};
    if (b.hour < 0 || b.hour > 23 || b.minute < 0 || b.minute > 59)
        return {BirthField::Time, "Ora non valida: " + b.dateText().substr(11)};
    if (!std::isfinite(b.corr) || b.corr < -24 || b.corr > 24)
        return {BirthField::Corr, "Correzione fuori dai limiti (da -24 a +24 ore)"};
    if (!isWritableCorr(b.corr))
        return {BirthField::Corr, "Correzione troppo piccola per essere scritta (diversa da 0 ma sotto un milionesimo di ora)"};
    if (b.latDegrees < 0 || b.latDegrees > 89 || b.latMinutes < 0 || b.latMinutes > 59 || b.lonDegrees < 0 ||
        b.lonDegrees > 180 || b.lonMinutes < 0 || b.lonMinutes > 59 || (b.lonDegrees == 180 && b.lonMinutes > 0) ||
        (b.latLetter != "N" && b.latLetter != "S") || (b.lonLetter != "E" && b.lonLetter != "W" && b.lonLetter != "O"))
        return {BirthField::Coordinates, "Coordinate fuori dai limiti (latitudine fino a 89\xB0" "59', longitudine fino a 180\xB0): " +
                                             b.coordinatesText()};
    return {};
}

} // namespace qv
