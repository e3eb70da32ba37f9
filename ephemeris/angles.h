// Angle reduction and degree trigonometry, all in 80-bit extended reals.
#pragma once

#include "base/reals.h"

#include <cmath>

namespace qv {

// π as the degree helpers write it, and the extended value of π/180 that the
// ephemeris multiplies degrees by.
inline constexpr Extended kPi = 3.1415926535897932385L;
inline constexpr Extended kDegToRad = 0.0174532925199432957692369076848861271L;

// Truncation toward zero and fractional part.
Extended Int(Extended x);
Extended Frac(Extended x);
// Nearest integer, halves to even.
Extended Round(Extended x);

// x − Int(x / 360) × 360, plus 360 when negative: [0, 360). Below 2^52 by
// the nearest whole number of turns, found with a product instead of a
// quotient: there x − 360n is exact and so is the turn added back to a
// negative remainder of x ≥ 180, so the result is the exact one, as with
// the truncated quotient except where that quotient rounds up to a whole
// number (one unit of the last place from 360 there).
Extended Norm360Large(Extended x); // the quotient form, for the rest
inline Extended Norm360(Extended x) {
    if (!(std::fabs(x) < 0x1p52L)) return Norm360Large(x);
    constexpr Extended shifter = 0x1.8p63L; // rounds to a whole number, see Int
    const Extended n = (x * (1.0L / 360.0L) + shifter) - shifter;
    Extended r = x - n * 360.0L;
    if (r < 0) r += 360.0L;
    if (r >= 360.0L) r -= 360.0L;
    return r + 0.0L; // no negative zero
}
Extended Norm30(Extended x);
// The reduction the house computation writes as (x/360 − Int(x/360)) × 360.
Extended FracTimes(Extended x, Extended period);

// Degree arguments are reduced exactly to within 0.71° of a multiple of
// 1.40625° (a 256th of the circle), so large arguments lose nothing; the
// sine and cosine of that multiple come from a table and those of the rest
// from a short series.
Extended SinDeg(Extended x);
Extended CosDeg(Extended x);
Extended TanDeg(Extended x);
// Both at once, from one reduction.
void SinCosDeg(Extended x, Extended& sine, Extended& cosine);
inline Extended RadToDeg(Extended x) { return x * 180.0L / kPi; }
// The arctangent in radians, within two units of the last place of the
// library's and faster.
Extended ArcTan(Extended x);
// atan(x / √(1 − x²)) and atan(√(1 − x²) / x), radians.
Extended ArcSin(Extended x);
Extended ArcCosPositive(Extended x);

// An angle as its cosine and sine, for sums of angles by multiplication:
// cos and sin of a + b from those of a and b without another sine.
struct Turn {
    Extended c = 1, s = 0;
};
inline Turn operator*(const Turn& a, const Turn& b) { return {a.c * b.c - a.s * b.s, a.s * b.c + a.c * b.s}; }
inline Turn conj(const Turn& a) { return {a.c, -a.s}; }
// The turn of an angle in degrees (TurnDeg) or radians (TurnRad). While a
// TurnMemory is recording, each turn is also kept; while it is replaying,
// each turn is taken from the one kept at the same place of the sequence
// when the angles differ by little, by adding the difference (a few terms of
// the sine and cosine series), and computed afresh otherwise.
Turn TurnDeg(Extended x);
Turn TurnRad(Extended x);

// Two evaluations of the same sequence of turns at nearby moments (the two
// passes of the body computation, 0.001 day apart) take the second one's
// turns from the first one's. A memory is in force on this thread from
// record() or replay() until it is destroyed or another one starts.
class TurnMemory {
public:
    TurnMemory() = default;
    ~TurnMemory();
    TurnMemory(const TurnMemory&) = delete;
    TurnMemory& operator=(const TurnMemory&) = delete;

    void record();
    void replay();

    Turn turn(Extended x, bool degrees);

private:
    struct Kept {
        Extended angle;
        Turn turn;
        bool degrees;
    };
    static constexpr int kCapacity = 160;
    Kept kept_[kCapacity];
    int count_ = 0;
    int next_ = 0;
    bool replaying_ = false;
};
// 0, 1, …, N times an angle: multiples[n] = angle × n (multiples[0] = 0).
template <int N>
struct Multiples {
    explicit Multiples(const Turn& angle) {
        m[1] = angle;
        for (int n = 2; n <= N; ++n) m[n] = m[n - 1] * angle;
    }
    // n in −N..N.
    Turn operator[](int n) const { return n >= 0 ? m[n] : conj(m[-n]); }
    Turn m[N + 1];
};

// sin and cos of radians, reduced by a three-part π/128 first; arguments out
// of the processor's range (|x| ≥ 2^63) give 0.
Extended SinRad(Extended x);
Extended CosRad(Extended x);
void SinCosRad(Extended x, Extended& sine, Extended& cosine);

} // namespace qv
