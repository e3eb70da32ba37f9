#include "remedies/remedy_planet.h"

#include "base/folded_key.h"
#include "ephemeris/text_forms.h"
#include "remedies/consultation.h"
#include "remedies/named_lists.h"

#include <algorithm>

namespace qv::remedies {

namespace {

const char* const kHourPlanets[8] = {"", "Sole", "Luna", "Mercurio", "Venere", "Marte", "Giove", "Saturno"};

} // namespace

RemedyPlanet planetOfRemedy(const DataDir& dir, const std::string& typed) {
    RemedyPlanet out;
    const ListSearch found = searchList(readNamedList(dir, NamedList::Remedies), typed);
    std::vector<RemedyMatch> records;
    for (const std::string& entry : found.matches) {
        auto matches = findRemedy(dir, entry);
        if (matches.empty()) continue;  // a line of a list not rebuilt since the record went
        const std::string name = TrimRightSpaces(matches.back().data.rimedio);
        if (foldedKey(name) == foldedKey(typed) || foldedKey(entry) == foldedKey(typed)) {
            records = std::move(matches);
            out.names = {name};
            break;
        }
        if (std::find(out.names.begin(), out.names.end(), name) == out.names.end()) {
            out.names.push_back(name);
            records = std::move(matches);
        }
    }
    if (out.names.empty()) {
        out.problem = "Nessun rimedio trovato: \"" + typed + "\"";
        return out;
    }
    if (out.names.size() > 1) {
        out.problem = "Pi\xF9 rimedi con questo nome: ";
        for (std::size_t i = 0; i < out.names.size() && i < 8; ++i) out.problem += (i ? ", " : "") + out.names[i];
        return out;
    }
    out.remedy = out.names.front();
    const std::string& signature = records.back().data.segnaturaPrimaria;
    std::size_t best = std::string::npos;
    for (int p = 1; p <= 7; ++p) {
        const std::size_t at = signature.find(kHourPlanets[p]);
        if (at < best) {
            best = at;
            out.planet = p;
        }
    }
    if (out.planet == 0)
        out.problem = "La segnatura del rimedio " + out.remedy + " non nomina un pianeta delle ore (" +
                      TrimRightSpaces(signature) + ")";
    return out;
}

} // namespace qv::remedies
