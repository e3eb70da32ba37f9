// Compiles the remedy and plant sources of tools/content/remedies/ into the
// database files of a data folder:
//   OpzioneH\DBmain.rnd      one record per use of a remedy (tincture TSA,
//                            bud macerate MSA, quintessence QSPC of a plant)
//   OpzioneH\Repertorio.rnd  pathology–remedy pairs with dosage and notes
//   OpzioneS\DbTesto.Txt     the plant database source, in symptom order
//   OpzioneH\Allarmi.txt    when to see the doctor, by complaint
//   OpzioneH\Cautele.txt    each remedy's cautions with the situations of a
//                            person they apply to (age, pregnancy,
//                            breastfeeding, medicines, a maximum duration)
// then derives every support list with the program's own rebuild (so that
// "remedies rebuild" gives the same bytes) and writes the plants-per-planet
// and plants-per-sign name files of OpzioneS\ that the chart window lists in
// plants mode.
//   compile_remedies SOURCE_FOLDER DATA_FOLDER
// A field longer than its record allows stops the compile with the plant and
// the field named, so nothing is ever cut silently. So does a plant that is
// unsafe to hand on: a constituent without the caution costituenti.tsv asks
// for, a use that needs a doctor or is meant for children, an external use
// attached to a remedy taken by mouth, a mucilage plant made into a
// quintessence, a species entered twice, a duration caution without a
// duration it can read, a caution whose situations it does not know.
#include "base/cp1252.h"
#include "base/data_dir.h"
#include "base/errors.h"
#include "remedies/list_order.h"
#include "remedies/records.h"
#include "remedies/remedy_files.h"
#include "remedies/safety_tables.h"
#include "remedies/support_lists.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace qv;
using namespace qv::remedies;

namespace {

struct Use {
    std::string indication;  // as the practitioner reads it
    std::string pathology;   // the repertory's heading
};

struct Plant {
    std::string name, latin, part, code, primary, secondary, zodiac, moment, cautions;
    std::vector<std::string> constituents;
    std::string limit;  // the plant's own duration, in place of the common one
    std::string authors, synthesis;
    std::string portrait;  // sintesi.tsv: whom the plant addresses, in its own words
    std::vector<Use> uses;
    bool has(const std::string& constituent) const {
        return std::find(constituents.begin(), constituents.end(), constituent) != constituents.end();
    }
};

std::vector<std::string> split(const std::string& s, const std::string& sep) {
    std::vector<std::string> out;
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = s.find(sep, from);
        out.push_back(s.substr(from, at == std::string::npos ? std::string::npos : at - from));
        if (at == std::string::npos) return out;
        from = at + sep.size();
    }
}

std::string replaceAll(std::string s, const std::string& what, const std::string& with) {
    for (std::size_t at = s.find(what); at != std::string::npos; at = s.find(what, at + with.size()))
        s.replace(at, what.size(), with);
    return s;
}

std::string lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// Rows of a tab-separated UTF-8 source, as Windows-1252; '#' starts a comment.
std::vector<std::vector<std::string>> readTsv(const fs::path& path, std::size_t columns) {
    std::ifstream in(path);
    if (!in) throw std::runtime_error("impossibile leggere " + path.string());
    std::vector<std::vector<std::string>> rows;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        auto cells = split(utf8ToCp1252(line), "\t");
        if (cells.size() != columns)
            throw std::runtime_error(path.filename().string() + ", riga " + std::to_string(number) + ": attese " +
                                     std::to_string(columns) + " colonne");
        rows.push_back(std::move(cells));
    }
    return rows;
}

class Phrases {
public:
    explicit Phrases(const fs::path& path) {
        for (const auto& row : readTsv(path, 2)) map_[row[0]] = row[1];
    }
    const std::string& operator[](const std::string& key) const {
        const auto it = map_.find(key);
        if (it == map_.end()) throw std::runtime_error("frasi.tsv: manca la frase " + key);
        return it->second;
    }
    // A phrase that only some keys have (the doctor's referral of a pathology).
    const std::string* find(const std::string& key) const {
        const auto it = map_.find(key);
        return it == map_.end() ? nullptr : &it->second;
    }

private:
    std::map<std::string, std::string> map_;
};

