// Registering a new subject into an archive: the birth record with its
// chart summaries, the index entry in its sorted place, the annotations,
// and the subject as the current one.
#pragma once

#include "archive/archive_records.h"

#include <array>
#include <string>
#include <vector>

namespace qv {

// A new subject as birth data entry hands it over.
struct NewSubject {
    std::string name;
    int day = 1, month = 1, year = 2000, hour = 0, minute = 0;  // local clock time
    Extended corr = 0;         // hours added to the clock time to get Universal Time
    std::string coordinates;   // 12 characters, as 45N28-009E11 ("O" also reads as west)
    std::string place;
    std::string nation;
    bool gregorian = true;
    std::array<std::string, 4> annotations;  // 70, 70, 70 and 65 characters
    std::string textNumber;                  // 5 digits, or empty without text document
};

// The Italian message of the first check the data fail, or empty: a name, a
// date and time in range, coordinates in their 12-character form, and a
// Corr that fits its field.
std::string checkNewSubject(const NewSubject& subject);

struct Registration {
    std::string failure;     // a failed check: nothing was written
    int samePosition = 0;    // the failure is this entry: the same person is already there
    std::string archive;
    int birthNumber = 0;
    int indexPosition = 0;
    IndexEntry entry;
    int annotationNumber = 0;  // 0: the standard text of record 0
};

// Registers `subject` into `archive` (an existing archive, or TMPR). The
// summary chart is computed before anything is written. A subject whose
// name and birth moment an entry of the archive already has is refused
// (samePosition): two entries would share one person's record. Then, in this order:
// FileDum\MMordina.dum; the annotation record (archives other than TMPR,
// when there are annotations or a text number); the birth record; the
// index, rewritten whole with the new entry in its place; record 0 of
// TMPR.ST2 and TMPR.ST1; FileDum\Annotaz.dum and FileDum\StrText.dum. A
// failure part way leaves only records that nothing refers to yet.
Registration registerSubject(const std::string& archive, const NewSubject& subject);

// Registers `subjects` into `archive` (not TMPR) as one unit, as an import
// does: every subject is checked first (checkNewSubject, and no entry of
// the archive, nor an earlier one of the list, with the same name and birth
// moment); then all are written or, when a write fails, none. The current
// subject and its side files are not changed. Returns the registrations in
// the order given; `failure` names the first subject refused, and then
// nothing was written.
std::vector<Registration> registerSubjectsTogether(const std::string& archive, const std::vector<NewSubject>& subjects,
                                                   std::string& failure);

// The birth record a registration writes (annotation number "00000").
BirthRecord birthRecordOf(const NewSubject& subject);

} // namespace qv
