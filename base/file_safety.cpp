#include "base/file_safety.h"

#include "base/errors.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace qv {

namespace {

std::atomic<std::int64_t> writeBudget{-1};
std::atomic<unsigned> temporaryCounter{0};

// How much of `size` the budget lets through, and the budget charged.
std::size_t allowance(std::size_t size) {
    const std::int64_t budget = writeBudget.load();
    if (budget < 0) return size;
    const std::size_t allowed = static_cast<std::int64_t>(size) > budget ? static_cast<std::size_t>(budget) : size;
    writeBudget = budget - static_cast<std::int64_t>(allowed);
    return allowed;
}

template <typename Put>
void writeLoop(const void* data, std::size_t size, const std::string& shownName, Put put) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    const std::size_t allowed = allowance(size);
    std::size_t done = 0;
    while (done < allowed) {
        const ssize_t n = put(bytes + done, allowed - done, done);
        if (n < 0) {
            if (errno == EINTR) continue;
            throwSystemIoError(shownName);
        }
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    if (done < size) {
        errno = ENOSPC;
        throwSystemIoError(shownName);
    }
}

long long nanoseconds(const struct timespec& t) { return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec; }

FileIdentity identityOf(const struct stat& st) {
    return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
            static_cast<std::uint64_t>(st.st_size), nanoseconds(st.st_mtim), nanoseconds(st.st_ctim)};
}

// How long after a change a file's times may not move again.
long long settlingNanoseconds(const fs::path& file) {
    struct statfs info {};
    if (::statfs(file.c_str(), &info) != 0) return 2000000000LL;
    switch (static_cast<unsigned long>(info.f_type)) {
    case 0x4d44:      // FAT
    case 0x2011BAB0:  // exFAT
    case 0x5346544e:  // NTFS
    case 0x6969:      // NFS
    case 0xFF534D42:  // CIFS
    case 0xFE534D42:  // SMB2
    case 0x517B:      // SMB
    case 0x65735546:  // FUSE
        return 2000000000LL;
    default:
        return 50000000LL;
    }
}

std::string shownOf(const fs::path& path, const std::string& shownName) {
    return shownName.empty() ? path.string() : shownName;
}

bool allDigits(const std::string& s, std::size_t from, std::size_t to) {
    if (from >= to) return false;
    for (std::size_t i = from; i < to; ++i)
        if (s[i] < '0' || s[i] > '9') return false;
    return true;
}

} // namespace

StatResult statFile(const fs::path& path) {
    StatResult out;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return out;
    out.identity = identityOf(st);
    out.size = static_cast<std::uintmax_t>(st.st_size);
    out.regular = S_ISREG(st.st_mode);
    return out;
}

FileIdentity identityOfOpenFile(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) return {};
    return identityOf(st);
}

bool identitySettled(const FileIdentity& identity, const fs::path& file) {
    struct timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    const long long settled = nanoseconds(now) - settlingNanoseconds(file);
    return identity.known() && identity.changedNs <= settled && identity.modifiedNs <= settled;
}

FileIdentity settledIdentity(const StatResult& seen, const fs::path& file) {
    if (!seen.regular || !identitySettled(seen.identity, file)) return {};
    return seen.identity;
}

fs::path uniqueTemporaryBeside(const fs::path& target) {
    char name[48];
    std::snprintf(name, sizeof name, ".qv%ld.%06u.tmp~", static_cast<long>(::getpid()),
                  temporaryCounter.fetch_add(1) % 1000000u);
    return target.parent_path() / name;
}

long writerOfTemporary(const std::string& fileName) {
    std::string name = fileName;
    if (name.size() > 5 && name.compare(name.size() - 5, 5, ".tmp~") == 0) name.resize(name.size() - 5);
    // ".qvPID.NNNNNN"
    if (name.rfind(".qv", 0) == 0) {
        const std::size_t dot = name.find('.', 3);
        if (dot == std::string::npos || dot - 3 > 9 || !allDigits(name, 3, dot) || !allDigits(name, dot + 1, name.size()))
            return 0;
        return std::stol(name.substr(3, dot - 3));
    }
    // ".TARGET.PID.XXXXXX", written by earlier versions.
    if (name.size() < 10 || name[0] != '.' || name[name.size() - 7] != '.') return 0;
    const std::size_t end = name.size() - 7;
    std::size_t start = end;
    while (start > 1 && name[start - 1] >= '0' && name[start - 1] <= '9') --start;
    if (start == end || start < 2 || name[start - 1] != '.' || end - start > 9) return 0;
    return std::stol(name.substr(start, end - start));
}

void removeAbandonedTemporaries(const std::vector<fs::path>& folders) {
    std::error_code ec;
    std::vector<fs::path> abandoned;
    for (const fs::path& folder : folders) {
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            if (!it->is_regular_file(ec)) continue;
            const long writer = writerOfTemporary(it->path().filename().string());
            if (writer <= 0) continue;
            if (writer == ::getpid() || (::kill(static_cast<pid_t>(writer), 0) != 0 && errno == ESRCH))
                abandoned.push_back(it->path());
        }
        ec.clear();
    }
    for (const fs::path& p : abandoned) fs::remove(p, ec);
}

