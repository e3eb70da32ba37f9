#include "shell/cli/person_command.h"

#include "base/cp1252.h"
#include "base/data_dir.h"
#include "base/errors.h"
#include "base/file_safety.h"
#include "archive/side_files.h"
#include "consultations/audit_log.h"
#include "consultations/consultation_store.h"
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

// Everything the program holds about the person, for them to take away:
// one JSON file (machine-readable) and the text document as it is.
int exportPerson(const Arguments& a, std::ostream& out, std::ostream& err) {
    const PreparedDataDirectory held = prepareArchives(a.value("--data-dir"), false, err);
    const NamedSubject named = namedSubject(a.required("--archive"), a.required("--subject"));
    const std::filesystem::path folder = a.required("--out");
    createPrivateFolders(folder, folder.string());
    const StoredSubject& s = named.stored;
    const DecodedBirth b = decodeBirth(s.record);
    std::string json = "{\"archive\": " + jsonString(named.archive) + ", \"position\": " + std::to_string(s.indexPosition) +
                       ", \"name\": " + jsonString(trimRight(s.entry.name())) + ",\n \"birth\": {\"date_time\": " +
                       jsonString(b.dateText()) + ", \"correction_hours\": " + std::to_string(static_cast<double>(b.corr)) +
                       ", \"place\": " + jsonString(trimRight(placeShown(b.placeAsStored))) + ", \"nation\": " +
                       jsonString(trimRight(b.nation)) + ", \"coordinates\": " + jsonString(b.coordinates) +
                       ", \"calendar\": " + jsonString(b.gregorian ? "GREGORIANO" : "GIULIANO") + "},\n \"annotations\": [";
    if (s.annotationNumber != 0 && s.annotation)
        for (std::size_t i = 0; i < s.annotation->lines.size(); ++i)
            json += (i ? ", " : "") + jsonString(trimRight(i == 3 ? s.annotation->lines[i].substr(0, 64) : s.annotation->lines[i]));
    json += "],\n \"text_document\": ";
    if (textDocumentExists(named.archive, s.textNumber())) {
        const std::string name = s.textNumber() + ".txt";
        copyFileAtomically(dataDir().resolve(textDocumentPath(named.archive, s.textNumber())), folder / name, name);
        json += jsonString(name);
    } else {
        json += "null";
    }
    json += ",\n \"consultations\": [";
    std::size_t count = 0;
    if (const auto store = consultations::openStoreIfPresent()) {
        const auto all = store->consultationsOf(named.link);
        count = all.size();
        for (std::size_t i = 0; i < all.size(); ++i) json += std::string(i ? ",\n  " : "\n  ") + consultationJson(all[i]);
    }
    json += "]}\n";
    writeFileAtomically(folder / "persona.json", json, "persona.json");
    consultations::recordAuditEvent("dati della persona", "archivio " + named.archive + ", " + std::to_string(count) +
                                                               " consultazioni, in " + folder.string());
    out << shownLine("Dati di " + trimRight(s.entry.name()) + " scritti in " + folder.string() + ": persona.json" +
                     (textDocumentExists(named.archive, s.textNumber()) ? " e il testo" : "") + ", " +
                     std::to_string(count) + (count == 1 ? " consultazione" : " consultazioni"));
    return kExitOk;
}

} // namespace

int retentionCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return runCommand(err, [&] {
        const Arguments a(args, {"--years", "--data-dir"}, {});
        if (a.positional().size() != 1 || a.positional()[0] != "list") throw UsageError{"Uso: retention list [--years N]"};
        const int years = a.value("--years") ? parseInt(*a.value("--years"), "--years") : 10;
        if (years < 1 || years > 100) throw UsageError{"--years va da 1 a 100"};
        const PreparedDataDirectory held = prepareArchives(a.value("--data-dir"), false, err);
        const auto today = consultations::parseDate(TodayText());
        const consultations::CalendarDate limit{today->day, today->month, today->year - years};
        out << shownLine("Conservazione scaduta: nessuna consultazione da pi\xF9 di " + std::to_string(years) + " anni");
        const auto store = consultations::openStoreIfPresent();
        int found = 0;
        for (const ArchiveListing& listing : listArchives(false)) {
            const ArchiveOpening opening = openArchive(listing.name);
            if (!opening.archive || !store) continue;
            for (int k = 1; k <= opening.archive->subjectCount(); ++k) {
                const StoredSubject s = readStoredSubject(*opening.archive, k);
                const auto summaries =
                    store->summariesOf(consultations::subjectLinkOf(listing.name, s.entry.name(), s.record.moment));
                if (summaries.empty() || !(summaries.front().date < limit)) continue;
                out << shownLine("  " + listing.name + "  voce " + std::to_string(k) + "  " + trimRight(s.entry.name()) +
                                 "  ultima consultazione " + consultations::dateText(summaries.front().date));
                ++found;
            }
        }
        if (found == 0) out << "  nessuno\n";
        return kExitOk;
    });
}

int personCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return runCommand(err, [&] {
        const Arguments a(args, {"--archive", "--subject", "--receipt", "--out", "--data-dir"}, {"--confirm"});
        const std::string sub = a.positional().empty() ? std::string() : a.positional().front();
        if (sub == "erase" && a.positional().size() == 1) return erase(a, out, err);
        if (sub == "export" && a.positional().size() == 1) return exportPerson(a, out, err);
        throw UsageError{"Uso: person erase --archive A --subject N --confirm [--receipt FILE] | person export "
                         "--archive A --subject N --out CARTELLA"};
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
