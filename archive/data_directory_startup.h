// What every start does with the data directory before anything reads it:
// the lock against a second running copy, the directory brought up to the
// shipped template (missing files copied in, the program's own files
// replaced when the shipped data version is newer or restored when damaged,
// said in one line on standard error), and the personal archive BASE
// created when it is missing.
#pragma once

#include "base/data_dir.h"
#include "datatemplate/template_update.h"

#include <filesystem>
#include <memory>
#include <string>

namespace qv {

struct PreparedDataDirectory {
    // Held for the life of the program; empty when another copy runs.
    std::unique_ptr<DataDirLock> lock;
    // The Italian message for the user when the directory can't be used
    // (another copy holds it); empty otherwise.
    std::string refusal;
    int templateFilesCopied = 0;
    TemplateUpdate update; // what bringing it up to the template did
    bool personalArchiveCreated = false;
};

// Makes `root` the data directory in force, creates it when missing (or
// tightens it) readable by its owner only, saying so in one line, takes
// the lock, and only then brings it up to the template (DataDir::
// installTemplate) and creates BASE when BASE.ST1 does not exist. When the
// lock is held by another copy nothing is written and `refusal` says so.
PreparedDataDirectory prepareDataDirectory(const std::filesystem::path& root,
                                           const std::filesystem::path& templateDir);

} // namespace qv
