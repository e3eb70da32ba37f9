// The file a picture or a report is exported to, written through a
// FileReplacement: checked, flushed and renamed over the target, never
// through a symbolic link at the target; a new file is its owner's only, a
// replaced one keeps its permissions. A failure leaves the old file as it
// was and no temporary file behind. No Qt here: the bytes come from the
// picture writers.
#pragma once

#include "base/file_safety.h"

#include <filesystem>
#include <memory>
#include <string>

namespace qv::draw {

class PictureFile {
public:
    // Refuses (IoError naming `file`) a target that exists and is no regular
    // file or symbolic link (a folder, a named pipe, a device) and a folder
    // that takes no new file, before anything is drawn. The target itself is
    // never opened, so a named pipe cannot block the program.
    explicit PictureFile(const std::string& file);
    ~PictureFile();
    PictureFile(const PictureFile&) = delete;
    PictureFile& operator=(const PictureFile&) = delete;

    // Writes `bytes` whole, checks the size on the disk, flushes and renames
    // the temporary file over the target.
    void commit(const std::string& bytes);

private:
    std::unique_ptr<FileReplacement> file_;
};

// Checks of the finished bytes: a PDF ends with its trailer (startxref
// pointing at the cross-reference table, then %%EOF); a PNG starts with its
// signature and ends with its IEND chunk.
bool completePdf(const std::string& bytes);
bool completePng(const std::string& bytes);

} // namespace qv::draw
