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

struct FixedTurns;

// Elements in degrees (M, ω, Ω, i) and AU (a).
struct OrbitalElements {
    Extended meanAnomaly;
    Extended eccentricity;
    Extended semiMajorAxis;
    Extended perihelion;   // ω
    Extended node;         // Ω
    Extended inclination;  // i
    // a^1.5 as exp(1.5 ln a) when the caller knows it (the semi-major axes
    // are constants); 0 has it computed.
    Extended semiMajorAxisPower = 0;
    // The turns of the angles that never change, when the caller knows
    // them; the others are computed.
    const FixedTurns* fixed = nullptr;
};

struct Vector3 {
    Extended x = 0, y = 0, z = 0;
};

struct OrbitState {
    Vector3 position; // heliocentric ecliptic, AU
    Vector3 velocity; // AU per day
};

OrbitState orbitState(const OrbitalElements& elements);

// The sine and cosine of the three angles that carry the orbit plane to the
// ecliptic.
struct OrbitTurns {
    Extended cosPerihelion, sinPerihelion; // ω
    Extended cosInclination, sinInclination; // i
    Extended cosNode, sinNode; // Ω
};
// From the angles in degrees.
OrbitTurns orbitTurns(Extended perihelion, Extended inclination, Extended node);

// Which angles of an orbit are constants, with their turns (the others'
// entries unused).
struct FixedTurns {
    bool perihelion = false, inclination = false, node = false;
    OrbitTurns turns{};
};
// The fixed turns of angles given as constants (set) or not.
FixedTurns fixedTurns(bool perihelionFixed, Extended perihelion, bool inclinationFixed, Extended inclination,
                      bool nodeFixed, Extended node);

// The in-plane pair (p, q) turned by ω about the orbit's pole, tilted by i
// about the line of nodes and turned by Ω about the ecliptic pole. Each turn
// takes a zero second coordinate as kConversionEpsilon first, and a turned
// pair that lands exactly on the positive first axis at the angle
// kConversionEpsilon, as the polar and rectangular conversions above do; so
// the tilt always lifts the body by kConversionEpsilon × cos i.
Vector3 rotateToEcliptic(Extended p, Extended q, const OrbitTurns& turns);
// The same with the angles in radians.
Vector3 rotateToEcliptic(Extended p, Extended q, Extended perihelion, Extended inclination, Extended node);

OrbitalElements earthElements(Extended t);

struct GeocentricResult {
    Extended longitude; // degrees, [0, 360)
    Extended latitude;  // degrees
};

// Apparent geocentric longitude and latitude of a body from its
// heliocentric state, the Earth's state, a perturbation vector and the
// nutation Δψ. `pallas` selects Pallas's latitude threshold. Without
// `withLatitude` only the longitude is computed (the latitude is left 0).
GeocentricResult geocentric(const OrbitState& body, const OrbitState& earth, const Vector3& perturbation,
                            Extended nutation, bool pallas, bool withLatitude = true);

} // namespace qv
