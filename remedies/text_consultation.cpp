#include "remedies/text_consultation.h"

#include "remedies/remedy_files.h"
#include "remedies/remedy_text.h"
#include "remedies/signature_search.h"

#include <algorithm>
#include <unordered_set>

namespace qv::remedies {

const char* const kNoSynthesis = "Non \xE8 riportata una Sintesi Psichica";

const TextKindWords& textKindWords(RemedyTextKind kind) {
    static const TextKindWords composition{"Composizione del Rimedio", "Composizione del Rimedio", "Composizione di "};
    static const TextKindWords synthesis{"Sintesi Psichica", "Sintesi Psichica del Rimedio", "Sintesi Psichica di "};
    return kind == RemedyTextKind::Composition ? composition : synthesis;
}

std::string remedyTextOf(const RemedyRecord& r, RemedyTextKind kind) {
    return kind == RemedyTextKind::Composition ? r.notes() : r.synthesis();
}

std::optional<std::string> remedyTextShown(const DataDir& dir, const std::string& listedName, RemedyTextKind kind) {
    const std::optional<FoundRemedy> found = firstRecordOf(dir, listedName);
    if (!found) return std::nullopt;
    std::string text = remedyTextOf(found->data, kind);
    if (kind == RemedyTextKind::Synthesis && text.size() < 5) text = kNoSynthesis;
    return text;
}

std::vector<std::string> searchRemedyTexts(const DataDir& dir, const std::vector<std::string>& listedNames,
                                           const std::string& word, RemedyTextKind kind) {
    const std::string wanted = upperLetters(word);
    // One pass over the records: the names of which some record holds the word.
    std::unordered_set<std::string> holding;
    const RecordScan scan(dir, files::kRemedies, remedyLayout());
    const std::span<const Field> chunks =
        kind == RemedyTextKind::Composition ? std::span<const Field>(remedy_fields::note) : std::span<const Field>(remedy_fields::sintesi);
    std::string text;
    scan.forEach(0, [&](std::int64_t, std::span<const std::uint8_t> r) {
        std::string name = trimRightBlanks(fieldText(r, remedy_fields::rimedio));
        if (holding.count(name)) return true;
        // The text in capitals, built in one reused buffer.
        text.clear();
        for (const Field& f : chunks)
            text.append(reinterpret_cast<const char*>(r.data()) + f.offset + 1, std::min<std::size_t>(r[f.offset], f.width));
        for (char& c : text)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (text.find(wanted) != std::string::npos) holding.insert(std::move(name));
        return true;
    });
    std::vector<std::string> out;
    for (const std::string& name : listedNames)
        if (holding.count(name)) out.push_back(name);
    if (out.empty()) out.push_back(kNoResult);
    return out;
}

std::string textHoldingWord(const DataDir& dir, const std::string& listedName, const std::string& word,
                            RemedyTextKind kind) {
    const std::string wanted = upperLetters(word);
    std::optional<std::string> first, holding;
    const RecordScan scan(dir, files::kRemedies, remedyLayout());
    scan.forEach(0, [&](std::int64_t, std::span<const std::uint8_t> r) {
        if (trimRightBlanks(fieldText(r, remedy_fields::rimedio)) != listedName) return true;
        std::string text = remedyTextOf(decodeRemedy(r), kind);
        if (!first) first = text;
        if (upperLetters(text).find(wanted) == std::string::npos) return true;
        holding = std::move(text);
        return false;
    });
    return holding ? *holding : first.value_or(std::string());
}

std::string highlightWord(const std::string& text, const std::string& word) {
    const std::string wanted = upperLetters(word);
    if (wanted.empty()) return text;
    const std::size_t at = upperLetters(text).find(wanted);
    if (at == std::string::npos) return text;
    return text.substr(0, at) + wanted + text.substr(at + wanted.size());
}

} // namespace qv::remedies
