#include "shell/cli/signature_commands.h"

#include "base/data_dir.h"
#include "ephemeris/chart_state.h"
#include "remedies/linked_remedies.h"
#include "remedies/named_lists.h"
#include "remedies/remedy_text.h"
#include "remedies/signature_search.h"
#include "shell/cli/cli_support.h"
#include "shell/cli/picture_chart.h"
#include "shell/cli/remedy_lookups.h"

#include <algorithm>

namespace qv::cli {

namespace {

using namespace remedies;

// A planet or sign word as the signatures write it, or "Qualsiasi", from
// what was typed under the folded keys ("marte", "NODO N", "qualsiasi");
// a word that fits several, or none, is refused naming the candidates.
template <std::size_t N>
std::string chosenWord(const Arguments& a, const char* option, const std::array<const char*, N>& words) {
    const std::string value = a.value(option).value_or(kAnySignature);
    std::vector<std::string> all(words.begin(), words.end());
    all.push_back(kAnySignature);
    const NameChoice c = chooseName(all, typedText(value, option));
    if (c.entry) return *c.entry;
    std::string listed;
    for (const std::string& w : c.candidates.empty() ? all : c.candidates) listed += (listed.empty() ? "" : ", ") + w;
    throw UsageError{std::string("Valore non valido per ") + option + ": \"" + value + "\"" +
                     (c.candidates.empty() ? " (uno di: " : " (pi\xF9 valori possibili: ") + listed + ")"};
}

std::string throughWhich(const RemedyRecord& r, const std::string& planet) {
    if (planet == kAnySignature) return "qualsiasi";
    return r.segnaturaPrimaria.find(planet) != std::string::npos ? "primaria" : "secondaria";
}

} // namespace

int signatureCommand(const std::vector<std::string>& args, std::ostream& out) {
    const Arguments a(args, {"--planet", "--sign", "--data-dir"}, {"--secondary", "--json"});
    if (!a.positional().empty()) throw UsageError{"Argomento inatteso: " + a.positional().front()};
    if (!a.value("--planet")) throw UsageError{"Indicare il pianeta con --planet (o --planet Qualsiasi)"};
    const std::string planet = chosenWord(a, "--planet", kSignaturePlanets);
    const std::string sign = chosenWord(a, "--sign", kSignatureSigns);
    const bool secondary = a.flag("--secondary");
    openDataDirectory(a.value("--data-dir"));
    const auto hits = findBySignature(dataDir(), planet, sign, secondary);
    if (a.flag("--json")) {
        out << "{\"planet\": " << jsonString(planet) << ", \"sign\": " << jsonString(sign)
            << ", \"secondary\": " << (secondary ? "true" : "false") << ", \"remedies\": [";
        for (std::size_t i = 0; i < hits.size(); ++i) {
            const RemedyRecord& r = hits[i].data;
            out << (i ? ", " : "") << "{\"record\": " << hits[i].record << ", \"remedy\": " << jsonString(r.rimedio)
                << ", \"primary\": " << jsonString(r.segnaturaPrimaria)
                << ", \"secondary\": " << jsonString(r.segnaturaSecondaria)
                << ", \"zodiacal\": " << jsonString(r.segnaturaZodiacale)
                << ", \"through\": " << jsonString(throughWhich(r, planet)) << "}";
        }
        out << "]}\n";
        return kExitOk;
    }
    out << shownLine("Segnatura: " + planet + " in " + sign +
                (secondary ? " (pianeta nella segnatura primaria o secondaria)" : " (pianeta nella segnatura primaria)"))
        << hits.size() << " rimedi\n";
    for (const FoundRemedy& h : hits) {
        const RemedyRecord& r = h.data;
        out << shownLine("- " + r.rimedio + "  [" + r.segnaturaPrimaria + " | " + r.segnaturaSecondaria + " | " +
                    r.segnaturaZodiacale + "]" + (throughWhich(r, planet) == "secondaria" ? "  (secondaria)" : ""));
    }
    return kExitOk;
}

int linkedCommand(const std::vector<std::string>& args, std::ostream& out) {
    const Arguments a(args,
                      {"--date", "--time", "--corr", "--coords", "--calendar", "--houses", "--node", "--black-moon",
                       "--data-dir"},
                      {"--current", "--json"});
    if (!a.positional().empty()) throw UsageError{"Argomento inatteso: " + a.positional().front()};
    castPictureChart(a);
    const std::vector<PointLinks> links = chartLinks(dataDir(), chartState());
    // Every proposed remedy comes with its warnings in full.
    const auto warnings = remedyWarnings(dataDir());
    if (a.flag("--json")) {
        out << "{\"points\": [";
        for (std::size_t i = 0; i < links.size(); ++i) {
            const PointLinks& p = links[i];
            out << (i ? ", " : "") << "{\"point\": " << p.point << ", \"name\": " << jsonString(p.pointName)
                << ", \"sign\": " << p.sign << ", \"sign_name\": " << jsonString(p.signName) << ", \"links\": [";
            bool first = true;
            const auto put = [&](const std::vector<std::string>& names, const char* through, const std::string& word) {
                for (const std::string& n : names) {
                    out << (first ? "" : ", ") << "{\"remedy\": " << jsonString(n) << ", \"through\": \"" << through
                        << "\", \"word\": " << jsonString(word)
                        << ", \"warnings\": " << jsonString(warningsOf(warnings, n)) << "}";
                    first = false;
                }
            };
            put(p.byPlanet, "primary", p.pointName);
            put(p.bySign, "zodiacal", p.signName);
            out << "]}";
        }
        out << "]}\n";
        return kExitOk;
    }
    for (const PointLinks& p : links) {
        out << shownLine(p.pointName + " in " + p.signName);
        const auto put = [&](const std::vector<std::string>& names, const std::string& through) {
            if (names.empty()) {
                out << shownLine("  " + through + ": nessun rimedio");
                return;
            }
            std::string joined;
            for (const std::string& n : names) joined += (joined.empty() ? "" : ", ") + n;
            out << shownLine("  " + through + ": " + joined);
            for (const std::string& n : names) {
                const std::string w = warningsOf(warnings, n);
                if (!w.empty()) out << shownLine("    Avvertenze di " + trimRightBlanks(n) + ": " + w);
            }
        };
        if (hasLinkedList({false, p.point}, LinkedMode::Remedies)) put(p.byPlanet, "segnatura primaria " + p.pointName);
        put(p.bySign, "segnatura zodiacale " + p.signName);
    }
    return kExitOk;
}

} // namespace qv::cli
