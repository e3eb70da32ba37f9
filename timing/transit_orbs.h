// Orbs of transits, one per class of moving body.
//
// Transits take tighter orbs than the natal aspects: an orb here is the
// stretch of the path in which a contact is counted as at work, and the
// time a body spends in it grows as the body slows. The defaults keep that
// time of the same order within a class:
//   - luminaries (Sole, Luna) 2°: the Sun is in orb about two days each
//     side of the exact moment, the Moon about four hours;
//   - personal planets (Mercurio, Venere, Marte) 2°: two to four days, and
//     up to weeks when they turn in orb;
//   - social planets (Giove, Saturno) 1.5°: one to three weeks, months with
//     their retrograde passes;
//   - slow planets (Urano, Nettuno, Plutone) 1°: months already; a wider
//     orb would keep them at work for years and drown the list;
//   - the lunar node 1°: it moves like a slow planet (about 3' a day).
#pragma once

#include "base/reals.h"

#include <array>
#include <string>

namespace qv::timing {

enum class BodyClass { Luminaries, Personal, Social, Slow, Node };
inline constexpr int kBodyClassCount = 5;

// "Luminari", "Personali", "Sociali", "Lenti", "Nodo".
extern const std::array<const char*, kBodyClassCount> kBodyClassNames;

BodyClass bodyClassOf(int body);

struct TransitOrbs {
    std::array<Extended, kBodyClassCount> degrees{2.0L, 2.0L, 1.5L, 1.0L, 1.0L};
    Extended of(int body) const { return degrees[static_cast<std::size_t>(bodyClassOf(body))]; }
    bool operator==(const TransitOrbs&) const = default;
};

// The practitioner's orbs of transits: "FileSet\OrbiTransiti.stt" in the
// data directory, one orb a line in the order of the classes (degrees with a
// point, CR LF). A missing file gives the defaults; a file with a line that
// is not an orb between 0 and 15 degrees raises ConversionError naming it.
inline constexpr const char* kTransitOrbsFile = "FileSet\\OrbiTransiti.stt";
inline constexpr Extended kLargestTransitOrb = 15;
TransitOrbs readTransitOrbs();
// Writes the file (through a temporary file, as every setting).
void writeTransitOrbs(const TransitOrbs& orbs);

} // namespace qv::timing
