// The note a correction or deletion of a subject leaves while it runs
// (FileTmp\CambioSoggetto.tmp), read at the next start: any bytes end in a
// record or in nothing, never in a crash; a record read writes back to the
// same record.
#include "consultations/subject_change_record.h"
#include "tests/fuzz/fuzz_outcome.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

using namespace qv;
using namespace qv::consultations;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto record = decodeSubjectChange(text);
    if (!record) {
        fuzz::noteOutcome("illeggibile");
        return 0;
    }
    fuzz::noteOutcome(record->kind == SubjectChangeRecord::Kind::Rename ? "rinomina" : "eliminazione");
    const auto again = decodeSubjectChange(encodeSubjectChange(*record));
    if (!again || !(*again == *record)) std::abort();
    return 0;
}

// A deletion and a correction as the program writes them.
std::vector<std::string> qvFuzzSeeds() {
    SubjectChangeRecord deletion;
    deletion.kind = SubjectChangeRecord::Kind::Delete;
    deletion.archive = "BASE";
    deletion.birthNumber = 7;
    deletion.annotationNumber = 3;
    deletion.oldEntry = "ROSSI MARIA                           00007";
    deletion.oldLink = {"BASE", "ROSSI MARIA", "196803121430-1"};
    deletion.withConsultations = true;
    deletion.textNumber = "00002";
    SubjectChangeRecord rename = deletion;
    rename.kind = SubjectChangeRecord::Kind::Rename;
    rename.newEntry = "ROSSI MARIA GRAZIA                    00007";
    rename.newLink = {"BASE", "ROSSI MARIA GRAZIA", "196803121430-1"};
    rename.oldBirth.moment = "196803121430-1";
    rename.oldBirth.place = "45N28-009E11MILANO *MI*";
    rename.newBirth = rename.oldBirth;
    rename.oldAnnotation = AnnotationRecord{{"Allergie", "", "", ""}};
    return {encodeSubjectChange(deletion), encodeSubjectChange(rename)};
}
