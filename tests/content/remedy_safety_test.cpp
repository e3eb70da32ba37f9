// The shipped remedies are safe to hand on: no use that needs a doctor or is
// meant for children, cautions that follow from the plant's constituents,
// doses with the plant's own limits, preparations that suit the plant, a
// remedy list for every point of the analysis. The content compiler refuses
// sources that break these rules.
#include "base/cp1252.h"
#include "base/data_dir.h"
#include "remedies/records.h"
#include "base/text_file.h"
#include "remedies/remedy_files.h"
#include "tests/support/cli_runner.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace qv {
namespace remedy_safety_test {

namespace fs = std::filesystem;

const DataDir& shipped() {
    static const DataDir dir(test::dataTemplateDir());
    return dir;
}

const std::vector<remedies::RemedyRecord>& shippedRemedies() {
    static const auto records = remedies::readRemedies(shipped());
    return records;
}

std::string lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// The records are Windows-1252; the expected texts here are UTF-8.
bool has(const std::string& text, const std::string& part) { return text.find(utf8ToCp1252(part)) != std::string::npos; }

// The records of one remedy (records 1 … N−1).
std::vector<const remedies::RemedyRecord*> recordsOf(const std::string& name) {
    std::vector<const remedies::RemedyRecord*> out;
    for (std::size_t k = 1; k < shippedRemedies().size(); ++k)
        if (shippedRemedies()[k].rimedio == name) out.push_back(&shippedRemedies()[k]);
    return out;
}

TEST(RemedySafety, NoUseForChildrenAndEveryPreparationSaysItHoldsAlcohol) {
    const char* childTerms[] = {"bambin", "lattant", "neonat", "infantil", "dentizione", "crosta lattea", "ragazz"};
    for (std::size_t k = 1; k < shippedRemedies().size(); ++k) {
        const auto& r = shippedRemedies()[k];
        for (const char* term : childTerms) EXPECT_FALSE(has(lower(r.indication()), term)) << r.rimedio << ": " << r.indication();
        EXPECT_TRUE(has(r.warnings(), "alcol: mai ai bambini sotto i 12 anni")) << r.rimedio;
    }
    const auto repertory = remedies::readRepertory(shipped());
    for (std::size_t k = 1; k < repertory.size(); ++k)
        EXPECT_FALSE(has(lower(repertory[k].patologia), "infantil")) << repertory[k].patologia;
}

TEST(RemedySafety, RedFlagsAreNotOfferedARemedyAndRiskyComplaintsReferToTheDoctor) {
    const char* redFlags[] = {"orecchi", "otite", "convulsa", "pertosse", "sangu", "petto", "febbre alta"};
    for (std::size_t k = 1; k < shippedRemedies().size(); ++k)
        for (const char* flag : redFlags)
            EXPECT_FALSE(has(lower(shippedRemedies()[k].indication()), flag))
                << shippedRemedies()[k].rimedio << ": " << shippedRemedies()[k].indication();
    // Pathology → what its referral must name, in the repertory notes.
    const std::map<std::string, std::string> referrals = {
        {"Umore depresso lieve", "due settimane"}, {"Palpitazioni", "dolore al petto"},
        {"Sindromi da raffreddamento", "lattante"}, {"Emorroidi", "sangue"},
        {"Cefalea", "improvviso e violento"},      {"Cattiva circolazione venosa", "polpaccio"},
        {"Disturbi urinari", "sangue nelle urine"}, {"Tosse secca", "tre settimane"},
    };
    const auto repertory = remedies::readRepertory(shipped());
    std::set<std::string> seen;
    for (std::size_t k = 1; k < repertory.size(); ++k) {
        const auto it = referrals.find(repertory[k].patologia);
        if (it == referrals.end()) continue;
        seen.insert(it->first);
        EXPECT_TRUE(has(repertory[k].notes(), it->second)) << it->first << " / " << repertory[k].rimedio;
    }
    EXPECT_EQ(seen.size(), referrals.size());
    // The remedy's own notes carry the referral of its use too.
    for (const auto* r : recordsOf("TSA Iperico")) {
        if (r->indication() == "Tristezza con stanchezza") {
            EXPECT_TRUE(has(r->notes(), "due settimane"));
        }
    }
}

TEST(RemedySafety, CautionsFollowFromTheConstituents) {
    struct Case {
        const char* remedy;
        std::vector<std::string> present;
        std::vector<std::string> absent;
    };
    const Case cases[] = {
        // beta-asarone, thujone, pulegone and pyrrolizidines: never under 18,
        // not the reduced dose for adolescents the milder plants allow
        {"TSA Calamo aromatico", {"beta-asarone", "Non adatto a bambini e ragazzi"}, {"Nei ragazzi solo"}},
        {"TSA Salvia", {"Non adatto a bambini e ragazzi", "epilessia"}, {"Nei ragazzi solo"}},
        {"QSPC Salvia", {"Non adatto a bambini e ragazzi"}, {"Nei ragazzi solo"}},
        {"TSA Artemisia", {"Non adatto a bambini e ragazzi"}, {"Nei ragazzi solo"}},
        {"TSA Nepitella", {"Non adatto a bambini e ragazzi", "fegato", "Non usare in gravidanza"}, {"Nei ragazzi solo"}},
        {"TSA Polmonaria", {"pirrolizidinici", "Non adatto a bambini e ragazzi"}, {"Nei ragazzi solo"}},
        // serotonergic drugs add up with St John's wort; the others lose effect
        {"TSA Iperico", {"sindrome serotoninergica", "SSRI", "triptani", "Riduce l'effetto di pillola"}, {"antidepressivi, cardiaci"}},
        {"QSPC Iperico", {"sindrome serotoninergica"}, {}},
        {"TSA Meliloto", {"fegato", "anticoagulanti"}, {}},
        {"TSA Ginepro", {"reni"}, {}},
        {"TSA Verga d'oro", {"reni"}, {}},
        {"TSA Agnocasto", {"dopamina", "ipofisi"}, {}},
        {"TSA Lavanda", {"sonnolenza"}, {}},
        {"QSPC Lavanda", {"sonnolenza"}, {}},
        {"TSA Ginkgo", {"epilessia"}, {}},
        {"TSA Olivo", {"glicemia"}, {}},
        {"TSA Pervinca", {"solo sotto controllo medico"}, {}},
        {"TSA Assenzio", {"epilessia", "Asteracee"}, {}},
        {"TSA Pilosella", {"Asteracee"}, {}},
        {"TSA Iperico", {"immunosoppressori", "antiretrovirali", "antitumorali", "sole"}, {}},
        {"TSA Liquirizia", {"potassio", "diuretici", "digossina", "pressione alta"}, {}},
        {"TSA Menta piperita", {"reflusso", "calcoli biliari"}, {"gonfiori"}},
        {"TSA Tormentilla", {"un'ora da altri farmaci"}, {}},
        {"TSA Quercia", {"un'ora da altri farmaci"}, {}},
        {"TSA Salice", {"aspirina"}, {}},
        {"TSA Olmaria", {"aspirina"}, {}},
        {"TSA Frangola", {"potassio"}, {}},
    };
    for (const Case& c : cases) {
        const auto records = recordsOf(c.remedy);
        ASSERT_FALSE(records.empty()) << c.remedy;
        for (const auto* r : records) {
            for (const std::string& p : c.present) EXPECT_TRUE(has(r->warnings(), p)) << c.remedy << ": " << p;
            for (const std::string& a : c.absent) EXPECT_FALSE(has(r->warnings(), a)) << c.remedy << ": " << a;
        }
    }
}

TEST(RemedySafety, DosesCarryThePlantsOwnLimitsAndNeverContradictThemselves) {
    const std::map<std::string, std::string> limits = {
        {"TSA Frangola", "non più di una settimana"},
        {"TSA Uva ursina", "cinque volte l'anno"},
        {"TSA Liquirizia", "non più di quattro settimane"},
        {"TSA Calamo aromatico", "non più di due settimane"},
        {"TSA Echinacea", "dieci giorni"},
        {"TSA Nepitella", "non più di due settimane"},
        {"TSA Polmonaria", "non più di due settimane"},
        {"TSA Fumaria", "non più di due settimane"},
        {"TSA Equiseto", "non più di quattro settimane"},
    };
    for (const auto& [name, limit] : limits) {
        const auto records = recordsOf(name);
        ASSERT_FALSE(records.empty()) << name;
        for (const auto* r : records) {
            EXPECT_TRUE(has(r->dosage(), limit)) << name;
            EXPECT_FALSE(has(r->dosage(), "tre o quattro settimane")) << name;
        }
    }
    const auto repertory = remedies::readRepertory(shipped());
    for (std::size_t k = 1; k < repertory.size(); ++k) {
        if (limits.count(repertory[k].rimedio)) {
            EXPECT_TRUE(has(repertory[k].posologia, limits.at(repertory[k].rimedio))) << repertory[k].rimedio;
        }
    }
    // An evening remedy is not taken "two or three times a day".
    for (std::size_t k = 1; k < shippedRemedies().size(); ++k) {
        const std::string& d = shippedRemedies()[k].dosage();
        EXPECT_FALSE(has(d, "al giorno") && has(d, "sera") && !has(d, "non la sera")) << shippedRemedies()[k].rimedio << ": " << d;
    }
}

// Uses a plant's limits or its part forbid are not offered.
TEST(RemedySafety, NoUseBeyondWhatThePlantAllows) {
    const std::pair<const char*, const char*> refused[] = {
        {"TSA Frangola", "Intestino pigro"},        // chronic, against the week's limit
        {"TSA Verga d'oro", "Reni"},                // invites use in kidney disease
    };
    for (const auto& [remedy, use] : refused)
        for (const auto* r : recordsOf(remedy)) EXPECT_FALSE(has(r->indication(), use)) << remedy << ": " << use;
    // Bilberry is the fruit, walnut the bud macerate: no leaf by mouth.
    for (const auto* r : recordsOf("TSA Mirtillo")) EXPECT_FALSE(has(r->notes(), "foglie")) << r->notes();
    EXPECT_TRUE(recordsOf("TSA Noce").empty());
    EXPECT_FALSE(recordsOf("MSA Noce").empty());
}

// The safety tables that travel with complaints and remedies cover the
// whole database: every listed complaint has a referral of its own, and
// every remedy its cautions in pregnancy, for adolescents (unless barred)
// and with its own maximum duration where the plant has one.
TEST(RemedySafety, TheSafetyTablesCoverEveryComplaintAndRemedy) {
    const auto flags = readTextLines(shipped().resolve("OpzioneH\\Allarmi.txt"));
    std::set<std::string> complaints;
    for (const std::string& l : flags) complaints.insert(l.substr(0, l.find('\t')));
    EXPECT_TRUE(complaints.count("*"));
    for (const std::string& s : readTextLines(shipped().resolve(remedies::files::kSymptomList)))
        EXPECT_TRUE(complaints.count(s)) << s;
    std::map<std::string, std::set<std::string>> conditions;
    for (const std::string& l : readTextLines(shipped().resolve("OpzioneH\\Cautele.txt"))) {
        const auto tab = l.find('\t');
        conditions[l.substr(0, tab)].insert(l.substr(tab + 1, l.find('\t', tab + 1) - tab - 1));
    }
    EXPECT_TRUE(conditions["*"].count("eta<12"));
    for (std::size_t k = 1; k < shippedRemedies().size(); ++k) {
        const std::string& name = shippedRemedies()[k].rimedio;
        EXPECT_TRUE(conditions[name].count("gravidanza")) << name;
        EXPECT_TRUE(conditions[name].count("eta<18")) << name;
    }
    EXPECT_TRUE(conditions["TSA Iperico"].count("farmaco:serotoninergici"));
    EXPECT_TRUE(conditions["TSA Frangola"].count("durata:7"));
    EXPECT_TRUE(conditions["TSA Calamo aromatico"].count("durata:14"));
    EXPECT_TRUE(conditions["TSA Meliloto"].count("farmaco:anticoagulanti"));
}

TEST(RemedySafety, PreparationsSuitThePlant) {
    std::set<std::string> names;
    for (std::size_t k = 1; k < shippedRemedies().size(); ++k) {
        const auto& r = shippedRemedies()[k];
        names.insert(r.rimedio);
        EXPECT_FALSE(has(lower(r.indication()), "uso esterno") || has(lower(r.indication()), "oleolito")) << r.rimedio;
        // The psychic synthesis speaks of the plant, not in sentences shared by every plant of a sign.
        EXPECT_FALSE(has(r.synthesis(), "Sotto il ") || has(r.synthesis(), "Nel segno")) << r.rimedio;
        EXPECT_FALSE(has(r.synthesis(), "essere visti")) << r.rimedio;
        EXPECT_GE(r.synthesis().size(), 100u) << r.rimedio;
    }
    // Mucilages are given macerated, never as an alcoholic tincture or a distillate.
    for (const char* plant : {"Malva", "Altea", "Lino", "Lichene islandico"}) {
        EXPECT_TRUE(names.count(std::string("MSA ") + plant)) << plant;
        EXPECT_FALSE(names.count(std::string("TSA ") + plant)) << plant;
        EXPECT_FALSE(names.count(std::string("QSPC ") + plant)) << plant;
    }
    // Meadowsweet is one plant under one name.
    EXPECT_FALSE(names.count("TSA Spirea"));
    EXPECT_TRUE(names.count("TSA Olmaria"));
}

TEST(RemedySafety, EveryPointOpensAListAndEveryRemedyIsReachedByAPathology) {
    for (const char* stem : {"NodNPri", "NodSPri"}) {
        const auto names = remedies::readNames(shipped(), std::string("OpzioneH\\") + stem + ".rnd", remedies::kRemedyNameWidth);
        EXPECT_FALSE(names.empty()) << stem;
    }
    const auto repertory = remedies::readRepertory(shipped());
    std::set<std::string> reached;
    for (std::size_t k = 1; k < repertory.size(); ++k) reached.insert(repertory[k].rimedio);
    for (std::size_t k = 1; k < shippedRemedies().size(); ++k)
        EXPECT_TRUE(reached.count(shippedRemedies()[k].rimedio)) << shippedRemedies()[k].rimedio;
}

// ---- The content compiler refuses unsafe sources ----

std::string readAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Compiles the shipped sources with `from` replaced by `to` in piante.tsv.
test::CliRun compileWith(const std::string& from, const std::string& to) {
    test::TempDataDir scratch;
    const fs::path sources = scratch.path() / "sorgenti";
    fs::copy(fs::path(QV_SOURCE_DIR) / "tools/content/remedies", sources, fs::copy_options::recursive);
    std::string plants = readAll(sources / "piante.tsv");
    const std::size_t at = plants.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) plants.replace(at, from.size(), to);
    std::ofstream(sources / "piante.tsv", std::ios::binary | std::ios::trunc) << plants;
    fs::create_directories(scratch.path() / "dati");
    return test::runCli(QV_COMPILE_REMEDIES_PATH, "\"" + sources.string() + "\" \"" + (scratch.path() / "dati").string() + "\"");
}

