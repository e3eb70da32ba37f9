#include "base/decimal_text.h"
#include "settings/display_settings.h"

#include "settings/chart_settings.h"

#include "base/data_dir.h"
#include "base/errors.h"
#include "base/text_file.h"

#include <cerrno>
#include <climits>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace qv {

namespace {

std::vector<std::string> readLines(const char* dataPath) {
    return readDataTextLines(dataPath);
}

void writeLines(const char* dataPath, const std::vector<std::string>& lines) {
    writeTextLines(dataDir().prepareForWrite(dataPath), lines, dataPath);
}

std::string trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

// The lines of the settings file. Eight short lines: a file of many
// kilobytes is not this file, and is refused before it is split into lines.
std::vector<std::string> settingsFileLines() {
    constexpr std::uintmax_t kLargestSettingsFile = 64 * 1024;
    std::error_code ec;
    const auto bytes = std::filesystem::file_size(dataDir().resolve(kDisplaySettingsPath), ec);
    if (!ec && bytes > kLargestSettingsFile)
        throw ConversionError(std::string("Il file \"") + kDisplaySettingsPath + "\" \xE8 troppo grande (" +
                              std::to_string(bytes) + " byte) per otto righe");
    return readLines(kDisplaySettingsPath);
}

// The text of line `line` for a message, cut as typed text is.
std::string shownValue(const std::vector<std::string>& lines, int line) {
    std::string t = trimmed(lines[static_cast<std::size_t>(line - 1)]);
    if (t.size() > 80) t = t.substr(0, 80) + "\x85";  // "…"
    return "\"" + t + "\"";
}

int integerLine(const std::vector<std::string>& lines, int line) {
    const std::string t = trimmed(lines[static_cast<std::size_t>(line - 1)]);
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(t.c_str(), &end, 10);
    if (t.empty() || *end != '\0' || errno != 0 || v < INT_MIN || v > INT_MAX)
        throw ConversionError("Valore non valido alla riga " + std::to_string(line) + " del file \"" +
                              kDisplaySettingsPath + "\": " + shownValue(lines, line));
    return static_cast<int>(v);
}

[[noreturn]] void outOfRange(const std::vector<std::string>& lines, int line, const std::string& range) {
    throw ConversionError("Valore fuori dai limiti alla riga " + std::to_string(line) + " del file \"" +
                          kDisplaySettingsPath + "\": " + shownValue(lines, line) + " (" + range + ")");
}

// A flag line: 0 or 1.
int flagLine(const std::vector<std::string>& lines, int line) {
    const int v = integerLine(lines, line);
    if (v != 0 && v != 1) outOfRange(lines, line, "0 oppure 1");
    return v;
}

// A real between `low` and `high`; exactly 0 reads as 1.0.
Extended realLine(const std::vector<std::string>& lines, int line, Extended low, Extended high,
                  const char* range) {
    const std::string t = trimmed(lines[static_cast<std::size_t>(line - 1)]);
    Extended v = 0;
    if (!parseDecimal(t, v))
        throw ConversionError("Valore non valido alla riga " + std::to_string(line) + " del file \"" +
                              kDisplaySettingsPath + "\": " + shownValue(lines, line));
    if (v == 0.0L) return 1.0L;
    if (!(v >= low && v <= high)) outOfRange(lines, line, range);
    return v;
}

} // namespace

DisplaySettings readDisplaySettings() {
    if (!dataDir().exists(kDisplaySettingsPath)) {
        const DisplaySettings defaults;
        // Written for the next start; a read-only data directory is read
        // with the defaults.
        if (!dataDir().readOnly()) writeDisplaySettings(defaults);
        return defaults;
    }
    auto lines = settingsFileLines();
    // Empty lines after the eighth (an editor's final blank line) are
    // tolerated; any other count is not this file.
    while (lines.size() > 8 && trimmed(lines.back()).empty()) lines.pop_back();
    if (lines.size() != 8)
        throw ConversionError(std::string("Il file \"") + kDisplaySettingsPath + "\" ha " +
                              std::to_string(lines.size()) + " righe invece di 8");
    DisplaySettings s;
    s.line1 = integerLine(lines, 1);
    s.printerAdapted = flagLine(lines, 2);
    s.reserved = integerLine(lines, 3);
    s.calendarReformFlag = flagLine(lines, 4);
    s.lineThickness = realLine(lines, 5, 0.5L, 4.0L, "da 0,5 a 4");
    s.backupFolder = lines[5];
    s.scaleX = realLine(lines, 7, 0.8L, 1.2L, "da 0,8 a 1,2");
    s.scaleY = realLine(lines, 8, 0.8L, 1.2L, "da 0,8 a 1,2");
    return s;
}

