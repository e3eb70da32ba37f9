// Glyphs on a wheel that never overlap. The spreading rule (wheel.h,
// spreadAngles) keeps the glyphs a given angle apart; where that angle is
// too small for the glyph's size at its radius, the glyphs are then set
// further apart, each crowd moving as a block toward its free side.
#pragma once

#include <vector>

namespace qv::draw {

// The wheel angle (degrees) between two glyph centres on radius `radius`
// whose glyphs of diameter `diameter` stand `gap` apart: the chord between
// the centres is diameter + gap. At most 360°.
double glyphSeparationAngle(double diameter, double gap, double radius);

// Sets neighbouring wheel angles (degrees, any order, any turn) at least
// `separation` apart, keeping their order around the wheel: angles already
// far enough apart stay where they are; the angles of a crowd are set
// `separation` apart as one block, placed as near as it can be to where
// they were (so it grows toward the side with room), and blocks that then
// meet become one. With more angles than the circle holds, they share it
// evenly. Returns the angles in the order given, each on the turn of its
// input (within half a turn of it).
std::vector<double> widenSeparations(const std::vector<double>& angles, double separation);

} // namespace qv::draw
