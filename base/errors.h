// Error types shared by every subsystem. Their messages are Italian, in
// Windows-1252 like all core text, and name the file involved.
#pragma once

#include <stdexcept>
#include <string>

namespace qv {

// An input/output failure on a file of the data directory: open, read, write,
// seek or a record number past the end. The operation in progress stops and
// the files keep what they held before the failing write.
class IoError : public std::runtime_error {
public:
    IoError(std::string file, std::string reason);
    const std::string& file() const { return file_; }
    const std::string& reason() const { return reason_; }

private:
    std::string file_;
    std::string reason_;
};

// A text that should hold a number (or a value in a fixed form) and does not.
class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(const std::string& message);
};

// The Italian wording of an errno value, for IoError reasons.
std::string italianSystemReason(int errnoValue);

// Throws IoError for `file` with the Italian reason of the current errno.
[[noreturn]] void throwSystemIoError(const std::string& file);

} // namespace qv