FileReplacement::FileReplacement(fs::path target, std::string shownName)
    : target_(std::move(target)), shown_(shownOf(target_, shownName)) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp_ = uniqueTemporaryBeside(target_);
        fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd_ >= 0 || errno != EEXIST) break;
    }
    if (fd_ < 0) throwSystemIoError(shown_);
}

FileReplacement::~FileReplacement() {
    if (fd_ >= 0) ::close(fd_);
    if (!placed_) ::unlink(temp_.c_str());
}

void FileReplacement::write(const void* data, std::size_t size) {
    writeFully(fd_, data, size, shown_);
    written_ += size;
}

void FileReplacement::finish(std::int64_t modifiedNs) {
    if (finished_ || handedOver_) return;
    struct stat st {};
    if (::fstat(fd_, &st) != 0) throwSystemIoError(shown_);
    if (static_cast<std::uint64_t>(st.st_size) != written_)
        throw IoError(shown_, "scritti " + std::to_string(st.st_size) + " byte invece di " + std::to_string(written_));
    if (modifiedNs >= 0) {
        const timespec times[2] = {{0, UTIME_OMIT}, {modifiedNs / 1000000000, modifiedNs % 1000000000}};
        if (::futimens(fd_, times) != 0) throwSystemIoError(shown_);
    }
    if (::fsync(fd_) != 0) throwSystemIoError(shown_);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) throwSystemIoError(shown_);
    finished_ = true;
}

void FileReplacement::handOver() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    handedOver_ = true;
}

// A regular file replaced keeps its permissions (a report the user shared
// with a group stays shared); a link, or nothing, at the target gives a new
// file that only its owner reads.
void FileReplacement::giveTargetMode() {
    struct stat st {};
    if (::lstat(target_.c_str(), &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & 07777) != 0600)
        ::chmod(temp_.c_str(), st.st_mode & 07777);
}

void FileReplacement::putInPlace() {
    finish();
    giveTargetMode();
    // rename() replaces a symbolic link at the target itself, never the
    // file the link points to.
    if (std::rename(temp_.c_str(), target_.c_str()) != 0) throwSystemIoError(shown_);
    placed_ = true;
    syncFolder(target_.parent_path());
}

bool FileReplacement::putInPlaceUnlessPresent() {
    finish();
    if (::renameat2(AT_FDCWD, temp_.c_str(), AT_FDCWD, target_.c_str(), RENAME_NOREPLACE) == 0) {
        placed_ = true;
    } else {
        int err = errno;
        if (err == EINVAL || err == ENOSYS || err == ENOTSUP) {
            // A file system without the no-replace rename: a hard link is
            // made only when the name is free, too.
            if (::link(temp_.c_str(), target_.c_str()) == 0) {
                placed_ = true;
                ::unlink(temp_.c_str());
            } else {
                err = errno;
            }
        }
        if (!placed_ && err != EEXIST) throw IoError(shown_, italianSystemReason(err));
    }
    syncFolder(target_.parent_path());
    return placed_;
}

void writeFileAtomically(const fs::path& path, const std::string& content, const std::string& shownName) {
    FileReplacement file(path, shownName);
    file.write(content);
    file.putInPlace();
}

void copyFileAtomically(const fs::path& from, const fs::path& to, const std::string& shownName) {
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) throwSystemIoError(shownName);
    try {
        FileReplacement file(to, shownName);
        std::vector<char> buffer(1 << 16);
        for (;;) {
            const ssize_t n = ::read(in, buffer.data(), buffer.size());
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) throwSystemIoError(shownName);
            if (n == 0) break;
            file.write(buffer.data(), static_cast<std::size_t>(n));
        }
        file.putInPlace();
    } catch (...) {
        ::close(in);
        throw;
    }
    ::close(in);
}

void writeFully(int fd, const void* data, std::size_t size, const std::string& shownName) {
    writeLoop(data, size, shownName,
              [fd](const unsigned char* p, std::size_t n, std::size_t) { return ::write(fd, p, n); });
}

void writeFullyAt(int fd, const void* data, std::size_t size, std::int64_t at, const std::string& shownName) {
    writeLoop(data, size, shownName, [fd, at](const unsigned char* p, std::size_t n, std::size_t done) {
        return ::pwrite(fd, p, n, static_cast<off_t>(at) + static_cast<off_t>(done));
    });
}

void setWriteFailureAfter(std::int64_t bytes) { writeBudget = bytes; }

void syncFolder(const fs::path& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;  // the rename itself has happened; nothing more can be done
    ::fsync(fd);
    ::close(fd);
}

void createPrivateFolders(const fs::path& folder, const std::string& shownName) {
    std::error_code ec;
    if (fs::is_directory(folder, ec)) return;
    if (folder.has_parent_path() && folder.parent_path() != folder) createPrivateFolders(folder.parent_path(), shownName);
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) throwSystemIoError(shownName);
}

} // namespace qv
