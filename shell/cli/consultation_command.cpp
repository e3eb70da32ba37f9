#include "shell/cli/consultation_command.h"

#include "archive/archive_files.h"
#include "base/data_dir.h"
#include "base/folded_key.h"
#include "consultations/consultation_store.h"
#include "consultations/health_warnings.h"
#include "consultations/prescription.h"
#include "ephemeris/text_forms.h"
#include "shell/cli/cli_support.h"

#include <cctype>
#include <limits>

namespace qv::cli {

namespace {

using namespace consultations;

const char* const kConsultationUsage =
    "Uso: quorendaville-cli consultation add --archive A --subject N [--date GG/MM/AAAA] [--symptom S]...\n"
    "            [--remedy R]... [--note T] [--follow-up GG/MM/AAAA] [--medicine FARMACO]...\n"
    "            [--pregnancy] [--breastfeeding]\n"
    "     quorendaville-cli consultation list --archive A --subject N [--json]\n"
    "     quorendaville-cli consultation delete --archive A --subject N --id K\n"
    "     N \xE8 la posizione del soggetto nell'archivio o il suo nome; tutti accettano --data-dir CARTELLA";

bool allDigits(const std::string& s) {
    if (s.empty()) return false;
    for (char c : s)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

// The values of an option that may be given several times, taken out of
// the arguments.
std::vector<std::string> takeRepeated(std::vector<std::string>& args, const std::string& option) {
    std::vector<std::string> values, rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == option) {
            if (i + 1 >= args.size()) throw UsageError{"Manca il valore dell'opzione " + option};
            values.push_back(args[++i]);
        } else {
            rest.push_back(args[i]);
        }
    }
    args = rest;
    return values;
}

CalendarDate dateOption(const std::string& typed, const char* option) {
    const auto d = parseDate(typed);
    if (!d) throw UsageError{std::string("Data non valida per ") + option + ": \"" + typed + "\" (GG/MM/AAAA)"};
    return *d;
}

CalendarDate today() { return *parseDate(TodayText()); }

std::string joined(const std::vector<std::string>& items) {
    std::string out;
    for (const std::string& s : items) out += (out.empty() ? "" : ", ") + s;
    return out;
}

void printConsultation(std::ostream& out, const Consultation& c) {
    out << shownLine("Consultazione " + std::to_string(c.id) + " del " + dateText(c.date) +
                (c.followUp ? ", controllo il " + dateText(*c.followUp) : std::string()));
    if (!c.complaints.empty()) out << shownLine("  Disturbi: " + c.complaints);
    if (!c.symptoms.empty()) out << shownLine("  Sintomi: " + joined(c.symptoms));
    for (const PrescribedRemedy& r : c.remedies) {
        out << shownLine("  Rimedio: " + r.name);
        if (!r.dosage.empty()) out << shownLine("    Posologia: " + r.dosage);
        if (!r.duration.empty()) out << shownLine("    Durata: " + r.duration);
    }
    if (!c.medicines.empty()) out << shownLine("  Farmaci: " + c.medicines);
    if (c.pregnancy) out << "  In gravidanza\n";
    if (c.breastfeeding) out << "  In allattamento\n";
    if (!c.notes.empty()) out << shownLine("  Note: " + c.notes);
}

// What the person must be told with the remedies: when to see the doctor
// for each complaint, then the cautions that apply to them.
void printAttention(std::ostream& out, const Consultation& c) {
    const auto referrals = complaintReferrals(c);
    if (!referrals.empty()) out << "Quando rivolgersi al medico:\n";
    for (const ComplaintReferral& f : referrals)
        out << shownLine("- " + (f.complaint.empty() ? std::string("Disturbi") : f.complaint) + ": " + f.referral);
    for (const std::string& w : healthWarnings(c)) out << shownLine(w);
}

} // namespace

std::string consultationJson(const consultations::Consultation& c) {
    std::string out = "{\"id\": " + std::to_string(c.id) + ", \"date\": " + jsonString(dateText(c.date)) +
                      ", \"follow_up\": " + (c.followUp ? jsonString(dateText(*c.followUp)) : "null") +
                      ", \"complaints\": " + jsonString(c.complaints) + ", \"symptoms\": [";
    for (std::size_t i = 0; i < c.symptoms.size(); ++i) out += (i ? ", " : "") + jsonString(c.symptoms[i]);
    out += "], \"remedies\": [";
    for (std::size_t i = 0; i < c.remedies.size(); ++i)
        out += std::string(i ? ", " : "") + "{\"name\": " + jsonString(c.remedies[i].name) +
               ", \"dosage\": " + jsonString(c.remedies[i].dosage) + ", \"duration\": " +
               jsonString(c.remedies[i].duration) + "}";
    return out + "], \"notes\": " + jsonString(c.notes) + ", \"medicines\": " + jsonString(c.medicines) +
           ", \"pregnancy\": " + (c.pregnancy ? "true" : "false") +
           ", \"breastfeeding\": " + (c.breastfeeding ? "true" : "false") + "}";
}

