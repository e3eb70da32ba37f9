#include "shell/cli/archive_commands.h"

#include "settings/chart_settings.h"
#include "archive/archive_files.h"
#include "archive/birth_entry_rules.h"
#include "archive/correction_review.h"
#include "archive/data_directory_startup.h"
#include "archive/local_time_correction.h"
#include "archive/place_lookup.h"
#include "archive/regime_derivation.h"
#include "archive/side_files.h"
#include "archive/subject_operations.h"
#include "archive/subject_registration.h"
#include "base/cp1252.h"
#include "chart/chart_computation.h"
#include "consultations/subject_lifecycle.h"
#include "base/data_dir.h"
#include "base/errors.h"
#include "ephemeris/birth_data.h"
#include "settings/display_settings.h"
#include "shell/cli/atlas_comparison.h"
#include "shell/cli/chart_command.h"
#include "shell/cli/cli_support.h"
#include "shell/cli/exchange_commands.h"

#include <cstdio>

namespace qv::cli {

PreparedDataDirectory prepareArchives(const std::optional<std::string>& dir, bool writes, std::ostream& err) {
    const std::filesystem::path root = dataDirectoryRoot(dir);
    PreparedDataDirectory p = prepareDataDirectory(root, templateDir());
    if (!p.refusal.empty()) {
        if (writes) throw DataDirectoryInUse{root.string(), {}};
        openDataDirectory(dir);
        return p;
    }
    if (dataDir().readOnly()) {
        if (writes)
            throw IoError(root.string(), "la cartella dati \xE8 in sola lettura: si pu\xF2 consultare, non modificare");
        return p;
    }
    // Holding the lock: a correction or deletion that a stop cut short is
    // finished or undone before anything else reads the archives.
    if (const std::string done = consultations::finishInterruptedSubjectChange(); !done.empty())
        err << shown(done) << "\n";
    return p;
}

namespace {

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

// A subject number the archive does not have is a bad argument, the same
// for every command.
void requirePosition(const Archive& archive, int position) {
    if (position < 1 || position > archive.subjectCount())
        throw UsageError{"Posizione " + std::to_string(position) + " inesistente nell'archivio " + archive.name()};
}

void printIndexLine(std::ostream& out, int position, const IndexEntry& entry) {
    char number[16];
    std::snprintf(number, sizeof number, "%5d  ", position);
    out << number << shownLine(entry.text);
}

int listArchive(const Arguments& a, std::ostream& out, std::ostream& err) {
    if (a.positional().size() != 2) throw UsageError{"Uso: archive list NOME [--prefix P]"};
    const PreparedDataDirectory held = prepareArchives(a.value("--data-dir"), false, err);
    const Archive archive = openNamed(typedText(a.positional()[1], "il nome dell'archivio"));
    out << shownLine("Archivio " + archiveCaption(archive.name()) + ": " + std::to_string(archive.subjectCount()) +
                " soggetti");
    if (archive.subjectCount() == 0) {
        out << "ARCHIVIO VUOTO\n";
        return kExitOk;
    }
    const auto entries = archive.readWholeIndex();
    if (const auto typed = a.value("--prefix")) {
        // The names are stored upper-cased: the prefix is compared so.
        const std::string prefix = upperCase1252(typedText(*typed, "--prefix"));
        bool any = false;
        for (std::size_t k = 1; k < entries.size(); ++k) {
            if (entries[k].name().compare(0, prefix.size(), prefix) != 0) continue;
            printIndexLine(out, static_cast<int>(k), entries[k]);
            any = true;
        }
        if (!any) out << shownLine("Nessun nome inizia con \"" + prefix + "\"");
        return kExitOk;
    }
    for (std::size_t k = 1; k < entries.size(); ++k) printIndexLine(out, static_cast<int>(k), entries[k]);
    return kExitOk;
}

int showSubject(const Arguments& a, std::ostream& out, std::ostream& err) {
    if (a.positional().size() != 3) throw UsageError{"Uso: archive show NOME N"};
    const PreparedDataDirectory held = prepareArchives(a.value("--data-dir"), false, err);
    const Archive archive = openNamed(typedText(a.positional()[1], "il nome dell'archivio"));
    const int position = parseInt(a.positional()[2], "la posizione");
    requirePosition(archive, position);
    const StoredSubject s = readStoredSubject(archive, position);
    const DecodedBirth b = decodeBirth(s.record);
    out << shownLine("Voce " + std::to_string(s.indexPosition) + ": " + s.entry.text);
    out << shownLine("Record di nascita " + std::to_string(s.birthNumber));
    out << shownLine(s.entry.name());
    out << shownLine("Nascita " + b.dateText() + "  Correz. " + zoneTextOf(b.corr));  // as the chart shows it
    out << shownLine("Localit\xE0: " + b.place);
    out << shownLine("Nazionalit\xE0: " + b.nation);
    out << shownLine("Coordinate: " + b.coordinates);
    out << shownLine(std::string("Calendario: ") + (b.gregorian ? "GREGORIANO" : "GIULIANO"));
    out << shownLine("Pianeti: " + s.record.planetSummary);
    out << shownLine("Cuspidi: " + s.record.cuspSummary);
    out << shownLine("Aspetti: " + s.record.aspectSummary);
    if (s.annotation) {
        out << shownLine("Annotazioni (record " + std::to_string(s.annotationNumber) + "):");
        for (const auto& l : s.annotation->lines) out << shownLine("  " + trimRight(l));
    }
    if (!s.textNumber().empty()) out << shownLine("Testo: " + textDocumentPath(archive.name(), s.textNumber()));
    return kExitOk;
}

} // namespace

int archiveCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return runCommand(err, [&] {
        const std::string first = args.empty() ? std::string() : args.front();
        if (first == "export") return exportSubjects(std::vector<std::string>(args.begin() + 1, args.end()), out, err);
        if (first == "import") return importSubjects(std::vector<std::string>(args.begin() + 1, args.end()), out, err);
        const Arguments a(args, {"--prefix", "--data-dir"}, {});
        const std::string sub = a.positional().empty() ? std::string() : a.positional().front();
        if (sub == "list") return listArchive(a, out, err);
        if (sub == "show") {
            if (a.value("--prefix")) throw UsageError{"--prefix vale solo per archive list"};
            return showSubject(a, out, err);
        }
        throw UsageError{"Uso: archive list NOME [--prefix P] | archive show NOME N | archive export NOME --format "
                         "aaf|csv --out FILE | archive import NOME FILE --format aaf|csv [--dry-run] "
                         "[--accept-all | --accept N,...]"};
    });
}

