#include "shell/cli/calendar_command.h"

#include "analysis/chart_codes.h"
#include "analysis/planetary_hour.h"
#include "base/cp1252.h"
#include "base/data_dir.h"
#include "base/file_safety.h"
#include "base/folded_key.h"
#include "ephemeris/chart_state.h"
#include "ephemeris/text_forms.h"
#include "remedies/remedy_planet.h"
#include "shell/cli/chart_command.h"
#include "shell/cli/timing_support.h"
#include "timing/body_positions.h"
#include "timing/calendar_events.h"
#include "timing/spagyric_calendar.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace qv::cli {

namespace {

struct Filter {
    timing::HourFilter hours;
    std::string remedy;  // the remedy whose planet was taken
    bool any() const { return hours.planet != 0 || hours.waxing || !hours.anySign(); }
};

int planetNamed(const std::string& typed) {
    const auto body = timing::transitBodyNamed(typed);
    if (!body || *body > kSaturn)
        throw UsageError{"Pianeta non valido: " + echoed(typed) + " (Sole, Luna, Mercurio, Venere, Marte, Giove, Saturno)"};
    return *body;
}

Filter filterOptions(const Arguments& a) {
    Filter f;
    if (a.value("--planet") && a.value("--remedy")) throw UsageError{"Indicare --planet oppure --remedy, non entrambi"};
    if (auto p = a.value("--planet")) f.hours.planet = planetNamed(typedText(*p, "--planet"));
    f.hours.waxing = a.flag("--waxing");
    if (auto list = a.value("--moon-signs")) {
        std::stringstream in(typedText(*list, "--moon-signs"));
        std::string name;
        while (std::getline(in, name, ',')) {
            int sign = 0;
            for (int s = 1; s <= 12; ++s)
                if (foldedKey(kSignNames[static_cast<std::size_t>(s)]) == foldedKey(name)) sign = s;
            if (sign == 0) throw UsageError{"Segno sconosciuto in --moon-signs: " + echoed(name)};
            f.hours.moonSigns[static_cast<std::size_t>(sign)] = true;
        }
    }
    return f;
}

const char* hourPlanetName(int p) { return timing::kTransitBodyNames[static_cast<std::size_t>(p)]; }
const char* moonSignName(int s) { return kSignNames[static_cast<std::size_t>(s)]; }

void printJson(const std::vector<timing::CalendarDay>& days, const Filter& f, const timing::LocalClock& clock,
               const timing::GeoPlace& place, const std::string& coordinates, std::ostream& out) {
    auto local = [&](const std::optional<Extended>& jd) { return jd ? jsonString(localText(clock, *jd)) : std::string("null"); };
    out << "{\"coordinates\": " << jsonString(coordinates) << ", \"latitude\": " << jsonNumber(place.latitude)
        << ", \"longitude\": " << jsonNumber(place.longitude) << ", \"local_clock\": " << jsonString(clock.description())
        << ", \"horizon\": " << jsonString("bordo superiore, rifrazione standard (-0\xB0" "50')")
        << ", \"filter\": {\"planet\": " << (f.hours.planet ? jsonString(hourPlanetName(f.hours.planet)) : "null")
        << ", \"remedy\": " << (f.remedy.empty() ? "null" : jsonString(f.remedy))
        << ", \"waxing\": " << (f.hours.waxing ? "true" : "false") << ", \"moon_signs\": [";
    bool first = true;
    for (int s = 1; s <= 12; ++s)
        if (f.hours.moonSigns[static_cast<std::size_t>(s)]) {
            out << (first ? "" : ", ") << jsonString(moonSignName(s));
            first = false;
        }
    out << "]}, \"days\": [";
    for (std::size_t i = 0; i < days.size(); ++i) {
        const timing::CalendarDay& d = days[i];
        char date[16];
        std::snprintf(date, sizeof date, "%02d/%02d/%04d", d.day, d.month, d.year);
        out << (i ? ", " : "") << "{\"date\": " << jsonString(date)
            << ", \"weekday\": " << jsonString(kWeekdayNames[static_cast<std::size_t>(d.weekday)])
            << ", \"ruler\": " << jsonString(hourPlanetName(d.ruler)) << ", \"sunrise_jd\": " << jsonMoment(d.sunrise)
            << ", \"sunset_jd\": " << jsonMoment(d.sunset) << ", \"sunrise_local\": " << local(d.sunrise)
            << ", \"sunset_local\": " << local(d.sunset) << ", \"moon_sign\": " << jsonString(moonSignName(d.moonSign))
            << ", \"moon_phase\": " << jsonString(d.moonPhase) << ", \"moon_elongation\": " << jsonNumber(d.moonElongation)
            << ", \"void_of_course\": [";
        for (std::size_t v = 0; v < d.voids.size(); ++v)
            out << (v ? ", " : "") << "{\"start_jd\": " << jsonNumber(d.voids[v].first) << ", \"end_jd\": "
                << jsonNumber(d.voids[v].second) << "}";
        out << "], \"note\": " << (d.note.empty() ? "null" : jsonString(d.note)) << ", \"hours\": [";
        for (std::size_t k = 0; k < d.hours.size(); ++k) {
            const timing::CalendarHour& h = d.hours[k];
            out << (k ? ", " : "") << "{\"number\": " << h.number << ", \"planet\": " << jsonString(hourPlanetName(h.planet))
                << ", \"start_jd\": " << jsonNumber(h.start) << ", \"end_jd\": " << jsonNumber(h.end)
                << ", \"night\": " << (h.night ? "true" : "false") << ", \"start_local\": " << jsonString(localText(clock, h.start))
                << ", \"end_local\": " << jsonString(localText(clock, h.end)) << ", \"moon_sign\": " << jsonString(moonSignName(h.moonSign))
                << ", \"waxing\": " << (h.waxing ? "true" : "false")
                << ", \"void_of_course\": " << (h.voidOfCourse ? "true" : "false") << "}";
        }
        out << "]}";
    }
    out << "]}\n";
}

void printText(const std::vector<timing::CalendarDay>& days, const Filter& f, const timing::LocalClock& clock,
               const std::string& coordinates, std::ostream& out) {
    out << shownLine("Calendario spagirico - " + coordinates + " - ore locali: " + clock.description());
    if (f.hours.planet) out << shownLine(std::string("Pianeta: ") + hourPlanetName(f.hours.planet) + (f.remedy.empty() ? "" : " (rimedio " + f.remedy + ")"));
    if (f.hours.waxing) out << shownLine("Solo con la Luna crescente");
    out << "\n";
    for (const timing::CalendarDay& d : days) {
        char date[16];
        std::snprintf(date, sizeof date, "%02d/%02d/%04d", d.day, d.month, d.year);
        std::string head = std::string(date) + " " + kWeekdayNames[static_cast<std::size_t>(d.weekday)] + ", giorno " +
                           kOfPhrases[static_cast<std::size_t>(d.ruler)];
        if (d.sunrise) head += "  alba " + localText(clock, *d.sunrise).substr(11);
        if (d.sunset) head += "  tramonto " + localText(clock, *d.sunset).substr(11);
        head += "  Luna in " + std::string(moonSignName(d.moonSign)) + ", " + d.moonPhase;
        out << shownLine(head);
        for (const auto& v : d.voids)
            out << shownLine("  Luna vuota di corso dal " + localText(clock, v.first) + " al " + localText(clock, v.second));
        if (!d.note.empty()) out << shownLine("  " + d.note);
        for (const timing::CalendarHour& h : d.hours)
            out << shownLine("  " + localText(clock, h.start).substr(11) + "-" + localText(clock, h.end).substr(11) + "  " +
                             timing::hourTitle(h) + "  Luna in " + moonSignName(h.moonSign) + (h.waxing ? ", crescente" : "") +
                             (h.voidOfCourse ? ", vuota di corso" : ""));
        if (d.hours.empty() && d.note.empty() && f.any()) out << shownLine("  nessuna ora adatta");
    }
}

} // namespace

int calendarCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, IcsWriter writeIcs) {
    return runCommand(err, [&] {
        const Arguments a(args,
                          {"--coords", "--corr", "--place", "--state", "--from", "--to", "--planet", "--remedy",
                           "--moon-signs", "--ics", "--data-dir"},
                          {"--waxing", "--json", "--estero"});
        if (!a.positional().empty()) throw UsageError{"Argomento inatteso: " + echoed(a.positional().front())};
        const Extended first = dateOption(a, "--from"), last = dateOption(a, "--to");
        if (last < first) throw UsageError{"--to viene prima di --from"};
        if (last - first > 366) throw UsageError{"Periodo troppo lungo: al massimo un anno"};
        Filter f = filterOptions(a);
        openDataDirectory(a.value("--data-dir"));
        if (auto r = a.value("--remedy")) {
            const remedies::RemedyPlanet rp = remedies::planetOfRemedy(dataDir(), typedText(*r, "--remedy"));
            if (rp.planet == 0) throw UsageError{rp.problem};
            f.remedy = rp.remedy;
            f.hours.planet = rp.planet;
        }

        BirthData where;
        std::optional<timing::LocalClock> clock;
        if (a.value("--place")) {
            clock = placeClockFromOptions(a, &where);
        }
        if (a.value("--coords")) {
            if (!readTypedCoordinates(a.required("--coords"), where))
                throw UsageError{"Coordinate non valide (atteso per esempio 45N28-009E11): " + echoed(*a.value("--coords"))};
        } else if (!clock) {
            throw UsageError{"Indicare il luogo: --coords e --corr, oppure --place"};
        }
        if (a.value("--corr")) {
            const Extended corr = parseReal(a.required("--corr"), "--corr");
            if (corr < -24 || corr > 24) throw UsageError{"Correzione fuori misura (da -24 a +24 ore)"};
            clock = timing::LocalClock::fixed(corr);
        } else if (!clock) {
            throw UsageError{"Indicare la correzione oraria con --corr"};
        }
        if (where.latDegrees > 89 || where.lonDegrees > 180) throw UsageError{"Coordinate fuori misura"};
        timing::GeoPlace place;
        place.latitude = (where.latDegrees + where.latMinutes / 60.0L) * (where.latLetter == "S" ? -1 : 1);
        place.longitude = (where.lonDegrees + where.lonMinutes / 60.0L) * (where.lonLetter == "E" ? 1 : -1);
        const std::string coordinates = where.coordinatesText();

        const auto days = timing::filtered(timing::spagyricCalendar(place, first, last), f.hours);
        int icsEventsWritten = -1;
        if (auto ics = a.value("--ics")) {
            if (!writeIcs) throw IoError(*ics, "il file iCalendar si scrive con il programma di disegno");
            icsEventsWritten = writeIcs(*ics, timing::calendarEvents(days, *clock, coordinates, f.remedy));
        }
        if (a.flag("--json")) {
            std::ostringstream json;
            printJson(days, f, *clock, place, coordinates, json);
            std::string text = json.str();
            if (icsEventsWritten >= 0) {
                text.erase(text.rfind('}'));
                text += ", \"ics\": {\"file\": " + jsonString(*a.value("--ics")) +
                        ", \"events\": " + std::to_string(icsEventsWritten) + ", \"checked\": true}}\n";
            }
            out << text;
        } else {
            printText(days, f, *clock, coordinates, out);
            if (icsEventsWritten >= 0)
                out << "\n" << shownLine("File iCalendar scritto e verificato con libical: " + std::to_string(icsEventsWritten) +
                                          " eventi in " + *a.value("--ics"));
        }
        return kExitOk;
    });
}

} // namespace qv::cli
