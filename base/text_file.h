// Text files of the data directory: Windows-1252 lines ended by CR LF.
// Readers accept CR LF or LF; writers always write CR LF and replace the file
// whole through a temporary file, so a failure leaves the old file intact.
#pragma once

#include "base/file_safety.h"

#include <filesystem>
#include <string>
#include <vector>

namespace qv {

// Reads all lines (without their ends). A final line without an end is kept;
// an empty file gives no lines.
std::vector<std::string> readTextLines(const std::filesystem::path& path,
                                       const std::string& shownName = {});

// Splits text into lines by CR LF, LF or a lone CR.
std::vector<std::string> splitLines(const std::string& text);

void writeTextLines(const std::filesystem::path& path, const std::vector<std::string>& lines,
                    const std::string& shownName = {});

// Reads a whole file as bytes.
std::string readWholeFile(const std::filesystem::path& path, const std::string& shownName = {});


} // namespace qv
