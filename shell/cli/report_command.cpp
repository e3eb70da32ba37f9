#include "shell/cli/report_command.h"

#include "base/data_dir.h"
#include "base/errors.h"
#include "consultations/audit_log.h"
#include "consultations/consultation_store.h"
#include "consultations/print/report_pdf.h"
#include "consultations/report_subject.h"
#include "settings/chart_settings.h"
#include "settings/display_settings.h"
#include "shell/cli/cli_support.h"
#include "shell/cli/consultation_command.h"

#include <cctype>

namespace qv::cli {

namespace {

using namespace consultations;

const char* const kReportUsage = "Uso: quorendaville-cli report --archive A --subject N [--id K] --out FILE.pdf\n"
                           "     (senza --id la consultazione pi\xF9 recente; accetta --data-dir CARTELLA)";

bool pdfName(const std::string& file) {
    if (file.size() < 5) return false;
    std::string ext = file.substr(file.size() - 4);
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext == ".pdf";
}

} // namespace

int reportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return runCommand(err, [&] {
        const Arguments a(args, {"--archive", "--subject", "--id", "--out", "--data-dir"}, {});
        if (!a.positional().empty()) throw UsageError{"Argomento inatteso: " + a.positional().front() + "\n" + kReportUsage};
        const std::string file = a.required("--out");
        if (!pdfName(file)) throw UsageError{"Il file di uscita deve finire in .pdf: \"" + file + "\""};
        std::optional<std::int64_t> id;
        if (const auto text = a.value("--id")) id = consultationId(*text);
        openDataDirectory(a.value("--data-dir"));
        const NamedSubject named = namedSubject(a.required("--archive"), a.required("--subject"));
        const std::string subject = trimRight(named.stored.entry.name()) + " (" + named.archive + ")";
        const auto present = openStoreIfPresent();
        if (!present) throw UsageError{"Il soggetto " + subject + " non ha consultazioni"};
        const ConsultationStore& store = *present;
        std::optional<Consultation> chosen;
        if (id) {
            chosen = store.find(*id);
            if (!chosen || chosen->subject != named.link)
                throw UsageError{"Il soggetto " + subject + " non ha una consultazione " + std::to_string(*id)};
        } else {
            const auto all = store.consultationsOf(named.link);
            if (all.empty()) throw UsageError{"Il soggetto " + subject + " non ha consultazioni"};
            chosen = all.front();
        }

        // The chart master's scoring leaves its working files in the data
        // directory: not while another copy of the program works there.
        const DataDirLock lock(dataDir());
        if (!lock.acquired())
            throw IoError(dataDir().root().string(), "cartella dati in uso da un'altra copia di Quorendaville");
        LoadActiveOrbs();
        const SubjectChart chart = chartOfSubject(named.stored.entry.name(), named.stored.record);
        const ReportContent content =
            reportContent(*chosen, chart.subject, chart.natal, chart.master, readPractitionerIdentity().printedLines());
        writeReportPdf(content, chart.natal, ActiveOrbs(), file);
        // The log names the consultation and the store's number of the
        // person, never the person.
        recordAuditEvent("relazione", "consultazione " + std::to_string(chosen->id) + " (soggetto n. " +
                                          std::to_string(store.subjectIdOf(named.link).value_or(0)) + ") in " + file);
        out << shown("Relazione della consultazione " + std::to_string(chosen->id) + " del " + dateText(chosen->date) +
                     " di " + subject + " scritta in ")
            << file << "\n";
        return kExitOk;
    });
}

} // namespace qv::cli
