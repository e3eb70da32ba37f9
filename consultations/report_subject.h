// The subject of a report: the texts the report prints of the person, the
// chart cast from the birth record and its chart master.
#pragma once

#include "archive/archive_records.h"
#include "consultations/consultation.h"
#include "consultations/report.h"
#include "ephemeris/chart_state.h"

#include <string>

namespace qv::consultations {

struct SubjectChart {
    ReportSubject subject;
    ChartState natal;  // traditional layout, every point within one turn
    int master = 0;    // the chart master, 1–10 (0 when none scores above 0)
};

// A subject of an archive: its name (as stored) and birth record, cast with
// the equal houses and the node and Black Moon kinds in force, as the main
// window casts it. The chart master's scoring writes its working files in
// the data directory; the process's chart state is not touched. A birth
// record that does not read is a ConversionError.
SubjectChart chartOfSubject(const std::string& storedName, const BirthRecord& record);

// The current subject of TMPR (IoError when there is none).
SubjectChart chartOfCurrentSubject();

// The link of the current subject: the archive it was recalled from or
// registered into (FileDum\MMDatArc.dum, when that file names this
// subject), else TMPR, with its stored name and birth moment. IoError when
// there is no current subject.
SubjectLink currentSubjectLink();

} // namespace qv::consultations
