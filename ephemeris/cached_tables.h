// The correction tables kept in memory. A table is read whole on first use
// and kept with the identity of its file (device, inode, size, modification
// and change times to the nanosecond); before it is used again, one stat of
// the file tells whether it is still the same file with the same contents,
// so a table rewritten in place, replaced by a rename or deleted is seen as
// if it were opened afresh. Inside a TableCheckScope (one chart
// computation) each table is checked once; outside one, on every use.
//
// A file changed less than a second before it was read could change again
// within the same tick of the file system's clock without its times moving:
// such a table is read again at every check until it is older than that.
//
// A table that the start found holding exactly the shipped bytes (by its
// identity, see isIntactShippedFile) is not read whole: only the blocks of
// records a computation asks for are read, and its contents need no check.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace qv {

// While one exists on this thread, each table is checked at its first use
// only. Scopes nest; the outermost one counts.
class TableCheckScope {
public:
    TableCheckScope();
    ~TableCheckScope();
    TableCheckScope(const TableCheckScope&) = delete;
    TableCheckScope& operator=(const TableCheckScope&) = delete;
};

// The records of a table in memory, valid until the table is next looked up.
class TableRecords {
public:
    // Reads `length` bytes at `start` of a table read in parts, valid until
    // the table is next looked up.
    using PartReader = std::span<const std::uint8_t> (*)(const void* table, std::size_t start, std::size_t length);

    // `name` (the table's data path) must outlive the records.
    TableRecords(const std::uint8_t* data, std::size_t size, std::size_t recordSize, const char* name,
                 std::uint64_t loading = 0)
        : data_(data), size_(size), recordSize_(recordSize), name_(name), loading_(loading) {}
    // A table read in parts, with the shipped bytes (no check needed).
    TableRecords(PartReader reader, const void* table, std::size_t size, std::size_t recordSize, const char* name,
                 std::uint64_t loading)
        : size_(size), recordSize_(recordSize), name_(name), loading_(loading), reader_(reader), table_(table) {}
    // Whether these are the bytes the program shipped, checked at start.
    bool shipped() const { return reader_ != nullptr; }
    // The size of the file in bytes.
    std::size_t bytes() const { return size_; }
    // Which reading of the file these records come from: it changes each
    // time the table is read again, so a check of its contents can be kept
    // until then.
    std::uint64_t loading() const { return loading_; }
    // Whole records; a trailing partial record is not counted.
    std::int64_t count() const { return static_cast<std::int64_t>(size_ / recordSize_); }
    // Record k; a negative one, or one past the end or only partly present,
    // raises IoError naming the table, as reading the file would.
    std::span<const std::uint8_t> record(std::int64_t k) const;

private:
    const std::uint8_t* data_ = nullptr;
    std::size_t size_;
    std::size_t recordSize_;
    const char* name_;
    std::uint64_t loading_;
    PartReader reader_ = nullptr;
    const void* table_ = nullptr;
};

// The table at `dataPath` of the data directory in force. A table that
// cannot be opened raises the IoError that opening it raises.
TableRecords tableRecords(const char* dataPath, std::size_t recordSize);

// Whether the table exists in the data directory in force.
bool tablePresent(const char* dataPath);

} // namespace qv
