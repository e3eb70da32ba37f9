// The person's report laid out with Qt's text document and drawn on any
// paged device: a PDF writer, or the printer the sheets print on. The wheel
// is drawn inside the text by the drawing layer, as vectors, in the paper
// palette.
#pragma once

#include "analysis/aspects.h"
#include "consultations/report.h"
#include "ephemeris/chart_state.h"

class QPagedPaintDevice;

namespace qv::consultations {

// Sets the device to A4 portrait with margins of 18 mm at the sides and
// 15 mm at the top and bottom, lays the report out for it and draws every
// page, numbered at the foot. Returns the number of pages.
int printReport(const ReportContent& report, const ChartState& natal, const OrbTable& orbs,
                QPagedPaintDevice& device);

} // namespace qv::consultations
