// Remedies by astrological signature: the signature test, the remedy-name
// list of the signature, plant and synthesis windows with its record
// numbers ("FileDum\Prdts.dum"), the signature search with its hits
// ("FileDum\Segnat.dum"), and the debilities: from a debilitated planet and
// sign to the pathologies of the therapy repertory whose remedies carry the
// opposite signature, and from a pathology to its remedies, marked.
#pragma once

#include "base/data_dir.h"
#include "remedies/records.h"
#include "remedies/scratch_files.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qv::remedies {

// The choice that matches every record, planet or sign.
inline constexpr const char* kAnySignature = "Qualsiasi";

// The planet words of the signatures, Sole … NodoSud, and the sign words,
// Ariete … Pesci, as the radio buttons name them.
extern const std::array<const char*, 9> kSignaturePlanets;
extern const std::array<const char*, 12> kSignatureSigns;

// A record carries planet P and sign S when P stands (case-sensitive) in
// its primary or its secondary signature and S in its zodiacal signature;
// "Qualsiasi" stands everywhere.
bool carriesSignature(const std::string& primary, const std::string& secondary, const std::string& zodiacal,
                      const std::string& planet, const std::string& sign);
bool carriesSignature(const RemedyRecord& r, const std::string& planet, const std::string& sign);

// The sign across the zodiac ("Ariete" ↔ "Bilancia"); "Qualsiasi" and any
// other text stay as they are. A debilitated sign is searched as the
// opposite sign in the zodiacal signatures.
std::string oppositeSign(const std::string& sign);

// The stored remedy names of "OpzioneH\DBmain.rnd", record 0 included.
std::vector<std::string> readStoredRemedyNames(const DataDir& dir);
// The remedy-name list of the window (names with "Errore" left out), with
// "FileDum\Prdts.dum" written for it.
std::vector<ListedRemedy> openRemedyNameList(const DataDir& dir);

// The signatures of one record, as one row shows them and as Segnat.dum
// keeps them.
SignatureHit signatureHitOf(const RemedyRecord& r);

// The first record (from 0) of a listed remedy name, or nothing.
struct FoundRemedy {
    std::int64_t record;
    RemedyRecord data;
};
std::optional<FoundRemedy> firstRecordOf(const DataDir& dir, const std::string& listedName);

// The signature search: for each entry k of the listed names, the record
// named on line k of Prdts.dum (skipped when that record bears another
// name) is kept when it carries the planet and sign. The hits, in list
// order, are written to Segnat.dum (four lines each) and returned.
std::vector<FoundRemedy> signatureSearch(const DataDir& dir, const std::vector<std::string>& listedNames,
                                         const std::string& planet, const std::string& sign);

// The same search without the scratch files, over the remedy-name list:
// with `secondary` false the planet is looked for in the primary signature
// only.
std::vector<FoundRemedy> findBySignature(const DataDir& dir, const std::string& planet, const std::string& sign,
                                         bool secondary);

// Debilities: the distinct pathologies (list order) of the repertory whose
// remedy is one of the remedies carrying `planet` and `searchedSign`.
std::vector<std::string> debilityPathologies(const DataDir& dir, const std::string& planet,
                                             const std::string& searchedSign);
// The remedies of a pathology in list order; those whose primary database
// record carries the signature are shown as ">>> name <<<".
std::vector<std::string> pathologyRemedies(const DataDir& dir, const std::string& pathology,
                                           const std::string& planet, const std::string& searchedSign);
std::string markedRemedy(const std::string& name);

} // namespace qv::remedies
