#include "consultations/health_warnings.h"

#include "base/data_dir.h"
#include "remedies/medicines.h"

#include <algorithm>

namespace qv::consultations {

namespace {

using remedies::CautionCondition;
using Kind = CautionCondition::Kind;

std::string quoted(const std::string& s) { return "\"" + s + "\""; }

bool blank(const std::string& s) { return s.find_first_not_of(" \t\r\n") == std::string::npos; }

} // namespace

std::vector<ComplaintReferral> complaintReferrals(const remedies::RedFlags& flags, const Consultation& c) {
    std::vector<ComplaintReferral> out;
    for (const std::string& s : c.symptoms) {
        const auto own = flags.specific(s);
        out.push_back({s, own.value_or(flags.general()), own.has_value()});
    }
    if (out.empty() && !blank(c.complaints)) out.push_back({{}, flags.general(), false});
    return out;
}

std::vector<std::string> healthWarnings(const remedies::CautionRules& rules, const Consultation& c) {
    std::vector<std::string> out;
    auto add = [&](const std::string& line) {
        if (std::find(out.begin(), out.end(), line) == out.end()) out.push_back(line);
    };
    const std::optional<int> age = ageOn(c.subject, c.date);
    const auto medicines = remedies::recogniseMedicines(c.medicines);
    std::string allMedicines;
    for (const auto& m : medicines) allMedicines += (allMedicines.empty() ? "" : ", ") + m.typed;
    const bool followUp = c.followUp.has_value();
    const int untilFollowUp = followUp ? daysBetween(c.date, *c.followUp) : 0;

    for (const PrescribedRemedy& r : c.remedies) {
        const std::string head = "Attenzione: " + r.name;
        for (const remedies::CautionRule& rule : rules.of(r.name)) {
            const CautionCondition& when = rule.condition;
            switch (when.kind) {
            case Kind::AgeUnder:
                if (age && *age < when.number)
                    add(head + " per una persona di " + std::to_string(*age) + (*age == 1 ? " anno: " : " anni: ") +
                        rule.caution);
                break;
            case Kind::Pregnancy:
                if (c.pregnancy) add(head + " in gravidanza: " + rule.caution);
                break;
            case Kind::Breastfeeding:
                if (c.breastfeeding) add(head + " durante l'allattamento: " + rule.caution);
                break;
            case Kind::Medicine:
                for (const auto& m : medicines)
                    if (std::find(m.classes.begin(), m.classes.end(), when.medicineClass) != m.classes.end())
                        add(head + " con " + quoted(m.typed) + " (" +
                            remedies::medicineClassCaption(when.medicineClass) + "): " + rule.caution);
                break;
            case Kind::AnyMedicine:
                if (!medicines.empty()) add(head + " con altri farmaci (" + allMedicines + "): " + rule.caution);
                break;
            case Kind::MaxDays:
                if (followUp && untilFollowUp > when.number)
                    add(head + ": il controllo del " + dateText(*c.followUp) + " cade " +
                        std::to_string(untilFollowUp) + " giorni dopo la consultazione, oltre i " +
                        std::to_string(when.number) + " giorni che il rimedio permette. " + rule.caution +
                        " Fissare un controllo prima o indicare quando sospenderlo.");
                break;
            }
        }
    }
    // A medicine the table does not know is no proof that nothing interacts.
    if (!c.remedies.empty())
        for (const auto& m : medicines)
            if (m.classes.empty())
                add("Attenzione: farmaco non riconosciuto " + quoted(m.typed) +
                    ": le interazioni con i rimedi vanno verificate con il medico o il farmacista.");
    return out;
}

std::vector<ComplaintReferral> complaintReferrals(const Consultation& c) {
    return complaintReferrals(remedies::RedFlags::read(dataDir()), c);
}

std::vector<std::string> healthWarnings(const Consultation& c) {
    return healthWarnings(remedies::CautionRules::read(dataDir()), c);
}

} // namespace qv::consultations
