// The house systems the program knows, with the letter the reference
// library's house functions take for each.
#pragma once

namespace qv::reference {

struct HouseSystemCode {
    const char* name; // as the program names it
    int code;         // the reference library's letter
};

inline constexpr HouseSystemCode kHouseSystemCodes[] = {
    {"PLACIDO", 'P'}, {"KOCH", 'K'},   {"REGIOMONT", 'R'}, {"PORFIRIO", 'O'},
    {"CAMPANO", 'C'}, {"MORINO", 'M'}, {"ALCABIZIO", 'B'}, {"CASE_MEDIE", 'E'}};

} // namespace qv::reference
