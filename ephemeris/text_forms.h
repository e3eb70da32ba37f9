// Fixed text forms of numbers, longitudes, latitudes and dates shared by the
// whole program. Texts are Windows-1252 bytes ("°" is byte 0xB0).
#pragma once

#include "base/reals.h"

#include <filesystem>
#include <string>

namespace qv {

// Decimal text of n with "0" prepended up to `width`; at most 5 characters kept.
std::string ZeroPad(long long n, int width);
std::string RepeatChar(int count, char c);
std::string UpperCase(const std::string& text);
// Removes trailing spaces of the text's first 80 characters.
std::string TrimRightSpaces(const std::string& text);
// Up to ten times, drops a last character that is not a letter, a digit,
// ")", "." or one of à é è ù ò ì.
std::string TrimRightSymbols(const std::string& text);

// |x| rounded to 15 significant digits, written positionally (no exponent),
// trailing zeros kept, cut to its first `width` characters: 1 → "1.00".
std::string NumberText(int width, Extended x);
// x with 15 significant digits, positional, without trailing zeros.
std::string DecimalText15(Extended x);

// Longitude forms; λ in [0, 360). Modes other than 2 round to the minute
// (a minute that would reach 60 carries into the degree, except at 29°,
// where it stays 59); mode 2 adds the seconds unrounded.
std::string LongitudeShort(int mode, Extended longitude);   // 15Ari23
std::string LongitudeDegMin(int mode, Extended longitude);  // 15°23'
std::string LongitudeWithSign(const std::string& mark, Extended longitude); // 15°23' Ariete
std::string LatitudeText(Extended latitude);                // 45° 28' Nord

std::string TodayText();
// "Non Valida" for a missing file, else its modification time as
// "dd/mm/yyyy hh:mm".
std::string FileDateText(const std::filesystem::path& path);

} // namespace qv
