// What a consultation takes from the remedy database: the symptom and
// remedy entries it may name, the dosage and duration a remedy starts
// with, and the check of typed entries against the lists (an unknown one
// is refused with the entries it may have meant).
#pragma once

#include "base/data_dir.h"
#include "consultations/consultation.h"

#include <string>
#include <vector>

namespace qv::consultations {

// The lines of "OpzioneH\Sintomi.txt" and of "OpzioneH\ProdotA.txt"
// (IoError when missing).
std::vector<std::string> symptomEntries(const DataDir& dir);
std::vector<std::string> remedyEntries(const DataDir& dir);

// The period a dosage text names: its first clause (up to a full stop or
// semicolon) that begins with "per " and speaks of days, weeks or months;
// empty when there is none.
std::string durationIn(const std::string& dosage);

// The remedy as the database prescribes it: the dosage of its record for
// the first of `symptoms` it serves, else of its first record, and the
// period that dosage names. A name no record carries gives an empty
// dosage and duration.
PrescribedRemedy prescriptionFromDatabase(const DataDir& dir, const std::string& remedy,
                                          const std::vector<std::string>& symptoms);

// A typed entry checked against a list: the list's entry when the typed
// text matches one (case, accents, blanks and punctuation aside), else an
// Italian failure such as `Sintomo sconosciuto: "tose". Forse: "Tosse",
// "Tosse secca"`.
struct CheckedEntry {
    std::string entry;
    std::string failure;
};
CheckedEntry checkEntry(const std::vector<std::string>& entries, const std::string& typed, const char* kindCaption);

} // namespace qv::consultations
