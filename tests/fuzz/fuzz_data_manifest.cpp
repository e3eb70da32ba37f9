// The start-up's record of the program files: the template's MANIFEST (the
// shipped files, the remedy database as shipped now and before) and the
// data directory's VERSION (the version it holds and each file's size,
// checksum and identity). Either may be damaged. The input is both texts,
// split at its first 0 byte; a start over a small template must then either
// stop with a message or leave every program file as shipped and every file
// of the user's as it was.
#include "base/data_dir.h"
#include "datatemplate/template_update.h"
#include "datatemplate/template_files.h"
#include "base/errors.h"
#include "base/text_file.h"
#include "tests/fuzz/fuzz_outcome.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using namespace qv;
namespace fs = std::filesystem;

namespace {

// Written plainly (no sync): the scratch files only need to be there.
void put(const fs::path& p, const std::string& bytes) {
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary | std::ios::trunc) << bytes;
}

fs::path scratch() {
    static const fs::path root = [] {
        std::string pattern = (fs::temp_directory_path() / "qv-fuzz-manifest-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        return fs::path(pattern);
    }();
    return root;
}

// The template: two program files and a database file, version 2.
const fs::path& smallTemplate() {
    static const fs::path templ = [] {
        const fs::path t = scratch() / "template";
        put(t / "FilePosi" / "DSEL.rnd", "moon table");
        put(t / "Localita" / "ITALIA.LOC", "atlas");
        put(t / "OpzioneH" / "DBmain.rnd", "remedies");
        put(t / "VERSION", "2\r\n");
        return t;
    }();
    return templ;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\0');
    const std::string manifest = input.substr(0, split);
    const std::string record = split == std::string::npos ? std::string() : input.substr(split + 1);

    const fs::path templ = smallTemplate();
    put(templ / "MANIFEST", manifest);
    const fs::path dir = scratch() / "data";
    std::error_code ec;
    fs::remove_all(dir, ec);
    put(dir / "Localita" / "ITALIA.LOC", "old atlas");
    put(dir / "OpzioneH" / "DBmain.rnd", "my remedies");
    put(dir / "BASE.ST1", "archive");
    put(dir / "VERSION", record);
    try {
        updateFromTemplate(DataDir(dir), templ);
    } catch (const IoError& e) {
        fuzz::noteOutcome(e);
        return 0;
    } catch (const ConversionError& e) {
        fuzz::noteOutcome(e);
        return 0;
    }
    fuzz::noteOutcome("ok");
    // The user's files are never touched; the atlas is the shipped one or
    // the old one, never anything else.
    if (readWholeFile(dir / "BASE.ST1") != "archive") std::abort();
    const std::string atlas = readWholeFile(dir / "Localita" / "ITALIA.LOC");
    if (atlas != "atlas" && atlas != "old atlas") std::abort();
    const std::string remedies = readWholeFile(dir / "OpzioneH" / "DBmain.rnd");
    if (remedies != "my remedies" && remedies != "remedies") std::abort();
    return 0;
}

std::vector<std::string> qvFuzzSeeds() {
    const std::vector<ManifestEntry> shipped = {{"FilePosi\\DSEL.rnd", 10, 0, {}}, {"Localita\\ITALIA.LOC", 5, 0, {}}};
    std::string manifest;
    for (const ManifestEntry& e : shipped) {
        ManifestEntry withCrc = e;
        put(scratch() / "crc", e.dataPath == "Localita\\ITALIA.LOC" ? "atlas" : "moon table");
        withCrc.crc = fileCrc32(scratch() / "crc");
        manifest += manifestText({withCrc});
    }
    put(scratch() / "crc", "remedies");
    const ManifestEntry database{"OpzioneH\\DBmain.rnd", 8, fileCrc32(scratch() / "crc"), {}};
    const ManifestEntry earlier{"OpzioneH\\DBmain.rnd", 11, 0x1234abcd, {}};
    manifest += shippedDatabaseText({{database, true}, {earlier, false}});
    return {
        manifest + '\0' + "1\r\n",
        manifest + '\0' + "2\r\n" + manifestText({{"Localita\\ITALIA.LOC", 9, 0x11223344, {12, 1000, 2000}}}),
        manifest + '\0' + "2\r\nffffffff 9 =1/2/3 Localita\\ITALIA.LOC\r\n",
        manifest,
    };
}