TEST(ContentCompiler, CompilesTheShippedSources) {
    const test::CliRun run = compileWith("", "");
    EXPECT_EQ(run.status, 0) << run.out;
}

TEST(ContentCompiler, RefusesUnsafeSources) {
    struct Case {
        const char* from;
        const char* to;
        const char* reason;
    };
    const Case cases[] = {
        // salicylates without the aspirin caution
        {"Cancro-Capricorno\tdopo i pasti\tAGBK\t", "Cancro-Capricorno\tdopo i pasti\tAGB\t", "salicilati"},
        // a constituent the table does not know
        {"\tiperforina; ipericina\t", "\tiperforina; ignota\t", "ignota"},
        // liquorice without its own duration
        {"\tper non più di quattro settimane; un nuovo ciclo solo su parere del medico\t", "\t\t", "durata"},
        // a draining plant without the warning about swelling from heart or kidneys
        {"Bilancia-Acquario\tlontano dai pasti\tR\t", "Bilancia-Acquario\tlontano dai pasti\t\t", "Ritenzione idrica"},
        // one species entered twice as the same preparation
        {"Filipendula ulmaria", "Salix alba", "stessa preparazione"},
        // thujone without the caution that bars adolescents
        {"Toro-Sagittario\tdopo i pasti\tGEBL\t", "Toro-Sagittario\tdopo i pasti\tGEL\t", "tujone"},
        // hyperforin without the serotonin syndrome caution
        {"\tFDsGB\tiperforina", "\tFDGB\tiperforina", "iperforina"},
        // "do not go beyond the duration" without a duration
        {"\tper non più di due settimane di seguito\tDioscoride; Culpeper\tDissolve", "\t\tDioscoride; Culpeper\tDissolve",
         "colonna limite"},
    };
    for (const Case& c : cases) {
        const test::CliRun run = compileWith(c.from, c.to);
        EXPECT_NE(run.status, 0) << c.reason;
        EXPECT_TRUE(run.has(c.reason)) << run.out;
    }
}

