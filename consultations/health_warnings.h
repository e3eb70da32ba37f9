// What a consultation must tell before its remedies are given: when to see
// the doctor for each complaint chosen, and the cautions of the remedies
// that apply to this person on this day (age from the birth date, the
// medicines taken, pregnancy, breastfeeding, a follow-up later than a
// remedy may be taken). The form, the report and the command line show the
// same lines.
#pragma once

#include "consultations/consultation.h"
#include "remedies/safety_tables.h"

#include <string>
#include <vector>

namespace qv::consultations {

struct ComplaintReferral {
    std::string complaint;
    std::string referral;
    bool specific = false;  // the complaint's own, not the general one
};

// One line per symptom chosen, in the order chosen; with none chosen but
// complaints written in words, one line with the general referral.
std::vector<ComplaintReferral> complaintReferrals(const remedies::RedFlags& flags, const Consultation& c);

// The warning lines, each beginning "Attenzione: " and naming the remedy,
// what in the person's situation calls for the caution, and the caution
// with its reason. No line is given twice.
std::vector<std::string> healthWarnings(const remedies::CautionRules& rules, const Consultation& c);

// The two above read from the tables of the data directory in force.
std::vector<ComplaintReferral> complaintReferrals(const Consultation& c);
std::vector<std::string> healthWarnings(const Consultation& c);

} // namespace qv::consultations
