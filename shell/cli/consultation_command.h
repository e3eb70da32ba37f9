// quorendaville-cli consultation: the practitioner's record of
// consultations of a subject of an archive.
#pragma once

#include "archive/subject_operations.h"
#include "consultations/consultation.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace qv::cli {

// consultation add --archive A --subject N [--date GG/MM/AAAA] [--symptom S]...
//     [--remedy R]... [--note T] [--follow-up GG/MM/AAAA]
// consultation list --archive A --subject N [--json]
// consultation delete --archive A --subject N --id K
// (all accept --data-dir DIR)
int consultationCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The subject --archive and --subject name: N is the index position, or a
// name that one subject of the archive bears (case, accents and blanks
// aside). An unknown archive or subject, or a name several subjects bear, is
// a UsageError saying which subjects there are.
struct NamedSubject {
    std::string archive;
    StoredSubject stored;
    consultations::SubjectLink link;
};
NamedSubject namedSubject(const std::string& archive, const std::string& subject);

// A consultation as JSON, as `consultation list --json` prints it.
std::string consultationJson(const consultations::Consultation& c);

// The number --id gives a consultation (the store numbers them from 1); a
// text that is no such number is a UsageError naming --id.
std::int64_t consultationId(const std::string& typed);

} // namespace qv::cli
