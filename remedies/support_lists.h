// The support lists: the lists the consultation windows show, derived
// whole from the record files, never edited in place. Each derivation is a
// pure function of the records (record 0, the header, is never listed);
// the rebuild writes them all after every source has been read and checked.
#pragma once

#include "base/data_dir.h"
#include "remedies/records.h"

#include <string>
#include <vector>

namespace qv::remedies {

// "OpzioneH\Sintomi.txt": the distinct indications of records 1 … N−1 in
// their listed form, in list order.
std::vector<std::string> deriveSymptomList(const std::vector<RemedyRecord>& remedies);
// "OpzioneH\ProdotA.txt": the distinct remedy names, listed form, list order.
std::vector<std::string> deriveRemedyNames(const std::vector<RemedyRecord>& remedies);
// "OpzioneH\ProdotB.txt": every name of ProdotA.txt and, for a name that
// begins with a preparation type, a line that shows the base name with the
// type in parentheses, padded to 70 characters and followed by the name.
std::vector<std::string> deriveRemedyLines(const std::vector<std::string>& remedyNames);
// The name under which a remedy-list line is found when no record is named
// like the whole line: the source name after the 70-character part.
std::string sourceNameOfLine(const std::string& line);

// The per-planet and per-sign name files read by the chart window.
struct SignatureFile {
    const char* stem;   // "OpzioneH\" + stem + ".rnd"
    const char* key;    // the word looked for
    bool zodiacal;      // in SegnaturaZodiacale, else in SegnaturaPrimaria
};
const std::vector<SignatureFile>& signatureFiles();
std::string signatureFilePath(const SignatureFile& f);
std::vector<std::string> deriveSignatureNames(const std::vector<RemedyRecord>& remedies, const SignatureFile& f);

// "OpzioneH\Patolog.txt": the distinct pathologies of the repertory.
std::vector<std::string> derivePathologies(const std::vector<RepertoryRecord>& repertory);
// "OpzioneH\ProdotR.txt": the distinct remedy names of the repertory.
std::vector<std::string> deriveRepertoryRemedies(const std::vector<RepertoryRecord>& repertory);
// A tally file: one record per name, cut to 50 characters, count 0.
std::vector<Bytes> zeroTally(const std::vector<std::string>& names);

// "OpzioneS\DataStf.rnd" from "OpzioneS\DbTesto.Txt": groups of eight lines
// (plant, code, primary, secondary and zodiacal signature, synthesis,
// symptom, authors), group g to record g. A line longer than its field or
// an incomplete last group is an IoError naming the text file.
std::vector<PlantEntryRecord> parsePlantText(const std::vector<std::string>& lines);
// "OpzioneS\Sintomi.rnd" and "OpzioneS\Piante.rnd": the names that go to
// records 1 onward (record 0 is left zero).
std::vector<std::string> derivePlantSymptoms(const std::vector<PlantEntryRecord>& entries);
std::vector<std::string> derivePlantNames(const std::vector<PlantEntryRecord>& entries);
// A name file whose record 0 is zero and whose names follow from record 1.
std::vector<Bytes> namesFromRecordOne(const std::vector<std::string>& names, std::size_t width);

struct RebuildSummary {
    std::size_t remedies = 0;      // records of the primary database, record 0 excluded
    std::size_t repertory = 0;     // records of the repertory, record 0 excluded
    std::size_t symptoms = 0;      // lines of Sintomi.txt
    std::size_t remedyNames = 0;   // lines of ProdotA.txt
    std::size_t remedyLines = 0;   // lines of ProdotB.txt
    std::size_t pathologies = 0;   // lines of Patolog.txt
    std::size_t repertoryRemedies = 0;
    bool plants = false;           // the plant lists were rebuilt too
    std::size_t plantSymptoms = 0;
    std::size_t plantNames = 0;
    std::size_t filesWritten = 0;
};

// Rebuilds every support list of the primary database and of the
// repertory, the two tally files, and (when "OpzioneS\DataStf.rnd" exists)
// the plant name files. Both record files must exist.
RebuildSummary rebuildSupportLists(const DataDir& dir);

// The therapy lists alone ("OpzioneH\ProdotR.txt" and "OpzioneH\TerCom.Rnd"),
// as the composite-therapy window rebuilds them on opening.
void rebuildTherapyTally(const DataDir& dir);

// Compiles "OpzioneS\DbTesto.Txt" into "OpzioneS\DataStf.rnd" and its two
// name files. Returns the number of records written (header included).
std::size_t compilePlantDatabase(const DataDir& dir);

} // namespace qv::remedies
