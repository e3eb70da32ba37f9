#include "shell/cli/picture_chart.h"

#include "archive/current_subject.h"
#include "chart/chart_computation.h"
#include "ephemeris/chart_steps.h"
#include "shell/cli/chart_command.h"

namespace qv::cli {

namespace {

const char* const kBirthOptions[] = {"--date", "--time", "--corr", "--coords", "--calendar", "--houses", "--node", "--black-moon"};

// The chart of the birth options, laid out as the chart computation lays
// out the current subject's.
void castFromOptions(const Arguments& a, ChartState& s) {
    const BirthData b = birthDataFromOptions(a);
    resetChartState();
    chartKindsFromOptions(a, s);
    layOutTraditionally(s, castChart(s, b));
    s.zoneText = zoneTextOf(s.corr);
    s.jdText = jdTextOf(s.jd);
}

} // namespace

OrbTable castPictureChart(const Arguments& a) {
    const bool current = a.flag("--current");
    for (const char* option : kBirthOptions)
        if (current && a.value(option))
            throw UsageError{std::string("Con --current i dati vengono dal soggetto attuale: togliere ") + option};
    if (!current && !a.value("--date"))
        throw UsageError{"Indicare --current oppure i dati di nascita (--date, --time, --corr, --coords)"};

    openDataDirectory(a.value("--data-dir"));
    LoadActiveOrbs();
    ChartState& chart = chartState();
    if (current) {
        if (!currentSubjectExists())
            throw UsageError{"Nessun soggetto attuale: registrarne uno (register) o richiamarne uno (recall)"};
        computeChart();
    } else {
        castFromOptions(a, chart);
    }
    return ActiveOrbs();
}

} // namespace qv::cli
