#include "shell/cli/person_command.h"

#include "base/cp1252.h"
#include "base/data_dir.h"
#include "base/errors.h"
#include "base/file_safety.h"
#include "consultations/audit_log.h"
#include "consultations/subject_lifecycle.h"
#include "ephemeris/text_forms.h"
#include "shell/cli/archive_commands.h"
#include "shell/cli/cli_support.h"
#include "shell/cli/consultation_command.h"

namespace qv::cli {

namespace {

int erase(const Arguments& a, std::ostream& out, std::ostream& err) {
    if (!a.flag("--confirm"))
        throw UsageError{"La cancellazione non si annulla: indicare --confirm per cancellare la persona e tutti i suoi dati"};
    const PreparedDataDirectory held = prepareArchives(a.value("--data-dir"), true, err);
    const NamedSubject named = namedSubject(a.required("--archive"), a.required("--subject"));
    const std::string who = trimRight(named.stored.entry.name());
    const std::string birth = decodeBirth(named.stored.record).dateText();
    ArchiveOpening opening = openArchive(named.archive);
    if (!opening.archive) throw UsageError{opening.refusal};
    const std::string number = consultations::opaqueNumber();
    const consultations::SubjectDeletion d = consultations::deleteSubjectWhole(
        *opening.archive, named.stored.indexPosition, consultations::ConsultationsOfDeleted::Delete);
    consultations::recordAuditEvent("cancellazione", "persona n. " + number + " dall'archivio " + named.archive);

    std::string what = "- i dati di nascita, le annotazioni e la voce dell'archivio " + named.archive + "\r\n";
    if (d.textDeleted) what += "- il testo del soggetto\r\n";
    what += "- " + std::to_string(d.consultationsDeleted) +
            (d.consultationsDeleted == 1 ? " consultazione con i rimedi prescritti\r\n" : " consultazioni con i rimedi prescritti\r\n");
    if (d.wasCurrent) what += "- il soggetto attuale e i file di lavoro che lo riportavano\r\n";
    out << shownLine("Cancellati i dati di " + who + " (numero di registro " + number + "):");
    out << shown(what);
    if (const auto receipt = a.value("--receipt")) {
        const std::string text =
            "Ricevuta di cancellazione dei dati personali\r\n\r\n"
            "Data: " + TodayText() + "\r\n"
            "Persona: " + who + " (nascita " + birth + ")\r\n"
            "Numero di registro: " + number + "\r\n\r\n"
            "Sono stati cancellati dal programma:\r\n" + what +
            "\r\nNella cartella dati non resta nulla della persona: il registro delle operazioni riporta la "
            "cancellazione solo con il numero qui sopra.\r\n"
            "Le copie di sicurezza fatte prima di oggi contengono ancora questi dati finch\xE9 non vengono "
            "sostituite da copie nuove o distrutte.\r\n";
        // For the person: UTF-8, as any editor shows it.
        writeFileAtomically(*receipt, cp1252ToUtf8(text), *receipt);
        out << shown("Ricevuta scritta in ") << *receipt << "\n";
    }
    return kExitOk;
}

} // namespace

int personCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return runCommand(err, [&] {
        const Arguments a(args, {"--archive", "--subject", "--receipt", "--data-dir"}, {"--confirm"});
        const std::string sub = a.positional().empty() ? std::string() : a.positional().front();
        if (sub == "erase" && a.positional().size() == 1) return erase(a, out, err);
        throw UsageError{"Uso: person erase --archive A --subject N --confirm [--receipt FILE]"};
    });
}

int auditCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return runCommand(err, [&] {
        const Arguments a(args, {"--data-dir"}, {"--check"});
        if (a.positional().size() != 1 || a.positional()[0] != "show") throw UsageError{"Uso: audit show [--check]"};
        openDataDirectory(a.value("--data-dir"));
        const auto entries = consultations::readAuditLog();
        for (const auto& e : entries) out << shownLine(e.when + "  " + e.event + "  " + e.details);
        if (entries.empty()) out << "Registro vuoto\n";
        if (a.flag("--check")) {
            if (const auto broken = consultations::firstBrokenAuditLine())
                throw IoError(consultations::kAuditLogFile, "la catena del registro si interrompe alla riga " +
                                                                std::to_string(*broken) +
                                                                ": una riga \xE8 stata tolta o modificata");
            out << shownLine("Registro integro: " + std::to_string(entries.size()) + " righe");
        }
        return kExitOk;
    });
}

} // namespace qv::cli