// A use of a plant is refused for what is wrong with it, each use by its own
// rule: the plant, the use and the term that set the rule off are named,
// and no other rule's reason is given (a use that broke a rule other than
// the one meant would pass unseen with a bare "some refusal").
TEST(ContentCompiler, RefusesEachUnsafeUseForItsOwnReason) {
    struct Case {
        const char* from;
        const char* to;
        const char* rule;
        const char* reason;
    };
    const Case cases[] = {
        // a red flag, which goes to the doctor
        {"Tosse secca>Tosse secca | Raucedine>Raucedine", "Mal d'orecchio>Otite | Raucedine>Raucedine", "segno d'allarme",
         "Lichene islandico, \"Mal d'orecchio\": segno d'allarme (orecchi), va indirizzato al medico, non a un rimedio"},
        // a use for children, who take no alcohol
        {"Difficoltà ad addormentarsi>Insonnia | Risvegli", "Nervosismo nei bambini>Nervosismo | Risvegli", "uso per bambini",
         "Escolzia, \"Nervosismo nei bambini\": uso per bambini (bambin), ma i preparati contengono alcol"},
        // an external use on a remedy taken by mouth
        {"Mal di gola>Mal di gola | Raffreddore da fieno",
         "Punture di insetti (uso esterno)>Prurito | Raffreddore da fieno", "attaccato a un rimedio",
         "Piantaggine, \"Punture di insetti (uso esterno)\": uso esterno (uso esterno) attaccato a un rimedio da "
         "assumere per bocca"},
    };
    for (const Case& c : cases) {
        const test::CliRun run = compileWith(c.from, c.to);
        EXPECT_NE(run.status, 0) << c.to;
        EXPECT_TRUE(run.has(c.reason)) << c.reason << "\n" << run.out;
        for (const Case& other : cases) {
            if (&other != &c) {
                EXPECT_FALSE(run.has(other.rule)) << other.rule << "\n" << run.out;
            }
        }
    }
}

} // namespace remedy_safety_test
} // namespace qv
