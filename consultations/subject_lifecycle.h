// Correcting and deleting a subject: the one way the windows and the
// command line change a person's record. The archive files and the
// consultation store change together or not at all; a note in the data
// directory lets the next start finish or undo a change that a kill, a
// power cut or a full disk stopped half way. A deleted person leaves no
// data behind: their records in the archive files are zeroed, their
// consultations (when the practitioner asks) and their row in the store
// are overwritten, and the files that carry the current subject from
// window to window forget them.
#pragma once

#include "archive/archive_files.h"
#include "archive/subject_operations.h"

#include <string>
#include <vector>

namespace qv::consultations {

// The consultations on record for a stored subject (0 without a store).
int consultationsOnRecord(const Archive& archive, const StoredSubject& subject);

struct SubjectCorrection {
    std::string failure;         // a failed check or a duplicate: nothing was written
    std::string question;        // a confirmation needed and not given: nothing was written
    int samePosition = 0;        // the entry that already has the new name and birth moment
    int indexPosition = 0;       // where the entry stands afterwards
    int consultationsMoved = 0;  // consultations that followed the new data
};

// Rewrites the subject read by readStoredSubject with the edited fields, as
// modifySubject does, and moves its consultations to the new name and birth
// moment in the same step. A change that would give the subject the name
// and birth moment of another entry of the archive is refused. When the
// store or a file cannot change, neither does the other. TMPR is not
// changed.
SubjectCorrection correctSubject(Archive& archive, const StoredSubject& subject, SubjectEdit edit, bool confirmed);

enum class ConsultationsOfDeleted { Delete, Keep };

struct SubjectDeletion {
    std::string entryText;
    std::string textNumber;
    bool textDeleted = false;
    int consultationsDeleted = 0;
    int consultationsKept = 0;
    bool wasCurrent = false;  // the current subject was cleared with it
};

// Deletes index entry `position` with everything the person left: the
// consultations when asked (kept otherwise, under the person's name and
// birth moment), the birth and annotation records (zeroed), the text
// document, and — when the subject is the current one — TMPR and the side
// files that carry it. An IoError (a busy store, a full disk) leaves the
// subject whole. An entry whose records do not read is deleted all the
// same.
SubjectDeletion deleteSubjectWhole(Archive& archive, int position, ConsultationsOfDeleted consultations);

// Finishes, or undoes, a correction or deletion that stopped half way, as
// the note it left says. Returns what was done in Italian (empty when no
// change was pending). An IoError leaves the note for the next start.
std::string finishInterruptedSubjectChange();

// For tests: called with the name of each step a change has just made
// ("nota", "archivio", "consultazioni", "dati"), so that a test can stop
// the process there as a kill would. Null removes it.
void setSubjectChangeStepHook(void (*hook)(const char* step));

} // namespace qv::consultations
