// Remedies chosen with "Aggiungi alla consultazione" in the search windows
// (symptom, composite, linked remedies), waiting for the "Consultazioni"
// window to take them into its form the next time it opens. One list for
// the whole run; a remedy offered twice waits once.
#pragma once

#include <string>
#include <vector>

namespace qv::consultations {

void offerRemedy(const std::string& name);
// The remedies waiting, in the order offered.
const std::vector<std::string>& offeredRemedies();
// The remedies waiting; the list is then empty.
std::vector<std::string> takeOfferedRemedies();

} // namespace qv::consultations