std::vector<Plant> readPlants(const fs::path& path) {
    std::vector<Plant> plants;
    for (const auto& c : readTsv(path, 14)) {
        Plant p{c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7], c[8], {}, c[10], c[11], c[12], {}, {}};
        if (!c[9].empty()) p.constituents = split(c[9], "; ");
        for (const std::string& u : split(c[13], " | ")) {
            const auto parts = split(u, ">");
            if (parts.size() != 2) throw std::runtime_error("piante.tsv, " + p.name + ": uso senza patologia: " + u);
            p.uses.push_back({parts[0], parts[1]});
        }
        plants.push_back(std::move(p));
    }
    return plants;
}

void check(const std::string& owner, const char* field, const std::string& text, std::size_t width) {
    if (text.size() > width)
        throw std::runtime_error(owner + ": " + field + " di " + std::to_string(text.size()) + " caratteri, al massimo " +
                                 std::to_string(width));
}

// An indication without the remarks in parentheses and without ", come sostegno".
std::string plainIndication(std::string s) {
    const std::size_t paren = s.find(" (");
    if (paren != std::string::npos) s.resize(paren);
    return replaceAll(s, ", come sostegno", "");
}

struct Remedy {
    std::string form;  // TSA, MSA, QSPC
    std::string name;
    const Plant* plant = nullptr;
    std::vector<Use> uses;
};

std::string baseName(const Plant& p) {
    const std::string suffix = " gemme";
    return p.name.size() > suffix.size() && p.name.compare(p.name.size() - suffix.size(), suffix.size(), suffix) == 0
               ? p.name.substr(0, p.name.size() - suffix.size())
               : p.name;
}

// Mucilages dissolve in water, not in alcohol nor in a distillate: a mucilage
// plant is given as a macerate, like the buds, never as a tincture.
const char* const kMucilage = "mucillagini";

std::string formOf(const Plant& p) { return p.part == "gemme" || p.has(kMucilage) ? "MSA" : "TSA"; }

std::vector<Remedy> remediesOf(const std::vector<Plant>& plants, const Phrases& phrases) {
    std::set<std::string> quintessences;
    for (const std::string& n : split(phrases["quintessenze"], "; ")) quintessences.insert(n);
    std::vector<Remedy> out;
    for (const Plant& p : plants) {
        const std::string form = formOf(p);
        out.push_back({form, form + " " + baseName(p), &p, p.uses});
        if (quintessences.erase(p.name)) {
            if (p.has(kMucilage))
                throw std::runtime_error("frasi.tsv: " + p.name + " ha mucillagini, che il distillato non porta: niente quintessenza");
            std::vector<Use> first(p.uses.begin(), p.uses.begin() + std::min<std::size_t>(3, p.uses.size()));
            out.push_back({"QSPC", "QSPC " + p.name, &p, first});
        }
    }
    if (!quintessences.empty()) throw std::runtime_error("frasi.tsv: quintessenza di una pianta sconosciuta: " + *quintessences.begin());
    return out;
}

// Each plant's portrait from sintesi.tsv; every plant has one, and every
// portrait names a plant.
void readPortraits(const fs::path& path, std::vector<Plant>& plants) {
    std::map<std::string, std::string> portraits;
    for (const auto& row : readTsv(path, 2)) portraits[row[0]] = row[1];
    for (Plant& p : plants) {
        const auto it = portraits.find(p.name);
        if (it == portraits.end()) throw std::runtime_error("sintesi.tsv: manca il ritratto di " + p.name);
        p.portrait = it->second;
        portraits.erase(it);
    }
    if (!portraits.empty()) throw std::runtime_error("sintesi.tsv: pianta sconosciuta: " + portraits.begin()->first);
}

// ---- Safety rules, checked before anything is written ----

struct Constituent {
    std::string cautions;  // caution codes the constituent asks for
    bool needsLimit;       // the plant must state its own duration
    std::string why;       // what the constituent does, in a few words
};

std::map<std::string, Constituent> readConstituents(const fs::path& path) {
    std::map<std::string, Constituent> table;
    for (const auto& row : readTsv(path, 4)) table[row[0]] = {row[1] == "-" ? "" : row[1], row[2] == "limite", row[3]};
    return table;
}

bool containsAny(const std::string& text, const std::string& terms, std::string& found) {
    const std::string low = lower(text);
    for (const std::string& term : split(terms, "; "))
        if (low.find(term) != std::string::npos) return found = term, true;
    return false;
}

