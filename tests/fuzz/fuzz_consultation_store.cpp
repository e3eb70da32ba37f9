// The consultation store Consulti.db: any bytes under the store's name are
// opened as the program opens it, and the consultations of a subject read.
// A file that is no store, or a damaged one, must end in an IoError naming
// it, never in a crash, a hang or an empty store put in its place.
#include "consultations/consultation_store.h"
#include "tests/fuzz/remedy_fuzz_support.h"

#include <fstream>
#include <iterator>

using namespace qv;
using namespace qv::consultations;

namespace {

const SubjectLink kSubject{"BASE", "ROSSI MARIA", "196807140635-2"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::withFile(kStoreFileName, data, size, [](const DataDir& dir) {
        const auto file = dir.resolve(kStoreFileName);
        const ConsultationStore store(file, false);
        for (const ConsultationSummary& s : store.summariesOf(kSubject)) store.find(s.id);
        store.consultationsOf(kSubject);
        std::error_code ec;
        std::filesystem::remove(std::filesystem::path(file) += "-journal", ec);
    });
    return 0;
}

// Sound stores: an empty one and one with consultations of two subjects.
std::vector<std::string> qvFuzzSeeds() {
    std::vector<std::string> seeds;
    const auto folder = fuzz::fuzzDataDir().root() / "seeds";
    std::filesystem::create_directories(folder);
    for (int consultations : {0, 3}) {
        const auto file = folder / ("seed" + std::to_string(consultations) + ".db");
        {
            ConsultationStore store(file, true);
            for (int i = 0; i < consultations; ++i) {
                Consultation c;
                c.subject = i == 2 ? SubjectLink{"BASE", "VERDI LUCA", "197001011200-1"} : kSubject;
                c.date = {1 + i, 2, 2026};
                c.followUp = CalendarDate{1 + i, 3, 2026};
                c.complaints = "Insonnia e stanchezza, perch\xE9?";
                c.symptoms = {"Ansia", "Insonnia da agitazione"};
                c.remedies = {{"TSA Melissa", "15 gocce la sera", "per tre settimane"}};
                c.notes = "Nota";
                store.save(c);
            }
        }
        std::ifstream in(file, std::ios::binary);
        seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return seeds;
}
