#include "consultations/prescription.h"

#include "base/lookup.h"
#include "base/text_file.h"
#include "remedies/consultation.h"
#include "remedies/remedy_files.h"
#include "remedies/remedy_text.h"

#include <algorithm>
#include <cctype>

namespace qv::consultations {

namespace {

std::vector<std::string> listLines(const DataDir& dir, const char* dataPath) {
    std::vector<std::string> lines = readTextLines(dir.resolve(dataPath), dataPath);
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    return lines;
}

std::string lowerAscii(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string trimmedOfCommas(const std::string& s) {
    const auto first = s.find_first_not_of(" ,");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" ,") - first + 1);
}

} // namespace

std::vector<std::string> symptomEntries(const DataDir& dir) { return listLines(dir, remedies::files::kSymptomList); }
std::vector<std::string> remedyEntries(const DataDir& dir) { return listLines(dir, remedies::files::kRemedyNames); }

std::string durationIn(const std::string& dosage) {
    static const char* const periods[] = {"giorn", "settiman", "mes"};
    std::size_t start = 0;
    while (start < dosage.size()) {
        const std::size_t end = std::min(dosage.find_first_of(".;", start), dosage.size());
        // Clauses within the sentence, separated by commas.
        std::size_t clause = start;
        while (clause < end) {
            const std::size_t comma = std::min(dosage.find(',', clause), end);
            const std::string part = trimmedOfCommas(dosage.substr(clause, comma - clause));
            const std::string lower = lowerAscii(part);
            if (lower.rfind("per ", 0) == 0)
                for (const char* p : periods)
                    if (lower.find(p) != std::string::npos) return part;
            clause = comma + 1;
        }
        start = end + 1;
    }
    return {};
}

PrescribedRemedy prescriptionFromDatabase(const DataDir& dir, const std::string& remedy,
                                          const std::vector<std::string>& symptoms) {
    PrescribedRemedy out{remedy, {}, {}};
    const auto records = remedies::findRemedy(dir, remedy);
    if (records.empty()) return out;
    const remedies::RemedyRecord* chosen = &records.front().data;
    for (const std::string& s : symptoms) {
        const auto serving = std::find_if(records.begin(), records.end(), [&](const remedies::RemedyMatch& m) {
            return remedies::listedForm(m.data.indication()) == s;
        });
        if (serving != records.end()) {
            chosen = &serving->data;
            break;
        }
    }
    out.dosage = remedies::trimRightBlanks(chosen->dosage());
    out.duration = durationIn(out.dosage);
    return out;
}

CheckedEntry checkEntry(const std::vector<std::string>& entries, const std::string& typed, const char* kindCaption) {
    const FoldedList list(entries);
    const Resolution r = resolveName(list, typed);
    if (r.index) return {entries[*r.index], {}};
    auto quoted = [&](const std::vector<std::size_t>& indices, std::size_t limit) {
        std::string out;
        for (std::size_t i = 0; i < indices.size() && i < limit; ++i)
            out += (i ? ", \"" : "\"") + entries[indices[i]] + "\"";
        if (indices.size() > limit) out += ", \x85";
        return out;
    };
    if (!r.candidates.empty())
        return {{}, std::string(kindCaption) + " non univoco: \"" + typed + "\". Pu\xF2 essere: " + quoted(r.candidates, 8)};
    std::string failure = std::string(kindCaption) + " sconosciuto: \"" + typed + "\"";
    if (r.suggestions.empty()) return {{}, failure + " (Nessuna voce trovata)"};
    return {{}, failure + ". Forse: " + quoted(r.suggestions, kMaxSuggestions)};
}

} // namespace qv::consultations
