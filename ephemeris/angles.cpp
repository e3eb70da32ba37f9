#include "ephemeris/angles.h"

#include <cmath>

namespace qv {

namespace {
constexpr Extended kTrigLimit = 9223372036854775808.0L; // 2^63
}

Extended Int(Extended x) { return std::trunc(x); }
Extended Frac(Extended x) { return x - std::trunc(x); }
Extended Round(Extended x) { return std::nearbyint(x); }

Extended Norm360(Extended x) {
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

Extended SinRad(Extended x) { return std::fabs(x) >= kTrigLimit ? 0.0L : std::sin(x); }
Extended CosRad(Extended x) { return std::fabs(x) >= kTrigLimit ? 0.0L : std::cos(x); }

Extended SinDeg(Extended x) { return SinRad(x * kPi / 180.0L); }
Extended CosDeg(Extended x) { return CosRad(x * kPi / 180.0L); }
Extended TanDeg(Extended x) { return SinDeg(x) / CosDeg(x); }
Extended RadToDeg(Extended x) { return x * 180.0L / kPi; }

Extended ArcSin(Extended x) { return std::atan(x / std::sqrt(1.0L - x * x)); }
Extended ArcCosPositive(Extended x) { return std::atan(std::sqrt(1.0L - x * x) / x); }

} // namespace qv
