// The lists a practitioner looks things up in (symptoms, pathologies,
// remedies, plants), read as the windows show them, and finding entries in
// them by what was typed under the folded keys of base/lookup.h; and the
// warnings of each remedy, so that whatever proposes a remedy can show them.
#pragma once

#include "base/data_dir.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv::remedies {

enum class NamedList { Symptoms, Pathologies, Remedies, Plants };

// "symptoms", "pathologies", "remedies", "plants" (also in Italian:
// "sintomi", "patologie", "rimedi", "piante").
std::optional<NamedList> namedListOf(std::string_view word);
// The entries in list order: the symptom list, the pathologies of the
// therapy repertory (nothing when there is no repertory), the remedy lines
// of the remedy window, the plant names (nothing without a plant database).
std::vector<std::string> readNamedList(const DataDir& dir, NamedList list);

// Every entry that begins with or contains the typed text, in list order;
// when none does, the nearest ones (at most five) as suggestions.
struct ListSearch {
    std::vector<std::string> matches;
    std::vector<std::string> suggestions;
};
ListSearch searchList(const std::vector<std::string>& entries, const std::string& typed);

// The entries whose folded key begins with `prefix`, in list order.
std::vector<std::string> entriesBeginningWith(const std::vector<std::string>& entries, const std::string& prefix);

// One entry chosen by a typed name: the entry equal to it, else the only
// one that begins with it, else the only one that contains it. Otherwise
// the several that do are the candidates, or, when none does, the near
// ones are suggestions.
struct NameChoice {
    std::optional<std::string> entry;
    std::vector<std::string> candidates;
    std::vector<std::string> suggestions;
};
NameChoice chooseName(const std::vector<std::string>& entries, const std::string& typed);

// The warnings of every remedy name of the primary database (trailing
// blanks dropped): those of its first record that has any, or empty.
// One pass over the file, for answers that propose many remedies.
std::map<std::string, std::string> remedyWarnings(const DataDir& dir);
// The same for one name (trailing blanks do not count).
std::string remedyWarningsOf(const DataDir& dir, const std::string& name);

// The warnings of the remedies made from a plant, one line each
// ("TSA Iperico: …"): the remedies whose name, without the preparation's
// initials (MSA, TSA, QSPC) and a use number, is the plant's name under the
// folded keys. When none has warnings, a line that says so.
std::string plantRemedyWarningsText(const DataDir& dir, const std::string& plant);

} // namespace qv::remedies
