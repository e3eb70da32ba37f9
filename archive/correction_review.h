// When the birth data of a stored subject change (date, time, place, nation
// or calendar), the correction, and with a new place the coordinates,
// follow them from the atlas and the time regimes, as birth entry derives
// them. The review only proposes: the caller shows the old and the new
// values and the user decides whether the typed ones stay.
#pragma once

#include "archive/places.h"
#include "archive/regime_derivation.h"
#include "archive/subject_operations.h"

#include <string>
#include <vector>

namespace qv {

enum class AtlasAnswer {
    Unchanged,   // no birth datum changed: nothing to recompute
    Derived,     // the place was found and the values derived
    NotFound,    // no place of that name: the typed values stand
    Ambiguous,   // several places of that name: `candidates`
    NotDerived,  // the date or the regime tables did not allow it: `reason`
};

struct CorrectionReview {
    AtlasAnswer answer = AtlasAnswer::Unchanged;
    std::vector<atlas::Place> candidates;
    std::string reason;
    // Derived: the values as the fields show them ("-2", "43N21-012E34",
    // "GREGORIANO"). Coordinates follow the atlas only when the place or
    // nation changed; the calendar follows the atlas unless it was changed.
    std::string correction;
    std::string coordinates;
    std::string calendar;
    // What the derivation found worth telling: "REGIMI ORARI NON AGGIORNATI",
    // a clock time that a change of regime repeated or skipped.
    std::vector<std::string> notes;
    bool correctionDiffers = false;
    bool coordinatesDiffer = false;
    bool calendarDiffers = false;

    bool proposesChange() const { return correctionDiffers || coordinatesDiffer || calendarDiffers; }
};

// Compares the stored fields with the typed ones (both stripped of blanks
// on both sides, as checkSubjectEdit leaves them) and derives what the
// atlas gives for the typed ones. `reformSetting` is line 4 of the display
// settings, as birth entry uses it.
CorrectionReview reviewCorrection(const SubjectEdit& stored, const SubjectEdit& typed, int reformSetting);

// The notes of a derivation worth telling beside its correction.
std::vector<std::string> derivationNotes(const atlas::Derivation& d);

// Puts the derived correction, coordinates and calendar into `edit`.
void acceptReview(SubjectEdit& edit, const CorrectionReview& review);

// True when two correction texts ("-1", "-1,00", "+1.5") are the same number.
bool sameCorrection(const std::string& a, const std::string& b);

} // namespace qv
