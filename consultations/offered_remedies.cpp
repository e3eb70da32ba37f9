#include "consultations/offered_remedies.h"

#include <algorithm>

namespace qv::consultations {

namespace {

std::vector<std::string>& waiting() {
    static std::vector<std::string> list;
    return list;
}

} // namespace

void offerRemedy(const std::string& name) {
    if (name.empty()) return;
    auto& list = waiting();
    if (std::find(list.begin(), list.end(), name) == list.end()) list.push_back(name);
}

const std::vector<std::string>& offeredRemedies() { return waiting(); }

std::vector<std::string> takeOfferedRemedies() {
    std::vector<std::string> out;
    out.swap(waiting());
    return out;
}

} // namespace qv::consultations
