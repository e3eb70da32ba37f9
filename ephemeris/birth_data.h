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

// Whether day/month/year is a day of the Gregorian (or Julian) calendar:
// 29/02 only in leap years, 1900 is none in the Gregorian one.
bool isExistingDate(int day, int month, int year, bool gregorian);

// Reads a typed coordinates text 45N28-009E11 strictly: digits where the
// digits go, N or S, E, W or O. False for anything else.
bool readTypedCoordinates(const std::string& text, BirthData& birth);

// The one check of birth data that every command and window makes before a
// chart is cast or a subject stored: a day of its calendar, a clock time,
// Corr from -24 to +24 hours that can be written (not below a millionth of
// an hour unless 0), latitude up to 89°59', longitude up to 180°00'. The
// range of years is each caller's own. `field` names the first fault (each
// window words it its own way); `message` says it in full, in Italian.
enum class BirthField { None, Date, Time, Corr, Coordinates };
struct BirthFault {
    BirthField field = BirthField::None;
    std::string message;
    explicit operator bool() const { return field != BirthField::None; }
};
BirthFault birthDataFault(const BirthData& birth);

} // namespace qv
