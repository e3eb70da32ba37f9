// The report handed to the person after a consultation: what it says, put
// together from the consultation, the subject's birth data, the analyses of
// the chart (the chart master, the dominant element and humour, with the
// planet texts of the data directory) and the remedy database (each
// remedy's preparation and full warnings, the doctor's referral of each
// complaint, the cautions that apply to the person). It is written for the
// person, not for a colleague: plain words for the constitution, the dose
// as prescribed. The practitioner's notes stay
// in the store: they are not for the person. Printing it is the work of
// consultations/print; this part is plain data and has no Qt.
#pragma once

#include "consultations/consultation.h"
#include "consultations/health_warnings.h"
#include "ephemeris/chart_state.h"

#include <string>
#include <vector>

namespace qv::consultations {

struct ReportRemedy {
    std::string name;
    std::string preparation;  // "Tintura Spagirico-Alchemica", or empty
    std::string dosage;       // as prescribed
    std::string duration;     // as prescribed
    std::string warnings;     // whole, or the notice that there are none
};

struct ReportContent {
    std::string title;         // "Relazione di consultazione"
    std::vector<std::string> practitioner;  // the identity's printed lines; none without a name
    std::string person;        // the subject's name
    std::string birth;         // "Nato/a il 12/03/1968 alle 14:30 a MILANO (MI) - ITALIA"
    std::string date;          // of the consultation, "05/03/2026"
    std::vector<std::string> constitution;  // short paragraphs
    std::string complaints;    // free text
    std::vector<std::string> symptoms;
    std::vector<ComplaintReferral> referrals;  // when to see the doctor, by complaint
    std::vector<ReportRemedy> remedies;
    std::vector<std::string> warnings;         // "Attenzione: …", the cautions that apply
    std::string followUp;      // "02/04/2026", or empty
    std::string closing;       // the advice does not replace the doctor's
};

extern const char* const kReportClosing;

// The constitution read from a cast chart in the traditional layout, in
// words a lay person follows: the planet that leads the chart (the chart
// master, 1–10, 0 for none), the dominant element and the temperament of
// the whole chart's qualities, one sentence each.
std::vector<std::string> constitutionReading(const ChartState& natal, int master);

// The whole content. `natal` is the subject's chart (traditional layout),
// `master` its chart master; `name` and `birth` the stored name and birth
// record text as the main window shows them. Reads the remedy database and
// the planet texts of the data directory in force.
struct ReportSubject {
    std::string name;
    std::string birthDate;   // "12/03/1968 14:30"
    std::string place;       // as shown
    std::string nation;
};
// `practitioner` holds the lines of the practitioner's identity.
ReportContent reportContent(const Consultation& c, const ReportSubject& subject, const ChartState& natal, int master,
                            const std::vector<std::string>& practitioner);

// A dosage as the person reads it: without the sentences that leave dose
// and duration to the practitioner (the practitioner has set them).
std::string dosageForThePerson(const std::string& dosage);

// The report as plain text, in reading order (what the PDF says, for tests
// and for a terminal).
std::string reportText(const ReportContent& r);

} // namespace qv::consultations
