#include "remedies/named_lists.h"

#include "base/folded_key.h"
#include "base/lookup.h"
#include "remedies/plant_lookup.h"
#include "remedies/records.h"
#include "remedies/remedy_files.h"
#include "remedies/remedy_text.h"

namespace qv::remedies {

namespace {

std::vector<std::string> entriesAt(const std::vector<std::string>& entries, const std::vector<std::size_t>& at) {
    std::vector<std::string> out;
    out.reserve(at.size());
    for (std::size_t i : at) out.push_back(entries[i]);
    return out;
}

} // namespace

std::optional<NamedList> namedListOf(std::string_view word) {
    const std::string key = foldedKey(word);
    if (key == "symptoms" || key == "sintomi") return NamedList::Symptoms;
    if (key == "pathologies" || key == "patologie") return NamedList::Pathologies;
    if (key == "remedies" || key == "rimedi") return NamedList::Remedies;
    if (key == "plants" || key == "piante") return NamedList::Plants;
    return std::nullopt;
}

std::vector<std::string> readNamedList(const DataDir& dir, NamedList list) {
    switch (list) {
    case NamedList::Symptoms: return readSupportList(dir, files::kSymptomList, kLongestIndication);
    case NamedList::Pathologies: return readOptionalList(dir, files::kPathologies, kLongestPathology);
    case NamedList::Remedies: return readSupportList(dir, files::kRemedyLines, kLongestRemedyLine);
    case NamedList::Plants: return plantNames(dir);
    }
    return {};
}

ListSearch searchList(const std::vector<std::string>& entries, const std::string& typed) {
    const FoldedList keys(entries);
    const std::string key = foldedKey(typed);
    ListSearch found;
    if (key.empty()) return found;
    found.matches = entriesAt(entries, keys.allMatching(key));
    if (found.matches.empty()) found.suggestions = entriesAt(entries, keys.nearest(key, kMaxSuggestions));
    return found;
}

std::vector<std::string> entriesBeginningWith(const std::vector<std::string>& entries, const std::string& prefix) {
    const std::string key = foldedKey(prefix);
    std::vector<std::string> out;
    for (const std::string& e : entries)
        if (keyBeginsWith(foldedKey(e), key)) out.push_back(e);
    return out;
}

NameChoice chooseName(const std::vector<std::string>& entries, const std::string& typed) {
    const FoldedList keys(entries);
    const Resolution r = resolveName(keys, typed);
    NameChoice choice;
    if (r.index) choice.entry = entries[*r.index];
    choice.candidates = entriesAt(entries, r.candidates);
    choice.suggestions = entriesAt(entries, r.suggestions);
    return choice;
}

std::map<std::string, std::string> remedyWarnings(const DataDir& dir) {
    std::map<std::string, std::string> warnings;
    const RecordScan scan(dir, files::kRemedies, remedyLayout());
    scan.forEach(1, [&](std::int64_t, std::span<const std::uint8_t> r) {
        const std::string name = trimRightBlanks(fieldText(r, remedy_fields::rimedio));
        std::string& w = warnings[name];
        if (w.empty()) w = trimRightBlanks(decodeRemedy(r).warnings());
        return true;
    });
    return warnings;
}

namespace {

// "tsa iperico" and "iperico 2" are remedies of the plant "iperico".
std::string plantKeyOfRemedy(const std::string& remedyName) {
    std::string key = foldedKey(remedyName);
    for (const char* initials : {"msa ", "tsa ", "qspc "}) {
        if (keyBeginsWith(key, initials)) {
            key.erase(0, std::string_view(initials).size());
            break;
        }
    }
    if (key.size() > 2 && key[key.size() - 2] == ' ' && key.back() >= '1' && key.back() <= '9') key.resize(key.size() - 2);
    return key;
}

} // namespace

std::string plantRemedyWarningsText(const DataDir& dir, const std::string& plant) {
    const std::string wanted = foldedKey(plant);
    std::string text;
    if (wanted.empty()) return text;
    for (const auto& [name, warnings] : remedyWarnings(dir))
        if (!warnings.empty() && plantKeyOfRemedy(name) == wanted) text += (text.empty() ? "" : "\n") + name + ": " + warnings;
    return text.empty() ? "Nessuna Avvertenza registrata per i rimedi di questa pianta" : text;
}

std::string remedyWarningsOf(const DataDir& dir, const std::string& name) {
    const std::string wanted = trimRightBlanks(name);
    std::string warnings;
    const RecordScan scan(dir, files::kRemedies, remedyLayout());
    scan.forEach(1, [&](std::int64_t, std::span<const std::uint8_t> r) {
        if (trimRightBlanks(fieldText(r, remedy_fields::rimedio)) != wanted) return true;
        warnings = trimRightBlanks(decodeRemedy(r).warnings());
        return warnings.empty();
    });
    return warnings;
}

} // namespace qv::remedies
