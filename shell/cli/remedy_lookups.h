// How quorendaville-cli remedies finds what was typed in the lists of the
// remedy database (the folded keys every window uses), says when nothing
// matches with the nearest entries, and lists the entries of a list.
#pragma once

#include "remedies/named_lists.h"

#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace qv::cli {

// The words of a kind of entry in the answers.
struct EntryWords {
    const char* noneFound;  // "Nessun sintomo trovato"
    const char* ambiguous;  // "sintomo"
    const char* jsonKey;    // "symptoms"
};
extern const EntryWords kSymptomWords, kPathologyWords, kRemedyWords;

// "Nessun sintomo trovato" for `typed`, with the near entries, in text or
// JSON. Returns the exit status of a search that found nothing.
int answerNothingFound(std::ostream& out, bool json, const EntryWords& words, const std::string& typed,
                       const std::vector<std::string>& suggestions);

// Each typed complaint resolved to one entry of `entries`. Nothing found
// or several candidates are told on `out` (text or JSON) and make the
// result empty.
std::vector<std::string> resolveEach(std::ostream& out, bool json, const EntryWords& words,
                                     const std::vector<std::string>& entries, const std::vector<std::string>& typed);

// "  Avvertenze: …" under a proposed remedy, in full; nothing when the
// remedy has none.
std::string warningsLine(const std::string& warnings);
// The warnings of `name` in `all` (empty when none is recorded).
std::string warningsOf(const std::map<std::string, std::string>& all, const std::string& name);

// remedies list symptoms|pathologies|remedies|plants [--prefix P] [--json]
int listCommand(const std::vector<std::string>& args, std::ostream& out);

} // namespace qv::cli
