#include "archive/exchange/csv_format.h"

#include "base/cp1252.h"
#include "base/decimal_text.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <map>

namespace qv::exchange {

namespace {

const char* const kColumns[] = {"nome", "data", "ora", "luogo", "nazione", "coordinate", "fuso", "giorno_giuliano", "note"};

// The records of the text, each a list of fields; a quoted field may hold
// commas, quotes (doubled) and line ends. The line each record starts on
// goes with it.
std::vector<std::pair<int, std::vector<std::string>>> records(const std::string& text) {
    std::vector<std::pair<int, std::vector<std::string>>> out;
    std::vector<std::string> fields(1);
    bool quoted = false, any = false;
    int line = 1, startLine = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                fields.back() += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                if (c == '\n') ++line;
                fields.back() += c;
            }
            continue;
        }
        if (c == '"') {
            quoted = any = true;
        } else if (c == ',') {
            fields.emplace_back();
            any = true;
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            if (any || fields.size() > 1 || !fields[0].empty()) out.push_back({startLine, fields});
            fields.assign(1, std::string());
            any = false;
            startLine = ++line;
        } else {
            fields.back() += c;
            any = true;
        }
    }
    if (any || fields.size() > 1 || !fields[0].empty()) out.push_back({startLine, fields});
    return out;
}

std::string trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

std::optional<std::array<int, 3>> numbersOf(const std::string& text, char separator, std::size_t count) {
    std::array<int, 3> out{};
    std::size_t at = 0;
    for (std::size_t k = 0; k < count; ++k) {
        const std::size_t end = k + 1 < count ? text.find(separator, at) : text.size();
        if (end == std::string::npos || end == at || end - at > 4) return std::nullopt;
        int v = 0;
        for (std::size_t i = at; i < end; ++i) {
            if (text[i] < '0' || text[i] > '9') return std::nullopt;
            v = v * 10 + (text[i] - '0');
        }
        out[k] = v;
        at = end + 1;
    }
    return out;
}

std::string quoted(const std::string& utf8) {
    if (utf8.find_first_of(",\"\r\n") == std::string::npos) return utf8;
    std::string out = "\"";
    for (char c : utf8) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

std::string zoneText(Extended hoursEast) {
    char text[32];
    std::snprintf(text, sizeof text, "%+.6f", static_cast<double>(hoursEast));
    std::string s = text;
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    for (char& c : s)
        if (c == '.') c = ',';
    return s;
}

} // namespace

ExchangeFile readCsv(const std::string& utf8) {
    ExchangeFile out;
    const auto rows = records(utf8);
    if (rows.empty()) return out;
    std::map<std::string, std::size_t> column;
    for (std::size_t i = 0; i < rows[0].second.size(); ++i) {
        std::string name = trimmed(rows[0].second[i]);
        if (i == 0 && name.rfind("\xEF\xBB\xBF", 0) == 0) name = name.substr(3);  // a spreadsheet's byte-order mark
        for (char& c : name) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        column[name] = i;
    }
    for (const char* required : {"nome", "data", "ora"})
        if (!column.count(required)) {
            out.problems.push_back({rows[0].first, std::string("manca la colonna \"") + required + "\" nella riga di intestazione"});
            return out;
        }
    for (std::size_t r = 1; r < rows.size(); ++r) {
        const auto& [line, fields] = rows[r];
        auto get = [&](const char* name) -> std::string {
            const auto it = column.find(name);
            if (it == column.end() || it->second >= fields.size()) return {};
            return trimmed(fields[it->second]);
        };
        ExchangedSubject s;
        s.line = line;
        std::string offending;
        auto text = [&](const char* name) -> std::optional<std::string> {
            const auto t = typedTextToCp1252(get(name), &offending);
            if (!t) out.problems.push_back({line, std::string("la colonna \"") + name + "\" contiene " + offending +
                                                      ", che gli archivi non possono conservare"});
            return t;
        };
        const auto name = text("nome"), place = text("luogo"), country = text("nazione"), note = text("note");
        if (!name || !place || !country || !note) continue;
        s.name = *name;
        s.place = *place;
        s.country = *country;
        s.note = *note;
        if (s.name.empty()) {
            out.problems.push_back({line, "soggetto senza nome"});
            continue;
        }
        const auto date = numbersOf(get("data"), '/', 3);
        const auto time = numbersOf(get("ora"), ':', 2);
        if (!date || !time) {
            out.problems.push_back({line, s.name + ": data o ora illeggibile (GG/MM/AAAA, HH:MM)"});
            continue;
        }
        s.day = (*date)[0];
        s.month = (*date)[1];
        s.year = (*date)[2];
        s.hour = (*time)[0];
        s.minute = (*time)[1];
        if (const std::string c = get("coordinate"); !c.empty()) s.coordinates = upperCase1252(c);
        if (const std::string z = get("fuso"); !z.empty()) {
            std::string point = z;
            for (char& ch : point)
                if (ch == ',') ch = '.';
            Extended v = 0;
            if (parseSettingReal(point, v) && std::isfinite(v) && std::fabs(v) <= 24) s.zoneEast = v;
            else out.problems.push_back({line, s.name + ": fuso illeggibile \"" + z + "\""});
        }
        if (const std::string j = get("giorno_giuliano"); !j.empty()) {
            char* stop = nullptr;
            const double jd = std::strtod(j.c_str(), &stop);
            if (*stop == '\0' && std::isfinite(jd) && jd > 0) s.julianDay = jd;
            else out.problems.push_back({line, s.name + ": giorno giuliano illeggibile \"" + j + "\""});
        }
        out.subjects.push_back(std::move(s));
    }
    return out;
}

std::string writeCsv(const std::vector<ExchangedSubject>& subjects) {
    std::string out;
    for (const char* c : kColumns) out += std::string(out.empty() ? "" : ",") + c;
    out += "\r\n";
    char date[16], time[8], jd[32];
    for (const ExchangedSubject& s : subjects) {
        std::snprintf(date, sizeof date, "%02d/%02d/%04d", s.day, s.month, s.year);
        std::snprintf(time, sizeof time, "%02d:%02d", s.hour, s.minute);
        jd[0] = '\0';
        if (s.julianDay) std::snprintf(jd, sizeof jd, "%.6f", static_cast<double>(*s.julianDay));
        const std::string fields[] = {cp1252ToUtf8(s.name), date, time, cp1252ToUtf8(s.place), cp1252ToUtf8(s.country),
                                      s.coordinates.value_or(""), s.zoneEast ? zoneText(*s.zoneEast) : "", jd,
                                      cp1252ToUtf8(s.note)};
        std::string row;
        for (const std::string& f : fields) {
            if (&f != &fields[0]) row += ",";
            row += quoted(f);
        }
        out += row + "\r\n";
    }
    return out;
}

} // namespace qv::exchange
