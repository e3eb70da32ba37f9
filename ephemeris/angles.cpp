#include "ephemeris/angles.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace qv {

namespace {
constexpr Extended kTrigLimit = 9223372036854775808.0L; // 2^63

// Adding 1.5 × 2^63 rounds a value below 2^62 to an integer (ties to even)
// in the last bits of the mantissa: subtracting it again gives that
// integer, and the lowest mantissa bits are that integer modulo a power of
// two.
constexpr Extended kShifter = 0x1.8p63L;

// π/2 in three parts: the first two of 40 bits, so that n times them is
// exact for n below 2^24, and the rest.
constexpr Extended kHalfPi1 = 0xc90fdaa221p-39L;
constexpr Extended kHalfPi2 = 0xd18469898dp-80L;
constexpr Extended kHalfPi3 = -0xeba3f91f1976b7eep-146L;
constexpr Extended kTwoOverPi = 0xa2f9836e4e44152ap-64L;

// Largest arguments reduced here; beyond them the processor's own
// reduction is used (no chart comes near).
constexpr Extended kDegreeReductionLimit = 0x1p52L;
constexpr Extended kRadianReductionLimit = 0x1p23L;

// sin and cos of |r| ≤ π/4 (a rounding beyond at most): their Taylor series
// to the 21st and 22nd powers, whose remainders lie below a unit of the
// last place. They make the table below, at compile time.
constexpr Extended sinSeries(Extended r) {
    const Extended z = r * r;
    Extended p = 1.0L / 51090942171709440000.0L;
    p = p * z - 1.0L / 121645100408832000.0L;
    p = p * z + 1.0L / 355687428096000.0L;
    p = p * z - 1.0L / 1307674368000.0L;
    p = p * z + 1.0L / 6227020800.0L;
    p = p * z - 1.0L / 39916800.0L;
    p = p * z + 1.0L / 362880.0L;
    p = p * z - 1.0L / 5040.0L;
    p = p * z + 1.0L / 120.0L;
    p = p * z - 1.0L / 6.0L;
    return r + r * z * p;
}

constexpr Extended cosSeries(Extended r) {
    const Extended z = r * r;
    Extended p = -1.0L / 1124000727777607680000.0L;
    p = p * z + 1.0L / 2432902008176640000.0L;
    p = p * z - 1.0L / 6402373705728000.0L;
    p = p * z + 1.0L / 20922789888000.0L;
    p = p * z - 1.0L / 87178291200.0L;
    p = p * z + 1.0L / 479001600.0L;
    p = p * z - 1.0L / 3628800.0L;
    p = p * z + 1.0L / 40320.0L;
    p = p * z - 1.0L / 720.0L;
    p = p * z + 1.0L / 24.0L;
    p = p * z - 0.5L;
    return 1.0L + z * p;
}

// The circle in 256 steps of 1.40625° (π/128): the cosine and sine of each
// step, each from the series of its distance to the nearest quarter turn.
struct StepTurn {
    Extended c, s;
};
constexpr int kSteps = 256;
constexpr Extended kStepDegrees = 1.40625L;

constexpr std::array<StepTurn, kSteps> makeSteps() {
    std::array<StepTurn, kSteps> steps{};
    for (int i = 0; i < kSteps; ++i) {
        const int quadrant = (i + 32) / 64 % 4;
        const Extended r = (kStepDegrees * i - 90.0L * ((i + 32) / 64)) * kPi / 180.0L;
        const Extended sr = sinSeries(r), cr = cosSeries(r);
        switch (quadrant) {
        case 0: steps[i] = {cr, sr}; break;
        case 1: steps[i] = {-sr, cr}; break;
        case 2: steps[i] = {-cr, -sr}; break;
        default: steps[i] = {sr, -cr}; break;
        }
    }
    return steps;
}
constexpr std::array<StepTurn, kSteps> kStepTurns = makeSteps();

// An argument as step `index` of the table plus h radians, |h| ≤ π/256 give
// or take a rounding; false when it is too large to be reduced here.
struct Reduced {
    Extended h;
    unsigned index;
};

// π/128 in the three parts of π/2 above, scaled: N times the first two is
// exact for N below 2^30.
constexpr Extended kStep1 = kHalfPi1 / 64.0L;
constexpr Extended kStep2 = kHalfPi2 / 64.0L;
constexpr Extended kStep3 = kHalfPi3 / 64.0L;

// The whole number a shifted value holds, masked.
unsigned lowBits(Extended shifted, unsigned mask) {
    std::uint64_t mantissa;
    std::memcpy(&mantissa, &shifted, sizeof mantissa); // x87 layout: mantissa first
    return static_cast<unsigned>(mantissa & mask);
}

unsigned stepOf(Extended shifted) { return lowBits(shifted, kSteps - 1); }

bool reduceRadians(Extended x, Reduced& out) {
    if (!(std::fabs(x) < kRadianReductionLimit)) return false;
    const Extended shifted = x * (kTwoOverPi * 64.0L) + kShifter;
    const Extended n = shifted - kShifter;
    out = {((x - n * kStep1) - n * kStep2) - n * kStep3, stepOf(shifted)};
    return true;
}

// x − 1.40625n is exact: 1.40625n is representable and lies within a factor
// of two of x whenever n ≠ 0.
bool reduceDegrees(Extended x, Reduced& out) {
    if (!(std::fabs(x) < kDegreeReductionLimit)) return false;
    const Extended shifted = x * (1.0L / kStepDegrees) + kShifter;
    const Extended n = shifted - kShifter;
    out = {(x - n * kStepDegrees) * kDegToRad, stepOf(shifted)};
    return true;
}

// sin h and 1 − cos h for |h| ≤ π/256: the remainders of these series lie
// far below a unit of the last place.
void smallSinVersine(Extended h, Extended& sine, Extended& versine) {
    const Extended z = h * h;
    sine = h + h * z * (-1.0L / 6.0L + z * (1.0L / 120.0L + z * (-1.0L / 5040.0L + z * (1.0L / 362880.0L))));
    versine = z * (0.5L - z * (1.0L / 24.0L - z * (1.0L / 720.0L - z * (1.0L / 40320.0L))));
}

Extended sinOf(const Reduced& a) {
    const StepTurn& t = kStepTurns[a.index];
    Extended sh, vh;
    smallSinVersine(a.h, sh, vh);
    return t.s + (t.c * sh - t.s * vh);
}

Extended cosOf(const Reduced& a) {
    const StepTurn& t = kStepTurns[a.index];
    Extended sh, vh;
    smallSinVersine(a.h, sh, vh);
    return t.c - (t.s * sh + t.c * vh);
}

void sinCosOf(const Reduced& a, Extended& s, Extended& c) {
    const StepTurn& t = kStepTurns[a.index];
    Extended sh, vh;
    smallSinVersine(a.h, sh, vh);
    s = t.s + (t.c * sh - t.s * vh);
    c = t.c - (t.s * sh + t.c * vh);
}

// The processor's own reduction, for what is too large for ours.
Extended plainSin(Extended rad) { return std::fabs(rad) >= kTrigLimit ? 0.0L : std::sin(rad); }
Extended plainCos(Extended rad) { return std::fabs(rad) >= kTrigLimit ? 0.0L : std::cos(rad); }

} // namespace

