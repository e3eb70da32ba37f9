// What a reader made of the last input, as the fuzz driver without
// libFuzzer sees it: an input that gives an outcome not seen before (a new
// error message, a file that now reads) is kept and mutated further. The
// numbers in a message are folded to '#', so that each byte offset or date
// of a refusal is not a new outcome of its own, and the parts of a message
// that quote the input are left out. libFuzzer ignores
// this and follows the code reached instead.
#pragma once

#include "base/errors.h"

#include <cctype>
#include <string>
#include <string_view>

namespace qv::fuzz {

inline std::string lastOutcome;

inline void noteOutcome(std::string_view what) {
    what = what.substr(0, what.find('"')); // a quoted part is the input's own text
    std::string folded = "|";
    bool inNumber = false;
    for (const char c : what) {
        const bool digit = std::isdigit(static_cast<unsigned char>(c)) != 0;
        if (!digit) folded += c;
        else if (!inNumber) folded += '#';
        inNumber = digit;
    }
    folded += '|';
    // The kinds of outcome count, not how often one repeats (each record of
    // a file read alike).
    if (("|" + lastOutcome).find(folded) == std::string::npos) lastOutcome += folded.substr(1);
}

// The reason, without the file's path (the same for every input).
inline void noteOutcome(const IoError& e) { noteOutcome(e.reason()); }

// What was wrong, without the quoted text after the first colon.
inline void noteOutcome(const ConversionError& e) {
    const std::string_view what = e.what();
    noteOutcome(what.substr(0, what.find(':')));
}

} // namespace qv::fuzz