namespace {


std::string subjectCaption(const NamedSubject& s) {
    return trimRight(s.stored.entry.name()) + " (" + s.archive + ", voce " + std::to_string(s.stored.indexPosition) + ")";
}

int add(const Arguments& a, const std::vector<std::string>& typedSymptoms, const std::vector<std::string>& typedRemedies,
        const std::vector<std::string>& typedMedicines, std::ostream& out) {
    Consultation c;
    for (const std::string& m : typedMedicines)
        c.medicines += (c.medicines.empty() ? "" : "\r\n") + typedText(m, "--medicine");
    c.pregnancy = a.flag("--pregnancy");
    c.breastfeeding = a.flag("--breastfeeding");
    c.date = a.value("--date") ? dateOption(*a.value("--date"), "--date") : today();
    if (const auto f = a.value("--follow-up")) c.followUp = dateOption(*f, "--follow-up");
    if (const auto n = a.value("--note")) c.notes = typedText(*n, "--note");
    openDataDirectory(a.value("--data-dir"));
    const NamedSubject subject = namedSubject(a.required("--archive"), a.required("--subject"));
    c.subject = subject.link;

    // The window's checks: every symptom and remedy is an entry of its list.
    std::vector<std::string> failures;
    if (!typedSymptoms.empty()) {
        const auto entries = symptomEntries(dataDir());
        for (const std::string& typed : typedSymptoms) {
            const CheckedEntry e = checkEntry(entries, typedText(typed, "--symptom"), "Sintomo");
            if (e.failure.empty()) c.symptoms.push_back(e.entry); else failures.push_back(e.failure);
        }
    }
    if (!typedRemedies.empty()) {
        const auto entries = remedyEntries(dataDir());
        for (const std::string& typed : typedRemedies) {
            const CheckedEntry e = checkEntry(entries, typedText(typed, "--remedy"), "Rimedio");
            if (e.failure.empty()) c.remedies.push_back(prescriptionFromDatabase(dataDir(), e.entry, c.symptoms));
            else failures.push_back(e.failure);
        }
    }
    if (!failures.empty()) {
        std::string message;
        for (const std::string& f : failures) message += (message.empty() ? "" : "\n") + f;
        throw UsageError{message};
    }
    if (const std::string failure = consultationFailure(c); !failure.empty()) throw UsageError{failure};
    ConsultationStore store = openStore();
    store.save(c);
    out << shownLine("Registrata per " + subjectCaption(subject) + ":");
    printConsultation(out, c);
    printAttention(out, c);
    return kExitOk;
}

int list(const Arguments& a, std::ostream& out) {
    openDataDirectory(a.value("--data-dir"));
    const NamedSubject subject = namedSubject(a.required("--archive"), a.required("--subject"));
    std::vector<Consultation> all;
    // Reading never creates the store.
    if (const auto store = openStoreIfPresent()) all = store->consultationsOf(subject.link);
    if (a.flag("--json")) {
        out << "{\"archive\": " << jsonString(subject.archive) << ", \"subject\": " << jsonString(subject.link.name)
            << ", \"position\": " << subject.stored.indexPosition << ", \"consultations\": [";
        for (std::size_t i = 0; i < all.size(); ++i) out << (i ? ", " : "") << consultationJson(all[i]);
        out << "]}\n";
        return kExitOk;
    }
    out << shownLine(subjectCaption(subject) + ": " + std::to_string(all.size()) +
                (all.size() == 1 ? " consultazione" : " consultazioni"));
    for (const Consultation& c : all) printConsultation(out, c);
    return kExitOk;
}

int remove(const Arguments& a, std::ostream& out) {
    const std::string idText = a.required("--id");
    const std::int64_t id = consultationId(idText);
    openDataDirectory(a.value("--data-dir"));
    const NamedSubject subject = namedSubject(a.required("--archive"), a.required("--subject"));
    const std::string missing =
        "Il soggetto " + subjectCaption(subject) + " non ha una consultazione " + idText;
    auto present = openStoreIfPresent();
    if (!present) throw UsageError{missing};
    ConsultationStore& store = *present;
    const auto c = store.find(id);
    // Another subject's consultation is never deleted through this one.
    if (!c || c->subject != subject.link) throw UsageError{missing};
    store.remove(id);
    out << shownLine("Eliminata la consultazione " + idText + " del " + dateText(c->date) + " di " + subjectCaption(subject));
    return kExitOk;
}

} // namespace