namespace {

// --calendar: GR or GI (GREGORIANO and GIULIANO are taken too); nothing
// when not given.
std::optional<bool> gregorianFromOption(const Arguments& a) {
    const auto v = a.value("--calendar");
    if (!v) return std::nullopt;
    const std::string c = upperCase1252(*v);
    if (c == "GR" || c == "GREGORIANO") return true;
    if (c == "GI" || c == "GIULIANO") return false;
    throw UsageError{"Calendario non valido (GR o GI): \"" + *v + "\""};
}

// The place of a registration in the atlas: the Italian municipalities, or
// with --estero the foreign places of --state.
struct AtlasPlace {
    atlas::PlaceArchive archive = atlas::PlaceArchive::Italia;
    std::vector<atlas::Place> candidates;
};

AtlasPlace atlasPlaceOf(const Arguments& a, const std::string& place) {
    AtlasPlace p;
    std::string state;
    if (a.flag("--estero")) {
        p.archive = atlas::PlaceArchive::Estero;
        state = upperCase1252(typedText(a.value("--state").value_or(""), "--state"));
    } else if (a.value("--state")) {
        throw UsageError{"--state vale solo con --estero"};
    }
    const atlas::PlaceTable table(p.archive);
    p.candidates = atlas::placesNamed(table, upperCase1252(place), state);
    return p;
}

} // namespace

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
                          {"--archive", "--name", "--date", "--time", "--corr", "--zone", "--coords", "--place",
                           "--nation", "--state", "--calendar", "--data-dir"},
                          {"--with-text", "--estero"});
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
        const std::optional<Extended> typedCorr = correctionFromOptions(a);
        const std::optional<std::string> typedCoords = a.value("--coords");
        s.place = typedText(a.required("--place"), "--place");
        const std::optional<bool> chosenCalendar = gregorianFromOption(a);
        s.gregorian = chosenCalendar.value_or(true);
        const atlas::BirthMoment moment{s.day, s.month, s.year, s.hour, s.minute};
        if (atlas::invalidDateField(moment) != atlas::DateField::None)
            throw UsageError{"Data Scorretta: \"" + a.required("--date") + " " + a.required("--time") + "\""};

        const PreparedDataDirectory held = prepareArchives(a.value("--data-dir"), true, err);
        LoadActiveOrbs();

        // What the atlas and the time regimes give for the place and the
        // moment, as birth entry derives it; typed values stand, with a
        // warning where they differ.
        const AtlasPlace found = atlasPlaceOf(a, s.place);
        const bool bothTyped = typedCorr && typedCoords;
        const std::string typedPlace = upperCase1252(s.place);
        const std::string ambiguity = "Pi\xF9 localit\xE0 con il nome \"" + typedPlace + "\"" +
                                      (found.archive == atlas::PlaceArchive::Italia
                                           ? ": indicare la provincia, per esempio \"" + typedPlace + " (XX)\""
                                           : ": indicare lo stato con --state");
        std::string nation = found.archive == atlas::PlaceArchive::Italia ? "ITALIA" : std::string();
        if (found.candidates.size() == 1) {
            const atlas::Place& place = found.candidates.front();
            atlas::Derivation d;
            try {
                d = atlas::deriveCorrection(found.archive, place, moment, calendarReformSetting(), chosenCalendar);
            } catch (const ConversionError& e) {
                // A day the place's calendar does not have is a wrong argument.
                if (!isExistingDate(s.day, s.month, s.year, true) || !isExistingDate(s.day, s.month, s.year, false))
                    throw UsageError{e.what()};
                throw;
            }
            const std::string atlasCoords = carriedMinutes(d.coordinates);
            s.coordinates = typedCoords ? *typedCoords : atlasCoords;
            Extended atlasCorr = d.correction;
            if (d.localMeanTime && atlas::validCoordinatesText(s.coordinates))
                atlasCorr = atlas::localMeanTimeCorrection(s.coordinates);
            s.corr = typedCorr.value_or(atlasCorr);
            s.gregorian = d.gregorian;
            // The place is named as the atlas names it when the atlas gave
            // any of its data; a birth given whole keeps its typed name.
            if (!bothTyped) s.place = place.name;
            if (found.archive == atlas::PlaceArchive::Estero) nation = place.state;
            for (const std::string& note : derivationNotes(d)) err << "Attenzione: " << shown(note) << "\n";
            if (typedCoords) warnIfCoordinatesDiffer(err, *typedCoords, atlasCoords);
            if (typedCorr) warnIfCorrectionDiffers(err, *typedCorr, atlasCorr);
        } else if (!bothTyped) {
            if (found.candidates.empty())
                throw UsageError{"Localit\xE0 non trovata nell'atlante: \"" + s.place +
                                 "\"; indicare --coords e --corr (o --zone)"};
            throw UsageError{ambiguity + candidateLines(found.candidates)};
        } else {
            s.coordinates = *typedCoords;
            s.corr = *typedCorr;
            if (found.candidates.empty())
                err << shown("Attenzione: localit\xE0 non trovata nell'atlante: coordinate e correzione come indicate")
                    << "\n";
            else
                err << "Attenzione: " << shown(ambiguity) << candidateLines(found.candidates) << "\n";
        }
        if (const auto typedNation = a.value("--nation")) nation = typedText(*typedNation, "--nation");
        if (nation.empty()) nation = upperCase1252(typedText(a.value("--state").value_or(""), "--state"));
        s.nation = nation;

        // The checks come first, so that no text document is made for a
        // subject that is then refused.
        if (std::string failure = checkNewSubject(s); !failure.empty()) throw UsageError{failure};
        if (archiveName != kTemporaryArchive && !archiveExists(archiveName))
            throw UsageError{"Archivio " + archiveName + " inesistente"};
        if (a.flag("--with-text")) s.textNumber = createTextDocument(archiveName, s.name);

        const Registration r = registerSubject(archiveName, s);
        if (r.samePosition > 0)
            throw UsageError{r.failure + ": se \xE8 la stessa persona usare quella voce; se \xE8 un'altra, registrarla "
                                         "con un nome che la distingua"};
        if (!r.failure.empty()) throw UsageError{r.failure};
        writeArchiveChoice(r.archive, r.entry.text, r.indexPosition, r.entry.name());
        out << shownLine("Registrato in " + archiveCaption(r.archive) + ": voce " + std::to_string(r.indexPosition) +
                    ", record di nascita " + std::to_string(r.birthNumber));
        out << shownLine(r.entry.text);
        out << shownLine(placeShown(placeStored(s.place)) + " - " + s.nation + "  " + s.coordinates) << "Correzione "
            << signedCorrection(fittedCorrection(s.corr)) << "  Calendario "
            << (s.gregorian ? "GREGORIANO" : "GIULIANO") << "\n";
        if (!s.textNumber.empty()) out << shownLine("Testo: " + textDocumentPath(r.archive, s.textNumber));
        return kExitOk;
    });
}

int recallCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return runCommand(err, [&] {
        const Arguments a(args, {"--data-dir"}, {});
        const auto [name, position] = nameAndPosition(a, "recall NOME N");
        const PreparedDataDirectory held = prepareArchives(a.value("--data-dir"), true, err);
        const Archive archive = openNamed(name);
        requirePosition(archive, position);
        const Recall r = recallSubject(archive, position);
        const std::string subjectName = r.subject.entry.name();
        confirmRecall(r, subjectName, r.birth.place, r.subject.record.nation);
        writeArchiveChoice(archive.name(), r.subject.entry.text, position, subjectName);
        out << shownLine("Soggetto attuale: " + trimRight(subjectName) + " (" + archive.name() + ", voce " +
                    std::to_string(position) + ")");
        out << shownLine("Nascita " + r.birth.dateText() + "  Correz. " + zoneTextOf(r.birth.corr));
        return kExitOk;
    });
}

namespace {

// "3/6/1975" as the modification fields hold it: "03/06/1975".
std::string fieldText(const std::vector<int>& numbers, char separator) {
    std::string text;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        char part[8];
        std::snprintf(part, sizeof part, i == 2 ? "%04d" : "%02d", numbers[i]);
        if (i) text += separator;
        text += part;
    }
    return text;
}

