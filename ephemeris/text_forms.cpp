#include "base/decimal_text.h"
#include "ephemeris/text_forms.h"

#include "base/cp1252.h"
#include "ephemeris/angles.h"
#include "ephemeris/chart_state.h"
#include "ephemeris/julian_day.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <sys/stat.h>

namespace qv {

std::string ZeroPad(long long n, int width) {
    std::string s = std::to_string(n);
    while (static_cast<int>(s.size()) < width) s = "0" + s;
    if (s.size() > 5) s.resize(5);
    return s;
}

std::string RepeatChar(int count, char c) { return std::string(count > 0 ? count : 0, c); }

std::string UpperCase(const std::string& text) { return upperCase1252(text); }

std::string TrimRightSpaces(const std::string& text) {
    std::string s = text.substr(0, 80);
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

namespace {
bool keptAtEnd(char c) {
    const auto b = static_cast<unsigned char>(c);
    if ((b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9')) return true;
    switch (b) {
    case ')': case '.':
    case 0xE0: case 0xE9: case 0xE8: case 0xF9: case 0xF2: case 0xEC: // à é è ù ò ì
        return true;
    default: return false;
    }
}

// The 15 significant digits of |x| and its decimal exponent (|x| = 0.d1d2… × 10^(exp+1)).
void significantDigits(Extended x, std::string& digits, int& exponent) {
    const std::string text = scientificText(std::fabs(x), 14); // d.dddddddddddddde±XX
    digits.clear();
    const char* p = text.c_str();
    for (; *p && *p != 'e'; ++p)
        if (*p != '.') digits += *p;
    exponent = *p == 'e' ? std::atoi(p + 1) : 0;
}

std::string positional(Extended x, bool keepTrailingZeros) {
    std::string digits;
    int exponent = 0;
    significantDigits(x, digits, exponent);
    std::string out;
    if (digits.find_first_not_of('0') == std::string::npos) {
        out = keepTrailingZeros ? "0." + std::string(14, '0') : "0";
        return out;
    }
    if (exponent >= 0) {
        const std::size_t intDigits = static_cast<std::size_t>(exponent) + 1;
        if (intDigits >= digits.size()) {
            out = digits + std::string(intDigits - digits.size(), '0');
        } else {
            out = digits.substr(0, intDigits) + "." + digits.substr(intDigits);
        }
    } else {
        out = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    }
    if (!keepTrailingZeros && out.find('.') != std::string::npos) {
        while (out.back() == '0') out.pop_back();
        if (out.back() == '.') out.pop_back();
    }
    return out;
}

struct SignParts {
    int sign;      // 1..12
    int degrees;   // within the sign
    int minutes;
    Extended seconds;
};

SignParts splitLongitude(Extended lon) {
    SignParts p;
    p.sign = static_cast<int>(Int(lon / 30.0L)) + 1;
    const Extended inSign = Norm30(lon);
    p.degrees = static_cast<int>(Int(inSign));
    p.minutes = static_cast<int>(Int(Frac(inSign) * 60.0L));
    p.seconds = (lon - p.degrees - 30.0L * (p.sign - 1) - p.minutes / 60.0L) * 3600.0L;
    if (p.sign < 1) p.sign = 1;
    if (p.sign > 12) p.sign = 12;
    return p;
}

void roundToMinute(SignParts& p) {
    if (p.seconds > 30.0L) {
        if (p.minutes + 1 == 60) {
            if (p.degrees != 29) {
                p.minutes = 0;
                p.degrees += 1;
            }
        } else {
            p.minutes += 1;
        }
    }
}

const std::string kDegree = "\xB0";
} // namespace

std::string TrimRightSymbols(const std::string& text) {
    std::string s = text;
    for (int i = 0; i < 10 && !s.empty(); ++i)
        if (!keptAtEnd(s.back())) s.pop_back();
    return s;
}

std::string NumberText(int width, Extended x) {
    std::string s = positional(x, true);
    if (width >= 0 && static_cast<int>(s.size()) > width) s.resize(static_cast<std::size_t>(width));
    return s;
}

std::string DecimalText15(Extended x) {
    std::string s = positional(x, false);
    return std::signbit(x) && s != "0" ? "-" + s : s;
}

std::string LongitudeShort(int mode, Extended lon) {
    SignParts p = splitLongitude(lon);
    if (mode == 2)
        return ZeroPad(p.degrees, 2) + kSignAbbreviations[p.sign] + ZeroPad(p.minutes, 2) + ":" +
               ZeroPad(static_cast<long long>(Round(p.seconds)), 2);
    roundToMinute(p);
    return ZeroPad(p.degrees, 2) + kSignAbbreviations[p.sign] + ZeroPad(p.minutes, 2);
}

std::string LongitudeDegMin(int mode, Extended lon) {
    SignParts p = splitLongitude(lon);
    if (mode == 2)
        return ZeroPad(p.degrees, 2) + kDegree + ZeroPad(p.minutes, 2) + "'" +
               ZeroPad(static_cast<long long>(Round(p.seconds)), 2) + "\"";
    roundToMinute(p);
    return ZeroPad(p.degrees, 2) + kDegree + ZeroPad(p.minutes, 2) + "'";
}

std::string LongitudeWithSign(const std::string& mark, Extended lon) {
    SignParts p = splitLongitude(lon);
    roundToMinute(p);
    std::string text = ZeroPad(p.degrees, 2) + kDegree + ZeroPad(p.minutes, 2) + "' " + kSignNames[p.sign];
    if (mark == "r" || mark == "R") return text + " Retrogrado ";
    return text + mark;
}

std::string LatitudeText(Extended latitude) {
    const Extended a = std::fabs(latitude);
    return ZeroPad(static_cast<long long>(Int(a)), 2) + kDegree + " " +
           ZeroPad(static_cast<long long>(Int(Frac(a) * 60.0L)), 2) + "'" + " " +
           (latitude >= 0 ? "Nord" : "Sud");
}

std::string TodayText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return ZeroPad(local.tm_mday, 2) + "/" + ZeroPad(local.tm_mon + 1, 2) + "/" + ZeroPad(local.tm_year + 1900, 4);
}

std::string FileDateText(const std::filesystem::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return "Non Valida";
    // The modification time as a local date-time value: days since 30/12/1899.
    std::tm local{};
    const std::time_t t = st.st_mtime;
    localtime_r(&t, &local);
    const Extended localSeconds = static_cast<Extended>(t) + local.tm_gmtoff;
    const Extended days = localSeconds / 86400.0L + 25569.0L;
    return JulianDayText(julianDayOf(true, 30, 12, 1899, 0, 0) + days);
}

} // namespace qv
