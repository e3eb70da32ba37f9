// Mercury to Pluto and the minor bodies Ceres, Pallas, Juno, Vesta and
// Chiron: osculating elements as polynomials in T, perturbations of
// Jupiter to Pluto (1900–2100), light time and the table corrections before
// 1900.
#pragma once

#include "ephemeris/orbits.h"

namespace qv {

// Elements of point 3..10 (Mercury..Pluto) or 15..19 (Ceres..Chiron).
OrbitalElements elementsOf(int point, Extended t);

// Heliocentric perturbation vector of point 6..10 (zero for the others and
// outside 0 ≤ T ≤ 2).
Vector3 perturbationOf(int point, Extended t);

} // namespace qv
