#include "shell/cli/analysis_command.h"

#include "analysis/aspects.h"
#include "analysis/chart_keys.h"
#include "analysis/chart_master.h"
#include "analysis/dominant_chart.h"
#include "settings/chart_settings.h"
#include "analysis/dignities.h"
#include "analysis/planetary_hour.h"
#include "analysis/subdivisions.h"
#include "analysis/substance.h"
#include "archive/archive_records.h"
#include "archive/chart_summary.h"
#include "archive/current_subject.h"
#include "base/data_dir.h"
#include "ephemeris/angles.h"
#include "ephemeris/birth_data.h"
#include "chart/chart_computation.h"
#include "ephemeris/chart_steps.h"
#include "ephemeris/julian_day.h"
#include "ephemeris/text_forms.h"
#include "shell/cli/chart_command.h"
#include "shell/cli/cli_support.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <sstream>

namespace qv::cli {

namespace {

// The chart and what the analyses need beside it.
struct Subject {
    ChartState chart;  // traditional layout
    OrbTable orbs{};
    std::string name, moment, place;  // the fields the chart-master carrier takes
};

const char* const kSections[] = {"aspects", "grid",      "distances", "subdivisions", "dodecatemories", "antiscia",
                                 "structure", "substance", "hour",    "masters",      "scoring",        "keys"};

// ---- JSON ----------------------------------------------------------------

std::string jsonBool(bool b) { return b ? "true" : "false"; }

template <typename T, typename F>
std::string jsonArray(const T& items, F each) {
    std::string out = "[";
    bool first = true;
    for (const auto& item : items) {
        if (!first) out += ", ";
        first = false;
        out += each(item);
    }
    return out + "]";
}

std::string jsonStrings(const std::vector<std::string>& lines) { return jsonArray(lines, jsonString); }

// An object written field by field.
class JsonObject {
public:
    JsonObject& add(const std::string& key, const std::string& rawValue) {
        text_ += (text_.empty() ? "" : ", ") + jsonString(key) + ": " + rawValue;
        return *this;
    }
    std::string str() const { return "{" + text_ + "}"; }

private:
    std::string text_;
};

std::string jsonLines(const std::vector<ColouredLine>& lines) {
    return jsonArray(lines, [](const ColouredLine& l) {
        return JsonObject().add("text", jsonString(l.text)).add("colour", jsonString(colourName(l.colour))).str();
    });
}

// ---- text ------------------------------------------------------------------

std::string padded(const std::string& cp1252, std::size_t width) {
    std::string s = cp1252;
    if (s.size() < width) s.append(width - s.size(), ' ');
    return s;
}

const char* pointName(int p) {
    static const char* const names[12] = {"",      "Sole",      "Luna",     "Mercurio",   "Venere",     "Marte",
                                          "Giove", "Saturno", "Nodo Nord", "Nodo Sud", "Ascendente", "Mediocielo"};
    return names[p];
}

// Three-letter names of the grid's aspects, by glyph code.
const char* gridAbbreviation(Aspect a) {
    static const char* const names[12] = {"",    "Con", "Ses", "Qua", "Tri", "Opp",
                                          "SQq", "SQu", "Qnc", "SSe", "Qnt", "BQn"};
    return names[static_cast<int>(a)];
}

void printLines(std::ostream& out, const std::vector<std::string>& lines) {
    for (const std::string& l : lines) out << shown(l) << "\n";
}

void printColoured(std::ostream& out, const std::vector<ColouredLine>& lines) {
    for (const ColouredLine& l : lines) out << shown(l.text) << "\n";
}

// The triangular tables of pairs: rows 1–9, columns 2–11.
template <typename Cell, typename Text>
void printTriangle(std::ostream& out, const std::vector<Cell>& cells, std::size_t width, Text text) {
    out << "    ";
    for (int g = 2; g <= kTraditionalPoints; ++g) out << padded(kPointAbbreviations[g], width);
    out << "\n";
    for (int f = 1; f <= 9; ++f) {
        std::string line = padded(kPointAbbreviations[f], 4);
        for (int g = 2; g <= kTraditionalPoints; ++g) {
            std::string cell;
            for (const Cell& c : cells)
                if (c.row == f && c.column == g) cell = text(c);
            line += padded(cell, width);
        }
        while (!line.empty() && line.back() == ' ') line.pop_back();
        out << shown(line) << "\n";
    }
}

// ---- sections --------------------------------------------------------------

struct Section {
    std::function<void(std::ostream&)> text;
    std::function<std::string()> json;
};

Section aspectsSection(const Subject& s) {
    const auto lines = aspectListLines(s.chart, s.orbs);
    return {[lines](std::ostream& out) { printLines(out, lines); }, [lines] { return jsonStrings(lines); }};
}

Section gridSection(const Subject& s) {
    const auto cells = aspectGrid(s.chart, s.orbs);
    return {[cells](std::ostream& out) {
                out << "ASPETTI  &  ORBITE\n" << shown("sull'eclittica") << "\n";
                printTriangle(out, cells, 7, [](const GridCell& c) {
                    return c.aspect == Aspect::None ? std::string() : std::string(gridAbbreviation(c.aspect)) + c.deviationText;
                });
            },
            [cells] {
                std::vector<GridCell> shownCells;
                for (const GridCell& c : cells)
                    if (c.aspect != Aspect::None) shownCells.push_back(c);
                return jsonArray(shownCells, [](const GridCell& c) {
                    return JsonObject()
                        .add("row", std::to_string(c.row))
                        .add("column", std::to_string(c.column))
                        .add("aspect", jsonString(aspectName(c.aspect)))
                        .add("glyph", std::to_string(static_cast<int>(c.aspect)))
                        .add("deviation", jsonString(c.deviationText))
                        .str();
                });
            }};
}

Section distancesSection(const Subject& s) {
    const auto cells = sphericalDistances(s.chart, s.orbs);
    auto marks = [](const DistanceCell& c) {
        std::string m;
        if (c.hard) m += "d";
        if (c.soft) m += "a";
        if (c.conjunct) m += "c";
        return m;
    };
    return {[cells, marks](std::ostream& out) {
                out << "DISTANZE SFERICHE\n";
                printTriangle(out, cells, 9, [&](const DistanceCell& c) { return c.text + marks(c); });
                out << "(d: dura, a: armonica, c: congiunta)\n";
            },
            [cells] {
                return jsonArray(cells, [](const DistanceCell& c) {
                    return JsonObject()
                        .add("row", std::to_string(c.row))
                        .add("column", std::to_string(c.column))
                        .add("distance", jsonNumber(c.distance))
                        .add("text", jsonString(c.text))
                        .add("hard", jsonBool(c.hard))
                        .add("soft", jsonBool(c.soft))
                        .add("conjunct", jsonBool(c.conjunct))
                        .add("colour", jsonString(colourName(c.colour)))
                        .str();
                });
            }};
}

// The texts of the subdivisions, when the data directory has them.
std::vector<std::string> subdivisionTexts(SubdivisionList kind, const Subdivisions& s, bool& available) {
    available = dataDir().exists(kPointSpecificTextsPath);
    if (!available) return {};
    return ListSubdivisionTexts(kind, s, readSpecificPointTexts());
}

std::string subdivisionsJson(const Subdivisions& s, const std::array<Extended, 12>& longitude,
                             const std::vector<std::string>& texts) {
    std::vector<int> points;
    for (int p = 1; p <= kTraditionalPoints; ++p) points.push_back(p);
    return JsonObject()
        .add("points", jsonArray(points, [&](int p) {
                 return JsonObject()
                     .add("point", jsonString(pointName(p)))
                     .add("longitude", jsonNumber(longitude[static_cast<std::size_t>(p)]))
                     .add("term", std::to_string(s.term[static_cast<std::size_t>(p)]))
                     .add("decade", std::to_string(s.decade[static_cast<std::size_t>(p)]))
                     .add("term_key", jsonString(s.termKey[static_cast<std::size_t>(p)]))
                     .add("decan_key", jsonString(s.decanKey[static_cast<std::size_t>(p)]))
                     .add("decade_key", jsonString(s.decadeKey[static_cast<std::size_t>(p)]))
                     .str();
             }))
        .add("texts", jsonStrings(texts))
        .str();
}

void printSubdivisionTable(std::ostream& out, const Subdivisions& s, const std::array<Extended, 12>& longitude,
                           const std::vector<std::string>& texts, bool available) {
    out << shown(padded("", 12) + padded("Posizione", 22) + "Termine  Decade  Chiavi") << "\n";
    for (int p = 1; p <= kTraditionalPoints; ++p) {
        const auto k = static_cast<std::size_t>(p);
        char numbers[32];
        std::snprintf(numbers, sizeof numbers, "%7d  %6d  ", s.term[k], s.decade[k]);
        out << shown(padded(pointName(p), 12) + padded(LongitudeWithSign(" ", longitude[k]), 22) + numbers +
                     s.termKey[k] + " " + padded(s.decanKey[k], 8) + " " + s.decadeKey[k])
            << "\n";
    }
    if (available)
        printLines(out, texts);
    else
        out << shown(std::string("(testi non disponibili: manca ") + kPointSpecificTextsPath + ")") << "\n";
}

Section subdivisionsSection(const Subject& s) {
    const Subdivisions sub = ComputeSubdivisions(s.chart);
    std::array<Extended, 12> longitude{};
    for (int p = 1; p <= kTraditionalPoints; ++p) longitude[static_cast<std::size_t>(p)] = s.chart.longitude[static_cast<std::size_t>(p)];
    bool available = false;
    const auto texts = subdivisionTexts(SubdivisionList::Points, sub, available);
    return {[=](std::ostream& out) {
                out << "COORDINATE PLANETARIE\n";
                printSubdivisionTable(out, sub, longitude, texts, available);
            },
            [=] { return subdivisionsJson(sub, longitude, texts); }};
}

Section dodecatemoriesSection(const Subject& s) {
    const Dodecatemories d = ComputeDodecatemories(s.chart);
    bool available = false;
    const auto texts = subdivisionTexts(SubdivisionList::Dodecatemories, d.subdivisions, available);
    return {[=](std::ostream& out) {
                out << "DODECATEMORIE\n";
                printSubdivisionTable(out, d.subdivisions, d.longitude, texts, available);
            },
            [=] { return subdivisionsJson(d.subdivisions, d.longitude, texts); }};
}

std::string signName(int sign) { return kSignNames[static_cast<std::size_t>(sign)]; }

Section antisciaSection(const Subject& s) {
    std::array<Extended, 12> antiscion{}, contrantiscion{};
    for (int p = 1; p <= kTraditionalPoints; ++p) {
        antiscion[static_cast<std::size_t>(p)] = Antiscion(s.chart.longitude[static_cast<std::size_t>(p)]);
        contrantiscion[static_cast<std::size_t>(p)] = Contrantiscion(s.chart.longitude[static_cast<std::size_t>(p)]);
    }
    return {[=](std::ostream& out) {
                out << "ANTISCE E CONTRANTISCE\n";
                out << shown(padded("", 12) + padded("Antiscio", 22) + "Contrantiscio") << "\n";
                for (int p = 1; p <= kTraditionalPoints; ++p)
                    out << shown(padded(pointName(p), 12) + padded(LongitudeWithSign(" ", antiscion[static_cast<std::size_t>(p)]), 22) +
                                 LongitudeWithSign(" ", contrantiscion[static_cast<std::size_t>(p)]))
                        << "\n";
                std::string line = "Antisce:";
                for (const auto& pair : kAntisciaPairs) line += " " + signName(pair[0]) + "-" + signName(pair[1]);
                out << line << "\n";
                line = "Contrantisce:";
                for (const auto& pair : kContrantisciaPairs) line += " " + signName(pair[0]) + "-" + signName(pair[1]);
                out << line << "\n";
                line = "Quartetti:";
                for (const auto& q : kMirrorQuartets)
                    line += " " + signName(q[0]) + "-" + signName(q[1]) + "-" + signName(q[2]) + "-" + signName(q[3]);
                out << line << "\n";
            },
            [=] {
                std::vector<int> points;
                for (int p = 1; p <= kTraditionalPoints; ++p) points.push_back(p);
                return jsonArray(points, [&](int p) {
                    return JsonObject()
                        .add("point", jsonString(pointName(p)))
                        .add("antiscion", jsonNumber(antiscion[static_cast<std::size_t>(p)]))
                        .add("contrantiscion", jsonNumber(contrantiscion[static_cast<std::size_t>(p)]))
                        .str();
                });
            }};
}

Section structureSection(const Subject& s) {
    const ArchetypalStructure a = ComputeArchetypalStructure(s.chart);
    return {[a](std::ostream& out) {
                out << "STRUTTURA ARCHETIPALE\n";
                if (a.noDignity) out << shown(kNoDignityMessage) << "\n";
                for (std::size_t r = 0; r < a.rows.size(); ++r) {
                    const StructureRow& row = a.rows[r];
                    std::string line = padded(stateLabel(row.state), 8);
                    for (const StructureSlot& slot : row.members) {
                        if (slot.planet == 0) continue;
                        line += "  " + std::to_string(slot.level) + " " + kPlanetNames[static_cast<std::size_t>(slot.planet)];
                        if (slot.parent != 0) line += std::string(" (") + parentAbbreviation(slot.parent) + ")";
                    }
                    if (joinedToNext(a, r)) line += "  ]";
                    out << shown(line) << "\n";
                }
            },
            [a] {
                return JsonObject()
                    .add("no_dignity", jsonBool(a.noDignity))
                    .add("rows", jsonArray(a.rows, [](const StructureRow& row) {
                             std::vector<StructureSlot> slots;
                             for (const StructureSlot& slot : row.members)
                                 if (slot.planet != 0) slots.push_back(slot);
                             return JsonObject()
                                 .add("state", std::to_string(row.state))
                                 .add("label", jsonString(stateLabel(row.state)))
                                 .add("group", std::to_string(row.group))
                                 .add("colour", jsonString(colourName(stateColour(row.state))))
                                 .add("planets", jsonArray(slots, [](const StructureSlot& slot) {
                                          return JsonObject()
                                              .add("planet", jsonString(kPlanetNames[static_cast<std::size_t>(slot.planet)]))
                                              .add("level", std::to_string(slot.level))
                                              .add("parent", jsonString(parentAbbreviation(slot.parent)))
                                              .str();
                                      }))
                                 .str();
                         }))
                    .add("brackets", jsonArray(std::vector<std::size_t>([&] {
                             std::vector<std::size_t> joined;
                             for (std::size_t r = 0; r < a.rows.size(); ++r)
                                 if (joinedToNext(a, r)) joined.push_back(r);
                             return joined;
                         }()), [](std::size_t r) { return std::to_string(r); }))
                    .str();
            }};
}

std::string countTableJson(const CountTable& t) {
    return JsonObject()
        .add("cells", jsonArray(t.cell, [](const std::array<int, 4>& row) {
                 return jsonArray(row, [](int v) { return std::to_string(v); });
             }))
        .add("row_totals", jsonArray(t.rowTotal, [](int v) { return std::to_string(v); }))
        .add("column_totals", jsonArray(t.columnTotal, [](int v) { return std::to_string(v); }))
        .str();
}

std::string humoursJson(const Humours& h) {
    return JsonObject()
        .add("aria", std::to_string(h.element[kAir]))
        .add("fuoco", std::to_string(h.element[kFire]))
        .add("terra", std::to_string(h.element[kEarth]))
        .add("acqua", std::to_string(h.element[kWater]))
        .add("C", std::to_string(h.hot))
        .add("U", std::to_string(h.moist))
        .add("F", std::to_string(h.cold))
        .add("S", std::to_string(h.dry))
        .str();
}

void printCountTable(std::ostream& out, const CountTable& t, const std::array<const char*, 4>& columns,
                     const std::array<const char*, 3>& rows, const char* totalRow) {
    std::string line = padded("", 12);
    for (const char* c : columns) line += padded(c, 11);
    out << shown(line + "Tot") << "\n";
    for (int r = 0; r < 3; ++r) {
        line = padded(rows[static_cast<std::size_t>(r)], 12);
        for (int c = 0; c < 4; ++c) line += padded(std::to_string(t.cell[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]), 11);
        out << shown(line + std::to_string(t.rowTotal[static_cast<std::size_t>(r)])) << "\n";
    }
    line = padded(totalRow, 12);
    for (int c = 0; c < 4; ++c) line += padded(std::to_string(t.columnTotal[static_cast<std::size_t>(c)]), 11);
    while (line.back() == ' ') line.pop_back();
    out << shown(line) << "\n";
}

void printHumours(std::ostream& out, const Humours& h) {
    out << "        Aria (C U)   Fuoco (C S)  Terra (F S)  Acqua (F U)\n";
    char line[160];
    std::snprintf(line, sizeof line, "Tot     %-13d%-13d%-13d%d", h.element[kAir], h.element[kFire], h.element[kEarth],
                  h.element[kWater]);
    out << line << "\n";
    std::snprintf(line, sizeof line, "Tot     C %-11dU %-11dF %-11dS %d", h.hot, h.moist, h.cold, h.dry);
    out << line << "\n";
    out << "        Estroverso   Eteronomo    Introverso   Autonomo\n";
}

Section substanceSection(const Subject& s) {
    const Substance sub = computeSubstance(s.chart);
    return {[sub](std::ostream& out) {
                out << "STOFFA ELEMENTARE (Livello psicosomatico) [Elementare]\n";
                printCountTable(out, sub.elemental, {"Fuoco", "Terra", "Aria", "Acqua"}, {"Sale", "Zolfo", "Mercurio"}, "Tot");
                out << "\nATTRIBUZIONE UMORALE (Elementare)\n";
                printHumours(out, sub.elementalHumours);
                out << "\nSTOFFA STAGIONALE (Livello somatopsichico) [Stagionale]\n";
                printCountTable(out, sub.seasonal, {"Primavera", "Estate", "Autunno", "Inverno"},
                                {"Tropici", "Solidi", "Bicorporei"}, "Totali");
                out << "\nATTRIBUZIONE UMORALE (Stagionale)\n";
                printHumours(out, sub.seasonalHumours);
            },
            [sub] {
                return JsonObject()
                    .add("elemental", countTableJson(sub.elemental))
                    .add("elemental_humours", humoursJson(sub.elementalHumours))
                    .add("seasonal", countTableJson(sub.seasonal))
                    .add("seasonal_humours", humoursJson(sub.seasonalHumours))
                    .str();
            }};
}

Section hourSection(const Subject& s) {
    const PlanetaryHour h = ComputePlanetaryHour(s.chart);
    const auto lines = mastersLines(s.chart, h);
    const ChartState chart = s.chart;
    return {[lines](std::ostream& out) {
                out << shown(mastersHeading()) << "\n";
                printColoured(out, lines);
            },
            [h, lines, chart] {
                JsonObject o;
                o.add("sunrise", h.sunriseFound ? jsonString(JulianDayText(h.sunrise - chart.corr / 24.0L).substr(11, 5)) : "null");
                o.add("sunrise_jd", h.sunriseFound ? jsonNumber(h.sunrise) : "null");
                o.add("weekday", jsonString(kWeekdayNames[static_cast<std::size_t>(h.weekday)]));
                o.add("hour", h.hourFound ? std::to_string(h.hour) : "null");
                o.add("hour_ruler", h.hourFound ? jsonString(kPlanetNames[static_cast<std::size_t>(h.hourRuler)]) : "null");
                o.add("ascendant_ruler", jsonString(kPlanetNames[static_cast<std::size_t>(h.ascendantRuler)]));
                o.add("mc_ruler", jsonString(kPlanetNames[static_cast<std::size_t>(h.mcRuler)]));
                o.add("lines", jsonLines(lines));
                return o.str();
            }};
}

Section mastersSection(const Subject& s) {
    const YearMasters m = yearMastersOf(s.chart);
    const auto lines = yearMastersLines(m);
    return {[lines](std::ostream& out) {
                out << kYearMastersHeading << "\n";
                printColoured(out, lines);
            },
            [m, lines] {
                return JsonObject()
                    .add("year", std::to_string(m.year))
                    .add("year_master", jsonString(kPlanetNames[static_cast<std::size_t>(m.yearMaster)]))
                    .add("cycle_master", jsonString(kPlanetNames[static_cast<std::size_t>(m.cycleMaster)]))
                    .add("lines", jsonLines(lines))
                    .str();
            }};
}

Section scoringSection(const Subject& s) {
    // The same computation as the analysis window's dominant-planet views.
    const DominantChart dominant = computeDominantChart(s.chart, s.name, s.moment, s.place);
    const ChartMasterScores& scores = dominant.scores;
    const ChartMasterDisplay& display = dominant.display;
    static const char* const columns[11] = {"", "SOL", "LUN", "MER", "VEN", "MAR", "GIO", "SAT", "URA", "NET", "PLU"};
    return {[scores, display](std::ostream& out) {
                out << "POTENZE PLANETARIE\n" << shown(scores.birth.title) << "\n";
                std::string head = padded("", 28);
                for (int p = 1; p <= 10; ++p) head += padded(columns[p], 5);
                while (head.back() == ' ') head.pop_back();
                out << head << "\n";
                for (const MasterSection& sec : scores.sections) {
                    std::string line = padded(sec.header, 28);
                    for (int p = 1; p <= 10; ++p) line += padded(std::to_string(sec.value[static_cast<std::size_t>(p)]), 5);
                    while (line.back() == ' ') line.pop_back();
                    out << shown(line) << "\n";
                }
                char line[160];
                std::snprintf(line, sizeof line, "Elementi (10 pianeti): Fuoco %s  Terra %s  Aria %s  Acqua %s",
                              ZeroPad(scores.elementsOfTen[0], 3).c_str(), ZeroPad(scores.elementsOfTen[1], 3).c_str(),
                              ZeroPad(scores.elementsOfTen[2], 3).c_str(), ZeroPad(scores.elementsOfTen[3], 3).c_str());
                out << line << "\n";
                std::snprintf(line, sizeof line, "Elementi (7 pianeti):  Fuoco %s  Terra %s  Aria %s  Acqua %s",
                              ZeroPad(scores.elementsOfSeven[0], 3).c_str(), ZeroPad(scores.elementsOfSeven[1], 3).c_str(),
                              ZeroPad(scores.elementsOfSeven[2], 3).c_str(), ZeroPad(scores.elementsOfSeven[3], 3).c_str());
                out << line << "\n";
                for (int p = 1; p <= 10; ++p) {
                    const MasterBar& bar = display.bars[static_cast<std::size_t>(p)];
                    out << padded(columns[p], 4) << padded(bar.label, 5) << std::string(static_cast<std::size_t>(bar.length), bar.negative ? '-' : '#')
                        << "\n";
                }
                out << "Maestro: "
                    << (display.master == 0 ? std::string("nessuno")
                                            : TrimRightSpaces(kMasterPlanetNames[static_cast<std::size_t>(display.master)]))
                    << "\n";
            },
            [scores, display] {
                return JsonObject()
                    .add("title", jsonString(scores.birth.title))
                    .add("sections", jsonArray(scores.sections, [](const MasterSection& sec) {
                             std::vector<int> values(sec.value.begin() + 1, sec.value.end());
                             return JsonObject()
                                 .add("header", jsonString(sec.header))
                                 .add("values", jsonArray(values, [](int v) { return std::to_string(v); }))
                                 .str();
                         }))
                    .add("elements_ten", jsonArray(scores.elementsOfTen, [](int v) { return std::to_string(v); }))
                    .add("elements_seven", jsonArray(scores.elementsOfSeven, [](int v) { return std::to_string(v); }))
                    .add("master", display.master == 0 ? std::string("null") : std::to_string(display.master))
                    .add("bars", jsonArray(std::vector<MasterBar>(display.bars.begin() + 1, display.bars.end()), [](const MasterBar& b) {
                             return JsonObject()
                                 .add("label", jsonString(b.label))
                                 .add("length", std::to_string(b.length))
                                 .add("negative", jsonBool(b.negative))
                                 .str();
                         }))
                    .str();
            }};
}

Section keysSection(const Subject& s) {
    const auto points = pointKeys(s.chart, ComputeSubdivisions(s.chart), s.orbs);
    const auto signs = signKeys();
    return {[points, signs](std::ostream& out) {
                out << "CHIAVI DEI PUNTI\n";
                printLines(out, points);
                out << "\nCHIAVI DEI SEGNI\n";
                printLines(out, signs);
            },
            [points, signs] { return JsonObject().add("points", jsonStrings(points)).add("signs", jsonStrings(signs)).str(); }};
}

Section sectionOf(const std::string& name, const Subject& s) {
    if (name == "aspects") return aspectsSection(s);
    if (name == "grid") return gridSection(s);
    if (name == "distances") return distancesSection(s);
    if (name == "subdivisions") return subdivisionsSection(s);
    if (name == "dodecatemories") return dodecatemoriesSection(s);
    if (name == "antiscia") return antisciaSection(s);
    if (name == "structure") return structureSection(s);
    if (name == "substance") return substanceSection(s);
    if (name == "hour") return hourSection(s);
    if (name == "masters") return mastersSection(s);
    if (name == "scoring") return scoringSection(s);
    return keysSection(s);
}

// ---- the subject -----------------------------------------------------------

// The birth data options: the same forms as the chart command.
BirthRecord recordFromOptions(const Arguments& a) {
    const auto date = splitNumbers(a.required("--date"), '/', 3, "--date", "GG/MM/AAAA");
    const auto time = splitNumbers(a.required("--time"), ':', 2, "--time", "HH:MM");
    const std::string calendar = a.value("--calendar").value_or("GR");
    if (calendar != "GR" && calendar != "GI") throw UsageError{"Calendario non valido (GR o GI): \"" + calendar + "\""};
    BirthData b;
    b.day = date[0];
    b.month = date[1];
    b.year = date[2];
    b.hour = time[0];
    b.minute = time[1];
    b.gregorian = calendar == "GR";
    b.corr = parseReal(a.required("--corr"), "--corr");
    const std::string coords = a.required("--coords");
    if (!readTypedCoordinates(coords, b))
        throw UsageError{"Coordinate non valide (atteso per esempio 45N28-009E11): \"" + coords + "\""};
    if (b.year < 1 || b.year > 9999) throw UsageError{"Data inesistente: \"" + a.required("--date") + "\""};
    if (const BirthFault f = birthDataFault(b)) throw UsageError{f.message};
    const int day = b.day, month = b.month, year = b.year, hour = b.hour, minute = b.minute;
    const Extended corr = b.corr;
    BirthRecord r;
    r.moment = momentDigits(day, month, year, hour, minute) + corrText(corr);
    r.place = coords + placeStored(typedText(a.value("--place").value_or(""), "--place")).substr(0, 27);
    r.calendar = calendar;
    return r;
}

Subject subjectFromOptions(const Arguments& a) {
    Subject s;
    const BirthRecord record = recordFromOptions(a);
    s.name = typedText(a.value("--name").value_or(""), "--name");
    s.moment = record.moment;
    s.place = record.place;
    ChartState& c = s.chart;
    c.houseSystem = "CASE_MEDIE";
    c.nodeKind = a.value("--node").value_or(chartSettings().nodeKind);
    c.blackMoonKind = a.value("--black-moon").value_or(chartSettings().blackMoonKind);
    const MotionFlags moved = castChart(c, decodeBirth(record));
    layOutTraditionally(c, moved);
    return s;
}

Subject currentSubject() {
    if (!currentSubjectExists())
        throw UsageError{"Nessun soggetto attuale: registrarne uno (register) o richiamarne uno (recall)"};
    Subject s;
    computeChart();
    s.chart = chartState();
    const CurrentSubject subject = readCurrentSubject();
    s.name = subject.name();
    s.moment = subject.record.moment;
    s.place = subject.record.place;
    return s;
}

} // namespace

int analysisCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return runCommand(err, [&] {
        const Arguments a(args,
                          {"--date", "--time", "--corr", "--coords", "--calendar", "--name", "--place", "--node",
                           "--black-moon", "--only", "--data-dir"},
                          {"--json", "--current"});
        if (!a.positional().empty()) throw UsageError{"Argomento inatteso: " + a.positional().front()};
        std::vector<std::string> sections(std::begin(kSections), std::end(kSections));
        if (const auto only = a.value("--only")) {
            if (std::find(sections.begin(), sections.end(), *only) == sections.end()) {
                std::string names;
                for (const char* n : kSections) names += std::string(names.empty() ? "" : ", ") + n;
                throw UsageError{"Analisi sconosciuta: \"" + *only + "\" (una di: " + names + ")"};
            }
            sections = {*only};
        }
        const bool current = a.flag("--current");
        for (const char* option : {"--date", "--time", "--corr", "--coords", "--calendar", "--name", "--place", "--node", "--black-moon"})
            if (current && a.value(option))
                throw UsageError{std::string("Con --current i dati vengono dal soggetto attuale: togliere ") + option};
        if (!current && !a.value("--date"))
            throw UsageError{"Indicare --current oppure i dati di nascita (--date, --time, --corr, --coords)"};
        for (const char* option : {"--node", "--black-moon"}) {
            const auto v = a.value(option);
            if (v && std::string(option) == "--node" && *v != "MEDIO" && *v != "VERO")
                throw UsageError{"Tipo di nodo non valido (MEDIO o VERO)"};
            if (v && std::string(option) == "--black-moon" && *v != "VERA" && *v != "MEDIA")
                throw UsageError{"Tipo di Luna Nera non valido (VERA o MEDIA)"};
        }

        openDataDirectory(a.value("--data-dir"));
        // The analyses leave their working files in the data directory: not
        // while another copy of the program works there.
        const DataDirLock lock(dataDir());
        if (!lock.acquired())
            throw DataDirectoryInUse{dataDir().root().string(),
                                     "l'analisi ne riscriverebbe i file di lavoro; chiudere l'altra copia e riprovare"};
        LoadActiveOrbs();
        Subject s = current ? currentSubject() : subjectFromOptions(a);
        bringWithinOneTurn(s.chart);
        s.orbs = ActiveOrbs();

        if (a.flag("--json")) {
            JsonObject o;
            for (const std::string& name : sections) o.add(name, sectionOf(name, s).json());
            out << o.str() << "\n";
        } else {
            bool first = true;
            for (const std::string& name : sections) {
                if (!first) out << "\n";
                first = false;
                sectionOf(name, s).text(out);
            }
        }
        return kExitOk;
    });
}

} // namespace qv::cli
