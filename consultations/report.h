// The report handed to the person after a consultation: what it says, put
// together from the consultation, the subject's birth data, the analyses of
// the chart (the chart master, the dominant element and humour, with the
// planet texts of the data directory) and the remedy database (each
// remedy's preparation and full warnings). The practitioner's notes stay
// in the store: they are not for the person. Printing it is the work of
// consultations/print; this part is plain data and has no Qt.
#pragma once

#include "consultations/consultation.h"
#include "ephemeris/chart_state.h"

#include <string>
#include <vector>

namespace qv::consultations {

struct ReportRemedy {
    std::string name;
    std::string preparation;  // "Tintura Spagirico-Alchemica", or empty
    std::string dosage;
    std::string duration;
    std::string warnings;     // whole, or the notice that there are none
};

struct ReportContent {
    std::string title;         // "Relazione di consultazione"
    std::string practitioner;  // first name and surname
    std::string person;        // the subject's name
    std::string birth;         // "Nato/a il 12/03/1968 alle 14:30 a MILANO (MI) - ITALIA"
    std::string date;          // of the consultation, "05/03/2026"
    std::vector<std::string> constitution;  // short paragraphs
    std::string complaints;    // free text
    std::vector<std::string> symptoms;
    std::vector<ReportRemedy> remedies;
    std::string followUp;      // "02/04/2026", or empty
    std::string closing;       // the advice does not replace the doctor's
};

extern const char* const kReportClosing;

// The constitution read from a cast chart in the traditional layout: the
// chart master (1–10, 0 for none) with its planet texts, the dominant
// element and the humour of the elemental attribution.
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
ReportContent reportContent(const Consultation& c, const ReportSubject& subject, const ChartState& natal, int master,
                            const std::string& practitioner);

// The report as plain text, in reading order (what the PDF says, for tests
// and for a terminal).
std::string reportText(const ReportContent& r);

} // namespace qv::consultations
