// Administrator mode and hidden mode, switched on only by the main window's
// code field; both are off at every start.
#pragma once

#include <string>

namespace qv {

struct AccessModes {
    bool administrator = false;
    bool hidden = false;
};
AccessModes& accessModes();

inline constexpr const char* kAdministratorCode = "TAVOSCRIN";
inline constexpr const char* kHiddenModeCode = "QUERNADIL";

// The code field's buffer: every key is upper-cased and appended; after each
// key the whole buffer is compared with the two codes.
class AccessCodeBuffer {
public:
    enum class Match { None, Administrator, Hidden };
    Match type(char key);
    void clear() { buffer_.clear(); }
    const std::string& buffer() const { return buffer_; }
    // One "*" per buffered character.
    std::string echo() const { return std::string(buffer_.size(), '*'); }

private:
    std::string buffer_;
};

} // namespace qv
