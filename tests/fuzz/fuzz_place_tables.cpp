// The place tables "Localita\ITALIA.LOC" and "Localita\ESTERO.LOC" and the
// time-regime tables "Calendar\00000001.CAL", "Calendar\Database.cll" and
// its list "Calendar\Elencal.002". The first input byte chooses the file;
// the others are the shipped ones. Places are read, searched and listed,
// and the correction of a birth derived from the tables.
#include "archive/place_search.h"
#include "archive/places.h"
#include "archive/regime_derivation.h"
#include "archive/time_regimes.h"
#include "base/text_file.h"
#include "tests/fuzz/data_fuzz_support.h"

#include <algorithm>

using namespace qv;
using namespace qv::atlas;

namespace {

const char* const kFiles[] = {"Localita\\ITALIA.LOC", "Localita\\ESTERO.LOC", "Calendar\\00000001.CAL",
                              "Calendar\\Database.cll", "Calendar\\Elencal.002"};
// Seeds are the head of each shipped file: enough records for a search.
constexpr std::size_t kSeedBytes[] = {88 * 40, 88 * 40, 24 * 40, 24 * 200, 2000};

const std::string& shipped(int file) {
    static std::string bytes[5];
    if (bytes[file].empty()) bytes[file] = readWholeFile(DataDir(QV_DATA_TEMPLATE_DIR).resolve(kFiles[file]));
    return bytes[file];
}

void readPlaces(PlaceArchive archive) {
    const PlaceTable table(archive);
    const std::int64_t n = std::min<std::int64_t>(table.count(), 60);
    for (std::int64_t k = 0; k <= n; ++k) (void)placeListText(table.read(k));
    const LocateResult found = locatePlace(table, "MI");
    (void)placeListAround(table, clampListPosition(found.position, table.count()));
    for (std::int64_t k = 1; k <= std::min<std::int64_t>(n, 3); ++k) {
        try {
            (void)deriveCorrection(archive, table.read(k), {15, 6, 1944, 12, 0}, 0);
        } catch (const IoError&) {
        } catch (const ConversionError&) {
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    static const bool ready = [] {
        fuzz::dataDirWith({});
        return true;
    }();
    (void)ready;
    const int file = data[0] % 5;
    // The other files as shipped (only their heads for the large ones).
    for (int f = 0; f < 5; ++f)
        if (f != file) {
            static bool written[5] = {};
            if (!written[f]) fuzz::putBack(dataDir().prepareForWrite(kFiles[f]), shipped(f).substr(0, f < 2 ? 88 * 2000 : std::string::npos));
            written[f] = true;
        }
    fuzz::withDataFile(kFiles[file], data + 1, size - 1, [file] {
        readPlaces(file == 1 || file >= 3 ? PlaceArchive::Estero : PlaceArchive::Italia);
    });
    // The next input finds the shipped file again.
    fuzz::putBack(dataDir().prepareForWrite(kFiles[file]), shipped(file).substr(0, file < 2 ? 88 * 2000 : std::string::npos));
    return 0;
}

std::vector<std::string> qvFuzzSeeds() {
    std::vector<std::string> seeds;
    for (int f = 0; f < 5; ++f) seeds.push_back(std::string(1, static_cast<char>(f)) + shipped(f).substr(0, kSeedBytes[f]));
    return seeds;
}
