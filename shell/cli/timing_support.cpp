#include "shell/cli/timing_support.h"

#include "analysis/substance.h"
#include "archive/archive_records.h"
#include "archive/current_subject.h"
#include "archive/place_lookup.h"
#include "base/cp1252.h"
#include "base/errors.h"
#include "chart/chart_computation.h"
#include "ephemeris/julian_day.h"
#include "ephemeris/text_forms.h"
#include "settings/chart_settings.h"
#include "shell/cli/chart_command.h"
#include "timing/birthplace_clock.h"
#include "timing/calendar_events.h"

#include <cmath>
#include <cstdio>

namespace qv::cli {

namespace {


// The clock of a named place of the atlas; none when it is not there or
// not one place.
std::optional<timing::LocalClock> clockOfPlace(atlas::PlaceArchive archive, const std::string& name,
                                               const std::string& state, atlas::Place* found) {
    const atlas::PlaceTable table(archive);
    const std::vector<atlas::Place> places = atlas::placesNamed(table, name, state);
    if (places.size() != 1) return std::nullopt;
    if (found) *found = places.front();
    return timing::LocalClock::ofPlace(archive, places.front());
}

} // namespace

std::optional<timing::LocalClock> placeClockFromOptions(const Arguments& a, BirthData* coordinates) {
    const auto place = a.value("--place");
    if (!place) return std::nullopt;
    const std::string name = upperCase1252(typedText(*place, "--place"));
    const std::string state = a.value("--state") ? upperCase1252(typedText(*a.value("--state"), "--state")) : "";
    const atlas::PlaceArchive archive = a.flag("--estero") ? atlas::PlaceArchive::Estero : atlas::PlaceArchive::Italia;
    atlas::Place found;
    auto clock = clockOfPlace(archive, name, state, &found);
    if (!clock) throw UsageError{"Localit\xE0 non trovata o non univoca nell'atlante: " + echoed(*place)};
    if (coordinates) {
        const Extended lat = std::fabs(found.latitude), lon = std::fabs(found.longitude);
        coordinates->latDegrees = static_cast<int>(lat);
        coordinates->latMinutes = static_cast<int>(std::lround(static_cast<double>((lat - coordinates->latDegrees) * 60)));
        coordinates->latLetter = found.latitude < 0 ? "S" : "N";
        coordinates->lonDegrees = static_cast<int>(lon);
        coordinates->lonMinutes = static_cast<int>(std::lround(static_cast<double>((lon - coordinates->lonDegrees) * 60)));
        coordinates->lonLetter = found.longitude < 0 ? "W" : "E";
        for (int* m : {&coordinates->latMinutes, &coordinates->lonMinutes})
            if (*m == 60) *m = 59;
        coordinates->place = found.name;
    }
    return clock;
}

NatalChart natalChartFromOptions(const Arguments& a) {
    NatalChart n;
    if (a.flag("--current")) {
        for (const std::string& option : kTimingBirthOptions)
            if (a.value(option))
                throw UsageError{"Con --current i dati vengono dal soggetto attuale: togliere " + option};
        openDataDirectory(a.value("--data-dir"));
        LoadActiveOrbs();
        if (!currentSubjectExists())
            throw UsageError{"Nessun soggetto attuale: registrarne uno (register) o richiamarne uno (recall)"};
        const ComputedChart c = computeChart();
        n.chart = chartState();
        bringWithinOneTurn(n.chart);
        n.birth = c.birth;
        n.moved = c.moved;
        n.name = trimSpaces(c.texts.name);
        n.ephemeris = n.chart;
        for (int k = 1; k <= 19; ++k) {
            n.ephemeris.longitude[static_cast<std::size_t>(k)] = c.ephemerisLongitude[static_cast<std::size_t>(k)];
            n.ephemeris.latitude[static_cast<std::size_t>(k)] = c.ephemerisLatitude[static_cast<std::size_t>(k)];
        }
        n.clock = timing::birthplaceClock(placeShown(c.birth.placeAsStored), c.birth.nation, n.birth.corr);
        return n;
    }
    n.birth = birthDataFromOptions(a);
    ChartState& s = n.chart;
    chartKindsFromOptions(a, s);
    openDataDirectory(a.value("--data-dir"));
    n.moved = castChart(s, n.birth);
    bringWithinOneTurn(s);
    n.ephemeris = s;
    layOutTraditionally(s, n.moved);
    n.clock = timing::LocalClock::fixed(n.birth.corr);
    if (auto clock = placeClockFromOptions(a)) n.clock = *clock;
    return n;
}

Extended dateOption(const Arguments& a, const std::string& option) {
    const std::string text = a.required(option);
    const auto d = splitNumbers(text, '/', 3, option, "GG/MM/AAAA");
    if (d[2] < 1 || d[2] > 9999 || !isExistingDate(d[0], d[1], d[2], true))
        throw UsageError{"Data inesistente per " + option + ": " + echoed(text)};
    return julianDayOf(true, d[0], d[1], d[2], 0, 0);
}

std::string momentText(Extended jd) {
    const long long seconds = std::llround(static_cast<double>((jd + 0.5L) * 86400.0L));
    const long long day = seconds / 86400;
    const long long rest = seconds % 86400;
    const CivilDate c = civilDateOf(static_cast<Extended>(day));
    char text[40];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d %02lld:%02lld:%02lld", c.day, c.month, c.year, rest / 3600,
                  rest / 60 % 60, rest % 60);
    return text;
}

std::string localText(const timing::LocalClock& clock, Extended jd) { return timing::localClockText(clock, jd); }

std::string jsonMoment(const std::optional<Extended>& jd) { return jd ? jsonNumber(*jd) : "null"; }

} // namespace qv::cli
