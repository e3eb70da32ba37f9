// Finding a typed prefix in a place table, and the seven lines of the place
// list around a position.
#pragma once

#include "archive/places.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qv::atlas {

// The comparison form of a foreign place name and of a typed prefix:
// à-æ → a; ò ó ô ö ø → o; ß → s; ù-ü → u; è-ë → e; ì-ï → i; ñ → n; ç → c;
// then a-z upper-cased; Á Â Ä Å Æ → A; Ó Ô Ö Ø → O; Ü Ú → U; Í-Ï → I;
// È É Ë → E; Ç → C; "-" and "(" → space; finally a leading apostrophe is
// dropped. Other characters (À, Ã, õ, Ò, Ù, ...) are kept.
std::string normalisePlaceName(const std::string& text);

struct LocateResult {
    std::int64_t position = 0;  // 0 only when the table has no places
    Place entry;                // the entry read last
};

// Bisection over records 1..count with exactly 100 halving steps: the probe
// is the normalised prefix followed by 25 "!"; entries are compared as
// stored (Italian table) or normalised (foreign table), byte by byte.
// Settles on the last entry that sorts below the probe, or on entry 1.
LocateResult locatePlace(const PlaceTable& table, const std::string& prefix);

// Keeps a list position where the seven lines p-3..p+3 exist: 4 ≤ p ≤ count-4
// (tables of fewer than eight places show their first lines).
std::int64_t clampListPosition(std::int64_t position, std::int64_t count);

struct PlaceListLine {
    std::int64_t record = 0;
    std::string text;  // name and state, right-trimmed
};

// The lines of records p-3..p+3 that exist, p clamped as above.
std::vector<PlaceListLine> placeListAround(const PlaceTable& table, std::int64_t position);

// The text of a list line: the name, then the state, right-trimmed.
std::string placeListText(const Place& place);

} // namespace qv::atlas
