#include "shell/cli/archive_commands.h"

#include "settings/chart_settings.h"
#include "archive/archive_files.h"
#include "archive/data_directory_startup.h"
#include "archive/side_files.h"
#include "archive/subject_operations.h"
#include "archive/subject_registration.h"
#include "base/cp1252.h"
#include "chart/chart_computation.h"
#include "base/data_dir.h"
#include "base/errors.h"
#include "shell/cli/chart_command.h"
#include "shell/cli/cli_support.h"

#include <cstdio>

namespace qv::cli {

namespace {

// The data directory prepared as at start-up (template, BASE, lock). A
// command that writes refuses to run while another copy holds the lock; one
// that only reads goes on without creating anything.
PreparedDataDirectory prepare(const std::optional<std::string>& dir, bool writes) {
    const std::filesystem::path root = dataDirectoryRoot(dir);
    PreparedDataDirectory p = prepareDataDirectory(root, templateDir());
    if (!p.refusal.empty()) {
        if (writes) throw IoError(root.string(), "cartella dati in uso da un'altra copia di Quorendaville");
        openDataDirectory(dir);
    }
    return p;
}

Archive openNamed(const std::string& name) {
    ArchiveOpening o = openArchive(name);
    if (!o.archive) throw UsageError{o.refusal + ": \"" + name + "\" (quattro lettere o cifre, TMPR escluso)"};
    return std::move(*o.archive);
}

// Archive name and index position given as the two positional arguments.
std::pair<std::string, int> nameAndPosition(const Arguments& a, const char* form) {
    if (a.positional().size() != 2) throw UsageError{std::string("Uso: ") + form};
    return {typedText(a.positional()[0], "il nome dell'archivio"), parseInt(a.positional()[1], "la posizione")};
}

std::string line(const std::string& cp1252) { return shown(cp1252) + "\n"; }

void printIndexLine(std::ostream& out, int position, const IndexEntry& entry) {
    char number[16];
    std::snprintf(number, sizeof number, "%5d  ", position);
    out << number << line(entry.text);
}

int listArchive(const Arguments& a, std::ostream& out) {
    if (a.positional().size() != 2) throw UsageError{"Uso: archive list NOME [--prefix P]"};
    const PreparedDataDirectory held = prepare(a.value("--data-dir"), false);
    const Archive archive = openNamed(typedText(a.positional()[1], "il nome dell'archivio"));
    out << line("Archivio " + archiveCaption(archive.name()) + ": " + std::to_string(archive.subjectCount()) +
                " soggetti");
    if (archive.subjectCount() == 0) {
        out << "ARCHIVIO VUOTO\n";
        return kExitOk;
    }
    if (const auto prefix = a.value("--prefix")) {
        const Located l = archive.locate(typedText(*prefix, "--prefix"));
        printIndexLine(out, l.position, l.entry);
        out << (l.matches ? "corrisponde" : "non corrisponde") << "\n";
        return kExitOk;
    }
    const auto entries = archive.readWholeIndex();
    for (std::size_t k = 1; k < entries.size(); ++k) printIndexLine(out, static_cast<int>(k), entries[k]);
    return kExitOk;
}

int showSubject(const Arguments& a, std::ostream& out) {
    if (a.positional().size() != 3) throw UsageError{"Uso: archive show NOME N"};
    const PreparedDataDirectory held = prepare(a.value("--data-dir"), false);
    const Archive archive = openNamed(typedText(a.positional()[1], "il nome dell'archivio"));
    const StoredSubject s = readStoredSubject(archive, parseInt(a.positional()[2], "la posizione"));
    const DecodedBirth b = decodeBirth(s.record);
    out << line("Voce " + std::to_string(s.indexPosition) + ": " + s.entry.text);
    out << line("Record di nascita " + std::to_string(s.birthNumber));
    out << line(s.entry.name());
    out << line("Nascita " + b.dateText() + "  Correz. " + zoneTextOf(b.corr));  // as the chart shows it
    out << line("Localit\xE0: " + b.place);
    out << line("Nazionalit\xE0: " + b.nation);
    out << line("Coordinate: " + b.coordinates);
    out << line(std::string("Calendario: ") + (b.gregorian ? "GREGORIANO" : "GIULIANO"));
    out << line("Pianeti: " + s.record.planetSummary);
    out << line("Cuspidi: " + s.record.cuspSummary);
    out << line("Aspetti: " + s.record.aspectSummary);
    if (s.annotation) {
        out << line("Annotazioni (record " + std::to_string(s.annotationNumber) + "):");
        for (const auto& l : s.annotation->lines) out << line("  " + trimRight(l));
    }
    if (!s.textNumber().empty()) out << line("Testo: " + textDocumentPath(archive.name(), s.textNumber()));
    return kExitOk;
}

} // namespace

int archiveCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return runCommand(err, [&] {
        const Arguments a(args, {"--prefix", "--data-dir"}, {});
        const std::string sub = a.positional().empty() ? std::string() : a.positional().front();
        if (sub == "list") return listArchive(a, out);
        if (sub == "show") {
            if (a.value("--prefix")) throw UsageError{"--prefix vale solo per archive list"};
            return showSubject(a, out);
        }
        throw UsageError{"Uso: archive list NOME [--prefix P] | archive show NOME N"};
    });
}

