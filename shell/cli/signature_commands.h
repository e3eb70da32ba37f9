// quorendaville-cli remedies signature and remedies linked: the remedies of
// a planet and sign, and the remedies linked to each point of a chart.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace qv::cli {

// remedies signature --planet P [--sign S] [--secondary] [--json]
// The remedies (one per name, judged by its first record) whose primary
// signature names planet P, or also its secondary one with --secondary,
// and whose zodiacal signature names sign S; "Qualsiasi" stands for any.
int signatureCommand(const std::vector<std::string>& args, std::ostream& out);

// remedies linked [--current | --date … --time … --corr … --coords …] [--json]
// For each point Sole … Medio Cielo of the chart, its sign and the remedies
// linked to it through the planet's primary signature and through the
// sign's zodiacal signature (the per-planet and per-sign name lists).
int linkedCommand(const std::vector<std::string>& args, std::ostream& out);

} // namespace qv::cli