void writeDisplaySettings(const DisplaySettings& s) {
    writeLines(kDisplaySettingsPath,
               {std::to_string(s.line1), std::to_string(s.printerAdapted), std::to_string(s.reserved),
                std::to_string(s.calendarReformFlag), settingRealText(s.lineThickness), s.backupFolder,
                settingRealText(s.scaleX), settingRealText(s.scaleY)});
}

bool retireOldBackupFolder() {
    if (!dataDir().exists(kDisplaySettingsPath)) return false;
    auto lines = settingsFileLines();
    if (lines.size() < 6 || lines[5].find("Od6Backup") == std::string::npos) return false;
    lines[5] = "Da definire";
    lines.resize(8);
    writeLines(kDisplaySettingsPath, lines);
    return true;
}

PractitionerName readPractitionerName() {
    if (!dataDir().exists(kPractitionerPath)) {
        const PractitionerName fresh{"Nome", "Cognome"};
        if (!dataDir().readOnly()) writePractitionerName(fresh);
        return fresh;
    }
    const auto lines = readLines(kPractitionerPath);
    PractitionerName n;
    if (!lines.empty()) n.firstName = lines[0];
    if (lines.size() > 1) n.surname = lines[1];
    return n;
}

void writePractitionerName(const PractitionerName& name) {
    std::vector<std::string> lines;
    if (dataDir().exists(kPractitionerPath)) lines = readLines(kPractitionerPath);
    if (lines.size() < 2) lines.resize(2);
    lines[0] = name.firstName;
    lines[1] = name.surname;
    // Empty lines at the end say nothing: a file of a name alone stays two lines.
    while (lines.size() > 2 && lines.back().empty()) lines.pop_back();
    writeLines(kPractitionerPath, lines);
}

const char* const kDefaultLaw4Text =
    "Professione non organizzata in ordini o collegi, esercitata ai sensi della Legge 14 gennaio 2013, n. 4.";

bool PractitionerIdentity::hasName() const {
    const std::string first = trimmed(name.firstName), last = trimmed(name.surname);
    if (first.empty() && last.empty()) return false;
    return !(first == "Nome" && last == "Cognome");
}

std::vector<std::string> PractitionerIdentity::printedLines() const {
    if (!hasName()) return {};
    std::string who = trimmed(trimmed(name.firstName) + " " + trimmed(name.surname));
    if (!trimmed(qualification).empty()) who += ", " + trimmed(qualification);
    std::vector<std::string> out{who};
    for (const std::string* s : {&association, &contact})
        if (!trimmed(*s).empty()) out.push_back(trimmed(*s));
    if (citesLaw4) out.push_back(trimmed(law4Text).empty() ? kDefaultLaw4Text : trimmed(law4Text));
    return out;
}

PractitionerIdentity readPractitionerIdentity() {
    PractitionerIdentity id;
    id.name = readPractitionerName();
    // A read-only data directory without the file has a name, no more.
    const auto lines = dataDir().exists(kPractitionerPath) ? readLines(kPractitionerPath) : std::vector<std::string>{};
    auto line = [&](std::size_t k) { return k < lines.size() ? lines[k] : std::string(); };
    id.qualification = line(2);
    id.association = line(3);
    id.contact = line(4);
    id.citesLaw4 = trimmed(line(5)) == "1";
    id.law4Text = line(6).empty() ? kDefaultLaw4Text : line(6);
    return id;
}

void writePractitionerIdentity(const PractitionerIdentity& id) {
    writeLines(kPractitionerPath, {id.name.firstName, id.name.surname, id.qualification, id.association, id.contact,
                                   id.citesLaw4 ? "1" : "0", id.law4Text});
}

std::string practitionerForPrint() {
    const PractitionerIdentity id = readPractitionerIdentity();
    return id.hasName() ? id.printedLines().front() : std::string();
}

int calendarReformSetting() {
    if (!dataDir().exists(kDisplaySettingsPath)) return 1;
    const auto lines = readDataTextLines(kDisplaySettingsPath);
    if (lines.size() < 4) return 1;
    std::string t = lines[3];
    const auto first = t.find_first_not_of(" \t");
    if (first == std::string::npos) return 1;
    t = t.substr(first, t.find_last_not_of(" \t") - first + 1);
    if (t[0] == '+') t.erase(0, 1);
    int v = 0;
    const auto r = std::from_chars(t.data(), t.data() + t.size(), v);
    return r.ec == std::errc() && r.ptr == t.data() + t.size() ? v : 1;
}

} // namespace qv
