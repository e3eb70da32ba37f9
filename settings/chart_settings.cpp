#include "settings/chart_settings.h"

#include "base/data_dir.h"
#include "base/text_file.h"
#include "ephemeris/chart_state.h"
#include "ephemeris/houses.h"

#include <charconv>
#include <cmath>
#include <filesystem>
#include <cstdlib>
#include <stdexcept>
#include <vector>

namespace qv {

const std::array<AspectKey, kAspectCount> kAspectKeys = {{
    {"Congiunzione", "0\xB0", 0.0L, 0},
    {"SemiSestile", "30\xB0", 30.0L, 5},
    {"Decile", "36\xB0", 36.0L, 6},
    {"Novile", "40\xB0", 40.0L, 7},
    {"SemiQuadrato", "45\xB0", 45.0L, 8},
    {"Settile", "360\xB0:7", 360.0L / 7.0L, 9},
    {"Sestile", "60\xB0", 60.0L, 1},
    {"Quintile", "72\xB0", 72.0L, 10},
    {"Quadrato", "90\xB0", 90.0L, 2},
    {"Trigono", "120\xB0", 120.0L, 3},
    {"SesquiQuadr", "135\xB0", 135.0L, 11},
    {"BiQuintile", "144\xB0", 144.0L, 12},
    {"Quinconce", "150\xB0", 150.0L, 13},
    {"Opposizione", "180\xB0", 180.0L, 4},
}};

const OrbSet kOrbSetA = {10, 1, 1, 1, 1, 1, 4, 1, 6, 8, 1, 1, 1, 9};
const OrbSet kFirstOrbSetB = {10, 1, 0.5L, 0.5L, 1, 0.5L, 3, 1, 4, 4, 1, 1, 2, 8};
const OrbSet kFirstOrbSetC = {5, 1, 0.5L, 0.5L, 1, 0.5L, 3, 1, 4.5L, 5, 0.8L, 0.8L, 1.5L, 7};

OrbTable& ActiveOrbs() {
    static OrbTable table{};
    return table;
}

ChartSettings& chartSettings() {
    static ChartSettings settings;
    return settings;
}

void resetChartSettings() {
    ActiveOrbs() = OrbTable{};
    chartSettings() = ChartSettings{};
}

namespace {

constexpr int kActiveSettingsLines = 20;
constexpr int kOrbSetsReals = 48;
constexpr std::size_t kSettingLineWidth = 25;

std::string digitsPadded(int n, std::size_t width) {
    std::string s = std::to_string(n);
    while (s.size() < width) s.insert(s.begin(), '0');
    return s;
}

// The lines of a settings file, without the empty lines after the last
// one (an editor's final blank line). A few dozen short lines: a file of
// many kilobytes is not a settings file and is refused before it is split.
std::vector<std::string> readLines(const char* dataPath) {
    constexpr std::uintmax_t kLargestSettingsFile = 64 * 1024;
    std::error_code ec;
    const auto bytes = std::filesystem::file_size(dataDir().resolve(dataPath), ec);
    if (!ec && bytes > kLargestSettingsFile)
        throw IoError(dataPath, "il file \xE8 troppo grande (" + std::to_string(bytes) + " byte) per un file di impostazioni");
    std::vector<std::string> lines = readDataTextLines(dataPath);
    while (!lines.empty() && lines.back().find_first_not_of(" \t") == std::string::npos) lines.pop_back();
    return lines;
}

// Exactly `wanted` lines, or `wanted + optional` where the last ones may be
// left out.
void requireLines(const std::vector<std::string>& lines, std::size_t wanted, const char* dataPath,
                  std::size_t optional = 0) {
    if (lines.size() < wanted || lines.size() > wanted + optional)
        throw IoError(dataPath, "il file ha " + std::to_string(lines.size()) + " righe invece di " +
                                    std::to_string(wanted + optional));
}

Extended realOnLine(const std::vector<std::string>& lines, int line, const char* dataPath) {
    Extended value = 0;
    if (!parseSettingReal(lines[static_cast<std::size_t>(line - 1)], value))
        throw ConversionError("Valore non numerico alla riga " + std::to_string(line) + " del file \"" +
                              dataPath + "\": \"" + lines[static_cast<std::size_t>(line - 1)] + "\"");
    return value;
}

std::string cut(const std::string& text, std::size_t width) { return text.substr(0, width); }

// An orb is the half-width of the band around an aspect's angle. Two
// longitudes are never more than 180 degrees apart, and every aspect angle
// lies between 0 and 180, so a separation is never more than 180 degrees
// from an aspect's angle: an orb of 180 already takes in every pair, and a
// larger one could only come from a slip of the keyboard or a damaged file
// (an orb of 1e308 made every pair an aspect of every kind). Declinations
// (parallels) lie within 90 degrees either side, antiscia are separations
// again: the same bound holds for lines 15 and 16. A negative orb admits
// nothing at all. Hence 0 to 180 for every orb of both files.
constexpr Extended kLargestOrb = 180;

Extended orbOnLine(const std::vector<std::string>& lines, int line, const char* dataPath) {
    const Extended orb = realOnLine(lines, line, dataPath);
    if (orb < 0 || orb > kLargestOrb)
        throw ConversionError("Orbita fuori dai limiti (da 0 a 180 gradi) alla riga " + std::to_string(line) +
                              " del file \"" + dataPath + "\": \"" + lines[static_cast<std::size_t>(line - 1)] + "\"");
    return orb;
}

// The house computation takes an unknown name for equal houses without a
// word: a mistyped system would silently give other cusps.
std::string houseSystemOnLine(const std::vector<std::string>& lines, int line, const char* dataPath) {
    const std::string name = cut(lines[static_cast<std::size_t>(line - 1)], 15);
    if (isKnownHouseSystem(name)) return name;
    std::string known;
    for (const char* n : kHouseSystemNames) known += (known.empty() ? "" : ", ") + std::string(n);
    throw ConversionError("Sistema di case sconosciuto alla riga " + std::to_string(line) + " del file \"" +
                          dataPath + "\": \"" + lines[static_cast<std::size_t>(line - 1)] + "\" (sono ammessi " +
                          known + ")");
}

ActiveSettingsFile parseActiveSettings(const std::vector<std::string>& lines) {
    requireLines(lines, kActiveSettingsLines, kActiveSettingsPath);
    ActiveSettingsFile f;
    for (int i = 0; i < kAspectCount; ++i) f.orbs[static_cast<std::size_t>(i)] = orbOnLine(lines, i + 1, kActiveSettingsPath);
    f.parallelOrb = orbOnLine(lines, 15, kActiveSettingsPath);
    f.antisciaOrb = orbOnLine(lines, 16, kActiveSettingsPath);
    f.houseSystem = houseSystemOnLine(lines, 17, kActiveSettingsPath);
    f.nodeKind = cut(lines[17], 5);
    f.setLetter = cut(lines[18], 1);
    f.blackMoonKind = cut(lines[19], 5);
    return f;
}

OrbSetsFile parseOrbSets(const std::vector<std::string>& lines) {
    requireLines(lines, kOrbSetsReals, kOrbSetsPath, 1);  // the letter may be missing
    OrbSetsFile f;
    int line = 1;
    for (auto& block : f.blocks) {
        // Set A's own lines are replaced below: a number is all they need.
        const bool setA = &block == &f.blocks[0];
        for (auto& orb : block.orbs)
            orb = setA ? realOnLine(lines, line++, kOrbSetsPath) : orbOnLine(lines, line++, kOrbSetsPath);
        block.parallelOrb = orbOnLine(lines, line++, kOrbSetsPath);
        block.antisciaOrb = orbOnLine(lines, line++, kOrbSetsPath);
    }
    // Set A is a constant of the program whatever the file says.
    f.blocks[0].orbs = kOrbSetA;
    if (lines.size() > kOrbSetsReals) f.letter = cut(lines[kOrbSetsReals], 1);
    return f;
}

void apply(const ActiveSettingsFile& f) {
    OrbTable table{};
    for (int i = 0; i < kAspectCount; ++i)
        table[static_cast<std::size_t>(kAspectKeys[static_cast<std::size_t>(i)].orbIndex)] = f.orbs[static_cast<std::size_t>(i)];
    ActiveOrbs() = table;
    ChartSettings& s = chartSettings();
    s.parallelOrb = f.parallelOrb;
    s.antisciaOrb = f.antisciaOrb;
    s.houseSystem = f.houseSystem;
    s.nodeKind = f.nodeKind;
    s.setLetter = f.setLetter;
    s.blackMoonKind = f.blackMoonKind;
    s.loaded = true;
    ChartState& chart = chartState();
    chart.houseSystem = f.houseSystem;
    chart.nodeKind = f.nodeKind;
    chart.blackMoonKind = f.blackMoonKind;
}

int letterIndex(const std::string& letter) {
    if (letter == "A") return 0;
    if (letter == "B") return 1;
    if (letter == "C") return 2;
    return -1;
}

} // namespace

std::string settingRealText(Extended value) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
    const std::string s(buf, r.ptr);  // "-1.00000000000000e+01"
    const auto e = s.find('e');
    const std::string mantissa = s.substr(0, e);
    const int exponent = std::atoi(s.c_str() + e + 1);
    std::string out = mantissa[0] == '-' ? mantissa : " " + mantissa;
    out += 'E';
    out += exponent < 0 ? '-' : '+';
    out += digitsPadded(std::abs(exponent), 4);
    return out;
}

