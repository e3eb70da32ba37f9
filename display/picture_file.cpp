#include "display/picture_file.h"

#include "base/errors.h"
#include "base/file_writing.h"

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

PictureFile::PictureFile(const std::string& file) : shown_(file), target_(file) {
    if (file.empty()) throw IoError(file, italianSystemReason(ENOENT));
    struct stat st {};
    const bool exists = ::stat(target_.c_str(), &st) == 0;
    if (exists) {
        if (!S_ISREG(st.st_mode)) throw IoError(shown_, kindOf(st.st_mode) + ": nulla \xE8 stato scritto");
        // A link to a picture: the picture it points to is replaced, the
        // link stays.
        std::error_code ec;
        if (std::filesystem::is_symlink(target_, ec)) {
            const auto real = std::filesystem::canonical(target_, ec);
            if (!ec) target_ = real;
        }
    } else if (errno != ENOENT) {
        throwSystemIoError(shown_);
    }
    fd_ = createTemporaryBeside(target_, temp_);
    if (fd_ < 0) throwSystemIoError(shown_);
    // A picture replaced keeps the permissions it had; a new one gets those
    // the user's file-creation mask gives (it lies where the user chose, not
    // in the owner-only data directory).
    if (exists) {
        ::fchmod(fd_, st.st_mode & 07777);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd_, 0666 & ~mask);
    }
}

PictureFile::~PictureFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!committed_) ::unlink(temp_.c_str());
}

void PictureFile::commit(const std::string& bytes) {
    writeFully(fd_, bytes.data(), bytes.size(), shown_);
    struct stat st {};
    if (::fstat(fd_, &st) != 0) throwSystemIoError(shown_);
    if (static_cast<std::uint64_t>(st.st_size) != bytes.size())
        throw IoError(shown_, "scritti " + std::to_string(st.st_size) + " byte invece di " +
                                  std::to_string(bytes.size()));
    if (::fsync(fd_) != 0) throwSystemIoError(shown_);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) throwSystemIoError(shown_);
    if (std::rename(temp_.c_str(), target_.c_str()) != 0) throwSystemIoError(shown_);
    committed_ = true;
    syncFolder(target_.parent_path());
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
