// The person's report written as an A4 PDF file. The header holds no Qt,
// so the command line can use it.
#pragma once

#include "analysis/aspects.h"
#include "consultations/report.h"
#include "ephemeris/chart_state.h"

#include <string>

namespace qv::consultations {

// Writes the report with the wheel of `natal` (traditional layout) and the
// aspect lines of `orbs`, in the colours the sheets take on paper. A file
// that cannot be written raises IoError naming it. Starts the offscreen
// GUI machinery when the process has none.
void writeReportPdf(const ReportContent& report, const ChartState& natal, const OrbTable& orbs,
                    const std::string& file);

} // namespace qv::consultations