int registerCommand(const std::vector<std::string>& rawArgs, std::ostream& out, std::ostream& err) {
    return runCommand(err, [&] {
        // --annotation may be given up to four times.
        std::vector<std::string> args, annotations;
        for (std::size_t i = 0; i < rawArgs.size(); ++i) {
            if (rawArgs[i] == "--annotation") {
                if (i + 1 >= rawArgs.size()) throw UsageError{"Manca il valore dell'opzione --annotation"};
                annotations.push_back(typedText(rawArgs[++i], "--annotation"));
            } else {
                args.push_back(rawArgs[i]);
            }
        }
        const Arguments a(args,
                          {"--archive", "--name", "--date", "--time", "--corr", "--coords", "--place", "--nation",
                           "--calendar", "--data-dir"},
                          {"--with-text"});
        if (!a.positional().empty()) throw UsageError{"Argomento inatteso: " + a.positional().front()};
        if (annotations.size() > 4) throw UsageError{"Al massimo quattro righe di annotazioni (--annotation)"};

        NewSubject s;
        const std::size_t widths[] = {70, 70, 70, 65};
        for (std::size_t i = 0; i < annotations.size(); ++i) {
            if (annotations[i].size() > widths[i])
                throw UsageError{"La riga " + std::to_string(i + 1) + " delle annotazioni supera " +
                                 std::to_string(widths[i]) + " caratteri"};
            s.annotations[i] = annotations[i];
        }
        const std::string archiveName = upperCase1252(typedText(a.required("--archive"), "--archive"));
        if (!isPlainArchiveName(archiveName))
            throw UsageError{"Nome di archivio non ammesso: \"" + archiveName + "\" (da una a quattro lettere o cifre)"};
        s.name = typedText(a.required("--name"), "--name");
        const auto date = splitNumbers(a.required("--date"), '/', 3, "--date", "GG/MM/AAAA");
        s.day = date[0];
        s.month = date[1];
        s.year = date[2];
        const auto time = splitNumbers(a.required("--time"), ':', 2, "--time", "HH:MM");
        s.hour = time[0];
        s.minute = time[1];
        s.corr = parseReal(a.required("--corr"), "--corr");
        s.coordinates = a.required("--coords");
        s.place = typedText(a.required("--place"), "--place");
        s.nation = typedText(a.required("--nation"), "--nation");
        const std::string calendar = a.value("--calendar").value_or("GR");
        if (calendar != "GR" && calendar != "GI") throw UsageError{"Calendario non valido (GR o GI): \"" + calendar + "\""};
        s.gregorian = calendar == "GR";

        const PreparedDataDirectory held = prepare(a.value("--data-dir"), true);
        LoadActiveOrbs();
        // The checks come first, so that no text document is made for a
        // subject that is then refused.
        if (std::string failure = checkNewSubject(s); !failure.empty()) throw UsageError{failure};
        if (archiveName != kTemporaryArchive && !archiveExists(archiveName))
            throw UsageError{"Archivio " + archiveName + " inesistente"};
        if (a.flag("--with-text")) s.textNumber = createTextDocument(archiveName, s.name);

        const Registration r = registerSubject(archiveName, s);
        if (!r.failure.empty()) throw UsageError{r.failure};
        writeArchiveChoice(r.archive, r.entry.text, r.indexPosition, r.entry.name());
        out << line("Registrato in " + archiveCaption(r.archive) + ": voce " + std::to_string(r.indexPosition) +
                    ", record di nascita " + std::to_string(r.birthNumber));
        out << line(r.entry.text);
        if (!s.textNumber.empty()) out << line("Testo: " + textDocumentPath(r.archive, s.textNumber));
        return kExitOk;
    });
}

int recallCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return runCommand(err, [&] {
        const Arguments a(args, {"--data-dir"}, {});
        const auto [name, position] = nameAndPosition(a, "recall NOME N");
        const PreparedDataDirectory held = prepare(a.value("--data-dir"), true);
        const Archive archive = openNamed(name);
        const Recall r = recallSubject(archive, position);
        const std::string subjectName = r.subject.entry.name();
        confirmRecall(r, subjectName, r.birth.place, r.subject.record.nation);
        writeArchiveChoice(archive.name(), r.subject.entry.text, position, subjectName);
        out << line("Soggetto attuale: " + trimRight(subjectName) + " (" + archive.name() + ", voce " +
                    std::to_string(position) + ")");
        out << line("Nascita " + r.birth.dateText() + "  Correz. " + zoneTextOf(r.birth.corr));
        return kExitOk;
    });
}

int deleteCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return runCommand(err, [&] {
        const Arguments a(args, {"--data-dir"}, {});
        const auto [name, position] = nameAndPosition(a, "delete NOME N");
        const PreparedDataDirectory held = prepare(a.value("--data-dir"), true);
        Archive archive = openNamed(name);
        if (position < 1 || position > archive.subjectCount())
            throw UsageError{"Posizione " + std::to_string(position) + " inesistente nell'archivio " + archive.name()};
        const IndexEntry entry = archive.readIndex(position);
        const Deletion d = deleteSubject(archive, position);
        out << line("Eliminato da " + archive.name() + ": " + entry.text);
        if (d.textDeleted) out << line("Testo eliminato: " + textDocumentPath(archive.name(), d.textNumber));
        if (archive.subjectCount() == 0) out << "ARCHIVIO VUOTO\n";
        return kExitOk;
    });
}

} // namespace qv::cli
