// The archive files BASE.ST1 (index), BASE.ST2 (birth records) and BASE.ST3
// (annotations). The first input byte chooses the file; the other two are a
// sound archive of two subjects. The archive is listed, searched, each
// subject read and decoded, and (for one input in four) a third one
// registered.
#include "archive/archive_files.h"
#include "archive/subject_operations.h"
#include "archive/subject_registration.h"
#include "base/text_file.h"
#include "tests/fuzz/data_fuzz_support.h"

using namespace qv;

namespace {

const char* const kFiles[] = {"BASE.ST1", "BASE.ST2", "BASE.ST3"};

// A sound archive of two subjects, kept as bytes to restore before each input.
struct Sound {
    std::string files[3];
};

NewSubject subject(const char* name, int year) {
    NewSubject s;
    s.name = name;
    s.day = 2;
    s.month = 3;
    s.year = year;
    s.hour = 10;
    s.corr = -1;
    s.coordinates = "45N28-009E11";
    s.place = "Milano";
    s.nation = "Italia";
    s.annotations[0] = "nota";
    return s;
}

const Sound& sound() {
    static const Sound s = [] {
        fuzz::dataDirWith({"FilePosi\\DSEL.rnd", "FilePosi\\DPR1.rnd", "FilePosi\\NOJLNE.rnd"});
        createPersonalArchive();
        registerSubject("BASE", subject("Rossi", 1950));
        registerSubject("BASE", subject("Bianchi", 1960));
        Sound out;
        for (int i = 0; i < 3; ++i) out.files[i] = readWholeFile(dataDir().resolve(kFiles[i]));
        return out;
    }();
    return s;
}

void restore() {
    for (int i = 0; i < 3; ++i) fuzz::putBack(dataDir().prepareForWrite(kFiles[i]), sound().files[i]);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    sound();
    restore();
    // Registration flushes each file it writes to the disk, which makes it
    // costly: one input in four (bits 2–3 of the first byte) registers.
    const bool registers = (data[0] >> 2) % 4 == 0;
    fuzz::withDataFile(kFiles[data[0] % 3], data + 1, size - 1, [registers] {
        Archive archive = openAnyArchive("BASE");
        for (const IndexEntry& e : archive.readWholeIndex()) (void)e.recordNumber();
        (void)archive.locate("ROS");
        for (int k = 1; k <= archive.subjectCount() && k <= 50; ++k) {
            try {
                const StoredSubject s = readStoredSubject(archive, k);
                (void)decodeBirth(s.record);
                fuzz::noteOutcome("soggetto");
            } catch (const IoError& e) {
                fuzz::noteOutcome(e);
            } catch (const ConversionError& e) {
                fuzz::noteOutcome(e);
            }
        }
        if (registers) (void)registerSubject("BASE", subject("Verdi", 1970));
    });
    return 0;
}

std::vector<std::string> qvFuzzSeeds() {
    std::vector<std::string> seeds;
    for (int i = 0; i < 3; ++i) seeds.push_back(std::string(1, static_cast<char>(i)) + sound().files[i]);
    return seeds;
}
