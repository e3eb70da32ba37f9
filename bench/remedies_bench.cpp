// The remedy database at full size: 20,000 remedy records, 5,000 repertory
// records and 3,000 plant entries, generated into a temporary data
// directory. Each consultation action as a window performs it (reading the
// files within the action), the ranking of 15 symptoms, the composite
// therapy, and the rebuild of every support list.
#include "base/data_dir.h"
#include "base/lookup.h"
#include "remedies/composite.h"
#include "remedies/consultation.h"
#include "remedies/linked_remedies.h"
#include "remedies/plant_lookup.h"
#include "remedies/remedy_files.h"
#include "remedies/signature_search.h"
#include "remedies/support_lists.h"
#include "remedies/text_consultation.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

namespace {

using namespace qv;
using namespace qv::remedies;

constexpr int kRemedies = 20000;
constexpr int kRepertory = 5000;
constexpr int kPlants = 3000;
constexpr int kNames = 2500;
constexpr int kIndications = 3000;
constexpr int kPathologies = 800;

const char* const kPlanets[] = {"Sole", "Luna", "Mercurio", "Venere", "Marte", "Giove", "Saturno", "NodoNord", "NodoSud"};
const char* const kSigns[] = {"Ariete", "Toro", "Gemelli", "Cancro", "Leone", "Vergine",
                              "Bilancia", "Scorpione", "Sagittario", "Capricorno", "Acquario", "Pesci"};
const char* const kPrefixes[] = {"", "", "", "MSA ", "TSA ", "QSPC ", "HS 8 - ", "HS 120 - "};
const char* const kWords[] = {"dolore", "acuto", "cronico", "notturno", "tensione", "stanchezza", "digestione",
                              "respiro", "pelle", "sonno", "ansia", "circolazione", "febbre", "tosse", "capo"};

std::string words(std::mt19937& rng, int count) {
    std::string out;
    for (int i = 0; i < count; ++i) out += std::string(i ? " " : "") + kWords[rng() % std::size(kWords)];
    return out;
}

std::string remedyName(int n) {
    return std::string(kPrefixes[n % std::size(kPrefixes)]) + "Rimedio " + std::to_string(1000 + n);
}

std::string indicationText(int n) { return "Disturbo " + std::to_string(10000 + n) + " del " + kWords[n % std::size(kWords)]; }
std::string pathologyText(int n) { return "Patologia " + std::to_string(1000 + n); }

// The generated database, made once for every benchmark.
struct Database {
    std::filesystem::path root;
    DataDir dir;
    std::vector<std::string> symptoms, remedyLines, pathologies;

