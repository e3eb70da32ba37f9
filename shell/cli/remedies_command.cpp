#include "shell/cli/remedies_command.h"

#include "base/cp1252.h"
#include "base/data_dir.h"
#include "base/errors.h"
#include "remedies/composite.h"
#include "remedies/consultation.h"
#include "remedies/remedy_text.h"
#include "remedies/support_lists.h"
#include "shell/cli/cli_support.h"
#include "shell/cli/signature_commands.h"

#include <cctype>

namespace qv::cli {

namespace {

using namespace remedies;

const char* const kUsage =
    "Uso: quorendaville-cli remedies symptom SINTOMO      i rimedi di un sintomo\n"
    "     quorendaville-cli remedies remedy RIMEDIO       la scheda di un rimedio\n"
    "     quorendaville-cli remedies pathology PATOLOGIA  le terapie di una patologia\n"
    "     quorendaville-cli remedies rank SINTOMO...      i rimedi per pi\xF9 sintomi (al massimo 15)\n"
    "     quorendaville-cli remedies therapy PATOLOGIA... la terapia composita (al massimo 15)\n"
    "     quorendaville-cli remedies rebuild              rigenera gli elenchi dalla banca dati\n"
    "     quorendaville-cli remedies signature --planet PIANETA [--sign SEGNO] [--secondary]\n"
    "                                 i rimedi di una segnatura (Qualsiasi = ogni pianeta o segno)\n"
    "     quorendaville-cli remedies linked [--current | dati di nascita come per chart]\n"
    "                                 i rimedi legati a ogni punto del tema, per pianeta e per segno\n"
    "     (tutti accettano --json e --data-dir CARTELLA)";

std::string line(const std::string& cp1252) { return shown(cp1252) + "\n"; }

// How the usage names a text: "il sintomo" is SINTOMO.
std::string placeholderOf(const std::string& what) {
    std::string name = what.substr(what.find(' ') + 1);
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return name;
}

// The one text a subcommand takes, typed in UTF-8: refused when it holds a
// character the database cannot store or a control character.
std::string oneText(const Arguments& a, const char* what) {
    if (a.positional().size() != 1) throw UsageError{std::string("Indicare un solo testo: ") + what + "\n" + kUsage};
    return typedText(a.positional().front(), placeholderOf(what));
}

ComplaintSlots slotsOf(const Arguments& a, const char* what) {
    if (a.positional().empty()) throw UsageError{std::string("Indicare almeno un ") + what + ".\n" + kUsage};
    if (a.positional().size() > kComplaintSlots)
        throw UsageError{"Al massimo " + std::to_string(kComplaintSlots) + " voci (ne sono state indicate " +
                         std::to_string(a.positional().size()) + ")"};
    ComplaintSlots slots;
    for (std::size_t i = 0; i < a.positional().size(); ++i) slots[i] = typedText(a.positional()[i], "VOCE " + std::to_string(i + 1));
    return slots;
}

int symptom(const Arguments& a, std::ostream& out) {
    const std::string text = oneText(a, "il sintomo");
    openDataDirectory(a.value("--data-dir"));
    const auto matches = findSymptom(dataDir(), text);
    if (a.flag("--json")) {
        out << "{\"symptom\": " << jsonString(text) << ", \"matches\": [";
        for (std::size_t i = 0; i < matches.size(); ++i) {
            const RemedyRecord& r = matches[i].data;
            out << (i ? ", " : "") << "{\"record\": " << matches[i].record << ", \"remedy\": " << jsonString(r.rimedio)
                << ", \"planets\": " << jsonString(planetsText(r)) << ", \"signs\": " << jsonString(r.segnaturaZodiacale)
                << ", \"dosage\": " << jsonString(r.dosage()) << "}";
        }
        out << "]}\n";
        return kExitOk;
    }
    out << line("Sintomo: " + text) << matches.size() << " rimedi\n";
    for (const RemedyMatch& m : matches) {
        const RemedyRecord& r = m.data;
        out << line("- " + r.rimedio + "  [" + planetsText(r) + " | " + r.segnaturaZodiacale + "]");
        if (!r.dosage().empty()) out << line("  Posologia: " + r.dosage());
    }
    return kExitOk;
}

int remedy(const Arguments& a, std::ostream& out) {
    const std::string text = oneText(a, "il rimedio");
    openDataDirectory(a.value("--data-dir"));
    const auto matches = findRemedy(dataDir(), text);
    if (matches.empty()) {
        if (a.flag("--json"))
            out << "{\"remedy\": " << jsonString(text) << ", \"records\": []}\n";
        else
            out << line("Nessun record del Database Primario per il rimedio \"" + text + "\"");
        return kExitOk;
    }
    const RemedyRecord& last = matches.back().data;  // the last record found stays on view
    const std::string caption = preparationCaption(last.rimedio);
    if (a.flag("--json")) {
        out << "{\"remedy\": " << jsonString(last.rimedio) << ", \"preparation\": " << jsonString(caption)
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
        out << "]}\n";
        return kExitOk;
    }
    out << line("Rimedio: " + last.rimedio + (caption.empty() ? "" : " " + caption));
    if (hasUseNumber(last.rimedio)) out << line(kUseNumberNotice);
    out << line("Avvertenze: " + warningsOrNotice(last));
    if (!last.synthesis().empty()) out << line("Sintesi Psichica: " + last.synthesis());
    out << matches.size() << " indicazioni\n";
    for (const RemedyMatch& m : matches)
        out << line("- " + m.data.indication() + "  [" + planetsText(m.data) + " | " + m.data.segnaturaZodiacale + "]");
    return kExitOk;
}

int pathology(const Arguments& a, std::ostream& out) {
    const std::string text = oneText(a, "la patologia");
    openDataDirectory(a.value("--data-dir"));
    const auto matches = findPathology(dataDir(), text);
    if (a.flag("--json")) {
        out << "{\"pathology\": " << jsonString(text) << ", \"matches\": [";
        for (std::size_t i = 0; i < matches.size(); ++i) {
            const RepertoryRecord& r = matches[i].data;
            out << (i ? ", " : "") << "{\"record\": " << matches[i].record << ", \"remedy\": " << jsonString(r.rimedio)
                << ", \"dosage\": " << jsonString(r.posologia) << ", \"notes\": " << jsonString(r.notes()) << "}";
        }
        out << "]}\n";
        return kExitOk;
    }
    out << line("Patologia: " + text) << matches.size() << " rimedi\n";
    for (const RepertoryMatch& m : matches) {
        out << line("- " + m.data.rimedio + (m.data.posologia.empty() ? "" : "  Posologia: " + m.data.posologia));
        if (!m.data.notes().empty()) out << line("  Note: " + m.data.notes());
    }
    return kExitOk;
}

int ranking(const Arguments& a, std::ostream& out, CompositeKind kind) {
    const ComplaintSlots slots = slotsOf(a, kind == CompositeKind::Symptoms ? "sintomo" : "disturbo");
    openDataDirectory(a.value("--data-dir"));
    // The ranking rewrites working files of the data directory (the tally,
    // the therapies' remedy list): one command at a time, never while the
    // desktop program works there.
    const auto lock = holdDataDirectory("la ricerca ne riscriverebbe i file di lavoro; chiudere l'altra copia e riprovare");
    // The composite-therapy window rebuilds its remedy list on opening.
    if (kind == CompositeKind::Therapies) rebuildTherapyTally(dataDir());
    const auto ranked = rankRemedies(dataDir(), kind, slots);
    if (a.flag("--json")) {
        out << "{\"complaints\": [";
        for (std::size_t i = 0; i < a.positional().size(); ++i) out << (i ? ", " : "") << jsonString(slots[i]);
        out << "], \"ranking\": [";
        for (std::size_t i = 0; i < ranked.size(); ++i)
            out << (i ? ", " : "") << "{\"count\": " << ranked[i].count << ", \"name\": " << jsonString(ranked[i].name)
                << "}";
        out << "]}\n";
        return kExitOk;
    }
    if (ranked.empty()) out << "Nessun rimedio\n";
    for (const RankedRemedy& r : ranked) out << line(r.entry());
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
        if (args.empty()) throw UsageError{kUsage};
        const std::vector<std::string> rest(args.begin() + 1, args.end());
        if (args[0] == "signature") return signatureCommand(rest, out);
        if (args[0] == "linked") return linkedCommand(rest, out);
        const Arguments a(rest, {"--data-dir"}, {"--json"});
        if (args[0] == "symptom") return symptom(a, out);
        if (args[0] == "remedy") return remedy(a, out);
        if (args[0] == "pathology") return pathology(a, out);
        if (args[0] == "rank") return ranking(a, out, CompositeKind::Symptoms);
        if (args[0] == "therapy") return ranking(a, out, CompositeKind::Therapies);
        if (args[0] == "rebuild") return rebuild(a, out);
        throw UsageError{"Sottocomando sconosciuto: " + args[0] + "\n" + kUsage};
    });
}

} // namespace qv::cli
