// What a reader made of the last input, as the fuzz driver without
// libFuzzer sees it: an input that gives an outcome not seen before (a new
// error message, a file that now reads) is kept and mutated further. The
// numbers in a message are folded to '#', so that each byte offset or date
// of a refusal is not a new outcome of its own, and the part of a
// conversion error that quotes the input is left out. libFuzzer ignores
// this and follows the code reached instead.
#pragma once

#include "base/errors.h"

#include <cctype>
#include <string>
#include <string_view>

namespace qv::fuzz {

inline std::string lastOutcome;

inline void noteOutcome(std::string_view what) {
    bool inNumber = false;
    for (const char c : what) {
        const bool digit = std::isdigit(static_cast<unsigned char>(c)) != 0;
        if (!digit) lastOutcome += c;
        else if (!inNumber) lastOutcome += '#';
        inNumber = digit;
    }
    lastOutcome += '|';
}

// The reason, without the file's path (the same for every input).
inline void noteOutcome(const IoError& e) { noteOutcome(e.reason()); }

// What was wrong, without the quoted text after the first colon.
inline void noteOutcome(const ConversionError& e) {
    const std::string_view what = e.what();
    noteOutcome(what.substr(0, what.find(':')));
}

} // namespace qv::fuzz
