#include "display/picture_file.h"

#include "base/errors.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace qv::draw {

namespace {

// What a target that is no regular file is, in the user's words.
std::string kindOf(mode_t mode) {
    if (S_ISDIR(mode)) return "\xE8 una cartella, non un file";
    if (S_ISFIFO(mode)) return "\xE8 una pipe con nome, non un file";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "\xE8 un dispositivo, non un file";
    if (S_ISSOCK(mode)) return "\xE8 un socket, non un file";
    return "non \xE8 un file regolare";
}

} // namespace

PictureFile::PictureFile(const std::string& file) {
    if (file.empty()) throw IoError(file, italianSystemReason(ENOENT));
    struct stat st {};
    if (::lstat(file.c_str(), &st) == 0) {
        // A link is replaced by the picture, never followed to its target.
        if (!S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode))
            throw IoError(file, kindOf(st.st_mode) + ": nulla \xE8 stato scritto");
    } else if (errno != ENOENT) {
        throwSystemIoError(file);
    }
    file_ = std::make_unique<FileReplacement>(file, file);
}

PictureFile::~PictureFile() = default;

void PictureFile::commit(const std::string& bytes) {
    file_->write(bytes);
    file_->putInPlace();
}

bool completePdf(const std::string& bytes) {
    if (bytes.rfind("%PDF-", 0) != 0) return false;
    std::size_t end = bytes.size();
    while (end > 0 && (bytes[end - 1] == '\n' || bytes[end - 1] == '\r' || bytes[end - 1] == ' ')) --end;
    if (end < 5 || bytes.compare(end - 5, 5, "%%EOF") != 0) return false;
    const std::size_t at = bytes.rfind("startxref", end);
    if (at == std::string::npos) return false;
    char* stop = nullptr;
    const unsigned long long offset = std::strtoull(bytes.c_str() + at + 9, &stop, 10);
    if (stop == bytes.c_str() + at + 9 || offset >= at) return false;
    // The cross-reference table, or a cross-reference stream ("N 0 obj").
    return bytes.compare(offset, 4, "xref") == 0 || (bytes[offset] >= '0' && bytes[offset] <= '9');
}

bool completePng(const std::string& bytes) {
    static const std::string signature("\x89PNG\r\n\x1A\n", 8);
    static const std::string iend("\0\0\0\0IEND\xAE\x42\x60\x82", 12);
    return bytes.size() >= signature.size() + iend.size() && bytes.compare(0, signature.size(), signature) == 0 &&
           bytes.compare(bytes.size() - iend.size(), iend.size(), iend) == 0;
}

} // namespace qv::draw
