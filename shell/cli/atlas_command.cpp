#include "base/decimal_text.h"
#include "shell/cli/atlas_command.h"


#include "archive/place_lookup.h"
#include "archive/place_search.h"
#include "archive/places.h"
#include "archive/regime_derivation.h"
#include "base/cp1252.h"
#include "base/data_dir.h"
#include "base/text_file.h"
#include "ephemeris/text_forms.h"
#include "settings/display_settings.h"
#include "shell/cli/cli_support.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace qv::cli {

namespace {

using atlas::PlaceArchive;

const char* const kAtlasUsage =
    "Uso: quorendaville-cli atlas find PREFISSO [--estero] [--data-dir CARTELLA]\n"
    "     quorendaville-cli atlas correction --place NOME [--estero] [--state STATO]\n"
    "          --date GG/MM/AAAA --time HH:MM [--reform-flag 0|1] [--json] [--data-dir CARTELLA]";

std::string typed(const std::string& utf8) { return upperCase1252(typedText(utf8, "il nome del luogo")); }

// The Italian table writes a stressed final vowel as the vowel and an
// apostrophe ("FORLI' (FC)"): a name typed with the accent is turned so.
std::string italianCapitals(const std::string& name) {
    std::string out;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        const bool wordEnd = i + 1 == name.size() || name[i + 1] == ' ' || name[i + 1] == '(';
        const char* plain = nullptr;
        switch (c) {
        case 0xC0: plain = "A"; break;  // À
        case 0xC8: case 0xC9: plain = "E"; break;  // È É
        case 0xCC: plain = "I"; break;  // Ì
        case 0xD2: plain = "O"; break;  // Ò
        case 0xD9: plain = "U"; break;  // Ù
        default: break;
        }
        if (plain && wordEnd)
            out += std::string(plain) + "'";
        else
            out += name[i];
    }
    return out;
}

// "DD/MM/YYYY" or "HH:MM": fields of digits between fixed separators.
std::vector<int> fields(const std::string& text, char separator, std::size_t count, const std::string& option,
                        const std::string& form) {
    std::vector<int> out;
    std::string current;
    const UsageError bad{"Formato non valido per " + option + " (atteso " + form + "): \"" + text + "\""};
    for (char c : text + separator) {
        if (c == separator) {
            if (current.empty() || current.size() > 4) throw bad;
            out.push_back(std::atoi(current.c_str()));
            current.clear();
        } else if (c >= '0' && c <= '9') {
            current += c;
        } else {
            throw bad;
        }
    }
    if (out.size() != count) throw bad;
    return out;
}

// How to tell apart the places that share a typed name.
std::string howToChoose(const atlas::PlaceTable& table, const std::string& name) {
    if (table.archive() == PlaceArchive::Italia)
        return "indicare la provincia, per esempio \"" + name.substr(0, name.find(" (")) + " (XX)\"";
    return "indicare lo stato con --state";
}

std::string placeLines(const std::vector<atlas::Place>& places) {
    std::string list;
    for (const auto& m : places) list += "\n  " + m.name + " - " + m.state;
    return list;
}

int findCommand(const std::vector<std::string>& args, std::ostream& out) {
    const Arguments a(args, {"--data-dir"}, {"--estero"});
    if (a.positional().size() != 1) throw UsageError{std::string("Indicare un solo prefisso.\n") + kAtlasUsage};
    openDataDirectory(a.value("--data-dir"));
    const atlas::PlaceTable table(a.flag("--estero") ? PlaceArchive::Estero : PlaceArchive::Italia);
    if (table.count() == 0) {
        out << shown("Nessuna localit\xE0 nell'archivio.") << "\n";
        return kExitOk;
    }
    const std::string prefix = typed(a.positional().front());
    const atlas::LocateResult found = atlas::locatePlace(table, prefix);
    const std::int64_t p = atlas::clampListPosition(found.position, table.count());
    out << "Posizione " << found.position << " di " << table.count() << "\n";
    for (const atlas::PlaceListLine& line : atlas::placeListAround(table, p))
        out << (line.record == p ? "> " : "  ") << shown(line.text) << "\n";
    // A whole name, with or without its province: the place it stands
    // for, or every place of that name.
    const std::vector<atlas::Place> named = atlas::placesNamed(table, prefix, "");
    if (named.size() == 1)
        out << shown("Localit\xE0: " + named.front().name + " - " + named.front().state) << "\n";
    else if (named.size() > 1)
        out << shown("Pi\xF9 localit\xE0 con questo nome: " + howToChoose(table, prefix) + placeLines(named)) << "\n";
    return kExitOk;
}

// The one place that `name` stands for (and of `state` when given): an
// Italian name without its province finds it when only one province has a
// place of that name; several places are listed, naming how to choose.
atlas::Place findPlace(const atlas::PlaceTable& table, const std::string& name, const std::string& state) {
    const std::vector<atlas::Place> matches = atlas::placesNamed(table, name, state);
    if (matches.empty())
        throw UsageError{"Localit\xE0 non trovata: \"" + name + "\"" + (state.empty() ? "" : " (" + state + ")")};
    if (matches.size() > 1)
        throw UsageError{"Pi\xF9 localit\xE0 con questo nome: " + howToChoose(table, name) + placeLines(matches)};
    return matches.front();
}