ActiveSettingsFile readActiveSettingsFile() { return parseActiveSettings(readLines(kActiveSettingsPath)); }

OrbSetsFile readOrbSetsFile() { return parseOrbSets(readLines(kOrbSetsPath)); }

namespace {
std::vector<std::string> activeSettingsLines(const ActiveSettingsFile& f) {
    std::vector<std::string> lines;
    for (Extended orb : f.orbs) lines.push_back(settingRealText(orb));
    lines.push_back(settingRealText(f.parallelOrb));
    lines.push_back(settingRealText(f.antisciaOrb));
    lines.push_back(cut(f.houseSystem, 15));
    lines.push_back(cut(f.nodeKind, 5));
    lines.push_back(cut(f.setLetter, 1));
    lines.push_back(cut(f.blackMoonKind, 5));
    return lines;
}
} // namespace

void writeActiveSettingsFile(const ActiveSettingsFile& f) {
    writeTextLines(dataDir().prepareForWrite(kActiveSettingsPath), activeSettingsLines(f), kActiveSettingsPath);
}

void writeOrbSetsFile(const OrbSetsFile& f) {
    std::vector<std::string> lines;
    for (std::size_t b = 0; b < f.blocks.size(); ++b) {
        for (std::size_t i = 0; i < kAspectCount; ++i)
            lines.push_back(b == 0 ? std::to_string(static_cast<int>(kOrbSetA[i])) : settingRealText(f.blocks[b].orbs[i]));
        lines.push_back(settingRealText(f.blocks[b].parallelOrb));
        lines.push_back(settingRealText(f.blocks[b].antisciaOrb));
    }
    lines.push_back(cut(f.letter, 1));
    writeTextLines(dataDir().prepareForWrite(kOrbSetsPath), lines, kOrbSetsPath);
}

