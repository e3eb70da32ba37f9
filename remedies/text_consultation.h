// The composition (plants and active principles, kept in the notes) and
// the psychic synthesis of each remedy: the text of a remedy, the remedies
// whose text holds a word, and the text with the word found in capitals.
#pragma once

#include "base/data_dir.h"
#include "remedies/records.h"

#include <optional>
#include <string>
#include <vector>

namespace qv::remedies {

enum class RemedyTextKind { Composition, Synthesis };

// The window's texts: its caption label at rest, during a search, and
// before a remedy's name.
struct TextKindWords {
    const char* label;       // "Composizione del Rimedio", "Sintesi Psichica"
    const char* searchLabel; // "Composizione del Rimedio", "Sintesi Psichica del Rimedio"
    const char* ofRemedy;    // "Composizione di ", "Sintesi Psichica di "
};
const TextKindWords& textKindWords(RemedyTextKind kind);

inline constexpr const char* kNoResult = "**NESSUN RISULTATO**";
extern const char* const kNoSynthesis;

// The text of a record: notes 1 to 3, or the six chunks of the synthesis.
std::string remedyTextOf(const RemedyRecord& r, RemedyTextKind kind);

// The text shown for a listed remedy (first record of that name from
// record 0), or nothing when no record carries the name. A synthesis
// shorter than five characters reads as kNoSynthesis.
std::optional<std::string> remedyTextShown(const DataDir& dir, const std::string& listedName, RemedyTextKind kind);

// The listed names (in their order) of which some record holds `word`
// without regard to case (letters a to z), or the single kNoResult line.
std::vector<std::string> searchRemedyTexts(const DataDir& dir, const std::vector<std::string>& listedNames,
                                           const std::string& word, RemedyTextKind kind);

// The text of the first record of the name that holds the word (without
// regard to case), or of its first record when none does.
std::string textHoldingWord(const DataDir& dir, const std::string& listedName, const std::string& word,
                            RemedyTextKind kind);

// `text` with the first occurrence of `word` (found without regard to
// case) written as the word was typed in capitals.
std::string highlightWord(const std::string& text, const std::string& word);

} // namespace qv::remedies