const char* anomalyName(atlas::ClockAnomaly a) {
    switch (a) {
    case atlas::ClockAnomaly::Repeated: return "repeated";
    case atlas::ClockAnomaly::Skipped: return "skipped";
    default: return "none";
    }
}

int correctionCommand(const std::vector<std::string>& args, std::ostream& out) {
    const Arguments a(args, {"--place", "--state", "--date", "--time", "--reform-flag", "--data-dir"},
                      {"--estero", "--json"});
    if (!a.positional().empty()) throw UsageError{"Argomento inatteso: " + a.positional().front()};
    const auto date = fields(a.required("--date"), '/', 3, "--date", "GG/MM/AAAA");
    const auto time = fields(a.required("--time"), ':', 2, "--time", "HH:MM");
    const atlas::BirthMoment moment{date[0], date[1], date[2], time[0], time[1]};
    switch (atlas::invalidDateField(moment)) {
    case atlas::DateField::None: break;
    case atlas::DateField::Day: throw UsageError{"Data Scorretta: giorno fuori dai limiti (1-31)"};
    case atlas::DateField::Month: throw UsageError{"Data Scorretta: mese fuori dai limiti (1-12)"};
    case atlas::DateField::Year: throw UsageError{"Data Scorretta: anno fuori dai limiti (0-2080)"};
    case atlas::DateField::Hour: throw UsageError{"Data Scorretta: ora fuori dai limiti (0-23)"};
    case atlas::DateField::Minute: throw UsageError{"Data Scorretta: minuti fuori dai limiti (0-59)"};
    }
    std::optional<int> reformFlag;
    if (auto v = a.value("--reform-flag")) {
        if (*v != "0" && *v != "1") throw UsageError{"Valore non valido per --reform-flag (0 o 1): \"" + *v + "\""};
        reformFlag = *v == "1";
    }
    openDataDirectory(a.value("--data-dir"));
    const PlaceArchive archive = a.flag("--estero") ? PlaceArchive::Estero : PlaceArchive::Italia;
    const atlas::PlaceTable table(archive);
    std::string name = typed(a.required("--place"));
    if (archive == PlaceArchive::Italia) name = italianCapitals(name);
    const atlas::Place place = findPlace(table, name, typed(a.value("--state").value_or("")));
    const atlas::Derivation d =
        atlas::deriveCorrection(archive, place, moment, reformFlag ? *reformFlag : calendarReformSetting());

    if (a.flag("--json")) {
        out << "{\"place\": " << jsonString(d.placeName) << ", \"state\": " << jsonString(d.state)
            << ", \"coordinates\": " << jsonString(d.coordinates) << ", \"table\": " << jsonString(d.tableName)
            << ", \"calendar\": " << jsonString(d.calendar)
            << ", \"local_mean_time\": " << (d.localMeanTime ? "true" : "false")
            << ", \"correction\": " << jsonNumber(d.correction) << ", \"correction_text\": " << jsonString(d.correctionText)
            << ", \"regime\": " << jsonString(d.regimeCode) << ", \"local_jd\": " << jsonNumber(d.localJd)
            << ", \"universal_jd\": " << jsonNumber(d.universalJd)
            << ", \"universal_jd_text\": " << jsonString(d.universalJdText)
            << ", \"extended_date\": " << jsonString(d.extendedDate)
            << ", \"regimes_not_updated\": " << (d.regimesNotUpdated ? "true" : "false")
            << ", \"anomaly\": \"" << anomalyName(d.anomaly) << "\", \"log\": [";
        for (std::size_t i = 0; i < d.log.size(); ++i) out << (i ? ", " : "") << jsonString(d.log[i]);
        out << "]}\n";
        return kExitOk;
    }
    out << shown("Localit\xE0:            " + d.placeName + " - " + d.state) << "\n"
        << "Coordinate:          " << d.coordinates << "\n"
        << shown("Data:                " + d.extendedDate) << "\n"
        << "Calendario:          " << d.calendar << "\n"
        << "Correzione (ore):    " << d.correctionText << (d.localMeanTime ? "  (ora locale media)" : "") << "\n"
        << "Giorno giuliano:     " << DecimalText15(d.localJd) << " (locale), " << d.universalJdText << " (TU)\n";
    if (d.regimesNotUpdated) out << "REGIMI ORARI NON AGGIORNATI\n";
    out << "Regimi orari:\n";
    for (const std::string& line : d.log) out << "  " << shown(line) << "\n";
    return kExitOk;
}

} // namespace

int atlasCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return runCommand(err, [&] {
        if (args.empty()) throw UsageError{kAtlasUsage};
        const std::vector<std::string> rest(args.begin() + 1, args.end());
        if (args[0] == "find") return findCommand(rest, out);
        if (args[0] == "correction") return correctionCommand(rest, out);
        throw UsageError{"Sottocomando sconosciuto: " + args[0] + "\n" + kAtlasUsage};
    });
}

} // namespace qv::cli
