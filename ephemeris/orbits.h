// Keplerian orbits: Kepler's equation, rotation of the orbit plane to the
// ecliptic, the Earth's heliocentric state and the passage from
// heliocentric to apparent geocentric coordinates.
#pragma once

#include "base/reals.h"

namespace qv {

// Replaces an exact zero in the coordinate conversions.
inline constexpr Extended kConversionEpsilon = 0.000000175453L;

struct Polar {
    Extended r;
    Extended theta; // radians, [0, 2π)
};

// Polar form of (x, y); y = 0 is replaced by kConversionEpsilon first.
Polar toPolar(Extended x, Extended& y);
// Rectangular form of (r, θ); θ = 0 is replaced by kConversionEpsilon first.
void toRectangular(Extended r, Extended theta, Extended& x, Extended& y);

// Elements in degrees (M, ω, Ω, i) and AU (a).
struct OrbitalElements {
    Extended meanAnomaly;
    Extended eccentricity;
    Extended semiMajorAxis;
    Extended perihelion;   // ω
    Extended node;         // Ω
    Extended inclination;  // i
};

struct Vector3 {
    Extended x = 0, y = 0, z = 0;
};

struct OrbitState {
    Vector3 position; // heliocentric ecliptic, AU
    Vector3 velocity; // AU per day
};

OrbitState orbitState(const OrbitalElements& elements);

// The in-plane pair (p, q) rotated by ω, i and Ω (radians).
Vector3 rotateToEcliptic(Extended p, Extended q, Extended perihelion, Extended inclination, Extended node);

OrbitalElements earthElements(Extended t);

struct GeocentricResult {
    Extended longitude; // degrees, [0, 360)
    Extended latitude;  // degrees
};

// Apparent geocentric longitude and latitude of a body from its
// heliocentric state, the Earth's state, a perturbation vector and the
// nutation Δψ. `pallas` selects Pallas's latitude threshold.
GeocentricResult geocentric(const OrbitState& body, const OrbitState& earth, const Vector3& perturbation,
                            Extended nutation, bool pallas);

} // namespace qv
