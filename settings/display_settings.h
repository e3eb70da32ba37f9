// The display and printer settings of FileSet\MMVarLas.stt (eight lines)
// and the practitioner's name of FileTmp\Personal.Tmp (two lines).
#pragma once

#include "base/reals.h"

#include <string>
#include <vector>

namespace qv {

inline constexpr const char* kDisplaySettingsPath = "FileSet\\MMVarLas.stt";
inline constexpr const char* kPractitionerPath = "FileTmp\\Personal.Tmp";

struct DisplaySettings {
    int line1 = 1;                 // always 1
    int printerAdapted = 0;        // 1: the "Modifica per Epson" adaptation is on
    int reserved = 0;              // carried over unchanged
    int calendarReformFlag = 1;    // read by birth data entry
    Extended lineThickness = 1.0L; // 0.5 to 4
    std::string backupFolder;
    Extended scaleX = 1.0L;        // screen drawing, 0.8 to 1.2
    Extended scaleY = 1.0L;
};

// Reads the eight lines; a missing file is created with the defaults. A real
// read as exactly 0 on lines 5, 7 or 8 is taken as 1.0 (the file is not
// rewritten for that). Each line is checked against its range (lines 2 and
// 4: 0 or 1; line 5: 0.5 to 4; lines 7 and 8: 0.8 to 1.2), and the file
// must hold exactly eight lines (empty lines after them are tolerated);
// otherwise ConversionError names the file and the line, and an unreadable
// file raises IoError.
DisplaySettings readDisplaySettings();
// Line 4 alone, as birth data entry and the atlas read it: 1 makes every
// date after the reform of 1582 Gregorian. A missing file, a short one or a
// line that is no whole number counts as 1, and nothing is written.
int calendarReformSetting();
// Rewrites all eight lines.
void writeDisplaySettings(const DisplaySettings& settings);

// A backup folder on line 6 that names "Od6Backup" is replaced by
// "Da definire", the other lines kept as they are. Returns whether the file
// was rewritten.
bool retireOldBackupFolder();

// The practitioner's name: first name and surname. A missing file is
// created with "Nome" and "Cognome".
struct PractitionerName {
    std::string firstName;
    std::string surname;
    std::string shown() const { return firstName + " " + surname; }
    bool operator==(const PractitionerName&) const = default;
};
PractitionerName readPractitionerName();
// Rewrites the two name lines; the identity lines after them are kept.
void writePractitionerName(const PractitionerName& name);

// The practitioner as the documents given to a person present them. Kept in
// the same file after the two name lines, so that a program that reads only
// the name still reads it: line 3 qualification, 4 professional
// association, 5 contact, 6 "1" when the documents cite the law on
// professions without a professional order (4/2013), 7 that line's text.
struct PractitionerIdentity {
    PractitionerName name;
    std::string qualification;
    std::string association;
    std::string contact;
    bool citesLaw4 = false;
    std::string law4Text;

    // Whether a real name is set: not empty, and not the "Nome" "Cognome"
    // the file is created with.
    bool hasName() const;
    // The lines a printed document carries, in order: name (with the
    // qualification), association, contact, the law's line when chosen.
    // No line for what is not set; nothing at all without a name.
    std::vector<std::string> printedLines() const;
    bool operator==(const PractitionerIdentity&) const = default;
};
extern const char* const kDefaultLaw4Text;

PractitionerIdentity readPractitionerIdentity();
void writePractitionerIdentity(const PractitionerIdentity& identity);
// The name a sheet prints beside the date: empty when none is set.
std::string practitionerForPrint();

} // namespace qv
