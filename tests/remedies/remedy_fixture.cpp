#include "tests/remedies/remedy_fixture.h"

#include "base/text_file.h"
#include "remedies/remedy_files.h"

namespace qv::test {

remedies::RemedyRecord remedy(const std::string& name, const std::string& indication, const std::string& primary,
                              const std::string& zodiacal) {
    remedies::RemedyRecord r;
    r.rimedio = name;
    r.setIndication(indication);
    r.segnaturaPrimaria = primary;
    r.segnaturaZodiacale = zodiacal;
    return r;
}

remedies::RepertoryRecord therapy(const std::string& pathology, const std::string& remedy, const std::string& dosage,
                                  const std::string& notes) {
    remedies::RepertoryRecord r;
    r.patologia = pathology;
    r.rimedio = remedy;
    r.posologia = dosage;
    r.setNotes(notes);
    return r;
}

void writeRemedyDatabase(const DataDir& dir, const std::vector<remedies::RemedyRecord>& records) {
    std::vector<remedies::RemedyRecord> all{remedy("Intestazione", "")};
    all.insert(all.end(), records.begin(), records.end());
    remedies::writeRemedies(dir, all);
}

void writeRepertoryDatabase(const DataDir& dir, const std::vector<remedies::RepertoryRecord>& records) {
    std::vector<remedies::RepertoryRecord> all{therapy("Intestazione", "")};
    all.insert(all.end(), records.begin(), records.end());
    remedies::writeRepertory(dir, all);
}

std::string fileBytes(const DataDir& dir, const std::string& dataPath) {
    return dir.exists(dataPath) ? readWholeFile(dir.resolve(dataPath)) : std::string();
}

} // namespace qv::test