std::int64_t consultationId(const std::string& typed) {
    return parseBoundedInteger(typed, "--id", 1, std::numeric_limits<std::int64_t>::max());
}

NamedSubject namedSubject(const std::string& archiveTyped, const std::string& subjectTyped) {
    const std::string name = upperCase1252(typedText(archiveTyped, "--archive"));
    ArchiveOpening o = openArchive(name);
    if (!o.archive) throw UsageError{o.refusal + ": \"" + name + "\""};
    const Archive& archive = *o.archive;
    if (archive.subjectCount() == 0) throw UsageError{"L'archivio " + archive.name() + " \xE8 vuoto"};
    int position = 0;
    if (allDigits(subjectTyped)) {
        position = subjectTyped.size() > 6 ? -1 : std::stoi(subjectTyped);
        if (position < 1 || position > archive.subjectCount())
            throw UsageError{"Posizione " + subjectTyped + " inesistente nell'archivio " + archive.name() + " (1 \x96 " +
                             std::to_string(archive.subjectCount()) + ")"};
    } else {
        const std::string key = foldedKey(typedText(subjectTyped, "--subject"));
        const auto entries = archive.readWholeIndex();
        std::vector<int> same;
        std::vector<std::string> names;
        for (std::size_t k = 1; k < entries.size(); ++k) {
            names.push_back(trimRight(entries[k].name()));
            if (foldedKey(entries[k].name()) == key) same.push_back(static_cast<int>(k));
        }
        if (same.size() > 1) {
            std::string which;
            for (int k : same) which += (which.empty() ? "" : ", ") + std::to_string(k);
            throw UsageError{"Pi\xF9 soggetti dell'archivio " + archive.name() + " si chiamano \"" + subjectTyped +
                             "\": indicare la posizione (" + which + ")"};
        }
        if (same.empty()) {
            const CheckedEntry e = checkEntry(names, typedText(subjectTyped, "--subject"), "Soggetto");
            throw UsageError{e.failure + " (archivio " + archive.name() + ")"};
        }
        position = same.front();
    }
    NamedSubject s;
    s.archive = archive.name();
    s.stored = readStoredSubject(archive, position);
    s.link = subjectLinkOf(archive.name(), s.stored.entry.name(), s.stored.record.moment);
    return s;
}

int consultationCommand(const std::vector<std::string>& rawArgs, std::ostream& out, std::ostream& err) {
    return runCommand(err, [&] {
        if (rawArgs.empty()) throw UsageError{kConsultationUsage};
        const std::string sub = rawArgs.front();
        std::vector<std::string> args(rawArgs.begin() + 1, rawArgs.end());
        if (sub == "add") {
            const auto symptoms = takeRepeated(args, "--symptom");
            const auto remedies = takeRepeated(args, "--remedy");
            const auto medicines = takeRepeated(args, "--medicine");
            const Arguments a(args, {"--archive", "--subject", "--date", "--note", "--follow-up", "--data-dir"},
                              {"--pregnancy", "--breastfeeding"});
            if (!a.positional().empty()) throw UsageError{"Argomento inatteso: " + a.positional().front()};
            return add(a, symptoms, remedies, medicines, out);
        }
        if (sub == "list" || sub == "delete") {
            const Arguments a(args, {"--archive", "--subject", "--id", "--data-dir"}, {"--json"});
            if (!a.positional().empty()) throw UsageError{"Argomento inatteso: " + a.positional().front()};
            if (sub == "list") {
                if (a.value("--id")) throw UsageError{"--id vale solo per consultation delete"};
                return list(a, out);
            }
            if (a.flag("--json")) throw UsageError{"--json vale solo per consultation list"};
            return remove(a, out);
        }
        throw UsageError{"Sottocomando sconosciuto: " + sub + "\n" + kConsultationUsage};
    });
}

} // namespace qv::cli
