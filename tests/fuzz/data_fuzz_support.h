// What the fuzz targets of the data directory's own files share: a
// temporary data directory made the one in force, with chosen files of the
// shipped template copied in; the input replaces one file, and the real
// readers then work on it. They either succeed or stop with IoError or
// ConversionError (a damaged file said in Italian); anything else is a
// fault.
#pragma once

#include "base/data_dir.h"
#include "base/errors.h"
#include "tests/fuzz/remedy_fuzz_support.h"

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>

namespace qv::fuzz {

// The fuzz data directory made the one in force, with `templateFiles`
// (data paths) copied from the shipped template once.
inline const DataDir& dataDirWith(std::initializer_list<const char*> templateFiles) {
    static const bool ready = [&] {
        const DataDir& dir = fuzzDataDir();
        setDataDir(dir.root());
        const DataDir shipped(QV_DATA_TEMPLATE_DIR);
        for (const char* path : templateFiles)
            std::filesystem::copy_file(shipped.resolve(path), dir.prepareForWrite(path),
                                       std::filesystem::copy_options::overwrite_existing);
        return true;
    }();
    (void)ready;
    return fuzzDataDir();
}

// The first `bytes` bytes of a shipped file, as a seed.
inline std::string shippedPrefix(const char* dataPath, std::size_t bytes) {
    std::ifstream in(DataDir(QV_DATA_TEMPLATE_DIR).resolve(dataPath), std::ios::binary);
    std::string s(std::istreambuf_iterator<char>(in), {});
    if (s.size() > bytes) s.resize(bytes);
    return s;
}

// Puts back a file the previous input replaced. A plain write: the harness's
// own bookkeeping needs no flush to the disk, which would make each input
// cost tens of milliseconds.
inline void putBack(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Writes the input as `dataPath` of the data directory in force and runs
// `read`, which may stop with IoError or ConversionError.
template <typename Read>
void withDataFile(const std::string& dataPath, const std::uint8_t* data, std::size_t size, Read read) {
    std::ofstream(dataDir().prepareForWrite(dataPath), std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    try {
        read();
        noteOutcome("letto");
    } catch (const IoError& e) {
        noteOutcome(e);
    } catch (const ConversionError& e) {
        noteOutcome(e);
    }
}

} // namespace qv::fuzz
