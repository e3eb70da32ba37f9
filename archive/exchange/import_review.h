// The review of an import before anything is written: each subject's place
// found in the atlas and its correction derived from the place's time
// regimes, what the file says compared with that, duplicates of subjects
// already in the archive marked, and what cannot be taken refused with its
// reason. The practitioner then accepts records one by one or all.
#pragma once

#include "archive/archive_files.h"
#include "archive/exchange/exchanged_subject.h"
#include "archive/subject_registration.h"

#include <string>
#include <vector>

namespace qv::exchange {

enum class ReviewStatus { Ready, Duplicate, Refused };

struct ReviewedSubject {
    ExchangedSubject from;
    ReviewStatus status = ReviewStatus::Refused;
    std::string reason;              // why a duplicate or refused
    std::vector<std::string> notes;  // the file against the atlas, and which was taken
    NewSubject subject;              // what registering it writes
};

// Coordinates and the file's offset stand where the file gives them (they
// are the file's birth); the atlas fills in what it leaves unknown. An
// offset within a minute of the atlas's and coordinates within 2' of its
// are not worth a note.
std::vector<ReviewedSubject> reviewImport(const Archive& archive, const std::vector<ExchangedSubject>& subjects);

// One line of the review: "riga 3  ROSSI MARIO  01/02/1980 08:30  MILANO (MI)  pronto".
std::string reviewLine(const ReviewedSubject& r);

} // namespace qv::exchange
