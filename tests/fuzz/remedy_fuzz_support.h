// What the remedy fuzz targets share: the input becomes one file of a data
// directory in a temporary folder, which the real readers then read. They
// either succeed or stop with an IoError; anything else is a fault. What
// they made of it is noted for the driver (fuzz_outcome.h).
#pragma once

#include "base/data_dir.h"
#include "base/errors.h"
#include "remedies/records.h"
#include "tests/fuzz/fuzz_outcome.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace qv::fuzz {

inline const DataDir& fuzzDataDir() {
    static const DataDir dir = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "qv-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        static const std::filesystem::path root = pattern;
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(root, ec);
        });
        return DataDir(pattern);
    }();
    return dir;
}

// Writes the input as `dataPath` and runs `read` on it.
template <typename Read>
void withFile(const std::string& dataPath, const std::uint8_t* data, std::size_t size, Read read) {
    const DataDir& dir = fuzzDataDir();
    std::ofstream(dir.prepareForWrite(dataPath), std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    try {
        read(dir);
        noteOutcome("letto");
    } catch (const IoError& e) {
        // A damaged file is reported; that is the expected outcome.
        noteOutcome(e);
    }
}

// The first `records` whole records of a shipped file (at most), as a seed:
// real entries, with the lengths and values the program wrote.
inline std::string shippedRecords(const char* dataPath, std::size_t recordSize, std::size_t records) {
    std::ifstream in(DataDir(QV_DATA_TEMPLATE_DIR).resolve(dataPath), std::ios::binary);
    std::string s((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return s.substr(0, std::min(s.size() / recordSize, records) * recordSize);
}

// A file of `count` records made by `encode(k)`.
template <typename Encode>
std::string recordsOf(int count, Encode encode) {
    std::string out;
    for (int k = 0; k < count; ++k) {
        const Bytes b = encode(k);
        out.append(reinterpret_cast<const char*>(b.data()), b.size());
    }
    return out;
}

} // namespace qv::fuzz
