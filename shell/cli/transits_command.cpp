#include "shell/cli/transits_command.h"

#include "ephemeris/text_forms.h"
#include "shell/cli/timing_support.h"
#include "timing/body_positions.h"
#include "timing/transits.h"

#include <sstream>

namespace qv::cli {

namespace {

std::vector<int> bodiesOption(const Arguments& a) {
    std::vector<int> bodies;
    const auto list = a.value("--bodies");
    if (!list) return bodies;
    std::stringstream in(typedText(*list, "--bodies"));
    std::string name;
    while (std::getline(in, name, ',')) {
        const auto body = timing::transitBodyNamed(name);
        if (!body)
            throw UsageError{"Corpo sconosciuto in --bodies: " + echoed(name) +
                             " (Sole, Luna, Mercurio, Venere, Marte, Giove, Saturno, Urano, Nettuno, Plutone, Nodo Nord)"};
        bodies.push_back(*body);
    }
    if (bodies.empty()) throw UsageError{"--bodies senza corpi"};
    return bodies;
}

// --orbs, or the practitioner's setting (read once the data directory is open).
timing::TransitOrbs orbsOption(const Arguments& a) {
    timing::TransitOrbs orbs = timing::readTransitOrbs();
    const auto list = a.value("--orbs");
    if (!list) return orbs;
    std::stringstream in(*list);
    std::string item;
    std::size_t i = 0;
    while (std::getline(in, item, ',')) {
        if (i >= orbs.degrees.size()) break;
        const Extended x = parseReal(item, "--orbs");
        if (!(x > 0 && x <= 15)) throw UsageError{"Orbe fuori misura in --orbs (tra 0 e 15 gradi): " + echoed(item)};
        orbs.degrees[i++] = x;
    }
    if (i != orbs.degrees.size())
        throw UsageError{"--orbs vuole cinque orbi in gradi: luminari, personali, sociali, lenti, nodo"};
    return orbs;
}

void printJson(const std::vector<timing::Contact>& contacts, const timing::TransitQuery& q, const NatalChart& n,
               std::ostream& out) {
    out << "{\"from_jd\": " << jsonNumber(q.from) << ", \"to_jd\": " << jsonNumber(q.to)
        << ", \"node_kind\": " << jsonString(q.nodeKind) << ", \"local_clock\": " << jsonString(n.clock.description())
        << ", \"orbs\": {";
    for (int c = 0; c < timing::kBodyClassCount; ++c)
        out << (c ? ", " : "") << jsonString(timing::kBodyClassNames[static_cast<std::size_t>(c)]) << ": "
            << jsonNumber(q.orbs.degrees[static_cast<std::size_t>(c)]);
    out << "}, \"contacts\": [";
    bool first = true;
    for (const timing::Contact& c : contacts) {
        auto local = [&](const std::optional<Extended>& jd) {
            return jd ? jsonString(localText(n.clock, *jd)) : std::string("null");
        };
        out << (first ? "" : ", ") << "{\"body\": " << jsonString(timing::kTransitBodyNames[static_cast<std::size_t>(c.body)])
            << ", \"aspect\": " << jsonString(timing::aspectName(c.aspect)) << ", \"angle\": " << c.aspect
            << ", \"natal\": " << jsonString(timing::kNatalTargetNames[static_cast<std::size_t>(c.natal)])
            << ", \"natal_longitude\": " << jsonNumber(c.natalLongitude) << ", \"point\": " << jsonNumber(c.point)
            << ", \"orb\": " << jsonNumber(c.orb) << ", \"enter_jd\": " << jsonMoment(c.enter) << ", \"exact_jd\": [";
        for (std::size_t i = 0; i < c.exact.size(); ++i) out << (i ? ", " : "") << jsonNumber(c.exact[i]);
        out << "], \"leave_jd\": " << jsonMoment(c.leave) << ", \"enter_local\": " << local(c.enter)
            << ", \"exact_local\": [";
        for (std::size_t i = 0; i < c.exact.size(); ++i) out << (i ? ", " : "") << jsonString(localText(n.clock, c.exact[i]));
        out << "], \"leave_local\": " << local(c.leave) << ", \"out_of_orb\": [";
        for (std::size_t i = 0; i < c.outOfOrb.size(); ++i)
            out << (i ? ", " : "") << "[" << jsonNumber(c.outOfOrb[i].first) << ", " << jsonNumber(c.outOfOrb[i].second)
                << "]";
        out << "]}";
        first = false;
    }
    out << "]}\n";
}

void printText(const std::vector<timing::Contact>& contacts, const timing::TransitQuery& q, const NatalChart& n,
               std::ostream& out) {
    if (!n.name.empty()) out << shownLine("Transiti per " + n.name);
    out << shownLine("Periodo: " + localText(n.clock, q.from).substr(0, 10) + " - " +
                     localText(n.clock, q.to - 0.001L).substr(0, 10) + "   Nodo: " + q.nodeKind);
    std::string orbs = "Orbi:";
    for (int c = 0; c < timing::kBodyClassCount; ++c)
        orbs += std::string(c ? ", " : " ") + timing::kBodyClassNames[static_cast<std::size_t>(c)] + " " +
                NumberText(4, q.orbs.degrees[static_cast<std::size_t>(c)]) + "\xB0";
    out << shownLine(orbs);
    out << shownLine("Ore locali: " + n.clock.description() + " (TU tra parentesi per gli esatti)") << "\n";
    if (contacts.empty()) out << shownLine("Nessun transito nel periodo");
    for (const timing::Contact& c : contacts) {
        out << shownLine(std::string(timing::kTransitBodyNames[static_cast<std::size_t>(c.body)]) + " " +
                         timing::aspectName(c.aspect) + " " +
                         timing::kNatalTargetNames[static_cast<std::size_t>(c.natal)] + " (" +
                         TrimRightSpaces(LongitudeWithSign(" ", c.natalLongitude)) + ")");
        out << shownLine("  entra in orbe: " + (c.enter ? localText(n.clock, *c.enter) : std::string("prima della ricerca")));
        for (Extended e : c.exact) out << shownLine("  esatto:        " + localText(n.clock, e) + "  (" + momentText(e) + " TU)");
        if (c.exact.empty()) out << shownLine("  non diventa esatto: il pianeta torna indietro prima");
        out << shownLine("  esce dall'orbe: " + (c.leave ? localText(n.clock, *c.leave) : std::string("dopo la ricerca")));
    }
}

} // namespace

int transitsCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return runCommand(err, [&] {
        std::vector<std::string> valued = kTimingBirthOptions;
        for (const char* o : {"--from", "--to", "--bodies", "--orbs", "--data-dir"}) valued.push_back(o);
        const Arguments a(args, valued, {"--json", "--current", "--estero"});
        if (!a.positional().empty()) throw UsageError{"Argomento inatteso: " + echoed(a.positional().front())};
        const Extended fromDate = dateOption(a, "--from"), toDate = dateOption(a, "--to");
        if (toDate < fromDate) throw UsageError{"--to viene prima di --from"};
        if (toDate - fromDate > 3660) throw UsageError{"Periodo troppo lungo: al massimo dieci anni"};
        timing::TransitQuery q;
        q.bodies = bodiesOption(a);
        const NatalChart n = natalChartFromOptions(a);
        q.orbs = orbsOption(a);
        q.nodeKind = n.chart.nodeKind.empty() ? "MEDIO" : n.chart.nodeKind;
        // From the local midnight that begins --from to the one that ends --to.
        q.from = fromDate + n.clock.correctionAt(fromDate) / 24.0L;
        q.to = toDate + 1 + n.clock.correctionAt(toDate + 1) / 24.0L;
        const auto contacts = timing::findTransits(n.chart, q);
        if (a.flag("--json"))
            printJson(contacts, q, n, out);
        else
            printText(contacts, q, n, out);
        return kExitOk;
    });
}

} // namespace qv::cli
