// A subject as the exchange files carry it between astrology programs: the
// birth as written (local date and time, place and country as the file
// names them) and, when the file gives them, the coordinates, the clock's
// offset from Greenwich and the Julian day of Universal Time. What a file
// leaves unknown stays empty: the atlas and its time regimes fill it in.
#pragma once

#include "archive/archive_files.h"
#include "base/reals.h"

#include <optional>
#include <string>
#include <vector>

namespace qv::exchange {

struct ExchangedSubject {
    std::string name;  // surname and first name, as one
    int day = 0, month = 0, year = 0, hour = 0, minute = 0;
    std::string place;    // as written ("Milano", "MILANO (MI)", "Buenos Aires")
    std::string country;  // a vehicle code ("I", "D", "RA") or a name; empty when unknown
    std::optional<std::string> coordinates;  // "45N28-009E11"
    std::optional<Extended> zoneEast;        // hours the clock was ahead of Greenwich, summer time included
    std::optional<Extended> julianDay;       // of Universal Time
    std::string note;
    int line = 0;  // where the file has it, for the messages

    bool operator==(const ExchangedSubject&) const = default;
};

// What a file held: its subjects and the lines that could not be read.
struct ReadProblem {
    int line = 0;
    std::string reason;
};
struct ExchangeFile {
    std::vector<ExchangedSubject> subjects;
    std::vector<ReadProblem> problems;
};

// The subjects of an archive as the exchange files write them: the stored
// name, the birth moment, the place and nation, the coordinates, the offset
// the stored correction means, and the Julian day of Universal Time.
std::vector<ExchangedSubject> subjectsOfArchive(const Archive& archive);

// The atlas's state for a country as files write it: an international
// vehicle code ("D" is "GERMANIA"), an Italian, English or native name;
// "ITALIA" for Italy. Empty when unknown.
std::string atlasStateOf(const std::string& country);
// The vehicle code of an atlas state, for writing; the state itself when
// it has none.
std::string vehicleCodeOf(const std::string& state);

} // namespace qv::exchange
