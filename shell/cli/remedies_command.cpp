#include "shell/cli/remedies_command.h"

#include "base/cp1252.h"
#include "base/data_dir.h"
#include "base/errors.h"
#include "analysis/chart_codes.h"
#include "consultations/chart_ranking.h"
#include "remedies/composite.h"
#include "settings/chart_settings.h"
#include "remedies/consultation.h"
#include "remedies/remedy_text.h"
#include "remedies/support_lists.h"
#include "remedies/named_lists.h"
#include "remedies/safety_tables.h"
#include "shell/cli/cli_support.h"
#include "shell/cli/remedy_lookups.h"
#include "shell/cli/signature_commands.h"

#include <algorithm>
#include <set>
#include <cctype>

namespace qv::cli {

namespace {

using namespace remedies;

const char* const kRemediesUsage =
    "Uso: quorendaville-cli remedies symptom SINTOMO      i rimedi dei sintomi che iniziano con il testo o lo\n"
    "                                 contengono (maiuscole, accenti e punteggiatura non contano)\n"
    "     quorendaville-cli remedies remedy RIMEDIO       la scheda dei rimedi che iniziano con il nome o lo contengono\n"
    "     quorendaville-cli remedies pathology PATOLOGIA  le terapie delle patologie che iniziano con il testo o lo\n"
    "                                 contengono\n"
    "     quorendaville-cli remedies list symptoms|pathologies|remedies|plants [--prefix INIZIO]\n"
    "                                 le voci di un elenco (con --prefix, quelle che iniziano cos\xEC)\n"
    "     quorendaville-cli remedies rank SINTOMO... [--current]\n"
    "                                 i rimedi per pi\xF9 sintomi (al massimo 15); con --current, a pari\n"
    "                                 numero prima quelli che portano i pianeti in evidenza nel tema\n"
    "                                 del soggetto attuale\n"
    "     quorendaville-cli remedies therapy PATOLOGIA... la terapia composita (al massimo 15)\n"
    "     quorendaville-cli remedies rebuild              rigenera gli elenchi dalla banca dati\n"
    "     quorendaville-cli remedies signature --planet PIANETA [--sign SEGNO] [--secondary]\n"
    "                                 i rimedi di una segnatura (Qualsiasi = ogni pianeta o segno)\n"
    "     quorendaville-cli remedies linked [--current | dati di nascita come per chart]\n"
    "                                 i rimedi legati a ogni punto del tema, per pianeta e per segno\n"
    "     (tutti accettano --json e --data-dir CARTELLA)";

// How the usage names a text: "il sintomo" is SINTOMO.
std::string placeholderOf(const std::string& what) {
    std::string name = what.substr(what.find(' ') + 1);
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return name;
}

// The one text a subcommand takes, typed in UTF-8: refused when it holds a
// character the database cannot store or a control character.
std::string oneText(const Arguments& a, const char* what) {
    if (a.positional().size() != 1) throw UsageError{std::string("Indicare un solo testo: ") + what + "\n" + kRemediesUsage};
    return typedText(a.positional().front(), placeholderOf(what));
}

ComplaintSlots slotsOf(const Arguments& a, const char* what) {
    if (a.positional().empty()) throw UsageError{std::string("Indicare almeno un ") + what + ".\n" + kRemediesUsage};
    if (a.positional().size() > kComplaintSlots)
        throw UsageError{"Al massimo " + std::to_string(kComplaintSlots) + " voci (ne sono state indicate " +
                         std::to_string(a.positional().size()) + ")"};
    ComplaintSlots slots;
    for (std::size_t i = 0; i < a.positional().size(); ++i) slots[i] = typedText(a.positional()[i], "VOCE " + std::to_string(i + 1));
    return slots;
}

// Every symptom entry that begins with or contains the typed text, each
// with the remedies that serve it and their warnings in full.
int symptom(const Arguments& a, std::ostream& out) {
    const std::string text = oneText(a, "il sintomo");
    openDataDirectory(a.value("--data-dir"));
    const bool json = a.flag("--json");
    const ListSearch found = searchList(readNamedList(dataDir(), NamedList::Symptoms), text);
    if (found.matches.empty()) return answerNothingFound(out, json, kSymptomWords, text, found.suggestions);
    if (json) out << "{\"query\": " << jsonString(text) << ", \"symptoms\": [";
    const auto allMatches = findSymptoms(dataDir(), found.matches);
    const RedFlags flags = RedFlags::read(dataDir());
    for (std::size_t s = 0; s < found.matches.size(); ++s) {
        const std::string& entry = found.matches[s];
        const auto& matches = allMatches[s];
        if (json) {
            out << (s ? ", " : "") << "{\"symptom\": " << jsonString(entry)
                << ", \"referral\": " << jsonString(flags.referral(entry)) << ", \"matches\": [";
            for (std::size_t i = 0; i < matches.size(); ++i) {
                const RemedyRecord& r = matches[i].data;
                out << (i ? ", " : "") << "{\"record\": " << matches[i].record << ", \"remedy\": " << jsonString(r.rimedio)
                    << ", \"planets\": " << jsonString(planetsText(r)) << ", \"signs\": " << jsonString(r.segnaturaZodiacale)
                    << ", \"dosage\": " << jsonString(r.dosage())
                    << ", \"warnings\": " << jsonString(trimRightBlanks(r.warnings())) << "}";
            }
            out << "]}";
            continue;
        }
        out << shownLine("Sintomo: " + entry);
        out << shownLine("Quando rivolgersi al medico: " + flags.referral(entry));
        out << matches.size() << " rimedi\n";
        for (const RemedyMatch& m : matches) {
            const RemedyRecord& r = m.data;
            out << shownLine("- " + r.rimedio + "  [" + planetsText(r) + " | " + r.segnaturaZodiacale + "]");
            if (!r.dosage().empty()) out << shownLine("  Posologia: " + r.dosage());
            out << warningsLine(r.warnings());
        }
    }
    if (json) out << "]}\n";
    return kExitOk;
}

// The card of every remedy line that begins with or contains the typed name.
int remedy(const Arguments& a, std::ostream& out) {
    const std::string text = oneText(a, "il rimedio");
    openDataDirectory(a.value("--data-dir"));
    const bool json = a.flag("--json");
    const ListSearch found = searchList(readNamedList(dataDir(), NamedList::Remedies), text);
    if (found.matches.empty()) return answerNothingFound(out, json, kRemedyWords, text, found.suggestions);
    if (json) out << "{\"query\": " << jsonString(text) << ", \"remedies\": [";
    bool first = true;
    // A remedy's name and its line with the preparation ("Salvia (TSA)")
    // lead to the same records: one card each.
    std::set<std::string> shownRemedies;
    for (const std::string& entry : found.matches) {
        const auto matches = findRemedy(dataDir(), entry);
        if (matches.empty()) continue; // a line of a list not rebuilt since the record went
        const RemedyRecord& last = matches.back().data;  // the last record found stays on view
        if (!shownRemedies.insert(trimRightBlanks(last.rimedio)).second) continue;
        const std::string caption = preparationCaption(last.rimedio);
        if (json) {
            out << (first ? "" : ", ") << "{\"remedy\": " << jsonString(last.rimedio) << ", \"line\": " << jsonString(entry)
                << ", \"preparation\": " << jsonString(caption)
                << ", \"use_number\": " << (hasUseNumber(last.rimedio) ? "true" : "false")
                << ", \"warnings\": " << jsonString(warningsOrNotice(last))
                << ", \"synthesis\": " << jsonString(last.synthesis()) << ", \"records\": [";
            for (std::size_t i = 0; i < matches.size(); ++i) {
                const RemedyRecord& r = matches[i].data;
                out << (i ? ", " : "") << "{\"record\": " << matches[i].record
                    << ", \"indication\": " << jsonString(r.indication()) << ", \"planets\": " << jsonString(planetsText(r))
                    << ", \"signs\": " << jsonString(r.segnaturaZodiacale) << ", \"dosage\": " << jsonString(r.dosage())
                    << "}";
            }
            out << "]}";
            first = false;
            continue;
        }
        if (!first) out << "\n";
        first = false;
        out << shownLine("Rimedio: " + last.rimedio + (caption.empty() ? "" : " " + caption));
        if (hasUseNumber(last.rimedio)) out << shownLine(kUseNumberNotice);
        // The dosage carries the duration the warnings refer to.
        if (!trimRightBlanks(last.dosage()).empty()) out << shownLine("Posologia: " + trimRightBlanks(last.dosage()));
        out << shownLine("Avvertenze: " + warningsOrNotice(last));
        if (!last.synthesis().empty()) out << shownLine("Sintesi Psichica: " + last.synthesis());
        out << matches.size() << " indicazioni\n";
        for (const RemedyMatch& m : matches)
            out << shownLine("- " + m.data.indication() + "  [" + planetsText(m.data) + " | " + m.data.segnaturaZodiacale + "]");
    }
    if (json) out << "]}\n";
    return kExitOk;
}

// Every pathology that begins with or contains the typed text, with the
// remedies the repertory prescribes and their warnings.
int pathology(const Arguments& a, std::ostream& out) {
    const std::string text = oneText(a, "la patologia");
    openDataDirectory(a.value("--data-dir"));
    const bool json = a.flag("--json");
    const ListSearch found = searchList(readNamedList(dataDir(), NamedList::Pathologies), text);
    if (found.matches.empty()) return answerNothingFound(out, json, kPathologyWords, text, found.suggestions);
    const auto warnings = remedyWarnings(dataDir());
    if (json) out << "{\"query\": " << jsonString(text) << ", \"pathologies\": [";
    for (std::size_t p = 0; p < found.matches.size(); ++p) {
        const std::string& entry = found.matches[p];
        const auto matches = findPathology(dataDir(), entry);
        if (json) {
            out << (p ? ", " : "") << "{\"pathology\": " << jsonString(entry) << ", \"matches\": [";
            for (std::size_t i = 0; i < matches.size(); ++i) {
                const RepertoryRecord& r = matches[i].data;
                out << (i ? ", " : "") << "{\"record\": " << matches[i].record << ", \"remedy\": " << jsonString(r.rimedio)
                    << ", \"dosage\": " << jsonString(r.posologia) << ", \"notes\": " << jsonString(r.notes())
                    << ", \"warnings\": " << jsonString(warningsOf(warnings, r.rimedio)) << "}";
            }
            out << "]}";
            continue;
        }
        out << shownLine("Patologia: " + entry) << matches.size() << " rimedi\n";
        for (const RepertoryMatch& m : matches) {
            out << shownLine("- " + m.data.rimedio + (m.data.posologia.empty() ? "" : "  Posologia: " + m.data.posologia));
            if (!m.data.notes().empty()) out << shownLine("  Note: " + m.data.notes());
            out << warningsLine(warningsOf(warnings, m.data.rimedio));
        }
    }
    if (json) out << "]}\n";
    return kExitOk;
}

// Each typed complaint is first resolved to one entry of the window's list
// (an ambiguity or a complaint nothing matches is told, and nothing is
// ranked). With --current the symptom ranking takes the current subject's
// chart as its second key: among equal counts, remedies whose signatures
// carry a planet the chart stresses come first, each saying why.
int ranking(const Arguments& a, std::ostream& out, CompositeKind kind) {
    ComplaintSlots slots = slotsOf(a, kind == CompositeKind::Symptoms ? "sintomo" : "disturbo");
    const bool withChart = a.flag("--current");
    if (withChart && kind != CompositeKind::Symptoms) throw UsageError{"--current vale solo per remedies rank"};
    openDataDirectory(a.value("--data-dir"));
    // The ranking rewrites working files of the data directory (the tally,
    // the therapies' remedy list, the chart master's files): one command at
    // a time, never while the desktop program works there.
    const auto lock = holdDataDirectory("la ricerca ne riscriverebbe i file di lavoro; chiudere l'altra copia e riprovare");
    // The composite-therapy window rebuilds its remedy list on opening.
    // A read-only data directory is searched with the lists it has.
    if (kind == CompositeKind::Therapies && !dataDir().readOnly()) rebuildTherapyTally(dataDir());
    const bool symptoms = kind == CompositeKind::Symptoms;
    const std::vector<std::string> typed(slots.begin(), slots.begin() + static_cast<std::ptrdiff_t>(a.positional().size()));
    const std::vector<std::string> chosen =
        resolveEach(out, a.flag("--json"), symptoms ? kSymptomWords : kPathologyWords,
                    readNamedList(dataDir(), symptoms ? NamedList::Symptoms : NamedList::Pathologies), typed);
    if (chosen.empty()) return kExitFailure;
    std::copy(chosen.begin(), chosen.end(), slots.begin());
    const auto ranked = rankRemedies(dataDir(), kind, slots);
    const auto warnings = remedyWarnings(dataDir());
    std::vector<consultations::ChartRankedRemedy> rows;
    consultations::ChartSignatureKey key;
    std::string subject;
    if (withChart) {
        LoadActiveOrbs();
        key = consultations::currentSubjectKey(&subject);
    }
    rows = consultations::rankWithChart(dataDir(), ranked, key);
    // Each complaint goes with when to see the doctor for it.
    const RedFlags flags = RedFlags::read(dataDir());
    if (a.flag("--json")) {
        out << "{\"complaints\": [";
        for (std::size_t i = 0; i < a.positional().size(); ++i) out << (i ? ", " : "") << jsonString(slots[i]);
        out << "], \"referrals\": [";
        for (std::size_t i = 0; i < a.positional().size(); ++i)
            out << (i ? ", " : "") << "{\"complaint\": " << jsonString(slots[i])
                << ", \"referral\": " << jsonString(flags.referral(slots[i])) << "}";
        out << "]";
        if (withChart) {
            out << ", \"subject\": " << jsonString(subject) << ", \"chart\": [";
            for (std::size_t i = 0; i < key.planets.size(); ++i) {
                out << (i ? ", " : "") << "{\"planet\": " << jsonString(kPlanetNames[static_cast<std::size_t>(key.planets[i].planet)])
                    << ", \"roles\": [";
                for (std::size_t k = 0; k < key.planets[i].roles.size(); ++k)
                    out << (k ? ", " : "") << jsonString(key.planets[i].roles[k]);
                out << "]}";
            }
            out << "]";
        }
        out << ", \"ranking\": [";
        for (std::size_t i = 0; i < rows.size(); ++i) {
            out << (i ? ", " : "") << "{\"count\": " << rows[i].ranked.count << ", \"name\": " << jsonString(rows[i].ranked.name)
                << ", \"warnings\": " << jsonString(warningsOf(warnings, rows[i].ranked.name));
            if (withChart) out << ", \"reason\": " << (rows[i].reason.empty() ? "null" : jsonString(rows[i].reason));
            out << "}";
        }
        out << "]}\n";
        return kExitOk;
    }
    if (withChart)
        out << shownLine("Con il tema di " + subject + ": " + (key.empty() ? "nessun pianeta in evidenza" : consultations::keyText(key)));
    if (rows.empty()) out << "Nessun rimedio\n";
    for (const auto& r : rows) {
        out << shownLine(r.ranked.entry() + (r.reason.empty() ? "" : "  (" + r.reason + ")"));
        out << warningsLine(warningsOf(warnings, r.ranked.name));
    }
    out << "Quando rivolgersi al medico:\n";
    for (std::size_t i = 0; i < a.positional().size(); ++i)
        out << shownLine("- " + slots[i] + ": " + flags.referral(slots[i]));
    return kExitOk;
}

int rebuild(const Arguments& a, std::ostream& out) {
    if (!a.positional().empty()) throw UsageError{"Argomento inatteso: " + a.positional().front()};
    openDataDirectory(a.value("--data-dir"));
    const DataDirLock lock(dataDir());
    if (!lock.acquired())
        throw IoError(dataDir().root().string(), "cartella dati in uso da un'altra copia di Quorendaville");
    const RebuildSummary s = rebuildSupportLists(dataDir());
    if (a.flag("--json")) {
        out << "{\"remedies\": " << s.remedies << ", \"repertory\": " << s.repertory << ", \"symptoms\": " << s.symptoms
            << ", \"remedy_names\": " << s.remedyNames << ", \"remedy_lines\": " << s.remedyLines
            << ", \"pathologies\": " << s.pathologies << ", \"repertory_remedies\": " << s.repertoryRemedies
            << ", \"plants\": " << (s.plants ? "true" : "false") << ", \"plant_symptoms\": " << s.plantSymptoms
            << ", \"plant_names\": " << s.plantNames << ", \"files_written\": " << s.filesWritten << "}\n";
        return kExitOk;
    }
    out << "Database Primario: " << s.remedies << " record, repertorio: " << s.repertory << " record\n"
        << "Sintomi: " << s.symptoms << ", rimedi: " << s.remedyNames << " (" << s.remedyLines
        << " righe con le preparazioni), patologie: " << s.pathologies << ", rimedi del repertorio: "
        << s.repertoryRemedies << "\n";
    if (s.plants) out << "Piante: " << s.plantNames << ", sintomi delle piante: " << s.plantSymptoms << "\n";
    out << s.filesWritten << " file rigenerati\n";
    return kExitOk;
}

} // namespace

int remediesCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return runCommand(err, [&] {
        if (args.empty()) throw UsageError{kRemediesUsage};
        const std::vector<std::string> rest(args.begin() + 1, args.end());
        if (args[0] == "signature") return signatureCommand(rest, out);
        if (args[0] == "linked") return linkedCommand(rest, out);
        if (args[0] == "list") return listCommand(rest, out);
        const Arguments a(rest, {"--data-dir"}, {"--json", "--current"});
        if (a.flag("--current") && args[0] != "rank" && args[0] != "therapy")
            throw UsageError{"--current vale solo per remedies rank"};
        if (args[0] == "symptom") return symptom(a, out);
        if (args[0] == "remedy") return remedy(a, out);
        if (args[0] == "pathology") return pathology(a, out);
        if (args[0] == "rank") return ranking(a, out, CompositeKind::Symptoms);
        if (args[0] == "therapy") return ranking(a, out, CompositeKind::Therapies);
        if (args[0] == "rebuild") return rebuild(a, out);
        throw UsageError{"Sottocomando sconosciuto: " + args[0] + "\n" + kRemediesUsage};
    });
}

} // namespace qv::cli
