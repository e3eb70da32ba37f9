// Recalling, modifying and deleting an archived subject, as the windows of
// the archive call them. Failed checks come back as Italian messages; the
// windows show them.
#pragma once

#include "archive/archive_files.h"
#include "archive/archive_records.h"

#include <array>
#include <optional>
#include <string>

namespace qv {

// A subject as an archive holds it: its index entry, birth record and
// annotation record.
struct StoredSubject {
    int indexPosition = 0;
    IndexEntry entry;
    int birthNumber = 0;
    BirthRecord record;
    int annotationNumber = 0;
    // The annotation record the birth record names (record 0, the standard
    // text, for "00000"); nothing when the archive has no .ST3.
    std::optional<AnnotationRecord> annotation;

    std::string textNumber() const { return annotation ? annotation->textNumber() : std::string(); }
};

// Reads the subject at index position k (1..n). An entry whose last five
// characters are no number, or an annotation number that is no number, is a
// ConversionError; an annotation number past the end of .ST3 an IoError.
StoredSubject readStoredSubject(const Archive& archive, int k);

// Selecting a subject in the recall window: reads it and writes
// FileDum\PointGlo.dum.
struct Recall {
    StoredSubject subject;
    DecodedBirth birth;
    std::string archive;
    std::string annotationText;  // as confirmRecall writes it into Annotaz.dum
};
Recall recallSubject(const Archive& archive, int k);

// "&OK" of the recall window: the subject becomes the current one, with the
// name, place and nation as the window's fields hold them, and its
// annotations and text pointer go to FileDum\Annotaz.dum and StrText.dum.
void confirmRecall(const Recall& recall, const std::string& name, const std::string& place,
                   const std::string& nation);

// The fields of the modification window, as typed.
struct SubjectEdit {
    std::string name;         // Nome
    std::string date;         // Data, dd/mm/yyyy
    std::string time;         // Ora, hh:mm
    std::string corr;         // "Corr"
    std::string place;        // Località
    std::string nation;       // Stato
    std::string coordinates;  // Coordin
    std::string calendar;     // "GREGORIANO" or "GIULIANO"
    std::array<std::string, 4> annotations;
    std::string textNumber;
};

// The fields as the modification window fills them for a stored subject.
SubjectEdit editFieldsOf(const StoredSubject& subject);

// The date and time fields read as numbers ("dd/mm/yyyy", "hh:mm"):
// day, month, year, hour, minute; nothing when a part is no number.
std::optional<std::array<int, 5>> momentOfEdit(const SubjectEdit& edit);

// The checks of "&OK  Registra" in order. Every field is first stripped of
// spaces on both sides (the window shows them stripped). `failure` is the
// message of the first failed check; otherwise `question` is set when the
// longitude and Corr disagree by more than two hours and the user must
// confirm.
struct EditCheck {
    std::string failure;
    std::string question;
};
EditCheck checkSubjectEdit(SubjectEdit& edit);

// The record a modification writes for `subject` with the edited fields
// (checked by checkSubjectEdit): the birth data, with the annotation number
// it had and fresh chart summaries.
BirthRecord editedBirthRecord(const StoredSubject& subject, const SubjectEdit& checkedEdit);

// The index position of another entry of `archive` with the same stored
// name (upper case, trailing blanks aside) and birth-moment field as given:
// the same person registered twice. `exceptBirthNumber` is the subject's
// own record when it is being modified. Nothing when there is none.
std::optional<int> positionOfSameSubject(const Archive& archive, const std::string& name,
                                         const std::string& moment, int exceptBirthNumber = -1);
// "ROSSI MARIO (nascita 01/02/1980 08:30) c'è già nell'archivio BASE alla voce 3".
std::string sameSubjectMessage(const Archive& archive, int position);

struct Modification {
    std::string failure;   // a failed check: nothing was written
    std::string question;  // confirmation needed and not given: nothing was written
    int indexPosition = 0; // where the entry stands afterwards
};

// Rewrites the subject read by readStoredSubject with the edited fields:
// the annotation record (when any annotation or the text number is given),
// the birth record in place, then the index entry moved to its sorted
// place. TMPR is not changed.
Modification modifySubject(Archive& archive, const StoredSubject& subject, SubjectEdit edit,
                           bool confirmed);

// True when the current subject (TMPR) is `subject` as it was read: the
// same birth moment, coordinates and calendar. Recall may have changed the
// current subject's name, place and nation, so those are not compared.
bool isCurrentSubject(const StoredSubject& subject);

// The subject at index position k becomes the current one with its data as
// stored, as a recall confirmed without changes does.
void makeCurrentSubject(const Archive& archive, int k);

// "Crea / Aggiorna Testo Esteso": the existing document of the text number,
// or a new one. Returns the number.
std::string textDocumentForEdit(const std::string& archive, const SubjectEdit& edit);

} // namespace qv
