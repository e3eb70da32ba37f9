// The consultation store and the person's report at a practitioner's size:
// one subject with 200 consultations in a store of 5,000, in a data
// directory made from the shipped template. Opening the subject is what
// the "Consultazioni" window does (the store opened and checked, the list
// of the subject, the newest consultation loaded); the report is the whole
// A4 PDF with the wheel, as "report" and "Stampa Relazione" write it.
#include "archive/archive_files.h"
#include "archive/current_subject.h"
#include "archive/subject_registration.h"
#include "base/data_dir.h"
#include "datatemplate/template_update.h"
#include "datatemplate/template_files.h"
#include "consultations/consultation_store.h"
#include "consultations/print/report_pdf.h"
#include "consultations/report_subject.h"
#include "settings/chart_settings.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

using namespace qv;
using namespace qv::consultations;

constexpr int kOfTheSubject = 200;
constexpr int kInTheStore = 5000;

struct Fixture {
    std::filesystem::path root;
    SubjectLink subject;

    Fixture() {
        std::string pattern = (std::filesystem::temp_directory_path() / "qv-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        root = pattern;
        setDataDir(root);
        installTemplate(dataDir(), QV_DATA_TEMPLATE_DIR);
        LoadActiveOrbs();
        NewSubject s;
        s.name = "ROSSI MARIA";
        s.day = 14;
        s.month = 7;
        s.year = 1968;
        s.hour = 6;
        s.minute = 35;
        s.corr = -2;
        s.coordinates = "45N28-009E11";
        s.place = "MILANO *MI*";
        s.nation = "ITALIA";
        registerSubject(kTemporaryArchive, s);
        subject = currentSubjectLink();

        ConsultationStore store = openStore();
        for (int i = 0; i < kInTheStore; ++i) {
            Consultation c;
            c.subject = i < kOfTheSubject ? subject
                                          : SubjectLink{"BASE", "SOGGETTO " + std::to_string(i % 400), "197001011200-1"};
            c.date = {1 + i % 28, 1 + i % 12, 2000 + i % 26};
            c.followUp = CalendarDate{c.date.day, c.date.month, c.date.year + 1};
            c.complaints = "Sonno leggero, risvegli notturni e stanchezza al mattino da alcune settimane.";
            c.symptoms = {"Ansia", "Insonnia da agitazione", "Cefalea"};
            c.remedies = {{"TSA Melissa", std::string(220, 'g'), "per tre settimane"},
                          {"TSA Biancospino", std::string(220, 'g'), "per un mese"}};
            c.notes = "Rivedere la posologia al controllo.";
            store.save(c);
        }
    }
    ~Fixture() {
        std::error_code ec;
        std::filesystem::remove_all(root, ec);
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void BM_OpenSubjectWith200Consultations(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) {
        const ConsultationStore store(storePath(), false);
        const auto list = store.summariesOf(f.subject);
        const auto newest = store.find(list.front().id);
        benchmark::DoNotOptimize(newest);
        if (list.size() != kOfTheSubject) state.SkipWithError("wrong count");
    }
}
BENCHMARK(BM_OpenSubjectWith200Consultations)->Unit(benchmark::kMillisecond);

// The first opening after the file changed (a save, or the first of the
// run) checks every page of the store again.
void BM_OpenSubjectAfterASave(benchmark::State& state) {
    Fixture& f = fixture();
    ConsultationStore writer(storePath(), false);
    Consultation c = writer.consultationsOf(f.subject).front();
    for (auto _ : state) {
        state.PauseTiming();
        writer.save(c);
        state.ResumeTiming();
        const ConsultationStore store(storePath(), false);
        const auto list = store.summariesOf(f.subject);
        benchmark::DoNotOptimize(store.find(list.front().id));
    }
}
BENCHMARK(BM_OpenSubjectAfterASave)->Unit(benchmark::kMillisecond);

// Every consultation of the subject read whole (what the command line's
// list does).
void BM_ReadAll200Consultations(benchmark::State& state) {
    Fixture& f = fixture();
    const ConsultationStore store(storePath(), false);
    for (auto _ : state) benchmark::DoNotOptimize(store.consultationsOf(f.subject));
}
BENCHMARK(BM_ReadAll200Consultations)->Unit(benchmark::kMillisecond);

void BM_SaveOneConsultation(benchmark::State& state) {
    Fixture& f = fixture();
    ConsultationStore store(storePath(), false);
    Consultation c = store.consultationsOf(f.subject).front();
    for (auto _ : state) store.save(c);  // one transaction, synchronised to disk
}
BENCHMARK(BM_SaveOneConsultation)->Unit(benchmark::kMillisecond);

void BM_ReportPdf(benchmark::State& state) {
    Fixture& f = fixture();
    const ConsultationStore store(storePath(), false);
    const Consultation c = store.consultationsOf(f.subject).front();
    const std::string file = (f.root / "relazione.pdf").string();
    for (auto _ : state) {
        const SubjectChart chart = chartOfCurrentSubject();
        const ReportContent content = reportContent(c, chart.subject, chart.natal, chart.master, {"Laura Conti"});
        writeReportPdf(content, chart.natal, ActiveOrbs(), file);
    }
}
BENCHMARK(BM_ReportPdf)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
