#include "base/decimal_text.h"
#include "shell/cli/chart_command.h"

#include "analysis/chart_keys.h"
#include "analysis/substance.h"
#include "ephemeris/birth_data.h"

#include "settings/chart_settings.h"
#include "archive/current_subject.h"
#include "ephemeris/angles.h"
#include "chart/chart_computation.h"
#include "ephemeris/chart_steps.h"
#include "ephemeris/houses.h"
#include "ephemeris/text_forms.h"
#include "shell/cli/cli_support.h"

#include <cmath>
#include <cstdio>
#include <sstream>

namespace qv::cli {

std::vector<int> splitNumbers(const std::string& text, char sep, std::size_t parts, const std::string& option,
                              const std::string& form) {
    std::vector<int> out;
    std::string current;
    for (char c : text + sep) {
        if (c == sep) {
            if (current.empty()) throw UsageError{"Formato non valido per " + option + " (atteso " + form + "): " + echoed(text)};
            out.push_back(parseInt(current, option));
            current.clear();
        } else if (c >= '0' && c <= '9') {
            current += c;
        } else if (c == '-' && current.empty()) {
            current += c;
        } else {
            throw UsageError{"Formato non valido per " + option + " (atteso " + form + "): " + echoed(text)};
        }
    }
    if (out.size() != parts) throw UsageError{"Formato non valido per " + option + " (atteso " + form + "): " + echoed(text)};
    return out;
}

namespace {

// A longitude in fixed columns, in Windows-1252: "15\xB023' " (7 bytes), the
// sign's name padded to the longest (Capricorno, Sagittario), then
// " Retrogrado" or as many blanks, so that what follows lines up.
std::string longitudeColumns(bool retrograde, Extended longitude) {
    std::string text = LongitudeWithSign(" ", longitude);
    text.pop_back(); // the blank mark
    text.resize(7 + 10, ' ');
    return text + (retrograde ? " Retrogrado" : "           ");
}

// A latitude in a fixed width: "03\xB0 44' Nord", "00\xB0 44' Sud ".
std::string latitudeColumns(Extended latitude) {
    std::string text = LatitudeText(latitude);
    text.resize(12, ' ');
    return text;
}

// The local sidereal time as hours, minutes and seconds: "21h 13m 10s".
std::string siderealTimeText(Extended hours) {
    long seconds = std::lround(static_cast<double>(hours) * 3600.0) % 86400;
    if (seconds < 0) seconds += 86400;
    char text[24];
    std::snprintf(text, sizeof text, "%02ldh %02ldm %02lds", seconds / 3600, seconds / 60 % 60, seconds % 60);
    return text;
}

// A table line: the name in `nameWidth` columns, then the columns of the
// longitude, and `rest`; trailing blanks dropped.
std::string tableLine(const std::string& name, int nameWidth, const std::string& columns) {
    std::string line = name;
    line.resize(static_cast<std::size_t>(nameWidth), ' ');
    line += columns;
    while (!line.empty() && line.back() == ' ') line.pop_back();
    return shown(line);
}

// The house of a point as the wheel, the sheets and the keys read it:
// under CASE_MEDIE a house begins 15° before its cusp, under the other
// systems on it. `cuspHouse` is the house the cusps give.
int wheelHouseOf(Extended longitude, const ChartState& s, int cuspHouse) {
    return s.houseSystem == "CASE_MEDIE" ? centredHouseOf(longitude, s) : cuspHouse;
}

// "  casa 12", and "  casa 12 (1)" where the wheel reads another house.
std::string houseColumns(int cuspHouse, int wheelHouse) {
    char text[24];
    if (wheelHouse == cuspHouse)
        std::snprintf(text, sizeof text, "  casa %2d", cuspHouse);
    else
        std::snprintf(text, sizeof text, "  casa %2d (%d)", cuspHouse, wheelHouse);
    return text;
}

// Under the table, what the two numbers mean.
void printHouseLegend(const ChartState& s, std::ostream& out) {
    if (s.houseSystem != "CASE_MEDIE") return;
    out << shown("casa N (M): N la casa in cui le cuspidi pongono il punto; M, dove diversa, la casa come la "
                 "leggono ruota, fogli e chiavi (con CASE_MEDIE ogni casa inizia 15\xB0 prima della cuspide)")
        << "\n";
}

// The JSON names both houses of a point.
std::string houseJson(int cuspHouse, int wheelHouse) {
    return ", \"cusp_house\": " + std::to_string(cuspHouse) + ", \"wheel_house\": " + std::to_string(wheelHouse);
}

const char* const kJsonNames[20] = {"",     "sun",   "moon",    "mercury", "venus", "mars",
                                    "jupiter", "saturn", "uranus", "neptune", "pluto", "node",
                                    "black_moon", "", "", "ceres", "pallas", "juno", "vesta", "chiron"};
constexpr int kShownPoints[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 15, 16, 17, 18, 19};
const char* const kMinorNames[5] = {"Cerere", "Pallade", "Giunone", "Vesta", "Chirone"};

void printJson(const ChartState& s, const MotionFlags& moved, std::ostream& out) {
    std::uint8_t houses[kMarkSlots + 1] = {};
    housesOfPoints(19, s.longitude.data(), s.cusp.data(), houses);
    out << "{\"jd\": " << jsonNumber(s.jd) << ", \"bodies\": {";
    bool first = true;
    for (int k : kShownPoints) {
        if (!first) out << ", ";
        first = false;
        out << "\"" << kJsonNames[k] << "\": {\"longitude\": " << jsonNumber(s.longitude[k])
            << ", \"latitude\": " << jsonNumber(s.latitude[k]) << ", \"retrograde\": " << (moved[k] ? "true" : "false")
            << houseJson(houses[k], wheelHouseOf(s.longitude[k], s, houses[k])) << "}";
    }
    out << "}, \"cusps\": [";
    for (int i = 1; i <= 12; ++i) out << (i > 1 ? ", " : "") << jsonNumber(s.cusp[i]);
    out << "], \"ascendant\": " << jsonNumber(RadToDeg(s.ascRadians))
        << ", \"mc\": " << jsonNumber(RadToDeg(s.mcRadians))
        << ", \"local_sidereal_time\": " << jsonNumber(s.localSiderealTime)
        << ", \"asteroids_valid\": " << (s.asteroidsValid ? "true" : "false") << "}\n";
}

// Names of the chart's points 1–19 in the traditional layout.
const char* const kLayoutNames[20] = {"",           "Sole",      "Luna",        "Mercurio", "Venere",
                                      "Marte",      "Giove",     "Saturno",     "NodoNord", "NodoSud",
                                      "Ascendente", "Medio Cielo", "Luna Nera", "Ascendente (copia)",
                                      "Punto 14",   "Cerere",    "Pallade",     "Giunone",  "Vesta",
                                      "Chirone"};

// Control characters of a stored name are escaped too: the output stays JSON.
std::string jsonText(const std::string& cp1252) { return jsonString(cp1252); }

// The JSON of the chart command for the current subject: "bodies" as the
// ephemeris left them, then the chart in the traditional layout.
void printCurrentJson(const ChartState& s, const ComputedChart& c, std::ostream& out) {
    ChartState bodies = s;
    for (int k = 1; k <= 19; ++k) {
        bodies.longitude[k] = c.ephemerisLongitude[k];
        bodies.latitude[k] = c.ephemerisLatitude[k];
    }
    std::ostringstream base;
    printJson(bodies, c.moved, base);
    std::string text = base.str();
    text.erase(text.rfind('}'));  // reopen the object
    out << text << ", \"points\": [";
    for (int k = 1; k <= 19; ++k) {
        out << (k > 1 ? ", " : "") << "{\"number\": " << k << ", \"name\": " << jsonText(kLayoutNames[k])
            << ", \"longitude\": " << jsonNumber(s.longitude[k]) << ", \"latitude\": " << jsonNumber(s.latitude[k])
            << ", \"sign\": " << static_cast<int>(s.signOf[k]) << ", \"house\": " << static_cast<int>(s.houseOf[k])
            << ", \"mark\": " << jsonText(std::string(1, s.retroMark[k] == 'r' ? 'r' : ' '))
            << houseJson(s.houseOf[k], wheelHouseOf(s.longitude[k], s, s.houseOf[k])) << "}";
    }
    out << "], \"zone_text\": " << jsonText(s.zoneText) << ", \"jd_text\": " << jsonText(s.jdText)
        << ", \"house_system\": " << jsonText(s.houseSystem) << ", \"node_kind\": " << jsonText(s.nodeKind)
        << ", \"name\": " << jsonText(TrimRightSpaces(c.texts.name)) << "}\n";
}

void printCurrentTable(const ChartState& s, const ComputedChart& c, std::ostream& out) {
    for (const std::string* l : {&c.texts.name, &c.texts.birth, &c.texts.place, &c.texts.nation,
                                 &c.texts.coordinates, &c.texts.calendar})
        out << shown(TrimRightSpaces(*l)) << "\n";
    // The annotation lines as one line, runs of blanks shown as one.
    std::string notes;
    for (char ch : c.texts.annotations)
        if (ch != ' ' || (!notes.empty() && notes.back() != ' ')) notes += ch;
    while (!notes.empty() && notes.back() == ' ') notes.pop_back();
    out << shown("Annotazioni: " + notes) << "\n";
    out << shown(s.jdText + "   Case: " + s.houseSystem + "   Nodo: " + s.nodeKind) << "\n\n";
    for (int k = 1; k <= 19; ++k) {
        if (k == kAscendantCopy || k == kPoint14) continue;
        if (k >= kCeres && !s.asteroidsValid) continue;
        const std::string house = houseColumns(s.houseOf[k], wheelHouseOf(s.longitude[k], s, s.houseOf[k]));
        const bool retrograde = s.retroMark[k] == 'r' || s.retroMark[k] == 'R';
        out << tableLine(kLayoutNames[k], 13, longitudeColumns(retrograde, s.longitude[k]) + house) << "\n";
    }
    printHouseLegend(s, out);
    out << "\n";
    char label[16];
    for (int i = 1; i <= 12; ++i) {
        std::snprintf(label, sizeof label, "Cuspide %2d", i);
        out << tableLine(label, 13, longitudeColumns(false, s.cusp[i])) << "\n";
    }
}

int currentChart(const Arguments& a, std::ostream& out) {
    for (const char* option : {"--date", "--time", "--corr", "--coords", "--calendar", "--houses", "--node", "--black-moon"})
        if (a.value(option))
            throw UsageError{std::string("Con --current i dati vengono dal soggetto attuale: togliere ") + option};
    openDataDirectory(a.value("--data-dir"));
    LoadActiveOrbs();
    if (!currentSubjectExists())
        throw UsageError{"Nessun soggetto attuale: registrarne uno (register) o richiamarne uno (recall)"};
    const ComputedChart c = computeChart();
    bringWithinOneTurn(chartState());
    if (a.flag("--json"))
        printCurrentJson(chartState(), c, out);
    else
        printCurrentTable(chartState(), c, out);
    return kExitOk;
}

void printTable(const ChartState& s, const MotionFlags& moved, std::ostream& out) {
    std::uint8_t houses[kMarkSlots + 1] = {};
    housesOfPoints(19, s.longitude.data(), s.cusp.data(), houses);
    out << shown("Giorno giuliano (TU): " + DecimalText15(s.jd) + "   Case: " + s.houseSystem) << "\n\n";
    // Fixed columns: name, longitude, sign, retrograde mark, latitude, house.
    for (int k : kShownPoints) {
        if (k >= kCeres && !s.asteroidsValid) continue;
        const std::string name = k <= 12 ? kBodyNames[k] : kMinorNames[k - kCeres];
        const std::string house = houseColumns(houses[k], wheelHouseOf(s.longitude[k], s, houses[k]));
        out << tableLine(name, 12,
                         longitudeColumns(moved[k], s.longitude[k]) + "  " + latitudeColumns(s.latitude[k]) + house)
            << "\n";
    }
    printHouseLegend(s, out);
    out << "\n";
    char label[16];
    for (int i = 1; i <= 12; ++i) {
        std::snprintf(label, sizeof label, "Cuspide %2d", i);
        out << tableLine(label, 12, longitudeColumns(false, s.cusp[i])) << "\n";
    }
    out << tableLine("Ascendente", 12, longitudeColumns(false, RadToDeg(s.ascRadians))) << "\n";
    out << tableLine("Medio Cielo", 12, longitudeColumns(false, RadToDeg(s.mcRadians))) << "\n";
    out << "Tempo siderale locale " << siderealTimeText(s.localSiderealTime) << "\n";
}

} // namespace

void printChartJson(const ChartState& s, const MotionFlags& moved, std::ostream& out) { printJson(s, moved, out); }
void printChartTable(const ChartState& s, const MotionFlags& moved, std::ostream& out) { printTable(s, moved, out); }

BirthData birthDataFromOptions(const Arguments& a) {
    BirthData b;
    const std::string calendar = a.value("--calendar").value_or("GR");
    if (calendar != "GR" && calendar != "GI") throw UsageError{"Calendario non valido (GR o GI): " + echoed(calendar)};
    b.gregorian = calendar == "GR";

    const auto date = splitNumbers(a.required("--date"), '/', 3, "--date", "GG/MM/AAAA");
    b.day = date[0];
    b.month = date[1];
    b.year = date[2];
    if (b.year < -4000 || b.year > 9999) throw UsageError{"Data inesistente: " + echoed(a.required("--date"))};
    const auto time = splitNumbers(a.required("--time"), ':', 2, "--time", "HH:MM");
    b.hour = time[0];
    b.minute = time[1];
    b.corr = parseReal(a.required("--corr"), "--corr");
    const std::string coords = a.required("--coords");
    if (!readTypedCoordinates(coords, b))
        throw UsageError{"Coordinate non valide (atteso per esempio 45N28-009E11): " + echoed(coords)};
    if (const BirthFault f = birthDataFault(b)) throw UsageError{f.message};
    return b;
}

void chartKindsFromOptions(const Arguments& a, ChartState& s) {
    s.houseSystem = a.value("--houses").value_or("CASE_MEDIE");
    if (!isKnownHouseSystem(s.houseSystem)) throw UsageError{"Sistema di case sconosciuto: " + echoed(s.houseSystem)};
    s.nodeKind = a.value("--node").value_or("MEDIO");
    if (s.nodeKind != "MEDIO" && s.nodeKind != "VERO") throw UsageError{"Tipo di nodo non valido (MEDIO o VERO)"};
    s.blackMoonKind = a.value("--black-moon").value_or("MEDIA");
    if (s.blackMoonKind != "VERA" && s.blackMoonKind != "MEDIA")
        throw UsageError{"Tipo di Luna Nera non valido (VERA o MEDIA)"};
}

int chartCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return runCommand(err, [&] {
        const Arguments a(args,
                          {"--date", "--time", "--corr", "--coords", "--calendar", "--houses", "--node",
                           "--black-moon", "--data-dir"},
                          {"--json", "--current"});
        if (!a.positional().empty()) throw UsageError{"Argomento inatteso: " + echoed(a.positional().front())};
        if (a.flag("--current")) return currentChart(a, out);

        const BirthData b = birthDataFromOptions(a);
        ChartState& s = chartState();
        resetChartState();
        chartKindsFromOptions(a, s);

        openDataDirectory(a.value("--data-dir"));
        const MotionFlags moved = castChart(s, b);
        bringWithinOneTurn(s);  // no point printed past a whole turn, none in "casa 0"
        if (a.flag("--json"))
            printJson(s, moved, out);
        else
            printTable(s, moved, out);
        return kExitOk;
    });
}

} // namespace qv::cli