    Database() {
        std::string pattern = (std::filesystem::temp_directory_path() / "qv-remedies-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        root = pattern;
        dir = DataDir(root);
        std::mt19937 rng(7);
        std::vector<RemedyRecord> remedies(kRemedies + 1);
        remedies[0].rimedio = "Intestazione";
        for (int k = 1; k <= kRemedies; ++k) {
            RemedyRecord& r = remedies[static_cast<std::size_t>(k)];
            r.rimedio = remedyName(static_cast<int>(rng() % kNames));
            r.setIndication(indicationText(static_cast<int>(rng() % kIndications)) + (k % 97 == 0 ? " " + std::string(250, 'x') : ""));
            r.setDosage("Assumere " + std::to_string(5 + k % 20) + " gocce " + words(rng, 30));
            r.setSynthesis(words(rng, 90));
            r.segnaturaPrimaria = std::string(kPlanets[rng() % 9]) + "-" + kPlanets[rng() % 9];
            r.segnaturaSecondaria = kPlanets[rng() % 9];
            r.segnaturaZodiacale = std::string(kSigns[rng() % 12]) + " " + kSigns[rng() % 12];
            r.setWarnings(k % 3 ? words(rng, 20) : "");
            r.setNotes(words(rng, 40));
            r.setSupplementaryNotes(k % 5 ? "" : words(rng, 30));
        }
        writeRemedies(dir, remedies);
        std::vector<RepertoryRecord> repertory(kRepertory + 1);
        repertory[0].patologia = "Intestazione";
        for (int k = 1; k <= kRepertory; ++k) {
            RepertoryRecord& r = repertory[static_cast<std::size_t>(k)];
            r.patologia = pathologyText(static_cast<int>(rng() % kPathologies));
            r.rimedio = remedyName(static_cast<int>(rng() % kNames));
            r.posologia = "Dieci gocce " + words(rng, 10);
            r.setNotes(words(rng, 30));
        }
        writeRepertory(dir, repertory);
        std::vector<PlantEntryRecord> plants(kPlants + 1);
        for (int k = 1; k <= kPlants; ++k) {
            PlantEntryRecord& p = plants[static_cast<std::size_t>(k)];
            p.sintomo = indicationText(k / 3);
            p.pianta = "Pianta " + std::to_string(rng() % 600);
            p.sintesi = words(rng, 8);
            p.autori = "Autori vari";
        }
        writePlantEntries(dir, plants);
        rebuildSupportLists(dir);
        symptoms = readSupportList(dir, files::kSymptomList, kLongestIndication);
        remedyLines = readSupportList(dir, files::kRemedyLines, kLongestRemedyLine);
        pathologies = readSupportList(dir, files::kPathologies, kLongestPathology);
    }
    ~Database() {
        std::error_code ec;
        std::filesystem::remove_all(root, ec);
    }
};

const Database& db() {
    static const Database d;
    return d;
}

void SymptomWindowOpens(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(readSupportList(db().dir, files::kSymptomList, kLongestIndication));
}
BENCHMARK(SymptomWindowOpens)->Unit(benchmark::kMillisecond);

void SymptomClicked(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) {
        MatchPages pages;
        for (const RemedyMatch& m : findSymptom(db().dir, db().symptoms[i++ % db().symptoms.size()])) pages.add(m.record);
        benchmark::DoNotOptimize(pages.indicator());
    }
}
BENCHMARK(SymptomClicked)->Unit(benchmark::kMillisecond);

void RemedyWindowOpens(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(readSupportList(db().dir, files::kRemedyLines, kLongestRemedyLine));
}
BENCHMARK(RemedyWindowOpens)->Unit(benchmark::kMillisecond);

void RemedyClicked(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(findRemedy(db().dir, db().remedyLines[i++ % db().remedyLines.size()]));
}
BENCHMARK(RemedyClicked)->Unit(benchmark::kMillisecond);

void TherapyWindowOpens(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(readOptionalList(db().dir, files::kPathologies, kLongestPathology));
}
BENCHMARK(TherapyWindowOpens)->Unit(benchmark::kMillisecond);

void PathologyClicked(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(findPathology(db().dir, db().pathologies[i++ % db().pathologies.size()]));
}
BENCHMARK(PathologyClicked)->Unit(benchmark::kMillisecond);

// A numbered button of the therapy window: the pair's notes, then the
// remedy's warnings from the primary database (the slower of the two).
void TherapyNoteButton(benchmark::State& state) {
    const auto rows = findPathology(db().dir, db().pathologies[3]);
    int s = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(therapyRowNote(db().dir, db().pathologies[3], rows.front().data.rimedio, s++ % 2));
}
BENCHMARK(TherapyNoteButton)->Unit(benchmark::kMillisecond);

// A key typed into the symptom window's "Cerca" box: a prefix that some
// entry begins with, one only contained, and one that only near entries
// answer (the suggestions).
void CercaTyped(benchmark::State& state) {
    const FoldedList keys(db().symptoms);
    const char* const typed[] = {"disturbo 115", "del tosse", "disturbo 1150x del tose"};
    for (auto _ : state) benchmark::DoNotOptimize(keys.lookup(typed[state.range(0)]));
}
BENCHMARK(CercaTyped)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

void TrovaPressed(benchmark::State& state) {
    for (auto _ : state) {
        int position = 0;
        benchmark::DoNotOptimize(findWordInList(db().symptoms, "parola assente", position));
    }
}
BENCHMARK(TrovaPressed)->Unit(benchmark::kMillisecond);

ComplaintSlots fifteen(const std::vector<std::string>& list) {
    ComplaintSlots slots;
    for (int k = 0; k < kComplaintSlots; ++k) slots[static_cast<std::size_t>(k)] = list[static_cast<std::size_t>(k * 97 % list.size())];
    return slots;
}

void RankFifteenSymptoms(benchmark::State& state) {
    const ComplaintSlots slots = fifteen(db().symptoms);
    for (auto _ : state) benchmark::DoNotOptimize(rankRemedies(db().dir, CompositeKind::Symptoms, slots));
}
BENCHMARK(RankFifteenSymptoms)->Unit(benchmark::kMillisecond);

void RankedRemedyClicked(benchmark::State& state) {
    const ComplaintSlots slots = fifteen(db().symptoms);
    const auto ranked = rankRemedies(db().dir, CompositeKind::Symptoms, slots);
    for (auto _ : state) benchmark::DoNotOptimize(remedyDetail(db().dir, CompositeKind::Symptoms, ranked.front().name, slots));
}
BENCHMARK(RankedRemedyClicked)->Unit(benchmark::kMillisecond);

void CompositeTherapyOpensAndRanksFifteen(benchmark::State& state) {
    const ComplaintSlots slots = fifteen(db().pathologies);
    for (auto _ : state) {
        rebuildTherapyTally(db().dir);
        benchmark::DoNotOptimize(rankRemedies(db().dir, CompositeKind::Therapies, slots));
    }
}
BENCHMARK(CompositeTherapyOpensAndRanksFifteen)->Unit(benchmark::kMillisecond);

void RebuildEverySupportList(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(rebuildSupportLists(db().dir));
}
BENCHMARK(RebuildEverySupportList)->Unit(benchmark::kMillisecond);

// ---- Signatures, debilities, composition and synthesis, linked remedies ----

std::vector<std::string> listedNames() {
    std::vector<std::string> names;
    for (const ListedRemedy& r : openRemedyNameList(db().dir)) names.push_back(r.name);
    return names;
}

void SignatureWindowOpens(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(openRemedyNameList(db().dir));
}
BENCHMARK(SignatureWindowOpens)->Unit(benchmark::kMillisecond);

void SignatureRemedyClicked(benchmark::State& state) {
    const auto names = listedNames();
    std::size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(firstRecordOf(db().dir, names[(i += 97) % names.size()]));
}
BENCHMARK(SignatureRemedyClicked)->Unit(benchmark::kMillisecond);

// "Qualsiasi" for both: every remedy name is a hit and goes to Segnat.dum.
void SignatureSearchAnyAny(benchmark::State& state) {
    const auto names = listedNames();
    for (auto _ : state) benchmark::DoNotOptimize(signatureSearch(db().dir, names, kAnySignature, kAnySignature));
}
BENCHMARK(SignatureSearchAnyAny)->Unit(benchmark::kMillisecond);

void SignatureSearchMarsInAries(benchmark::State& state) {
    const auto names = listedNames();
    for (auto _ : state) benchmark::DoNotOptimize(signatureSearch(db().dir, names, "Marte", "Ariete"));
}
BENCHMARK(SignatureSearchMarsInAries)->Unit(benchmark::kMillisecond);

void SignatureResultPage(benchmark::State& state) {
    signatureSearch(db().dir, listedNames(), kAnySignature, kAnySignature);
    int page = 1;
    for (auto _ : state) benchmark::DoNotOptimize(readSignatureHits(db().dir, page++ % 50 + 1));
}
BENCHMARK(SignatureResultPage)->Unit(benchmark::kMillisecond);

void DebilityPathologySearch(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(debilityPathologies(db().dir, "Saturno", oppositeSign("Bilancia")));
}
BENCHMARK(DebilityPathologySearch)->Unit(benchmark::kMillisecond);

void DebilityPathologyClicked(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(pathologyRemedies(db().dir, db().pathologies[i++ % db().pathologies.size()], "Saturno", "Ariete"));
}
BENCHMARK(DebilityPathologyClicked)->Unit(benchmark::kMillisecond);

void CompositionRemedyClicked(benchmark::State& state) {
    const auto names = listedNames();
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(remedyTextShown(db().dir, names[(i += 97) % names.size()], RemedyTextKind::Composition));
}
BENCHMARK(CompositionRemedyClicked)->Unit(benchmark::kMillisecond);

// A word no text holds: every record's text is read and compared.
void SynthesisWordSearch(benchmark::State& state) {
    const auto names = listedNames();
    for (auto _ : state) benchmark::DoNotOptimize(searchRemedyTexts(db().dir, names, "parola assente", RemedyTextKind::Synthesis));
}
BENCHMARK(SynthesisWordSearch)->Unit(benchmark::kMillisecond);

void CompositionWordSearch(benchmark::State& state) {
    const auto names = listedNames();
    for (auto _ : state) benchmark::DoNotOptimize(searchRemedyTexts(db().dir, names, "notturno", RemedyTextKind::Composition));
}
BENCHMARK(CompositionWordSearch)->Unit(benchmark::kMillisecond);

void FoundRemedyClicked(benchmark::State& state) {
    const auto names = listedNames();
    std::size_t i = 0;
    for (auto _ : state) {
        const std::string& name = names[(i += 97) % names.size()];
        benchmark::DoNotOptimize(highlightWord(textHoldingWord(db().dir, name, "sonno", RemedyTextKind::Synthesis), "sonno"));
    }
}
BENCHMARK(FoundRemedyClicked)->Unit(benchmark::kMillisecond);

void LinkedPanelOpens(benchmark::State& state) {
    int s = 0;
    for (auto _ : state) benchmark::DoNotOptimize(linkedList(db().dir, {s % 2 == 0, s++ % 9 + 1}, LinkedMode::Remedies));
}
BENCHMARK(LinkedPanelOpens)->Unit(benchmark::kMillisecond);

void LinkedRemedyChosen(benchmark::State& state) {
    const auto names = linkedList(db().dir, {false, 5}, LinkedMode::Remedies)->names;
    std::size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(remedySymptoms(db().dir, names[(i += 7) % names.size()]));
}
BENCHMARK(LinkedRemedyChosen)->Unit(benchmark::kMillisecond);

// What `remedies linked` does once the chart is cast: every point's planet
// and sign lists.
void RemediesLinkedToAChart(benchmark::State& state) {
    ChartState chart;
    for (int p = 1; p <= 11; ++p) chart.signOf[static_cast<std::size_t>(p)] = static_cast<std::uint8_t>((p * 5) % 12 + 1);
    for (auto _ : state) benchmark::DoNotOptimize(chartLinks(db().dir, chart));
}
BENCHMARK(RemediesLinkedToAChart)->Unit(benchmark::kMillisecond);

void PlantSymptomClicked(benchmark::State& state) {
    const auto symptoms = plantSymptomNames(db().dir);
    std::size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(plantsOfSymptom(db().dir, symptoms[(i += 13) % symptoms.size()]));
}
BENCHMARK(PlantSymptomClicked)->Unit(benchmark::kMillisecond);

void PlantClicked(benchmark::State& state) {
    const auto plants = plantNames(db().dir);
    std::size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(symptomsOfPlant(db().dir, plants[(i += 13) % plants.size()]));
}
BENCHMARK(PlantClicked)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    db();  // generated before any timing
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
