#include "archive/exchange/aaf_format.h"

#include "base/text_file.h"

#include <cmath>
#include <cstdio>

namespace qv::exchange {

namespace {

std::vector<std::string> fieldsOf(const std::string& text) {
    std::vector<std::string> out(1);
    for (char c : text) {
        if (c == ',') out.emplace_back();
        else out.back() += c;
    }
    for (std::string& f : out) {
        const auto first = f.find_first_not_of(" \t");
        const auto last = f.find_last_not_of(" \t");
        f = first == std::string::npos ? std::string() : f.substr(first, last - first + 1);
    }
    return out;
}

bool unknown(const std::string& field) { return field.empty() || field == "*"; }

// Digits only, at most `width` of them.
std::optional<int> number(const std::string& text, std::size_t width = 9) {
    if (text.empty() || text.size() > width) return std::nullopt;
    int v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + (c - '0');
    }
    return v;
}

// "DD.MM.YYYY" (one-digit day and month taken too).
bool readDate(const std::string& text, ExchangedSubject& s) {
    const auto dot1 = text.find('.'), dot2 = text.find('.', dot1 == std::string::npos ? 0 : dot1 + 1);
    if (dot1 == std::string::npos || dot2 == std::string::npos) return false;
    const auto d = number(text.substr(0, dot1), 2), m = number(text.substr(dot1 + 1, dot2 - dot1 - 1), 2),
               y = number(text.substr(dot2 + 1), 4);
    if (!d || !m || !y) return false;
    s.day = *d;
    s.month = *m;
    s.year = *y;
    return true;
}

// "HH:MM" or "HH:MM:SS" (the seconds are passed over: the archives keep minutes).
bool readTime(const std::string& text, ExchangedSubject& s) {
    const auto colon = text.find(':');
    if (colon == std::string::npos) return false;
    const auto rest = text.substr(colon + 1);
    const auto h = number(text.substr(0, colon), 2), m = number(rest.substr(0, rest.find(':')), 2);
    if (!h || !m || *h > 23 || *m > 59) return false;
    s.hour = *h;
    s.minute = *m;
    return true;
}

// "49n05" or "8e11" (seconds after a ':' are rounded into the minutes) into
// the degrees, letter and minutes of the archives' coordinates.
struct Angle {
    int degrees = 0, minutes = 0;
    char letter = 0;
};
std::optional<Angle> readAngle(const std::string& text, const char* letters, int maxDegrees) {
    std::size_t at = text.find_first_of(letters);
    if (at == std::string::npos || at == 0) return std::nullopt;
    const auto deg = number(text.substr(0, at), 3);
    std::string rest = text.substr(at + 1);
    int seconds = 0;
    if (const auto colon = rest.find(':'); colon != std::string::npos) {
        const auto sec = number(rest.substr(colon + 1), 2);
        if (!sec) return std::nullopt;
        seconds = *sec;
        rest = rest.substr(0, colon);
    }
    const auto min = rest.empty() ? std::optional<int>(0) : number(rest, 2);
    if (!deg || !min || *min > 59 || seconds > 59) return std::nullopt;
    const char letter = text[at] >= 'a' ? static_cast<char>(text[at] - 'a' + 'A') : text[at];
    Angle a{*deg, *min + (seconds >= 30 ? 1 : 0), letter};
    if (a.minutes == 60) {
        a.minutes = 0;
        ++a.degrees;
    }
    if (a.degrees > maxDegrees || (a.degrees == maxDegrees && a.minutes > 0)) return std::nullopt;
    return a;
}

std::string coordinatesText(const Angle& lat, const Angle& lon) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d%c%02d-%03d%c%02d", lat.degrees, lat.letter, lat.minutes, lon.degrees,
                  lon.letter, lon.minutes);
    return text;
}

// "45N28-009E11" written as "45n28" and "9e11".
std::pair<std::string, std::string> aafAngles(const std::string& coordinates) {
    if (coordinates.size() != 12) return {"*", "*"};
    auto lower = [](char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); };
    const int lonDegrees = std::stoi(coordinates.substr(6, 3));
    char lon = lower(coordinates[9]);
    if (lon == 'o') lon = 'w';
    return {std::to_string(std::stoi(coordinates.substr(0, 2))) + lower(coordinates[2]) + coordinates.substr(3, 2),
            std::to_string(lonDegrees) + lon + coordinates.substr(10, 2)};
}

void readA93(const std::string& text, int line, ExchangeFile& out) {
    const auto f = fieldsOf(text);
    if (f.size() < 7) {
        out.problems.push_back({line, "riga #A93 con " + std::to_string(f.size()) + " campi invece di 7"});
        return;
    }
    ExchangedSubject s;
    s.line = line;
    s.name = unknown(f[0]) ? std::string() : f[0];
    if (!unknown(f[1])) s.name += (s.name.empty() ? "" : " ") + f[1];
    if (s.name.empty()) {
        out.problems.push_back({line, "soggetto senza nome"});
        return;
    }
    if (!readDate(f[3], s)) {
        out.problems.push_back({line, s.name + ": data illeggibile \"" + f[3] + "\" (GG.MM.AAAA)"});
        return;
    }
    if (!readTime(f[4], s)) {
        out.problems.push_back({line, s.name + ": ora illeggibile \"" + f[4] + "\" (HH:MM)"});
        return;
    }
    s.place = unknown(f[5]) ? std::string() : f[5];
    s.country = unknown(f[6]) ? std::string() : f[6];
    out.subjects.push_back(std::move(s));
}

