#include "shell/cli/return_commands.h"

#include "ephemeris/angles.h"
#include "ephemeris/text_forms.h"
#include "shell/cli/chart_command.h"
#include "shell/cli/timing_support.h"
#include "timing/body_positions.h"
#include "timing/progressions.h"
#include "timing/solar_return.h"
#include "timing/transits.h"

#include "analysis/substance.h"
#include "archive/local_time_correction.h"

#include <algorithm>
#include <sstream>

namespace qv::cli {

namespace {

// The birth options with the return's own --coords and --corr taken out:
// with --current those two name the place of the return, not a birth.
std::vector<std::string> withoutReturnPlace(const std::vector<std::string>& args, std::optional<std::string>& coords,
                                            std::optional<std::string>& corr) {
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if ((args[i] == "--coords" || args[i] == "--corr") && i + 1 < args.size()) {
            (args[i] == "--coords" ? coords : corr) = args[i + 1];
            ++i;
            continue;
        }
        rest.push_back(args[i]);
    }
    return rest;
}

} // namespace

int returnCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return runCommand(err, [&] {
        std::vector<std::string> valued = kTimingBirthOptions;
        for (const char* o : {"--year", "--data-dir", "--return-coords", "--return-corr"}) valued.push_back(o);
        // With --current, --coords and --corr are the return's place; with
        // birth options they are the birth's, and the return's place is the
        // birthplace unless --return-coords and --return-corr are given.
        std::optional<std::string> coords, corr;
        const bool current = std::find(args.begin(), args.end(), "--current") != args.end();
        const std::vector<std::string> parsed = current ? withoutReturnPlace(args, coords, corr) : args;
        const Arguments a(parsed, valued, {"--json", "--current", "--estero"});
        if (!a.positional().empty()) throw UsageError{"Argomento inatteso: " + echoed(a.positional().front())};
        if (!current) {
            coords = a.value("--return-coords");
            corr = a.value("--return-corr");
        }
        const int year = static_cast<int>(parseBoundedInteger(a.required("--year"), "--year", 1, 9999));
        if (coords.has_value() != corr.has_value())
            throw UsageError{"Il luogo della rivoluzione vuole sia le coordinate sia la correzione (--coords e --corr)"};
        const NatalChart n = natalChartFromOptions(a);
        if (year <= n.birth.year) throw UsageError{"L'anno della rivoluzione deve seguire quello di nascita"};
        const Extended jd = timing::solarReturnMoment(n.ephemeris, year);

        BirthData place = n.birth;
        Extended placeCorr = n.clock.correctionAt(jd);
        std::string placeText = "luogo di nascita (" + n.birth.coordinatesText() + ")";
        if (coords) {
            if (!readTypedCoordinates(*coords, place))
                throw UsageError{"Coordinate non valide (atteso per esempio 45N28-009E11): " + echoed(*coords)};
            placeCorr = parseReal(*corr, "--corr");
            if (placeCorr < -24 || placeCorr > 24) throw UsageError{"Correzione fuori misura (da -24 a +24 ore)"};
            placeText = "luogo " + place.coordinatesText();
        }
        place.corr = placeCorr;
        ChartState s;
        s.houseSystem = n.chart.houseSystem.empty() ? "CASE_MEDIE" : n.chart.houseSystem;
        s.nodeKind = n.chart.nodeKind.empty() ? "MEDIO" : n.chart.nodeKind;
        s.blackMoonKind = n.chart.blackMoonKind.empty() ? "MEDIA" : n.chart.blackMoonKind;
        const MotionFlags moved = timing::castChartAt(s, place, jd);
        bringWithinOneTurn(s);
        const std::string local = momentText(jd - placeCorr / 24.0L);
        if (a.flag("--json")) {
            std::ostringstream chart;
            printChartJson(s, moved, chart);
            std::string text = chart.str();
            text.erase(text.rfind('}'));
            out << text << ", \"year\": " << year << ", \"natal_sun\": " << jsonNumber(n.ephemeris.longitude[kSun])
                << ", \"local_time\": " << jsonString(local) << ", \"corr\": " << jsonNumber(placeCorr)
                << ", \"coordinates\": " << jsonString(place.coordinatesText()) << "}\n";
            return kExitOk;
        }
        if (!n.name.empty()) out << shownLine("Rivoluzione solare di " + n.name);
        out << shownLine("Rivoluzione solare " + std::to_string(year) + ": " + momentText(jd) + " TU, ora locale " + local +
                         " (correzione " + atlas::correctionText(placeCorr) + ")");
        out << shownLine("Sole natale " + LongitudeDegMin(2, n.ephemeris.longitude[kSun]) + "  " + placeText) << "\n";
        printChartTable(s, moved, out);
        return kExitOk;
    });
}

int progressionsCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return runCommand(err, [&] {
        std::vector<std::string> valued = kTimingBirthOptions;
        for (const char* o : {"--on", "--data-dir"}) valued.push_back(o);
        // The date to progress to is the first --date (as the command is
        // written, before the birth); with birth options a second --date is
        // the birth date. --on names it unambiguously.
        std::vector<std::string> parsed = args;
        const auto dates = std::count(parsed.begin(), parsed.end(), "--date");
        const bool current = std::find(args.begin(), args.end(), "--current") != args.end();
        if (dates >= 1 && (current || dates == 2) && std::find(parsed.begin(), parsed.end(), "--on") == parsed.end())
            *std::find(parsed.begin(), parsed.end(), "--date") = "--on";
        const Arguments a(parsed, valued, {"--json", "--current", "--estero"});
        if (!a.positional().empty()) throw UsageError{"Argomento inatteso: " + echoed(a.positional().front())};
        const Extended dateJd = dateOption(a, "--on");
        const NatalChart n = natalChartFromOptions(a);
        // Noon of the date on the local clock.
        const Extended date = dateJd + 0.5L + n.clock.correctionAt(dateJd + 0.5L) / 24.0L;
        if (date < n.chart.jd) throw UsageError{"La data delle progressioni precede la nascita"};
        const timing::Progression p = timing::progressTo(n.chart, date, n.chart.nodeKind.empty() ? "MEDIO" : n.chart.nodeKind);
        if (a.flag("--json")) {
            out << "{\"date\": " << jsonString(momentText(dateJd + 0.5L).substr(0, 10)) << ", \"date_jd\": " << jsonNumber(date)
                << ", \"progressed_jd\": " << jsonNumber(p.progressedJd) << ", \"orb\": " << jsonNumber(timing::kProgressionOrb)
                << ", \"bodies\": [";
            for (std::size_t i = 0; i < p.bodies.size(); ++i) {
                const auto& b = p.bodies[i];
                out << (i ? ", " : "") << "{\"body\": " << jsonString(timing::kTransitBodyNames[static_cast<std::size_t>(b.body)])
                    << ", \"longitude\": " << jsonNumber(b.longitude) << ", \"retrograde\": " << (b.retrograde ? "true" : "false")
                    << "}";
            }
            out << "], \"aspects\": [";
            for (std::size_t i = 0; i < p.aspects.size(); ++i) {
                const auto& x = p.aspects[i];
                out << (i ? ", " : "") << "{\"body\": " << jsonString(timing::kTransitBodyNames[static_cast<std::size_t>(x.body)])
                    << ", \"aspect\": " << jsonString(timing::aspectName(x.aspect)) << ", \"angle\": " << x.aspect
                    << ", \"natal\": " << jsonString(timing::kNatalTargetNames[static_cast<std::size_t>(x.natal)])
                    << ", \"natal_longitude\": " << jsonNumber(x.natalLongitude) << ", \"orb\": " << jsonNumber(x.orb)
                    << ", \"applying\": " << (x.applying ? "true" : "false") << "}";
            }
            out << "]}\n";
            return kExitOk;
        }
        if (!n.name.empty()) out << shownLine("Progressioni secondarie di " + n.name);
        out << shownLine("Al " + momentText(dateJd + 0.5L).substr(0, 10) + ": giorno progresso " + momentText(p.progressedJd) +
                         " TU (un giorno per anno)")
            << "\n";
        for (const auto& b : p.bodies) {
            std::string line = timing::kTransitBodyNames[static_cast<std::size_t>(b.body)];
            line.resize(12, ' ');
            out << shownLine(TrimRightSpaces(line + LongitudeWithSign(b.retrograde ? "r" : " ", b.longitude)));
        }
        out << "\n" << shownLine("Aspetti al tema natale (orbe " + NumberText(4, timing::kProgressionOrb) + "\xB0):");
        if (p.aspects.empty()) out << shownLine("  nessuno");
        for (const auto& x : p.aspects)
            out << shownLine(std::string("  ") + timing::kTransitBodyNames[static_cast<std::size_t>(x.body)] + " progresso " +
                             timing::aspectName(x.aspect) + " " +
                             timing::kNatalTargetNames[static_cast<std::size_t>(x.natal)] + " natale, orbe " +
                             LongitudeDegMin(0, x.orb).substr(0, 6) + (x.applying ? " applicante" : " separante"));
        return kExitOk;
    });
}

} // namespace qv::cli
