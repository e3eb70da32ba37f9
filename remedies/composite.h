// The composite searches: remedies ordered by how many of up to fifteen
// chosen complaints they serve, either symptoms of the primary database or
// pathologies of the therapy repertory; the detail of one remedy against
// the chosen complaints; and the word search in the complaint list.
#pragma once

#include "base/data_dir.h"

#include <array>
#include <set>
#include <string>
#include <vector>

namespace qv::remedies {

inline constexpr int kComplaintSlots = 15;
using ComplaintSlots = std::array<std::string, kComplaintSlots>;

enum class CompositeKind {
    Symptoms,   // indications and remedies of "OpzioneH\DBmain.rnd", tally "OpzioneH\RicCom.Rnd"
    Therapies,  // pathologies and remedies of "OpzioneH\Repertorio.rnd", tally "OpzioneH\TerCom.Rnd"
};

struct RankedRemedy {
    int count = 0;
    std::string name;
    // "cc name": the count with two digits at least, a blank, the name.
    std::string entry() const;
};

// For every occupied slot and every source record (record 0 included) whose
// complaint equals the slot's text, the record's remedy gains one; a
// complaint in two slots, or served by two records of one remedy, counts
// twice. Remedies that serve most complaints come first; among equal counts
// the names run in reverse list order. The tally file is rewritten with the
// counts (one record per name of its list, counts above 255 kept at 255).
std::vector<RankedRemedy> rankRemedies(const DataDir& dir, CompositeKind kind, const ComplaintSlots& slots);

struct RemedyDetail {
    // "= complaint" and "- dosage" pairs, the remedy's warnings ("AVVERTENZE: …",
    // when it has any), then the separator.
    std::vector<std::string> lines;
    std::set<std::string> complaints;   // slot texts the remedy serves (to highlight)
};
extern const char* const kDetailSeparator;
RemedyDetail remedyDetail(const DataDir& dir, CompositeKind kind, const std::string& remedy,
                          const ComplaintSlots& slots);

// "Trova": from `position` on, the first entry whose folded key contains
// the word's folded key (base/lookup.h). Returns that entry and
// moves the position after it; when none does, returns 0 and leaves the
// position as it was.
int findWordInList(const std::vector<std::string>& entries, const std::string& word, int& position);

} // namespace qv::remedies
