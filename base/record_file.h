// Files of fixed-size records with no header: record k starts at byte
// k × recordSize, and the record count is the file size ÷ recordSize.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace qv {

using Bytes = std::vector<std::uint8_t>;

class RecordFile {
public:
    enum class Mode { ReadOnly, ReadWrite, Create };

    // `shownName` is the name put in error messages (the data-directory path
    // as the user knows it); when empty the real path is shown.
    RecordFile(const std::filesystem::path& path, std::size_t recordSize, Mode mode,
               std::string shownName = {});
    ~RecordFile();
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;
    RecordFile(RecordFile&& other) noexcept;
    RecordFile& operator=(RecordFile&& other) noexcept;

    std::size_t recordSize() const { return recordSize_; }
    // Whole records in the file; a trailing partial record is not counted.
    std::int64_t count() const;

    // Reads record k; a record past the end (or only partly present) is an IoError.
    Bytes read(std::int64_t k) const;
    void readInto(std::int64_t k, std::span<std::uint8_t> out) const;
    // Writes record k (k may equal count(): that appends).
    void write(std::int64_t k, std::span<const std::uint8_t> record);
    // Appends a record and returns its number.
    std::int64_t append(std::span<const std::uint8_t> record);
    // Keeps the first n records.
    void truncate(std::int64_t n);

    const std::string& shownName() const { return shown_; }

private:
    void close() noexcept;
    int fd_ = -1;
    std::size_t recordSize_ = 0;
    std::string shown_;
};

} // namespace qv