// One line per changed field: "Correzione: −1 → −2".
void printChanges(std::ostream& out, const SubjectEdit& before, const SubjectEdit& after) {
    const struct {
        const char* label;
        const std::string SubjectEdit::*field;
    } fields[] = {{"Nome", &SubjectEdit::name},           {"Data", &SubjectEdit::date},
                  {"Ora", &SubjectEdit::time},            {"Localit\xE0", &SubjectEdit::place},
                  {"Nazionalit\xE0", &SubjectEdit::nation}, {"Coordinate", &SubjectEdit::coordinates},
                  {"Correzione", &SubjectEdit::corr},     {"Calendario", &SubjectEdit::calendar}};
    bool any = false;
    for (const auto& f : fields) {
        const std::string& a = before.*(f.field);
        const std::string& b = after.*(f.field);
        const bool corr = f.field == &SubjectEdit::corr;
        if (corr ? sameCorrection(a, b) : a == b) continue;
        any = true;
        if (corr)
            out << "Correzione: " << signedCorrection(a) << " \xE2\x86\x92 " << signedCorrection(b) << "\n";
        else
            out << shown(std::string(f.label) + ": " + placeShown(a)) << " \xE2\x86\x92 " << shown(placeShown(b)) << "\n";
    }
    if (!any) out << "Nessun dato di nascita cambiato\n";
}

} // namespace

int modifyCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return runCommand(err, [&] {
        const Arguments a(args,
                          {"--name", "--date", "--time", "--place", "--nation", "--coords", "--corr", "--zone",
                           "--calendar", "--data-dir"},
                          {"--update-current"});
        const auto [name, position] = nameAndPosition(a, "modify ARCHIVIO N [--name NOME] [--date GG/MM/AAAA] ...");
        SubjectEdit typed;
        std::optional<Extended> typedCorr = correctionFromOptions(a);
        const std::optional<bool> chosenCalendar = gregorianFromOption(a);
        std::optional<std::string> date, time;
        if (auto v = a.value("--date")) date = fieldText(splitNumbers(*v, '/', 3, "--date", "GG/MM/AAAA"), '/');
        if (auto v = a.value("--time")) time = fieldText(splitNumbers(*v, ':', 2, "--time", "HH:MM"), ':');

        const PreparedDataDirectory held = prepareArchives(a.value("--data-dir"), true, err);
        LoadActiveOrbs();
        Archive archive = openNamed(name);
        requirePosition(archive, position);
        const StoredSubject subject = readStoredSubject(archive, position);
        SubjectEdit stored = editFieldsOf(subject);
        checkSubjectEdit(stored);  // stripped as the typed fields will be
        typed = stored;
        if (auto v = a.value("--name")) typed.name = typedText(*v, "--name");
        if (date) typed.date = *date;
        if (time) typed.time = *time;
        if (auto v = a.value("--place")) typed.place = placeStored(typedText(*v, "--place"));
        if (auto v = a.value("--nation")) typed.nation = upperCase1252(typedText(*v, "--nation"));
        if (auto v = a.value("--coords")) typed.coordinates = *v;
        if (typedCorr) typed.corr = fittedCorrection(*typedCorr);
        if (chosenCalendar) typed.calendar = *chosenCalendar ? "GREGORIANO" : "GIULIANO";
        SubjectEdit checked = typed;
        if (const EditCheck check = checkSubjectEdit(checked); !check.failure.empty()) throw UsageError{check.failure};
        typed = checked;

        // The correction follows the birth data unless it was given; so do
        // the coordinates of a new place.
        const CorrectionReview review = reviewCorrection(stored, typed, calendarReformSetting());
        switch (review.answer) {
        case AtlasAnswer::Unchanged: break;
        case AtlasAnswer::Ambiguous:
            throw UsageError{"Pi\xF9 localit\xE0 con il nome \"" + placeShown(typed.place) +
                             "\": indicare la provincia o la nazionalit\xE0" + candidateLines(review.candidates)};
        case AtlasAnswer::NotFound:
            err << shown("Attenzione: localit\xE0 non trovata nell'atlante: coordinate e correzione restano come "
                         "indicate") << "\n";
            break;
        case AtlasAnswer::NotDerived:
            err << "Attenzione: " << shown(review.reason) << "\n";
            break;
        case AtlasAnswer::Derived:
            for (const std::string& note : review.notes) err << "Attenzione: " << shown(note) << "\n";
            if (typedCorr)
                warnIfCorrectionDiffers(err, *typedCorr, parseCorr(review.correction).value_or(0));
            else
                typed.corr = review.correction;
            if (a.value("--coords"))
                warnIfCoordinatesDiffer(err, typed.coordinates, review.coordinates);
            else
                typed.coordinates = review.coordinates;
            typed.calendar = review.calendar;
            break;
        }
        checked = typed;
        if (const EditCheck check = checkSubjectEdit(checked); !check.question.empty())
            err << shown("Attenzione: possibile incongruenza tra longitudine e correzione") << "\n";

        const bool wasCurrent = isCurrentSubject(subject);
        // The archive records and the consultations change together.
        const consultations::SubjectCorrection m = consultations::correctSubject(archive, subject, typed, true);
        if (!m.failure.empty()) throw UsageError{m.failure};
        out << shownLine("Modificato in " + archiveCaption(archive.name()) + ": voce " + std::to_string(m.indexPosition));
        printChanges(out, stored, checked);
        if (m.consultationsMoved > 0)
            out << "Consultazioni che seguono i nuovi dati: " << m.consultationsMoved << "\n";
        if (wasCurrent) {
            if (a.flag("--update-current")) {
                makeCurrentSubject(archive, m.indexPosition);
                out << "Soggetto attuale aggiornato\n";
            } else {
                out << "Il soggetto attuale resta com'era (--update-current per aggiornarlo)\n";
            }
        }
        return kExitOk;
    });
}

int deleteCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return runCommand(err, [&] {
        const Arguments a(args, {"--data-dir"}, {"--with-consultations", "--keep-consultations"});
        const auto [name, position] = nameAndPosition(a, "delete NOME N");
        const bool withConsultations = a.flag("--with-consultations");
        if (withConsultations && a.flag("--keep-consultations"))
            throw UsageError{"Indicare --with-consultations oppure --keep-consultations, non entrambe"};
        const PreparedDataDirectory held = prepareArchives(a.value("--data-dir"), true, err);
        Archive archive = openNamed(name);
        requirePosition(archive, position);
        // The window asks what becomes of the subject's consultations; the
        // command line is told (they are health data about the person).
        const StoredSubject stored = readStoredSubject(archive, position);
        const int recorded = consultations::consultationsOnRecord(archive, stored);
        if (recorded > 0 && !withConsultations && !a.flag("--keep-consultations"))
            throw UsageError{"Il soggetto ha " + std::to_string(recorded) +
                             (recorded == 1 ? " consultazione registrata" : " consultazioni registrate") +
                             ": indicare --with-consultations per eliminarle insieme al soggetto, o "
                             "--keep-consultations per conservarle"};
        // One step: the entry, its records and (when asked) its
        // consultations go together, or nothing changes.
        const consultations::SubjectDeletion d = consultations::deleteSubjectWhole(
            archive, position,
            withConsultations ? consultations::ConsultationsOfDeleted::Delete : consultations::ConsultationsOfDeleted::Keep);
        out << shownLine("Eliminato da " + archive.name() + ": " + d.entryText);
        if (d.textDeleted) out << shownLine("Testo eliminato: " + textDocumentPath(archive.name(), d.textNumber));
        if (d.consultationsDeleted > 0) out << "Consultazioni eliminate: " << d.consultationsDeleted << "\n";
        if (d.consultationsKept > 0) out << "Consultazioni conservate: " << d.consultationsKept << "\n";
        if (d.wasCurrent) out << "Era il soggetto attuale: ora nessun soggetto \xC3\xA8 selezionato\n";
        if (archive.subjectCount() == 0) out << "ARCHIVIO VUOTO\n";
        return kExitOk;
    });
}

} // namespace qv::cli
