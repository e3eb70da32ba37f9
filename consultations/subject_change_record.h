// The note a change of subject leaves in the data directory while it runs:
// what the subject was and what it is to become, so that a change stopped
// half way (a kill, a power cut, a full disk) is finished or undone at the
// next start. Written whole before the first file changes, removed after
// the last. It holds a person's data for those moments only, readable by
// its owner.
#pragma once

#include "archive/archive_records.h"
#include "consultations/consultation.h"

#include <optional>
#include <string>

namespace qv::consultations {

inline constexpr const char* kSubjectChangeFile = "FileTmp\\CambioSoggetto.tmp";

struct SubjectChangeRecord {
    enum class Kind { Rename, Delete };
    Kind kind = Kind::Rename;
    std::string archive;
    int birthNumber = 0;
    int annotationNumber = 0;
    std::string oldEntry;  // the index entry's text before the change
    SubjectLink oldLink;

    // A rename: the records before and after. The annotation record is kept
    // when the change rewrites one that exists.
    std::string newEntry;
    SubjectLink newLink;
    BirthRecord oldBirth;
    BirthRecord newBirth;
    std::optional<AnnotationRecord> oldAnnotation;

    // A delete.
    bool withConsultations = false;
    bool wasCurrent = false;
    std::string textNumber;

    bool operator==(const SubjectChangeRecord&) const = default;
};

std::string encodeSubjectChange(const SubjectChangeRecord& record);
// Nothing when the text is no such record (cut short, or another file).
std::optional<SubjectChangeRecord> decodeSubjectChange(const std::string& text);

void writeSubjectChange(const SubjectChangeRecord& record);
// The record in the data directory; nothing when there is none. A file that
// does not read is an IoError naming it.
std::optional<SubjectChangeRecord> readSubjectChange();
void removeSubjectChange();

} // namespace qv::consultations