// Truncation by the shifter (the processor's own rounding-mode switch is
// slow): the nearest integer, one step back toward zero when it lies beyond
// x, and the sign of x kept for a zero.
Extended Int(Extended x) {
    if (!(std::fabs(x) < 0x1p62L)) return std::trunc(x);
    Extended n = (x + kShifter) - kShifter;
    if (x >= 0) {
        if (n > x) n -= 1.0L;
    } else if (n < x) {
        n += 1.0L;
    }
    return std::copysign(n, x);
}
Extended Frac(Extended x) { return x - Int(x); }
// The shifter rounds halves to even, as the processor's default rounding.
Extended Round(Extended x) {
    if (!(std::fabs(x) < 0x1p62L)) return std::nearbyint(x);
    return std::copysign((x + kShifter) - kShifter, x);
}

Extended Norm360Large(Extended x) {
    Extended r = x - Int(x / 360.0L) * 360.0L;
    if (r < 0) r += 360.0L;
    return r;
}

Extended Norm30(Extended x) {
    Extended r = x - Int(x / 30.0L) * 30.0L;
    if (r < 0) r += 30.0L;
    return r;
}

Extended FracTimes(Extended x, Extended period) {
    return (x / period - Int(x / period)) * period;
}

Extended SinRad(Extended x) {
    Reduced a;
    return reduceRadians(x, a) ? sinOf(a) : plainSin(x);
}

Extended CosRad(Extended x) {
    Reduced a;
    return reduceRadians(x, a) ? cosOf(a) : plainCos(x);
}

void SinCosRad(Extended x, Extended& sine, Extended& cosine) {
    Reduced a;
    if (reduceRadians(x, a)) {
        sinCosOf(a, sine, cosine);
    } else {
        sine = plainSin(x);
        cosine = plainCos(x);
    }
}

Extended SinDeg(Extended x) {
    Reduced a;
    return reduceDegrees(x, a) ? sinOf(a) : plainSin(x * kPi / 180.0L);
}

Extended CosDeg(Extended x) {
    Reduced a;
    return reduceDegrees(x, a) ? cosOf(a) : plainCos(x * kPi / 180.0L);
}

void SinCosDeg(Extended x, Extended& sine, Extended& cosine) {
    Reduced a;
    if (reduceDegrees(x, a)) {
        sinCosOf(a, sine, cosine);
    } else {
        sine = plainSin(x * kPi / 180.0L);
        cosine = plainCos(x * kPi / 180.0L);
    }
}

Extended TanDeg(Extended x) {
    Extended s, c;
    SinCosDeg(x, s, c);
    return s / c;
}