// The longest period a plant's own duration allows, in days: the largest
// "<number> giorni|settimane|mesi" it names (the tannin plants allow a few
// days for diarrhoea and two weeks otherwise). Nothing when it names none.
std::optional<int> limitDays(const std::string& limit) {
    static const std::map<std::string, int> numbers = {
        {"un", 1},   {"una", 1},  {"uno", 1},  {"due", 2},   {"tre", 3},    {"quattro", 4},   {"cinque", 5},
        {"sei", 6},  {"sette", 7}, {"otto", 8}, {"dieci", 10}, {"quindici", 15}, {"venti", 20}};
    static const std::map<std::string, int> units = {{"giorno", 1},     {"giorni", 1}, {"settimana", 7},
                                                     {"settimane", 7}, {"mese", 30}, {"mesi", 30}};
    std::vector<std::string> words;
    std::string w;
    for (char c : lower(limit) + " ") {
        if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) w += c;
        else if (!w.empty()) words.push_back(w), w.clear();
    }
    std::optional<int> most;
    for (std::size_t i = 1; i < words.size(); ++i) {
        const auto unit = units.find(words[i]);
        if (unit == units.end()) continue;
        int n = 0;
        if (const auto named = numbers.find(words[i - 1]); named != numbers.end()) n = named->second;
        else if (words[i - 1].find_first_not_of("0123456789") == std::string::npos && words[i - 1].size() < 4)
            n = std::stoi(words[i - 1]);
        if (n > 0) most = std::max(most.value_or(0), n * unit->second);
    }
    return most;
}

// The situations of a person in which a caution applies (frasi.tsv,
// quando.<code>); a caution without them applies to the illness, which the
// program does not record, and is only read.
std::vector<CautionCondition> conditionsOf(char code, const Phrases& phrases) {
    std::vector<CautionCondition> out;
    const std::string* text = phrases.find(std::string("quando.") + code);
    if (!text) return out;
    for (const std::string& c : split(*text, "; ")) {
        const auto parsed = parseCautionCondition(c);
        if (!parsed) throw std::runtime_error(std::string("frasi.tsv, quando.") + code + ": condizione sconosciuta " + c);
        out.push_back(*parsed);
    }
    return out;
}

void checkPlant(const Plant& p, const std::map<std::string, Constituent>& table, const Phrases& phrases) {
    for (const std::string& c : p.constituents) {
        const auto it = table.find(c);
        if (it == table.end()) throw std::runtime_error(p.name + ": costituente senza riga in costituenti.tsv: " + c);
        for (char code : it->second.cautions)
            if (p.cautions.find(code) == std::string::npos)
                throw std::runtime_error(p.name + ": contiene " + c + " ma non ha la cautela " + code + " (" +
                                         phrases[std::string("cautela.") + code] + ")");
        if (it->second.needsLimit && p.limit.empty())
            throw std::runtime_error(p.name + ": contiene " + c + " e deve dire la propria durata (colonna limite)");
    }
    for (char code : p.cautions) {
        (void)phrases[std::string("cautela.") + code];
        (void)conditionsOf(code, phrases);
    }
    // "Do not go beyond the stated duration" needs a duration, and one the
    // consultation can compare with the follow-up.
    if (p.cautions.find('L') != std::string::npos && !limitDays(p.limit))
        throw std::runtime_error(p.name + ": ha la cautela L (" + phrases["cautela.L"] +
                                 ") ma nessuna durata propria leggibile nella colonna limite");
    for (const Use& u : p.uses) {
        const std::string both = u.indication + " " + u.pathology;
        std::string term;
        if (containsAny(both, phrases["regola.allarme"], term))
            throw std::runtime_error(p.name + ", \"" + u.indication + "\": segno d'allarme (" + term +
                                     "), va indirizzato al medico, non a un rimedio");
        if (containsAny(both, phrases["regola.infanzia"], term))
            throw std::runtime_error(p.name + ", \"" + u.indication + "\": uso per bambini (" + term +
                                     "), ma i preparati contengono alcol");
        if (const std::string* needed = phrases.find("richiede." + u.pathology))
            for (char code : *needed)
                if (p.cautions.find(code) == std::string::npos)
                    throw std::runtime_error(p.name + ", \"" + u.indication + "\": l'uso per " + u.pathology +
                                             " chiede la cautela " + code + " (" + phrases[std::string("cautela.") + code] + ")");
        if (containsAny(both, phrases["regola.esterno"], term))
            throw std::runtime_error(p.name + ", \"" + u.indication + "\": uso esterno (" + term +
                                     ") attaccato a un rimedio da assumere per bocca");
    }
}

