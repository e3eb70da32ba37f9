// Copies only the shipped picture folders into a test's data directory (the
// whole template, with its atlas, takes far longer to copy).
#pragma once

#include "tests/support/temp_data_dir.h"

#include <filesystem>

namespace qv::draw {

inline bool installPictureFolders(const std::filesystem::path& root) {
    std::error_code error;
    for (const char* folder : {"Simboli", "Zodiaco", "Glifi"})
        std::filesystem::copy(test::dataTemplateDir() / folder, root / folder, std::filesystem::copy_options::recursive,
                              error);
    return !error;
}

} // namespace qv::draw
