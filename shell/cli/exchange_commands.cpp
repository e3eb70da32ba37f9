#include "shell/cli/exchange_commands.h"

#include "archive/exchange/aaf_format.h"
#include "archive/exchange/csv_format.h"
#include "archive/exchange/import_review.h"
#include "base/cp1252.h"
#include "base/data_dir.h"
#include "base/errors.h"
#include "base/file_safety.h"
#include "base/text_file.h"
#include "consultations/audit_log.h"
#include "settings/chart_settings.h"
#include "shell/cli/archive_commands.h"
#include "shell/cli/cli_support.h"

#include <set>

namespace qv::cli {

namespace {

enum class Format { Aaf, Csv };

Format formatOf(const Arguments& a) {
    const std::string f = a.required("--format");
    if (f == "aaf" || f == "AAF") return Format::Aaf;
    if (f == "csv" || f == "CSV") return Format::Csv;
    throw UsageError{"Formato non valido per --format: \"" + f + "\" (aaf o csv)"};
}

Archive openArchiveNamed(const std::string& typed) {
    ArchiveOpening o = openArchive(typedText(typed, "il nome dell'archivio"));
    if (!o.archive) throw UsageError{o.refusal + ": \"" + typed + "\" (quattro lettere o cifre, TMPR escluso)"};
    return std::move(*o.archive);
}

// "1,3,4" as the review's record numbers (1 to count).
std::set<int> acceptedNumbers(const std::string& text, int count) {
    std::set<int> out;
    std::size_t at = 0;
    while (at <= text.size()) {
        const std::size_t end = std::min(text.find(',', at), text.size());
        const int n = parseInt(text.substr(at, end - at), "--accept");
        if (n < 1 || n > count)
            throw UsageError{"--accept: il record " + std::to_string(n) + " non c'\xE8 (da 1 a " + std::to_string(count) + ")"};
        out.insert(n);
        at = end + 1;
    }
    return out;
}

} // namespace

int exportSubjects(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return runCommand(err, [&] {
        const Arguments a(args, {"--format", "--out", "--data-dir"}, {});
        if (a.positional().size() != 1) throw UsageError{"Uso: archive export NOME --format aaf|csv --out FILE"};
        const Format format = formatOf(a);
        const std::string file = a.required("--out");
        const PreparedDataDirectory held = prepareArchives(a.value("--data-dir"), false, err);
        const Archive archive = openArchiveNamed(a.positional()[0]);
        const auto subjects = exchange::subjectsOfArchive(archive);
        writeFileAtomically(file, format == Format::Aaf ? exchange::writeAaf(subjects) : exchange::writeCsv(subjects), file);
        consultations::recordAuditEvent("esportazione", std::to_string(subjects.size()) + " soggetti di " + archive.name() +
                                                            (format == Format::Aaf ? " (AAF)" : " (CSV)") + " in " + file);
        out << shownLine(std::to_string(subjects.size()) + (subjects.size() == 1 ? " soggetto" : " soggetti") + " di " +
                         archive.name() + " scritti in " + file);
        return kExitOk;
    });
}

int importSubjects(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return runCommand(err, [&] {
        const Arguments a(args, {"--format", "--accept", "--data-dir"}, {"--dry-run", "--accept-all"});
        if (a.positional().size() != 2)
            throw UsageError{"Uso: archive import NOME FILE --format aaf|csv [--dry-run] [--accept-all | --accept N,...]"};
        const Format format = formatOf(a);
        const bool dryRun = a.flag("--dry-run");
        if (a.flag("--accept-all") && a.value("--accept")) throw UsageError{"Indicare --accept-all oppure --accept, non entrambe"};
        if (!dryRun && !a.flag("--accept-all") && !a.value("--accept"))
            throw UsageError{"Indicare quali record importare (--accept-all o --accept N,...) o solo la verifica (--dry-run)"};
        const std::string file = a.positional()[1];
        const std::string bytes = readWholeFile(file, file);
        const exchange::ExchangeFile read = format == Format::Aaf ? exchange::readAaf(bytes) : exchange::readCsv(bytes);

        const PreparedDataDirectory held = prepareArchives(a.value("--data-dir"), !dryRun, err);
        LoadActiveOrbs();
        const Archive archive = openArchiveNamed(a.positional()[0]);
        const auto review = exchange::reviewImport(archive, read.subjects);

        int ready = 0, duplicates = 0, refused = 0;
        for (std::size_t i = 0; i < review.size(); ++i) {
            const auto& r = review[i];
            out << shownLine(std::to_string(i + 1) + ". " + exchange::reviewLine(r));
            for (const std::string& note : r.notes) out << shownLine("     " + note);
            ready += r.status == exchange::ReviewStatus::Ready;
            duplicates += r.status == exchange::ReviewStatus::Duplicate;
            refused += r.status == exchange::ReviewStatus::Refused;
        }
        for (const auto& p : read.problems) out << shownLine("riga " + std::to_string(p.line) + ": illeggibile: " + p.reason);
        out << shownLine(std::to_string(ready) + " pronti, " + std::to_string(duplicates) + " gi\xE0 presenti, " +
                         std::to_string(refused + static_cast<int>(read.problems.size())) + " esclusi");
        if (dryRun) {
            out << "Nessun dato scritto (--dry-run)\n";
            return kExitOk;
        }

        std::vector<NewSubject> chosen;
        const std::set<int> numbers = a.value("--accept") ? acceptedNumbers(*a.value("--accept"), static_cast<int>(review.size()))
                                                          : std::set<int>{};
        for (std::size_t i = 0; i < review.size(); ++i) {
            const bool asked = a.flag("--accept-all") || numbers.count(static_cast<int>(i + 1));
            if (!asked) continue;
            if (review[i].status == exchange::ReviewStatus::Ready) chosen.push_back(review[i].subject);
            else if (numbers.count(static_cast<int>(i + 1)))
                throw UsageError{"Il record " + std::to_string(i + 1) + " non si pu\xF2 importare: " + review[i].reason};
        }
        std::string failure;
        const auto registered = registerSubjectsTogether(archive.name(), chosen, failure);
        if (!failure.empty()) throw UsageError{failure + ": nessun soggetto importato"};
        out << shownLine(std::to_string(registered.size()) + (registered.size() == 1 ? " soggetto importato" : " soggetti importati") +
                         " in " + archiveCaption(archive.name()));
        return kExitOk;
    });
}

} // namespace qv::cli