// The same species is one plant: two rows with one Latin name must give two
// different preparations (the leaves and the buds).
void checkDistinctSpecies(const std::vector<Plant>& plants) {
    std::set<std::pair<std::string, std::string>> seen;
    for (const Plant& p : plants) {
        if (!seen.insert({lower(p.latin), formOf(p)}).second)
            throw std::runtime_error(p.name + ": " + p.latin + " ha già una riga con la stessa preparazione");
    }
}

// ---- Texts of a remedy ----

std::string warnings(const Plant& p, const Phrases& phrases) {
    std::string text = phrases["cautela.alcol"];
    for (char code : p.cautions) text += " " + phrases[std::string("cautela.") + code];
    if (p.cautions.find('G') == std::string::npos) text += " " + phrases["cautela.gravidanza"];
    if (p.cautions.find('B') == std::string::npos) text += " " + phrases["cautela.bambini"];
    return text;
}

std::string composition(const Remedy& r, const Phrases& phrases) {
    const Plant& p = *r.plant;
    std::string t = phrases[r.form == "MSA" && p.part != "gemme" ? "nota.MSA.macerato" : "nota." + r.form];
    t = replaceAll(t, "{latino}", p.latin);
    t = replaceAll(t, "{pianta}", lower(baseName(p)));
    t = replaceAll(t, "{parte}", p.part);
    return t;
}

// What the doctor must see for this complaint, or the common closing line.
std::string referral(const Use& u, const Phrases& phrases) {
    const std::string* own = phrases.find("medico." + u.pathology);
    return own ? *own : phrases["medico.comune"];
}

// How often and when, and for how long: the plant's own limit wins over the
// common duration of the preparation.
std::string dosage(const std::string& key, const std::string& form, const Plant& p, const Phrases& phrases) {
    std::string when = replaceAll(phrases["momento." + p.moment], "{volte}", phrases["volte." + form]);
    std::string t = replaceAll(phrases[key], "{quando}", when);
    return replaceAll(t, "{durata}", p.limit.empty() ? phrases["durata." + form] : p.limit);
}

std::vector<RemedyRecord> remedyRecords(const std::vector<Remedy>& remedies, const Phrases& phrases) {
    std::vector<RemedyRecord> records;
    RemedyRecord header;
    header.rimedio = "Errore - record di intestazione";
    records.push_back(header);
    for (const Remedy& r : remedies) {
        const Plant& p = *r.plant;
        for (const Use& u : r.uses) {
            RemedyRecord rec;
            const std::string dose = dosage("posologia." + r.form, r.form, p, phrases);
            const std::string synth = p.synthesis + ". " + p.portrait;
            const std::string warn = warnings(p, phrases);
            const std::string notes = composition(r, phrases) + " " + phrases["nota.medico"] + " " + referral(u, phrases);
            const std::string more = "Fonti tradizionali sulla pianta: " + p.authors + ". Segnatura: " + p.primary + ", poi " +
                                     p.secondary + "; " + p.zodiac + ".";
            check(r.name, "Rimedio", r.name, 50);
            check(r.name, "Posologia", dose, 900);
            check(r.name, "Indicazioni", u.indication, 250);
            check(r.name, "Sintesi psichica", synth, 1500);
            check(r.name, "Segnatura primaria", p.primary, 30);
            check(r.name, "Segnatura secondaria", p.secondary, 40);
            check(r.name, "Segnatura zodiacale", p.zodiac, 70);
            check(r.name, "Avvertenze", warn, 400);
            check(r.name + " / " + u.pathology, "Note", notes, 750);
            check(r.name, "Note supplementari", more, 750);
            rec.rimedio = r.name;
            rec.setDosage(dose);
            rec.setIndication(u.indication);
            rec.setSynthesis(synth);
            rec.segnaturaPrimaria = p.primary;
            rec.segnaturaSecondaria = p.secondary;
            rec.segnaturaZodiacale = p.zodiac;
            rec.setWarnings(warn);
            rec.setNotes(notes);
            rec.setSupplementaryNotes(more);
            records.push_back(rec);
        }
    }
    return records;
}

