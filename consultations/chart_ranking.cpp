#include "consultations/chart_ranking.h"

#include "analysis/chart_codes.h"
#include "analysis/dignities.h"
#include "consultations/report_subject.h"
#include "remedies/remedy_files.h"
#include "remedies/remedy_text.h"
#include "remedies/signature_search.h"

#include <algorithm>
#include <map>
#include <set>

namespace qv::consultations {

namespace {

StressedPlanet& planetOf(std::vector<StressedPlanet>& planets, int planet) {
    auto it = std::find_if(planets.begin(), planets.end(), [&](const StressedPlanet& p) { return p.planet == planet; });
    if (it != planets.end()) return *it;
    planets.push_back({planet, {}});
    return planets.back();
}

} // namespace

ChartSignatureKey chartSignatureKey(int master, int ascendantSign, const std::array<int, 8>& planetSigns) {
    ChartSignatureKey key;
    key.master = master;
    if (master >= 1 && master <= kPlanets) planetOf(key.planets, master).roles.push_back("maestro del tema");
    if (ascendantSign >= 1 && ascendantSign <= 12)
        if (const int ruler = signRuler(ascendantSign); ruler >= 1 && ruler <= kPlanets)
            planetOf(key.planets, ruler).roles.push_back("signore dell'Ascendente");
    for (int p = 1; p <= kPlanets; ++p) {
        const int sign = planetSigns[static_cast<std::size_t>(p)];
        if (sign < 1 || sign > 12) continue;
        const int state = dignityState(p, sign);
        if (state == kExile) planetOf(key.planets, p).roles.push_back("in esilio");
        if (state == kFall) planetOf(key.planets, p).roles.push_back("in caduta");
    }
    std::sort(key.planets.begin(), key.planets.end(),
              [](const StressedPlanet& a, const StressedPlanet& b) { return a.planet < b.planet; });
    return key;
}

ChartSignatureKey keyOfChart(const ChartState& natal, int master) {
    std::array<int, 8> signs{};
    for (int p = 1; p <= kPlanets; ++p) signs[static_cast<std::size_t>(p)] = natal.signOf[static_cast<std::size_t>(p)];
    return chartSignatureKey(master, natal.signOf[kAscendantPoint], signs);
}

ChartSignatureKey currentSubjectKey(std::string* subject) {
    const SubjectChart current = chartOfCurrentSubject();
    if (subject) *subject = current.subject.name;
    return keyOfChart(current.natal, current.master);
}

std::string keyText(const ChartSignatureKey& key) {
    std::string out;
    for (const StressedPlanet& p : key.planets) {
        out += std::string(out.empty() ? "" : "; ") + kPlanetNames[static_cast<std::size_t>(p.planet)];
        for (const std::string& r : p.roles) out += ", " + r;
    }
    return out;
}

std::string signatureReason(const ChartSignatureKey& key, const std::string& primary, const std::string& secondary) {
    std::string reason;
    for (const StressedPlanet& p : key.planets) {
        const char* word = remedies::kSignaturePlanets[static_cast<std::size_t>(p.planet - 1)];
        if (!remedies::carriesSignature(primary, secondary, "", word, remedies::kAnySignature)) continue;
        std::string roles;
        for (const std::string& r : p.roles) roles += (roles.empty() ? "" : ", ") + r;
        reason += std::string(reason.empty() ? "Segnatura: " : "; ") + kPlanetNames[static_cast<std::size_t>(p.planet)] +
                  ", " + roles;
    }
    return reason;
}

std::vector<ChartRankedRemedy> rankWithChart(const DataDir& dir, const std::vector<remedies::RankedRemedy>& ranked,
                                             const ChartSignatureKey& key) {
    std::vector<ChartRankedRemedy> out;
    out.reserve(ranked.size());
    for (const remedies::RankedRemedy& r : ranked) out.push_back({r, {}});
    if (!key.empty() && !ranked.empty()) {
        // One pass over the database: the signatures of each name's first
        // record, for the names of the ranking.
        std::map<std::string, std::string> reasons;
        for (const remedies::RankedRemedy& r : ranked) reasons.emplace(r.name, std::string());
        std::set<std::string> seen;
        const remedies::RecordScan scan(dir, remedies::files::kRemedies, remedies::remedyLayout());
        scan.forEach(1, [&](std::int64_t, std::span<const std::uint8_t> record) {
            const std::string name = remedies::listedForm(remedies::fieldText(record, remedies::remedy_fields::rimedio));
            const auto it = reasons.find(name);
            if (it != reasons.end() && seen.insert(name).second)
                it->second = signatureReason(key, remedies::fieldText(record, remedies::remedy_fields::segnaturaPrimaria),
                                             remedies::fieldText(record, remedies::remedy_fields::segnaturaSecondaria));
            return seen.size() < reasons.size();
        });
        for (ChartRankedRemedy& r : out) r.reason = reasons[r.ranked.name];
    }
    std::stable_sort(out.begin(), out.end(), [](const ChartRankedRemedy& a, const ChartRankedRemedy& b) {
        if (a.ranked.count != b.ranked.count) return a.ranked.count > b.ranked.count;
        return !a.reason.empty() && b.reason.empty();
    });
    return out;
}

} // namespace qv::consultations
