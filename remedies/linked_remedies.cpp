#include "remedies/linked_remedies.h"

#include "remedies/consultation.h"
#include "remedies/list_order.h"
#include "remedies/remedy_files.h"
#include "remedies/remedy_text.h"
#include "remedies/signature_search.h"
#include "remedies/support_lists.h"

#include <array>

namespace qv::remedies {

namespace {

constexpr int kPlanetFiles = 9;    // Sole … NodoSud
constexpr int kPlantPlanets = 7;   // Sole … Saturno
constexpr std::size_t kLongestChosenName = 80;

const std::array<const char*, 9> kPlanetPhrases = {"al SOLE",  "alla LUNA",  "a MERCURIO",   "a VENERE",   "a MARTE",
                                                   "a GIOVE",  "a SATURNO",  "al NODO NORD", "al NODO SUD"};
const std::array<const char*, 12> kSignPhrases = {"all'ARIETE",   "al TORO",       "ai GEMELLI",   "al CANCRO",
                                                  "al LEONE",     "alla VERGINE",  "alla BILANCIA", "allo SCORPIONE",
                                                  "al SAGITTARIO", "al CAPRICORNO", "all'ACQUARIO", "ai PESCI"};

bool validSubject(LinkedSubject s) {
    return s.sign ? s.number >= 1 && s.number <= 12 : s.number >= 1 && s.number <= 11;
}

const SignatureFile& fileOf(LinkedSubject s) {
    return signatureFiles().at(static_cast<std::size_t>(s.sign ? kPlanetFiles + s.number - 1 : s.number - 1));
}

// The stored text without trailing blanks, at most 80 characters.
std::string chosenName(const std::string& text) { return trimRightBlanks(text).substr(0, kLongestChosenName); }

} // namespace

bool hasLinkedList(LinkedSubject s, LinkedMode mode) {
    if (!validSubject(s)) return false;
    if (s.sign) return true;
    return s.number <= (mode == LinkedMode::Remedies ? kPlanetFiles : kPlantPlanets);
}

std::string linkedFilePath(LinkedSubject s, LinkedMode mode) {
    return std::string(mode == LinkedMode::Remedies ? "OpzioneH\\" : "OpzioneS\\") + fileOf(s).stem + ".rnd";
}

std::string linkedPhrase(LinkedSubject s) {
    if (!validSubject(s) || (!s.sign && s.number > kPlanetFiles)) return {};
    return s.sign ? kSignPhrases[static_cast<std::size_t>(s.number - 1)]
                  : kPlanetPhrases[static_cast<std::size_t>(s.number - 1)];
}

std::string linkedSubjectName(LinkedSubject s) {
    if (!validSubject(s)) return {};
    if (s.sign) return kSignatureSigns[static_cast<std::size_t>(s.number - 1)];
    if (s.number == kAscendantPoint) return "Ascendente";
    if (s.number == kMcPoint) return "Medio Cielo";
    return kSignaturePlanets[static_cast<std::size_t>(s.number - 1)];
}

std::optional<LinkedList> linkedList(const DataDir& dir, LinkedSubject s, LinkedMode mode) {
    if (!hasLinkedList(s, mode)) return std::nullopt;
    LinkedList list;
    if (mode == LinkedMode::Remedies) {
        list.caption = "RIMEDI associabili " + linkedPhrase(s);
        list.chooserText = "RIMEDI";
        list.names = readNames(dir, linkedFilePath(s, mode), kRemedyNameWidth);
    } else {
        list.caption = "PIANTE associate " + linkedPhrase(s);
        list.chooserText = "PIANTE";
        list.names = readNames(dir, linkedFilePath(s, mode), kPlantNameWidth);
        if (!list.names.empty()) list.names.erase(list.names.begin());  // record 0 is a header
    }
    return list;
}

LinkedDetails remedySymptoms(const DataDir& dir, const std::string& chosen) {
    const std::string name = chosenName(chosen);
    LinkedDetails out;
    // The list names the uses tradition gives the remedy; it promises no cure.
    out.symptoms = {"USI TRADIZIONALI di ", name};
    std::vector<std::string> indications;
    std::string warnings;
    const RecordScan scan(dir, files::kRemedies, remedyLayout());
    scan.forEach(1, [&](std::int64_t, std::span<const std::uint8_t> r) {
        if (trimRightBlanks(fieldText(r, remedy_fields::rimedio)) != name) return true;
        const RemedyRecord record = decodeRemedy(r);
        indications.push_back(record.indication());
        if (warnings.empty()) warnings = trimRightBlanks(record.warnings());
        if (out.details.empty())
            out.details = {"RIMEDIO: " + record.rimedio, "SEGNATURA PRIMARIA: " + record.segnaturaPrimaria,
                           "SEGNATURA SECONDARIA: " + record.segnaturaSecondaria,
                           "SEGNATURA ZODIACALE: " + record.segnaturaZodiacale};
        return true;
    });
    sortInListOrder(indications);
    out.symptoms.insert(out.symptoms.end(), indications.begin(), indications.end());
    // A remedy proposed for the chart comes with its warnings in full.
    if (!out.details.empty()) out.details.push_back("AVVERTENZE: " + (warnings.empty() ? std::string(kNoWarnings) : warnings));
    return out;
}

LinkedDetails plantSymptoms(const DataDir& dir, const std::string& plant, bool fromChooser) {
    const std::string name = trimRightBlanks(plant);
    LinkedDetails out;
    if (fromChooser)
        out.symptoms = {"USI TRADIZIONALI di ", name};
    else
        out.symptoms = {"USI TRADIZIONALI di " + name};
    const RecordScan scan(dir, files::kPlantEntries, plantEntryLayout());
    scan.forEach(1, [&](std::int64_t, std::span<const std::uint8_t> r) {
        const PlantEntryRecord e = decodePlantEntry(r);
        if (trimRightBlanks(e.pianta) != name) return true;
        out.symptoms.push_back(e.sintomo);
        out.details = {"PIANTA: " + e.pianta, "SEGNATURA PRIMARIA: " + e.segnaturaPrimaria,
                       "SEGNATURA SECONDARIA: " + e.segnaturaSecondaria,
                       "SEGNATURA ZODIACALE: " + e.segnaturaZodiacale, "SINTESI PSICHICA: " + e.sintesi};
        return true;
    });
    return out;
}

std::vector<PointLinks> chartLinks(const DataDir& dir, const ChartState& chart) {
    // Each name file is read once, however many points share it.
    std::array<std::optional<std::vector<std::string>>, 21> files;
    const auto namesOf = [&](LinkedSubject s) -> const std::vector<std::string>& {
        auto& slot = files.at(static_cast<std::size_t>(s.sign ? kPlanetFiles + s.number - 1 : s.number - 1));
        if (!slot) slot = linkedList(dir, s, LinkedMode::Remedies)->names;
        return *slot;
    };
    std::vector<PointLinks> out;
    for (int p = kSun; p <= kMcPoint; ++p) {
        PointLinks links;
        links.point = p;
        links.pointName = linkedSubjectName({false, p});
        links.sign = chart.signOf.at(static_cast<std::size_t>(p));
        if (links.sign >= 1 && links.sign <= 12) {
            links.signName = linkedSubjectName({true, links.sign});
            links.bySign = namesOf({true, links.sign});
        }
        if (hasLinkedList({false, p}, LinkedMode::Remedies)) links.byPlanet = namesOf({false, p});
        out.push_back(std::move(links));
    }
    return out;
}

} // namespace qv::remedies