// Each use of every remedy under its general pathology and, when the
// indication names a narrower complaint, under that one too.
std::vector<RepertoryRecord> repertoryRecords(const std::vector<Remedy>& remedies, const Phrases& phrases) {
    std::vector<RepertoryRecord> records;
    RepertoryRecord header;
    header.patologia = "Errore - record di intestazione";
    records.push_back(header);
    std::set<std::pair<std::string, std::string>> seen;
    for (const Remedy& r : remedies) {
        const Plant& p = *r.plant;
        std::string shortWarnings = phrases["cautela.alcol"] + " ";
        for (char code : p.cautions) shortWarnings += phrases[std::string("cautela.") + code] + " ";
        for (const Use& u : r.uses) {
            for (const std::string& pathology : {u.pathology, plainIndication(u.indication)}) {
                if (!seen.insert({pathology, r.name}).second) continue;
                RepertoryRecord rec;
                rec.patologia = pathology;
                rec.rimedio = r.name;
                rec.posologia = dosage("repertorio." + r.form, r.form, p, phrases);
                std::string note = replaceAll(phrases["repertorio.nota"], "{avvertenze} ", shortWarnings);
                note = replaceAll(note, "{medico}", referral(u, phrases));
                check(r.name + " / " + pathology, "Patologia", rec.patologia, 100);
                check(r.name, "Posologia del repertorio", rec.posologia, 250);
                check(r.name + " / " + pathology, "Note del repertorio", note, 750);
                rec.setNotes(note);
                records.push_back(rec);
            }
        }
    }
    return records;
}

// Groups of eight lines: plant, code, primary and secondary signature (lower
// case), zodiacal signature, synthesis, symptom, authors; a header group
// first, then the entries in symptom order.
std::vector<std::string> plantText(const std::vector<Plant>& plants) {
    struct Entry {
        std::string symptom;
        const Plant* plant;
    };
    std::vector<Entry> entries;
    for (const Plant& p : plants)
        for (const Use& u : p.uses) entries.push_back({plainIndication(u.indication), &p});
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        if (a.symptom != b.symptom) return listOrderLess(a.symptom, b.symptom);
        return listOrderLess(a.plant->name, b.plant->name);
    });
    std::vector<std::string> lines = {"PIANTA", "SIGLA", "SEGN.PRIMARIA", "SEGN.SECONDARIA",
                                      "SEGN.ZODIACALE", "SINTESI", "SINTOMO", "AUTORI"};
    for (const Entry& e : entries) {
        const Plant& p = *e.plant;
        check(p.name, "Pianta", p.name, 20);
        check(p.name, "Sigla", p.code, 15);
        check(p.name, "Segnatura primaria (piante)", p.primary, 15);
        check(p.name, "Sintesi (piante)", p.synthesis, 100);
        check(p.name, "Sintomo", e.symptom, 100);
        // The use is traditional; the authors named are those who wrote of the plant.
        const std::string authors = "Uso tradizionale; fonti sulla pianta: " + replaceAll(p.authors, "; ", ", ");
        check(p.name, "Autori", authors, 100);
        const std::vector<std::string> group = {p.name, p.code, lower(p.primary), lower(p.secondary),
                                                p.zodiac, p.synthesis, e.symptom, authors};
        lines.insert(lines.end(), group.begin(), group.end());
    }
    return lines;
}

// The plants that carry a planet in their primary signature, or a sign in
// their zodiacal one, in list order, from record 1.
void writePlantSignatureFiles(const DataDir& dir, const std::vector<Plant>& plants) {
    const char* planets[][2] = {{"sole", "SolePri"},     {"luna", "LunaPri"},   {"mercurio", "MercPri"},
                                {"venere", "VenePri"},   {"marte", "MartPri"},  {"giove", "GiovPri"},
                                {"saturno", "SatuPri"}};
    const char* signs[] = {"Ariete", "Toro",       "Gemelli",    "Cancro",   "Leone", "Vergine",
                           "Bilancia", "Scorpione", "Sagittario", "Capricorno", "Acquario", "Pesci"};
    auto write = [&](const std::string& stem, auto matches) {
        std::vector<std::string> names;
        for (const Plant& p : plants)
            if (matches(p)) names.push_back(p.name);
        sortInListOrder(names);
        dropRepeats(names);
        writeRecords(dir, "OpzioneS\\" + stem + ".rnd", namesFromRecordOne(names, kPlantNameWidth));
    };
    for (const auto& planet : planets)
        write(planet[1], [&](const Plant& p) { return lower(p.primary).find(planet[0]) != std::string::npos; });
    for (const char* sign : signs)
        write(sign, [&](const Plant& p) { return p.zodiac.find(sign) != std::string::npos; });
}

