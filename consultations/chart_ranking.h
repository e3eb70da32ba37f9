// The multiple-symptom ranking read with the person's chart: among remedies
// that serve the same number of complaints, those whose signatures carry a
// planet the chart stresses come first. The planets are the chart master,
// the Ascendant's ruler and the planets in exile or fall; each row so
// raised says why ("Segnatura: Venere, maestro del tema").
#pragma once

#include "base/data_dir.h"
#include "ephemeris/chart_state.h"
#include "remedies/composite.h"

#include <array>
#include <string>
#include <vector>

namespace qv::consultations {

// A planet 1 (Sole) … 7 (Saturno) and what makes it stand out in the chart:
// "maestro del tema", "signore dell'Ascendente", "in esilio", "in caduta".
struct StressedPlanet {
    int planet = 0;
    std::vector<std::string> roles;
};

struct ChartSignatureKey {
    std::vector<StressedPlanet> planets;  // in planet order
    int master = 0;                       // 1–10, 0 when no planet scores above 0
    bool empty() const { return planets.empty(); }
};

// From the master (1–10; only Sole … Saturno are signatures of remedies),
// the Ascendant's sign and the signs of planets 1–7 (index 0 unused).
ChartSignatureKey chartSignatureKey(int master, int ascendantSign, const std::array<int, 8>& planetSigns);

// The key of a cast chart in the traditional layout and its chart master.
ChartSignatureKey keyOfChart(const ChartState& natal, int master);

// The key of the current subject (TMPR), its chart cast as the main window
// casts it (chartOfCurrentSubject). `subject` receives the subject's name.
// No current subject is an IoError.
ChartSignatureKey currentSubjectKey(std::string* subject = nullptr);

// "Sole, maestro del tema; Marte, signore dell'Ascendente, in esilio": the
// planets of the key and their roles, as a heading shows them.
std::string keyText(const ChartSignatureKey& key);

// "Segnatura: Venere, maestro del tema; Marte, in esilio" for the planets of
// the key that the signatures name, or empty when they name none.
std::string signatureReason(const ChartSignatureKey& key, const std::string& primary, const std::string& secondary);

struct ChartRankedRemedy {
    remedies::RankedRemedy ranked;
    std::string reason;  // empty when the chart does not raise it
};

// The ranking with the chart as second key: within each count, the rows
// with a reason first, each group in the order the ranking gave. The
// signatures are those of each remedy's first record.
std::vector<ChartRankedRemedy> rankWithChart(const DataDir& dir, const std::vector<remedies::RankedRemedy>& ranked,
                                             const ChartSignatureKey& key);

} // namespace qv::consultations
