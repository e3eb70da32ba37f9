#include "base/file_writing.h"

#include "base/errors.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

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

} // namespace

std::filesystem::path uniqueTemporaryBeside(const std::filesystem::path& target) {
    std::string counter = std::to_string(temporaryCounter.fetch_add(1) % 1000000);
    counter.insert(0, 6 - counter.size(), '0');
    return target.parent_path() /
           ("." + target.filename().string() + "." + std::to_string(::getpid()) + "." + counter + ".tmp~");
}

int createTemporaryBeside(const std::filesystem::path& target, std::filesystem::path& temp) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = uniqueTemporaryBeside(target);
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
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

void syncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return; // the rename itself has happened; nothing more can be done
    ::fsync(fd);
    ::close(fd);
}

} // namespace qv