namespace {

thread_local TurnMemory* memoryInForce = nullptr;

// The largest difference replayed, in radians (1°), where nine powers of
// the series leave less than a unit of the last place.
constexpr Extended kReplayLimit = 0.0174532925199432957692L;

Turn smallTurn(Extended x) {
    const Extended x2 = x * x;
    const Extended s =
        x * (1.0L - x2 * (1.0L / 6.0L) *
                        (1.0L - x2 * (1.0L / 20.0L) * (1.0L - x2 * (1.0L / 42.0L) * (1.0L - x2 * (1.0L / 72.0L)))));
    const Extended c =
        1.0L - x2 * 0.5L *
                   (1.0L - x2 * (1.0L / 12.0L) * (1.0L - x2 * (1.0L / 30.0L) * (1.0L - x2 * (1.0L / 56.0L))));
    return {c, s};
}

// Below this difference (2^-10 radians, about 0.06°; the two passes of a
// chart differ by far less) the sine of the difference to its fifth power
// and one minus its cosine to its fourth leave less than a unit of the last
// place.
constexpr Extended kShortReplayLimit = 0x1p-10L;

// The turn t advanced by d radians, |d| ≤ kShortReplayLimit: t plus the
// small change, which keeps the rounding of the large part out.
Turn turnedBy(const Turn& t, Extended d) {
    const Extended z = d * d;
    const Extended sine = d + d * z * (-1.0L / 6.0L + z * (1.0L / 120.0L));
    const Extended versine = z * (0.5L - z * (1.0L / 24.0L));
    return {t.c - (t.s * sine + t.c * versine), t.s + (t.c * sine - t.s * versine)};
}

Turn freshTurn(Extended x, bool degrees) {
    Turn t;
    if (degrees)
        SinCosDeg(x, t.s, t.c);
    else
        SinCosRad(x, t.s, t.c);
    return t;
}

} // namespace

TurnMemory::~TurnMemory() {
    if (memoryInForce == this) memoryInForce = nullptr;
}

void TurnMemory::record() {
    count_ = 0;
    next_ = 0;
    replaying_ = false;
    memoryInForce = this;
}

void TurnMemory::replay() {
    next_ = 0;
    replaying_ = true;
    memoryInForce = this;
}

Turn TurnMemory::turn(Extended x, bool degrees) {
    if (!replaying_) {
        const Turn t = freshTurn(x, degrees);
        if (count_ < kCapacity) kept_[count_++] = {x, t, degrees};
        return t;
    }
    if (next_ < count_) {
        const Kept& k = kept_[next_++];
        if (k.degrees == degrees) {
            const Extended difference = degrees ? (x - k.angle) * kDegToRad : x - k.angle;
            const Extended size = std::fabs(difference);
            if (size <= kShortReplayLimit) return turnedBy(k.turn, difference);
            if (size <= kReplayLimit) return k.turn * smallTurn(difference);
        }
    }
    return freshTurn(x, degrees);
}

Turn TurnDeg(Extended x) { return memoryInForce ? memoryInForce->turn(x, true) : freshTurn(x, true); }
Turn TurnRad(Extended x) { return memoryInForce ? memoryInForce->turn(x, false) : freshTurn(x, false); }

namespace {

// atan(j/64), j = 0..64, from the library once.
struct ArcTanSteps {
    Extended at[65];
    ArcTanSteps() {
        for (int j = 0; j <= 64; ++j) at[j] = std::atan(static_cast<Extended>(j) / 64.0L);
    }
};

// π/2 as a rounded value and the rest.
constexpr Extended kHalfPiHigh = 0xc90fdaa22168c235p-63L;
constexpr Extended kHalfPiLow = -0xece675d1fc8f8cbbp-129L;

} // namespace

// For |x| ≤ 1: atan of the nearest 64th c from a table plus atan((x − c) /
// (1 + xc)), at most 1/128, by its series to the ninth power; x − c is
// exact. Beyond 1, π/2 less the arctangent of 1/x.
Extended ArcTan(Extended x) {
    static const ArcTanSteps steps;
    Extended a = std::fabs(x);
    if (!(a <= 0x1p62L)) return std::atan(x); // infinities and not-a-number
    const bool inverted = a > 1.0L;
    if (inverted) a = 1.0L / a;
    const Extended shifted = a * 64.0L + kShifter;
    const Extended j = shifted - kShifter;
    const Extended c = j * (1.0L / 64.0L);
    const Extended u = (a - c) / (1.0L + a * c);
    const Extended z = u * u;
    const Extended series = u + u * z * (-1.0L / 3.0L + z * (1.0L / 5.0L + z * (-1.0L / 7.0L + z * (1.0L / 9.0L))));
    Extended t = steps.at[lowBits(shifted, 127)] + series;
    if (inverted) t = (kHalfPiHigh - t) + kHalfPiLow;
    return std::copysign(t, x);
}

Extended ArcSin(Extended x) { return std::atan(x / std::sqrt(1.0L - x * x)); }
Extended ArcCosPositive(Extended x) { return std::atan(std::sqrt(1.0L - x * x) / x); }

} // namespace qv
