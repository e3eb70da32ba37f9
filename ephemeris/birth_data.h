// A birth as every part of the program takes it: the local clock moment in
// its calendar, Corr, the place's coordinates, name and nation.
#pragma once

#include "base/reals.h"

#include <string>

namespace qv {

struct BirthData {
    int day = 1, month = 1, year = 2000, hour = 0, minute = 0;  // local clock time
    Extended corr = 0;     // hours added to the local clock time to get Universal Time
    bool gregorian = true;
    int latDegrees = 0, latMinutes = 0;
    std::string latLetter = "N";  // "N" or "S"
    int lonDegrees = 0, lonMinutes = 0;
    std::string lonLetter = "E";  // "E", or "W"/"O" for west
    std::string place;            // the place name as shown
    std::string nation;

    // dd/mm/yyyy hh:mm
    std::string dateText() const;
    // yyyymmddhhmm, the moment as the birth record stores it
    std::string momentDigits() const;
    // 45N28-009E11
    std::string coordinatesText() const;
};

// Reads the twelve characters yyyymmddhhmm into the date and time. Each
// number reads as an integer text does (blanks around it, a sign); false
// when one does not, and `birth` is then partly filled.
bool readMomentDigits(const std::string& text, BirthData& birth);

// Reads the coordinates text 45N28-009E11: latitude degrees, N or S,
// minutes, a separator, longitude degrees in three places, E, W or O,
// minutes. The numbers read as integer texts do and the letters are taken as
// they stand; false when a number does not read.
bool readCoordinates(const std::string& text, BirthData& birth);

// The same integer reading: blanks around the text, an optional sign, at
// most nine decimal digits.
bool readIntegerText(const std::string& text, int& value);

} // namespace qv
