#include "timing/icalendar.h"

#include "base/cp1252.h"

#include <libical/ical.h>

#include <cmath>
#include <ctime>
#include <memory>

namespace qv::timing {

namespace {

struct ComponentDeleter {
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using Component = std::unique_ptr<icalcomponent, ComponentDeleter>;

icaltimetype utcTime(Extended jd) {
    const auto seconds = static_cast<time_t>(std::llround(static_cast<double>((jd - 2440587.5L) * 86400.0L)));
    return icaltime_from_timet_with_zone(seconds, 0, icaltimezone_get_utc_timezone());
}

} // namespace

std::string icalendarText(const std::string& calendarName, const std::vector<IcsEvent>& events) {
    Component cal(icalcomponent_new(ICAL_VCALENDAR_COMPONENT));
    icalcomponent_add_property(cal.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(cal.get(), icalproperty_new_prodid("-//Quorendaville//Calendario spagirico//IT"));
    icalcomponent_add_property(cal.get(), icalproperty_new_calscale("GREGORIAN"));
    icalproperty* name = icalproperty_new_x(cp1252ToUtf8(calendarName).c_str());
    icalproperty_set_x_name(name, "X-WR-CALNAME");
    icalcomponent_add_property(cal.get(), name);
    const icaltimetype stamp = icaltime_from_timet_with_zone(std::time(nullptr), 0, icaltimezone_get_utc_timezone());
    for (const IcsEvent& e : events) {
        icalcomponent* ev = icalcomponent_new(ICAL_VEVENT_COMPONENT);
        icalcomponent_add_property(ev, icalproperty_new_uid(e.uid.c_str()));
        icalcomponent_add_property(ev, icalproperty_new_dtstamp(stamp));
        icalcomponent_add_property(ev, icalproperty_new_dtstart(utcTime(e.start)));
        icalcomponent_add_property(ev, icalproperty_new_dtend(utcTime(e.end)));
        icalcomponent_add_property(ev, icalproperty_new_summary(cp1252ToUtf8(e.summary).c_str()));
        icalcomponent_add_property(ev, icalproperty_new_description(cp1252ToUtf8(e.description).c_str()));
        icalcomponent_add_property(ev, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
        icalcomponent_add_component(cal.get(), ev);
    }
    char* text = icalcomponent_as_ical_string_r(cal.get());
    std::string out = text ? text : "";
    std::free(text);
    return out;
}

IcsCheck checkIcalendar(const std::string& text) {
    IcsCheck check;
    Component cal(icalparser_parse_string(text.c_str()));
    if (!cal || icalcomponent_isa(cal.get()) != ICAL_VCALENDAR_COMPONENT) {
        check.problem = "Il file non contiene un calendario iCalendar";
        return check;
    }
    if (icalcomponent_count_errors(cal.get()) > 0) {
        check.problem = "Il calendario contiene errori di sintassi";
        return check;
    }
    if (!icalcomponent_get_first_property(cal.get(), ICAL_VERSION_PROPERTY) ||
        !icalcomponent_get_first_property(cal.get(), ICAL_PRODID_PROPERTY)) {
        check.problem = "Al calendario mancano VERSION o PRODID";
        return check;
    }
    for (icalcomponent* ev = icalcomponent_get_first_component(cal.get(), ICAL_VEVENT_COMPONENT); ev;
         ev = icalcomponent_get_next_component(cal.get(), ICAL_VEVENT_COMPONENT)) {
        ++check.events;
        if (!icalcomponent_get_first_property(ev, ICAL_UID_PROPERTY) ||
            !icalcomponent_get_first_property(ev, ICAL_DTSTAMP_PROPERTY)) {
            check.problem = "Un evento non ha UID o DTSTAMP";
            return check;
        }
        const icaltimetype start = icalcomponent_get_dtstart(ev), end = icalcomponent_get_dtend(ev);
        if (icaltime_is_null_time(start) || icaltime_compare(start, end) >= 0) {
            check.problem = "Un evento non ha un inizio prima della fine";
            return check;
        }
    }
    check.valid = true;
    return check;
}

} // namespace qv::timing
