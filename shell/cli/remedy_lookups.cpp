#include "shell/cli/remedy_lookups.h"

#include "base/data_dir.h"
#include "remedies/remedy_text.h"
#include "shell/cli/cli_support.h"

namespace qv::cli {

const EntryWords kSymptomWords{"Nessun sintomo trovato", "sintomo", "symptoms"};
const EntryWords kPathologyWords{"Nessuna patologia trovata", "patologia", "pathologies"};
const EntryWords kRemedyWords{"Nessun rimedio trovato", "rimedio", "remedies"};

namespace {

std::string jsonList(const std::vector<std::string>& texts) {
    std::string out = "[";
    for (std::size_t i = 0; i < texts.size(); ++i) out += (i ? ", " : "") + jsonString(texts[i]);
    return out + "]";
}

void listLines(std::ostream& out, const char* heading, const std::vector<std::string>& entries) {
    if (entries.empty()) return;
    out << heading << "\n";
    for (const std::string& e : entries) out << shown("- " + e) << "\n";
}

} // namespace

int answerNothingFound(std::ostream& out, bool json, const EntryWords& words, const std::string& typed,
                       const std::vector<std::string>& suggestions) {
    if (json) {
        out << "{\"query\": " << jsonString(typed) << ", \"" << words.jsonKey << "\": [], \"suggestions\": "
            << jsonList(suggestions) << "}\n";
    } else {
        out << words.noneFound << ": " << shown("\"" + typed + "\"") << "\n";
        listLines(out, "Voci simili:", suggestions);
    }
    return kExitFailure;
}

std::vector<std::string> resolveEach(std::ostream& out, bool json, const EntryWords& words,
                                     const std::vector<std::string>& entries, const std::vector<std::string>& typed) {
    std::vector<std::string> chosen;
    std::string problems = "[";
    bool failed = false;
    for (const std::string& t : typed) {
        const remedies::NameChoice c = remedies::chooseName(entries, t);
        if (c.entry) {
            chosen.push_back(*c.entry);
            continue;
        }
        const bool ambiguous = !c.candidates.empty();
        if (json) {
            problems += std::string(failed ? ", " : "") + "{\"query\": " + jsonString(t) + ", \"" +
                        (ambiguous ? "candidates" : "suggestions") + "\": " +
                        jsonList(ambiguous ? c.candidates : c.suggestions) + "}";
        } else if (ambiguous) {
            out << shown(std::string("Pi\xF9 voci per il ") + words.ambiguous + " \"" + t + "\":") << "\n";
            for (const std::string& e : c.candidates) out << shown("- " + e) << "\n";
        } else {
            out << words.noneFound << ": " << shown("\"" + t + "\"") << "\n";
            listLines(out, "Voci simili:", c.suggestions);
        }
        failed = true;
    }
    if (!failed) return chosen;
    if (json) out << "{\"unresolved\": " << problems << "]}\n";
    return {};
}

std::string warningsLine(const std::string& warnings) {
    const std::string w = remedies::trimRightBlanks(warnings);
    return w.empty() ? std::string() : shown("  Avvertenze: " + w) + "\n";
}

std::string warningsOf(const std::map<std::string, std::string>& all, const std::string& name) {
    const auto it = all.find(remedies::trimRightBlanks(name));
    return it == all.end() ? std::string() : it->second;
}

int listCommand(const std::vector<std::string>& args, std::ostream& out) {
    const Arguments a(args, {"--prefix", "--data-dir"}, {"--json"});
    const char* const usage = "Indicare l'elenco: symptoms, pathologies, remedies o plants";
    if (a.positional().size() != 1) throw UsageError{usage};
    const std::optional<remedies::NamedList> which = remedies::namedListOf(a.positional().front());
    if (!which) throw UsageError{std::string("Elenco sconosciuto: ") + "\"" + a.positional().front() + "\"" + ". " + usage};
    const std::optional<std::string> prefix =
        a.value("--prefix") ? std::optional(typedText(*a.value("--prefix"), "--prefix")) : std::nullopt;
    openDataDirectory(a.value("--data-dir"));
    std::vector<std::string> entries = remedies::readNamedList(dataDir(), *which);
    if (prefix) entries = remedies::entriesBeginningWith(entries, *prefix);
    if (a.flag("--json")) {
        const char* const names[] = {"symptoms", "pathologies", "remedies", "plants"};
        out << "{\"list\": \"" << names[static_cast<int>(*which)] << "\", \"prefix\": "
            << (prefix ? jsonString(*prefix) : std::string("null")) << ", \"entries\": " << jsonList(entries) << "}\n";
    } else {
        for (const std::string& e : entries) out << shown(e) << "\n";
        if (prefix && entries.empty()) out << "Nessuna voce trovata\n";
    }
    return prefix && entries.empty() ? kExitFailure : kExitOk;
}

} // namespace qv::cli
