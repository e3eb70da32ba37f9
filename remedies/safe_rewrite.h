// Whole-file rewrites of the remedy database that a power cut or a killed
// program cannot leave half done (through a FileReplacement): the file
// always holds either its old or its new content. Saving, appending and
// deleting a record all go this way.
#pragma once

#include "base/data_dir.h"
#include "base/file_safety.h"
#include "remedies/records.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace qv::remedies {

// Record k replaced, a record appended, record k removed (the records after
// it move down by one). Each checks the whole file first (whole records,
// sound length bytes) and rewrites it safely. They return the number of
// records after the change.
std::int64_t replaceRecordSafely(const DataDir& dir, const std::string& dataPath, const RecordLayout& layout,
                                 std::int64_t k, const Bytes& record);
std::int64_t appendRecordSafely(const DataDir& dir, const std::string& dataPath, const RecordLayout& layout,
                                const Bytes& record);
std::int64_t deleteRecordSafely(const DataDir& dir, const std::string& dataPath, const RecordLayout& layout,
                                std::int64_t k);

} // namespace qv::remedies
