#include "tests/archive/atlas_support.h"

#include "base/data_dir.h"
#include "base/record_file.h"
#include "base/text_file.h"
#include "ephemeris/julian_day.h"
#include "tests/support/temp_data_dir.h"

namespace qv::test {

atlas::RegimeRecord regimeAt(int day, int month, int year, int hour, int minute, const std::string& code,
                             double correction) {
    return {julianDayOf(true, day, month, year, hour, minute) + atlas::kRegimeDateOffset, code, correction};
}

atlas::RegimeRecord rawRegime(long double stored, const std::string& code, double correction) {
    return {stored, code, correction};
}

void writeRegimeFile(const std::string& dataPath, const std::vector<atlas::RegimeRecord>& records) {
    RecordFile file(dataDir().prepareForWrite(dataPath), atlas::kRegimeRecordSize, RecordFile::Mode::Create);
    for (const auto& r : records) file.append(atlas::encodeRegime(r));
}

void writePlaceTable(atlas::PlaceArchive archive, const std::vector<atlas::Place>& places) {
    RecordFile file(dataDir().prepareForWrite(atlas::placeTablePath(archive)), atlas::kPlaceRecordSize,
                    RecordFile::Mode::Create);
    file.append(atlas::encodePlace(atlas::Place{"INTESTAZIONE", 0, 0, 0, ""}));
    for (const auto& p : places) file.append(atlas::encodePlace(p));
}

void writeTextFile(const std::string& dataPath, const std::string& content) {
    writeFileAtomically(dataDir().prepareForWrite(dataPath), content);
}

void copyShippedAtlas(const std::filesystem::path& root) {
    namespace fs = std::filesystem;
    for (const char* folder : {"Localita", "Calendar"}) {
        fs::create_directories(root / folder);
        fs::copy(dataTemplateDir() / folder, root / folder, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    }
}

std::unique_ptr<TempDataDir> ShippedAtlasSuite::shared_;

void ShippedAtlasSuite::SetUpTestSuite() {
    shared_ = std::make_unique<TempDataDir>();
    copyShippedAtlas(shared_->path());
}

void ShippedAtlasSuite::TearDownTestSuite() { shared_.reset(); }

void ShippedAtlasSuite::SetUp() { setDataDir(shared_->path()); }

} // namespace qv::test
