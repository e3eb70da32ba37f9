#include "base/decimal_text.h"
#include "settings/display_settings.h"

#include "settings/chart_settings.h"

#include "base/data_dir.h"
#include "base/errors.h"
#include "base/text_file.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace qv {

namespace {

std::vector<std::string> readLines(const char* dataPath) {
    return readTextLines(dataDir().resolve(dataPath), dataPath);
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

int integerLine(const std::vector<std::string>& lines, int line) {
    const std::string t = trimmed(lines[static_cast<std::size_t>(line - 1)]);
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(t.c_str(), &end, 10);
    if (t.empty() || *end != '\0' || errno != 0)
        throw ConversionError("Valore non valido alla riga " + std::to_string(line) + " del file \"" +
                              kDisplaySettingsPath + "\": \"" + t + "\"");
    return static_cast<int>(v);
}

Extended realLine(const std::vector<std::string>& lines, int line) {
    const std::string t = trimmed(lines[static_cast<std::size_t>(line - 1)]);
    Extended v = 0;
    if (!parseDecimal(t, v))
        throw ConversionError("Valore non valido alla riga " + std::to_string(line) + " del file \"" +
                              kDisplaySettingsPath + "\": \"" + t + "\"");
    return v == 0.0L ? 1.0L : v;
}

} // namespace

DisplaySettings readDisplaySettings() {
    if (!dataDir().exists(kDisplaySettingsPath)) {
        const DisplaySettings defaults;
        writeDisplaySettings(defaults);
        return defaults;
    }
    const auto lines = readLines(kDisplaySettingsPath);
    if (lines.size() < 8)
        throw ConversionError(std::string("Il file \"") + kDisplaySettingsPath + "\" ha " +
                              std::to_string(lines.size()) + " righe invece di 8");
    DisplaySettings s;
    s.line1 = integerLine(lines, 1);
    s.printerAdapted = integerLine(lines, 2);
    s.reserved = integerLine(lines, 3);
    s.calendarReformFlag = integerLine(lines, 4);
    s.lineThickness = realLine(lines, 5);
    s.backupFolder = lines[5];
    s.scaleX = realLine(lines, 7);
    s.scaleY = realLine(lines, 8);
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
    auto lines = readLines(kDisplaySettingsPath);
    if (lines.size() < 6 || lines[5].find("Od6Backup") == std::string::npos) return false;
    lines[5] = "Da definire";
    lines.resize(8);
    writeLines(kDisplaySettingsPath, lines);
    return true;
}

PractitionerName readPractitionerName() {
    if (!dataDir().exists(kPractitionerPath)) {
        const PractitionerName fresh{"Nome", "Cognome"};
        writePractitionerName(fresh);
        return fresh;
    }
    const auto lines = readLines(kPractitionerPath);
    PractitionerName n;
    if (!lines.empty()) n.firstName = lines[0];
    if (lines.size() > 1) n.surname = lines[1];
    return n;
}

void writePractitionerName(const PractitionerName& name) {
    writeLines(kPractitionerPath, {name.firstName, name.surname});
}

int calendarReformSetting() {
    if (!dataDir().exists(kDisplaySettingsPath)) return 1;
    const auto lines = readTextLines(dataDir().resolve(kDisplaySettingsPath), kDisplaySettingsPath);
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
