#include "base/record_file.h"

#include "base/errors.h"
#include "base/file_safety.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace qv {

RecordFile::RecordFile(const std::filesystem::path& path, std::size_t recordSize, Mode mode,
                       std::string shownName)
    : recordSize_(recordSize), shown_(shownName.empty() ? path.string() : std::move(shownName)) {
    if (recordSize == 0) throw IoError(shown_, "dimensione del record nulla");
    int flags = O_CLOEXEC;
    switch (mode) {
    case Mode::ReadOnly: flags |= O_RDONLY; break;
    case Mode::ReadWrite: flags |= O_RDWR; break;
    case Mode::Create: flags |= O_RDWR | O_CREAT | O_TRUNC; break;
    }
    fd_ = ::open(path.c_str(), flags, 0600);
    if (fd_ < 0) throwSystemIoError(shown_);
}

RecordFile::~RecordFile() { close(); }

RecordFile::RecordFile(RecordFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), recordSize_(other.recordSize_),
      shown_(std::move(other.shown_)) {}

RecordFile& RecordFile::operator=(RecordFile&& other) noexcept {
    if (this != &other) {
        close();
        fd_ = std::exchange(other.fd_, -1);
        recordSize_ = other.recordSize_;
        shown_ = std::move(other.shown_);
    }
    return *this;
}

void RecordFile::close() noexcept {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

std::int64_t RecordFile::count() const {
    struct stat st {};
    if (::fstat(fd_, &st) != 0) throwSystemIoError(shown_);
    return static_cast<std::int64_t>(st.st_size) / static_cast<std::int64_t>(recordSize_);
}

Bytes RecordFile::read(std::int64_t k) const {
    Bytes out(recordSize_);
    readInto(k, out);
    return out;
}

void RecordFile::readInto(std::int64_t k, std::span<std::uint8_t> out) const {
    if (out.size() != recordSize_) throw IoError(shown_, "dimensione del record errata");
    if (k < 0) throw IoError(shown_, "numero di record negativo (" + std::to_string(k) + ")");
    std::size_t done = 0;
    const off_t base = static_cast<off_t>(k) * static_cast<off_t>(recordSize_);
    while (done < recordSize_) {
        ssize_t n = ::pread(fd_, out.data() + done, recordSize_ - done, base + static_cast<off_t>(done));
        if (n < 0) {
            if (errno == EINTR) continue;
            throwSystemIoError(shown_);
        }
        if (n == 0)
            throw IoError(shown_, "lettura oltre la fine del file (record " + std::to_string(k) + ")");
        done += static_cast<std::size_t>(n);
    }
}

void RecordFile::write(std::int64_t k, std::span<const std::uint8_t> record) {
    if (record.size() != recordSize_) throw IoError(shown_, "dimensione del record errata");
    if (k < 0 || k > count())
        throw IoError(shown_, "scrittura oltre la fine del file (record " + std::to_string(k) + ")");
    writeFullyAt(fd_, record.data(), recordSize_, k * static_cast<std::int64_t>(recordSize_), shown_);
}

std::int64_t RecordFile::append(std::span<const std::uint8_t> record) {
    const std::int64_t k = count();
    write(k, record);
    return k;
}

void RecordFile::truncate(std::int64_t n) {
    if (n < 0) n = 0;
    if (::ftruncate(fd_, static_cast<off_t>(n) * static_cast<off_t>(recordSize_)) != 0)
        throwSystemIoError(shown_);
}

} // namespace qv
