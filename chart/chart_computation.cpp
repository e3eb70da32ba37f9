#include "chart/chart_computation.h"

#include "settings/chart_settings.h"
#include "archive/current_subject.h"
#include "archive/side_files.h"
#include "ephemeris/angles.h"
#include "ephemeris/houses.h"
#include "ephemeris/julian_day.h"
#include "ephemeris/text_forms.h"

namespace qv {

std::string zoneTextOf(Extended corr) {
    const Extended x = -corr;
    return (x >= 0 ? "+" : "-") + NumberText(4, corr);
}

std::string jdTextOf(Extended jd) { return "JD=" + DecimalText15(jd).substr(0, 12); }

ComputedChart computeChart(HouseCalls calls) {
    ComputedChart out;
    const CurrentSubject subject = readCurrentSubject();
    out.birth = decodeBirth(subject.record);
    out.reserved1 = subject.record.reserved1;
    out.reserved2 = subject.record.reserved2;
    out.texts.annotations = readAnnotationsFile();
    if (!chartSettings().loaded) LoadActiveOrbs();

    ChartState& s = chartState();
    s.nodeKind = chartSettings().nodeKind;
    s.blackMoonKind = chartSettings().blackMoonKind;
    const BirthData& birth = out.birth;
    if (calls == HouseCalls::PlacidusFirst) {
        s.houseSystem = "PLACIDO";
        computeHouses(s, houseInputOf(birth, universalJulianDay(birth)));
    }
    s.houseSystem = "CASE_MEDIE";
    out.moved = castChart(s, birth);
    for (int i = 1; i <= 19; ++i) {
        out.ephemerisLongitude[static_cast<std::size_t>(i)] = s.longitude[static_cast<std::size_t>(i)];
        out.ephemerisLatitude[static_cast<std::size_t>(i)] = s.latitude[static_cast<std::size_t>(i)];
    }

    s.zoneText = zoneTextOf(s.corr);
    s.jdText = jdTextOf(s.jd);

    layOutTraditionally(s, out.moved);

    out.texts.name = subject.name();
    out.texts.birth = "Nascita " + out.birth.dateText() + "  Correz. " + s.zoneText;
    out.texts.place = "Localit\xE0: " + out.birth.place;
    out.texts.nation = "Nazionalit\xE0: " + out.birth.nation;
    out.texts.coordinates = "Coordinate: " + out.birth.coordinates;
    out.texts.calendar = s.gregorian ? "Calendario GREGORIANO" : "Calendario GIULIANO";
    return out;
}

} // namespace qv
