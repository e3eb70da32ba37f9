// The settings in force for the chart: the orbs of the fourteen aspects
// (three orb sets A, B and C, one active), the house system, the kind of
// lunar node and the kind of Black Moon. Two text files carry them:
// FileSet\OrbiDomi.stt (the settings in force, 20 lines) and
// FileDum\MMVarOrb.dum (the three sets, 49 lines).
#pragma once

#include "base/decimal_text.h"
#include "base/errors.h"
#include "base/reals.h"

#include <array>
#include <string>

namespace qv {

inline constexpr int kAspectCount = 14;

// One aspect as the two files list it (by increasing angle) and as the table
// of orbs in force indexes it.
struct AspectKey {
    const char* name;
    const char* angleText;  // as the orb editor shows the angle
    Extended angle;
    int orbIndex;
};

// The fourteen aspects in file order (file place 1 is index 0).
extern const std::array<AspectKey, kAspectCount> kAspectKeys;

// Fourteen orbs in file order, degrees (half-widths).
using OrbSet = std::array<Extended, kAspectCount>;

// Set A, a constant of the program, and the values the orb editor shows for
// B and C before it has read the file.
extern const OrbSet kOrbSetA;
extern const OrbSet kFirstOrbSetB;
extern const OrbSet kFirstOrbSetC;

// The orbs of parallels and antiscia written into a new data directory.
inline constexpr Extended kFirstParallelOrb = 1.0L;
inline constexpr Extended kFirstAntisciaOrb = 1.0L;

// The table of orbs in force by orb index: slots 0–13 hold the active set,
// 14 and 15 are never filled. Zero at program start.
using OrbTable = std::array<Extended, 16>;
OrbTable& ActiveOrbs();

// What LoadActiveOrbs read besides the orbs. The house system, node kind and
// Black Moon kind are also put into the chart state of the process.
struct ChartSettings {
    Extended parallelOrb = 0;
    Extended antisciaOrb = 0;
    std::string houseSystem;    // at most 15 characters
    std::string nodeKind;       // "MEDIO" or "VERO", at most 5
    std::string setLetter;      // "A", "B" or "C"
    std::string blackMoonKind;  // "VERA" selects the corrected Black Moon, at most 5
    bool loaded = false;
};
ChartSettings& chartSettings();
// Back to the start-of-program state: every orb zero, nothing loaded.
void resetChartSettings();

// The contents of FileSet\OrbiDomi.stt.
struct ActiveSettingsFile {
    OrbSet orbs{};  // the active set, file order
    Extended parallelOrb = 0;
    Extended antisciaOrb = 0;
    std::string houseSystem;
    std::string nodeKind;
    std::string setLetter;
    std::string blackMoonKind;
};

// One set of FileDum\MMVarOrb.dum with the two orbs written after it.
struct OrbSetBlock {
    OrbSet orbs{};
    Extended parallelOrb = 0;
    Extended antisciaOrb = 0;
};

// The contents of FileDum\MMVarOrb.dum: sets A, B, C and the active letter.
struct OrbSetsFile {
    std::array<OrbSetBlock, 3> blocks{};
    std::string letter;
};

inline constexpr const char* kActiveSettingsPath = "FileSet\\OrbiDomi.stt";
inline constexpr const char* kOrbSetsPath = "FileDum\\MMVarOrb.dum";

// The fixed scientific form of width 23: " 1.00000000000000E+0001".
// Written the same whatever the locale of the machine.
std::string settingRealText(Extended value);

// Readers check the number of lines and every value: a short file is an
// IoError; a line that is no number, an orb outside 0 to 180 degrees or a
// house system the computation does not know is a ConversionError naming
// file and line.
ActiveSettingsFile readActiveSettingsFile();
OrbSetsFile readOrbSetsFile();
// Whole-file rewrites through a temporary file. Set A's fourteen lines are
// written as plain integers, from the program's constants.
void writeActiveSettingsFile(const ActiveSettingsFile& settings);
void writeOrbSetsFile(const OrbSetsFile& sets);

// Reads OrbiDomi.stt into the table of orbs in force (by orb index) and the
// settings in force. A file that does not read leaves both as they were.
void LoadActiveOrbs();

// Replaces line `line` (1–20) of OrbiDomi.stt by `text` and reloads. The
// new file is checked before it is written: a text that would make the file
// unreadable (a non-number on lines 1–16) is refused and nothing changes.
void WriteSettingLine(int line, const std::string& text);

// "A (normali)", "B (personali)", "C (personali)"; empty for other letters.
std::string orbSetCaption(const std::string& letter);

// MMVarOrb.dum could not be opened when an orb set was chosen: the window
// shows notice() and then the I/O error itself.
class OrbSetsFileMissing : public IoError {
public:
    OrbSetsFileMissing(std::string file, std::string reason);
    // Manca File "MMVarOrb.dum"
    std::string notice() const;
};

// Makes set "A", "B" or "C" the active one: OrbiDomi.stt gets that set's 16
// values and the four strings in force with the new letter, MMVarOrb.dum the
// same 48 values and the new letter; then LoadActiveOrbs. Returns the
// chooser's caption. Another letter is a ConversionError and changes nothing.
std::string SelectOrbSet(const std::string& letter);

} // namespace qv
