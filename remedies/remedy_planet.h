// The planet of a remedy for the spagyric calendar: the first of the seven
// planets of the hours (Sole … Saturno) that its primary signature names.
#pragma once

#include "base/data_dir.h"

#include <string>
#include <vector>

namespace qv::remedies {

struct RemedyPlanet {
    std::string remedy;              // the remedy's name as recorded
    int planet = 0;                  // 1–7; 0 when none was found
    std::string problem;             // why not, in Italian
    std::vector<std::string> names;  // the remedies a typed name stood for, when several
};

// The remedy a typed name stands for (the search boxes' folded match; the
// lines of the remedy list may name one remedy in several ways, and what
// counts is how many remedies they lead to) and its planet.
RemedyPlanet planetOfRemedy(const DataDir& dir, const std::string& typed);

} // namespace qv::remedies