// The doctor's referral of every complaint the database names: by
// indication as listed, by its plain form and by pathology. Two uses that
// share a complaint under different pathologies give both referrals.
std::vector<std::string> redFlagLines(const std::vector<Plant>& plants, const Phrases& phrases) {
    std::map<std::string, std::vector<std::string>> byComplaint;
    auto add = [&](const std::string& complaint, const std::string& referralText) {
        auto& texts = byComplaint[complaint];
        if (std::find(texts.begin(), texts.end(), referralText) == texts.end()) texts.push_back(referralText);
    };
    for (const Plant& p : plants)
        for (const Use& u : p.uses) {
            const std::string text = referral(u, phrases);
            add(u.indication, text);
            add(plainIndication(u.indication), text);
            add(u.pathology, text);
        }
    std::vector<std::string> lines = {"*\t" + phrases["medico.comune"]};
    for (const auto& [complaint, texts] : byComplaint) {
        std::string joined;
        for (const std::string& t : texts) joined += (joined.empty() ? "" : " ") + t;
        lines.push_back(complaint + "\t" + joined);
    }
    return lines;
}

// Each caution of a remedy with the situations it applies to; "*" holds the
// alcohol of every preparation. The reason names the constituent that asks
// for the caution, when one does.
std::vector<std::string> cautionLines(const std::vector<Remedy>& remedies, const std::map<std::string, Constituent>& table,
                                      const Phrases& phrases) {
    std::vector<std::string> lines = {"*\teta<12\t" + phrases["cautela.alcol"]};
    for (const Remedy& r : remedies) {
        const Plant& p = *r.plant;
        auto add = [&](const CautionCondition& c, const std::string& text) {
            lines.push_back(r.name + "\t" + cautionConditionText(c) + "\t" + text);
        };
        for (char code : p.cautions) {
            std::string text = phrases[std::string("cautela.") + code];
            for (const std::string& c : p.constituents) {
                const auto it = table.find(c);
                if (it != table.end() && it->second.cautions.find(code) != std::string::npos)
                    text += " (contiene " + c + ": " + it->second.why + ")";
            }
            for (const CautionCondition& c : conditionsOf(code, phrases)) add(c, text);
        }
        using Kind = CautionCondition::Kind;
        if (p.cautions.find('G') == std::string::npos) {
            add({Kind::Pregnancy, 0, {}}, phrases["cautela.gravidanza"]);
            add({Kind::Breastfeeding, 0, {}}, phrases["cautela.gravidanza"]);
        }
        if (p.cautions.find('B') == std::string::npos) add({Kind::AgeUnder, 18, {}}, phrases["cautela.bambini"]);
        if (const auto days = limitDays(p.limit)) add({Kind::MaxDays, *days, {}}, "Durata massima: " + p.limit + ".");
    }
    return lines;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "uso: compile_remedies CARTELLA_SORGENTI CARTELLA_DATI\n");
        return 2;
    }
    try {
        const fs::path source = argv[1];
        const DataDir dir{fs::path(argv[2])};
        const Phrases phrases(source / "frasi.tsv");
        std::vector<Plant> plants = readPlants(source / "piante.tsv");
        readPortraits(source / "sintesi.tsv", plants);
        const auto constituents = readConstituents(source / "costituenti.tsv");
        for (const Plant& p : plants) checkPlant(p, constituents, phrases);
        checkDistinctSpecies(plants);
        const std::vector<Remedy> remedies = remediesOf(plants, phrases);
        const auto remedyRecs = remedyRecords(remedies, phrases);
        const auto repertoryRecs = repertoryRecords(remedies, phrases);
        writeRemedies(dir, remedyRecs);
        writeRepertory(dir, repertoryRecs);
        writeTextList(dir, files::kPlantText, plantText(plants));
        const std::size_t plantRecords = compilePlantDatabase(dir);
        const RebuildSummary s = rebuildSupportLists(dir);
        writePlantSignatureFiles(dir, plants);
        writeTextList(dir, files::kRedFlags, redFlagLines(plants, phrases));
        writeTextList(dir, files::kCautionRules, cautionLines(remedies, constituents, phrases));
        std::printf("%zu piante, %zu rimedi (%zu record), %zu patologie (%zu record del repertorio), "
                    "%zu indicazioni distinte, %zu record delle piante\n",
                    plants.size(), s.remedyNames, s.remedies, s.pathologies, s.repertory, s.symptoms, plantRecords - 1);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "errore: %s\n", e.what());
        return 1;
    }
    return 0;
}