void LoadActiveOrbs() { apply(readActiveSettingsFile()); }

void WriteSettingLine(int line, const std::string& text) {
    if (line < 1 || line > kActiveSettingsLines)
        throw std::out_of_range("OrbiDomi.stt has no line " + std::to_string(line));
    std::vector<std::string> lines = readLines(kActiveSettingsPath);
    requireLines(lines, kActiveSettingsLines, kActiveSettingsPath);
    lines.resize(kActiveSettingsLines);
    for (auto& l : lines) l = cut(l, kSettingLineWidth);
    lines[static_cast<std::size_t>(line - 1)] = text;
    parseActiveSettings(lines);  // refuses a file LoadActiveOrbs could not read
    writeTextLines(dataDir().prepareForWrite(kActiveSettingsPath), lines, kActiveSettingsPath);
    LoadActiveOrbs();
}

std::string orbSetCaption(const std::string& letter) {
    switch (letterIndex(letter)) {
    case 0: return "A (normali)";
    case 1: return "B (personali)";
    case 2: return "C (personali)";
    default: return {};
    }
}

OrbSetsFileMissing::OrbSetsFileMissing(std::string file, std::string reason)
    : IoError(std::move(file), std::move(reason)) {}

std::string OrbSetsFileMissing::notice() const { return "Manca File \"MMVarOrb.dum\""; }

std::string SelectOrbSet(const std::string& letter) {
    const int chosen = letterIndex(letter);
    if (chosen < 0) throw ConversionError("Set di orbite sconosciuto: \"" + letter + "\" (A, B o C)");
    std::vector<std::string> lines;
    try {
        lines = readLines(kOrbSetsPath);
    } catch (const IoError& e) {
        throw OrbSetsFileMissing(e.file(), e.reason());
    }
    OrbSetsFile sets = parseOrbSets(lines);
    if (!chartSettings().loaded) LoadActiveOrbs();
    const ChartSettings& inForce = chartSettings();

    ActiveSettingsFile active;
    const OrbSetBlock& block = sets.blocks[static_cast<std::size_t>(chosen)];
    active.orbs = block.orbs;
    active.parallelOrb = block.parallelOrb;
    active.antisciaOrb = block.antisciaOrb;
    active.houseSystem = inForce.houseSystem;
    active.nodeKind = inForce.nodeKind;
    active.setLetter = letter;
    active.blackMoonKind = inForce.blackMoonKind;
    writeActiveSettingsFile(active);

    sets.letter = letter;
    writeOrbSetsFile(sets);
    LoadActiveOrbs();
    return orbSetCaption(letter);
}

} // namespace qv
