#include "remedies/signature_search.h"

#include "remedies/list_order.h"
#include "remedies/remedy_files.h"
#include "remedies/remedy_text.h"

#include <set>
#include <unordered_set>

namespace qv::remedies {

const std::array<const char*, 9> kSignaturePlanets = {"Sole",  "Luna",  "Mercurio", "Venere", "Marte",
                                                      "Giove", "Saturno", "NodoNord", "NodoSud"};
const std::array<const char*, 12> kSignatureSigns = {"Ariete",  "Toro",     "Gemelli",    "Cancro",
                                                     "Leone",   "Vergine",  "Bilancia",   "Scorpione",
                                                     "Sagittario", "Capricorno", "Acquario", "Pesci"};

namespace {

bool holds(const std::string& text, const std::string& word) { return text.find(word) != std::string::npos; }

// The signatures of a record read without decoding the rest of it.
bool recordCarries(std::span<const std::uint8_t> r, const std::string& planet, const std::string& sign) {
    return carriesSignature(fieldText(r, remedy_fields::segnaturaPrimaria),
                            fieldText(r, remedy_fields::segnaturaSecondaria),
                            fieldText(r, remedy_fields::segnaturaZodiacale), planet, sign);
}

} // namespace

bool carriesSignature(const std::string& primary, const std::string& secondary, const std::string& zodiacal,
                      const std::string& planet, const std::string& sign) {
    const bool planetHeld = planet == kAnySignature || holds(primary, planet) || holds(secondary, planet);
    return planetHeld && (sign == kAnySignature || holds(zodiacal, sign));
}

bool carriesSignature(const RemedyRecord& r, const std::string& planet, const std::string& sign) {
    return carriesSignature(r.segnaturaPrimaria, r.segnaturaSecondaria, r.segnaturaZodiacale, planet, sign);
}

std::string oppositeSign(const std::string& sign) {
    for (std::size_t i = 0; i < kSignatureSigns.size(); ++i)
        if (sign == kSignatureSigns[i]) return kSignatureSigns[(i + 6) % 12];
    return sign;
}

std::vector<std::string> readStoredRemedyNames(const DataDir& dir) {
    std::vector<std::string> names;
    const RecordScan scan(dir, files::kRemedies, remedyLayout());
    names.reserve(static_cast<std::size_t>(scan.count()));
    scan.forEach(0, [&](std::int64_t, std::span<const std::uint8_t> r) {
        names.push_back(fieldText(r, remedy_fields::rimedio));
        return true;
    });
    return names;
}

std::vector<ListedRemedy> openRemedyNameList(const DataDir& dir) {
    std::vector<ListedRemedy> list = remedyNameList(readStoredRemedyNames(dir));
    writeRecordNumbers(dir, list);
    return list;
}

SignatureHit signatureHitOf(const RemedyRecord& r) {
    return {r.rimedio, r.segnaturaPrimaria, r.segnaturaSecondaria, r.segnaturaZodiacale};
}

std::optional<FoundRemedy> firstRecordOf(const DataDir& dir, const std::string& listedName) {
    std::optional<FoundRemedy> found;
    const RecordScan scan(dir, files::kRemedies, remedyLayout());
    // A name stored with trailing blanks is listed without them: the record
    // is tied to its list entry through the trimmed name.
    scan.forEach(0, [&](std::int64_t k, std::span<const std::uint8_t> r) {
        if (trimRightBlanks(fieldText(r, remedy_fields::rimedio)) != listedName) return true;
        found = FoundRemedy{k, decodeRemedy(r)};
        return false;
    });
    return found;
}

std::vector<FoundRemedy> signatureSearch(const DataDir& dir, const std::vector<std::string>& listedNames,
                                         const std::string& planet, const std::string& sign) {
    const std::vector<std::int64_t> numbers = readRecordNumbers(dir);
    const RecordScan scan(dir, files::kRemedies, remedyLayout());
    std::vector<FoundRemedy> hits;
    for (std::size_t k = 0; k < listedNames.size() && k < numbers.size(); ++k) {
        // A line that points past the file or at a record of another name
        // leaves its entry out.
        if (numbers[k] >= scan.count()) continue;
        const Bytes r = scan.read(numbers[k]);
        if (trimRightBlanks(fieldText(r, remedy_fields::rimedio)) != listedNames[k]) continue;
        if (recordCarries(r, planet, sign)) hits.push_back({numbers[k], decodeRemedy(r)});
    }
    std::vector<SignatureHit> lines;
    lines.reserve(hits.size());
    for (const FoundRemedy& h : hits) lines.push_back(signatureHitOf(h.data));
    writeSignatureHits(dir, lines);
    return hits;
}

std::vector<FoundRemedy> findBySignature(const DataDir& dir, const std::string& planet, const std::string& sign,
                                         bool secondary) {
    const std::vector<ListedRemedy> list = remedyNameList(readStoredRemedyNames(dir));
    const RecordScan scan(dir, files::kRemedies, remedyLayout());
    std::vector<FoundRemedy> hits;
    for (const ListedRemedy& entry : list) {
        const Bytes r = scan.read(entry.firstRecord);
        const std::string primary = fieldText(r, remedy_fields::segnaturaPrimaria);
        const std::string second = secondary ? fieldText(r, remedy_fields::segnaturaSecondaria) : std::string();
        if (carriesSignature(primary, second, fieldText(r, remedy_fields::segnaturaZodiacale), planet, sign))
            hits.push_back({entry.firstRecord, decodeRemedy(r)});
    }
    return hits;
}

std::vector<std::string> debilityPathologies(const DataDir& dir, const std::string& planet,
                                             const std::string& searchedSign) {
    std::unordered_set<std::string> remedies;
    {
        const RecordScan scan(dir, files::kRemedies, remedyLayout());
        scan.forEach(0, [&](std::int64_t, std::span<const std::uint8_t> r) {
            if (recordCarries(r, planet, searchedSign)) remedies.insert(fieldText(r, remedy_fields::rimedio));
            return true;
        });
    }
    std::vector<std::string> pathologies;
    if (remedies.empty()) return pathologies;
    const RecordScan scan(dir, files::kRepertory, repertoryLayout());
    scan.forEach(0, [&](std::int64_t, std::span<const std::uint8_t> r) {
        if (remedies.count(fieldText(r, repertory_fields::rimedio)))
            pathologies.push_back(fieldText(r, repertory_fields::patologia));
        return true;
    });
    sortInListOrder(pathologies);
    dropRepeats(pathologies);
    return pathologies;
}

std::string markedRemedy(const std::string& name) { return ">>> " + name + " <<<"; }

std::vector<std::string> pathologyRemedies(const DataDir& dir, const std::string& pathology,
                                           const std::string& planet, const std::string& searchedSign) {
    std::vector<std::string> remedies;
    {
        const RecordScan scan(dir, files::kRepertory, repertoryLayout());
        scan.forEach(1, [&](std::int64_t, std::span<const std::uint8_t> r) {
            if (fieldText(r, repertory_fields::patologia) == pathology)
                remedies.push_back(fieldText(r, repertory_fields::rimedio));
            return true;
        });
    }
    sortInListOrder(remedies);
    if (remedies.empty()) return remedies;
    // The names under which a record carrying the signature is found: as
    // stored and in capitals (the repertory may write a name either way).
    std::set<std::string> carrying;
    const RecordScan scan(dir, files::kRemedies, remedyLayout());
    scan.forEach(1, [&](std::int64_t, std::span<const std::uint8_t> r) {
        if (!recordCarries(r, planet, searchedSign)) return true;
        const std::string name = fieldText(r, remedy_fields::rimedio);
        carrying.insert(name);
        carrying.insert(upperLetters(name));
        return true;
    });
    for (std::string& name : remedies)
        if (carrying.count(name)) name = markedRemedy(name);
    return remedies;
}

} // namespace qv::remedies
