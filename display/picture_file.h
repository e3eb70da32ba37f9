// The file a picture is exported to, written the way the remedy files are:
// the new content goes to a temporary file beside the target under a name of
// this writer alone, is checked, flushed to the disk and only then renamed
// over the target. A failure leaves the old file as it was and no temporary
// file behind. No Qt here: the bytes come from the picture writers.
#pragma once

#include <filesystem>
#include <string>

namespace qv::draw {

class PictureFile {
public:
    // Refuses (IoError naming `file`) a target that exists and is no regular
    // file (a folder, a named pipe, a device) and a folder that takes no new
    // file, before anything is drawn. The target itself is never opened, so
    // a named pipe cannot block the program.
    explicit PictureFile(const std::string& file);
    ~PictureFile();
    PictureFile(const PictureFile&) = delete;
    PictureFile& operator=(const PictureFile&) = delete;

    // Writes `bytes` whole, checks the size on the disk, flushes and renames
    // the temporary file over the target.
    void commit(const std::string& bytes);

private:
    std::string shown_;
    std::filesystem::path target_, temp_;
    int fd_ = -1;
    bool committed_ = false;
};

// Checks of the finished bytes: a PDF ends with its trailer (startxref
// pointing at the cross-reference table, then %%EOF); a PNG starts with its
// signature and ends with its IEND chunk.
bool completePdf(const std::string& bytes);
bool completePng(const std::string& bytes);

} // namespace qv::draw