void readB93(const std::string& text, int line, ExchangeFile& out) {
    if (out.subjects.empty() || out.subjects.back().julianDay || out.subjects.back().coordinates) {
        out.problems.push_back({line, "riga #B93 senza la sua riga #A93"});
        return;
    }
    ExchangedSubject& s = out.subjects.back();
    const auto f = fieldsOf(text);
    if (f.size() < 4) {
        out.problems.push_back({line, s.name + ": riga #B93 con " + std::to_string(f.size()) + " campi invece di 5"});
        return;
    }
    if (!unknown(f[0])) {
        char* stop = nullptr;
        const double jd = std::strtod(f[0].c_str(), &stop);
        if (*stop == '\0' && std::isfinite(jd) && jd > 0) s.julianDay = jd;
        else out.problems.push_back({line, s.name + ": giorno giuliano illeggibile \"" + f[0] + "\""});
    }
    if (!unknown(f[1]) && !unknown(f[2])) {
        const auto lat = readAngle(f[1], "nsNS", 90), lon = readAngle(f[2], "ewEW", 180);
        if (lat && lon) s.coordinates = coordinatesText(*lat, *lon);
        else out.problems.push_back({line, s.name + ": coordinate illeggibili \"" + f[1] + "\", \"" + f[2] + "\""});
    }
    if (!unknown(f[3])) {
        if (const auto zone = parseAafZone(f[3])) {
            // The summer-time flag adds its hour to the clock's offset.
            const bool summer = f.size() > 4 && f[4] == "1";
            s.zoneEast = *zone + (summer ? 1 : 0);
        } else {
            out.problems.push_back({line, s.name + ": fuso illeggibile \"" + f[3] + "\""});
        }
    }
}

} // namespace

std::optional<Extended> parseAafZone(const std::string& raw) {
    std::string text;
    for (char c : raw) text += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    const auto letter = text.find_first_of("ew");
    if (letter == std::string::npos || letter == 0) return std::nullopt;
    // Hours, an optional "h" and minutes before the letter ("1h", "5h30");
    // minutes and seconds after it ("21:48").
    std::string before = text.substr(0, letter), after = text.substr(letter + 1);
    int hours = 0, minutes = 0, seconds = 0;
    const auto h = before.find('h');
    const auto hourDigits = number(before.substr(0, h));
    if (!hourDigits || *hourDigits > 14) return std::nullopt;
    hours = *hourDigits;
    if (h != std::string::npos && h + 1 < before.size()) {
        const auto m = number(before.substr(h + 1), 2);
        if (!m) return std::nullopt;
        minutes = *m;
    }
    if (!after.empty()) {
        const auto colon = after.find(':');
        const auto m = number(after.substr(0, colon), 2);
        if (!m) return std::nullopt;
        minutes += *m;
        if (colon != std::string::npos) {
            const auto sec = number(after.substr(colon + 1), 2);
            if (!sec) return std::nullopt;
            seconds = *sec;
        }
    }
    if (minutes > 59 || seconds > 59) return std::nullopt;
    const Extended value = hours + minutes / 60.0L + seconds / 3600.0L;
    return text[letter] == 'e' ? value : -value;
}

std::string aafZoneText(Extended hoursEast) {
    const char letter = hoursEast < 0 ? 'w' : 'e';
    const long totalSeconds = std::lround(static_cast<double>(std::fabs(hoursEast) * 3600.0L));
    const long hours = totalSeconds / 3600, minutes = totalSeconds % 3600 / 60, seconds = totalSeconds % 60;
    char text[32];
    if (minutes == 0 && seconds == 0)
        std::snprintf(text, sizeof text, "%ldh%c", hours, letter);
    else
        std::snprintf(text, sizeof text, "%ld%c%02ld:%02ld", hours, letter, minutes, seconds);
    return text;
}

ExchangeFile readAaf(const std::string& text) {
    ExchangeFile out;
    const std::vector<std::string> lines = splitLines(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& l = lines[i];
        const int line = static_cast<int>(i + 1);
        if (l.rfind("#A93:", 0) == 0) readA93(l.substr(5), line, out);
        else if (l.rfind("#B93:", 0) == 0) readB93(l.substr(5), line, out);
        else if (l.rfind("#COM:", 0) == 0 && !out.subjects.empty()) out.subjects.back().note = l.substr(5);
        // #ZNAM and every other chunk, and text outside the chunks, are passed over.
    }
    return out;
}

std::string writeAaf(const std::vector<ExchangedSubject>& subjects) {
    std::string out;
    auto field = [](const std::string& text) {
        std::string f = text.empty() ? "*" : text;
        for (char& c : f)
            if (c == ',' || c == '\r' || c == '\n') c = ' ';  // a comma would split the field
        return f;
    };
    char date[16], time[8];
    for (const ExchangedSubject& s : subjects) {
        std::snprintf(date, sizeof date, "%02d.%02d.%04d", s.day, s.month, s.year);
        std::snprintf(time, sizeof time, "%02d:%02d", s.hour, s.minute);
        // The archives keep the name whole: it goes as the surname, the
        // first name unknown, and comes back whole.
        out += "#A93:" + field(s.name) + ",*,*," + date + "," + time + "," + field(s.place) + "," + field(s.country) +
               "\r\n";
        char jd[32] = "*";
        if (s.julianDay) std::snprintf(jd, sizeof jd, "%.6f", static_cast<double>(*s.julianDay));
        const auto [lat, lon] = aafAngles(s.coordinates.value_or(""));
        out += std::string("#B93:") + jd + "," + lat + "," + lon + "," + (s.zoneEast ? aafZoneText(*s.zoneEast) : "*") +
               ",0\r\n";
        if (!s.note.empty()) out += "#COM:" + field(s.note) + "\r\n";
    }
    return out;
}

} // namespace qv::exchange
