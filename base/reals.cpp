#include "base/reals.h"

#include "base/errors.h"

#include <cmath>
#include <cstring>

namespace qv {

Extended decodeExtended10(std::span<const std::uint8_t, 10> b) {
    std::uint64_t mantissa = 0;
    for (int i = 7; i >= 0; --i) mantissa = (mantissa << 8) | b[static_cast<std::size_t>(i)];
    const unsigned signExp = static_cast<unsigned>(b[8]) | (static_cast<unsigned>(b[9]) << 8);
    const unsigned exponent = signExp & 0x7FFF;
    const bool negative = (signExp & 0x8000) != 0;
    if (exponent == 0x7FFF) throw ConversionError("Reale esteso non valido (infinito o NaN)");
    if (exponent != 0 && (mantissa >> 63) == 0)
        throw ConversionError("Reale esteso non valido (non normalizzato)");
    // value = mantissa × 2^(exponent − 16383 − 63); denormals use exponent 1.
    const int e = (exponent == 0 ? 1 : static_cast<int>(exponent)) - 16383 - 63;
    Extended v = std::ldexp(static_cast<Extended>(mantissa), e);
    return negative ? -v : v;
}

std::array<std::uint8_t, 10> encodeExtended10(Extended value) {
    // On x86-64 the first ten bytes of a long double are exactly this format.
    static_assert(sizeof(Extended) >= 10);
    std::array<std::uint8_t, 10> out{};
    std::memcpy(out.data(), &value, 10);
    return out;
}

Extended decodeReal48(std::span<const std::uint8_t, 6> b) {
    if (b[0] == 0) return 0.0L;
    // Mantissa: 39 bits from bytes 1..5 (LSB first), without the sign bit.
    std::uint64_t m = 0;
    for (int i = 5; i >= 1; --i) m = (m << 8) | b[static_cast<std::size_t>(i)];
    const bool negative = (m >> 39) & 1;
    m &= (std::uint64_t{1} << 39) - 1;
    const Extended frac = 1.0L + std::ldexp(static_cast<Extended>(m), -39);
    const Extended v = std::ldexp(frac, static_cast<int>(b[0]) - 129);
    return negative ? -v : v;
}

std::array<std::uint8_t, 6> encodeReal48(Extended value) {
    std::array<std::uint8_t, 6> out{};
    if (!std::isfinite(value)) throw ConversionError("Valore non rappresentabile come reale a 6 byte");
    if (value == 0.0L) return out;
    const bool negative = std::signbit(value);
    int exp = 0;
    // |value| = f × 2^exp with f in [0.5, 1): as 1.xxx × 2^(exp−1).
    Extended f = std::frexp(std::fabs(value), &exp);
    Extended scaled = std::ldexp(f, 40); // in [2^39, 2^40)
    Extended rounded = std::nearbyint(scaled);
    std::uint64_t m = static_cast<std::uint64_t>(rounded);
    if (m == (std::uint64_t{1} << 40)) {
        m >>= 1;
        ++exp;
    }
    const int biased = (exp - 1) + 129;
    if (biased <= 0) return out; // underflow: zero
    if (biased > 255) throw ConversionError("Valore troppo grande per un reale a 6 byte");
    m &= (std::uint64_t{1} << 39) - 1; // drop the implicit leading 1
    if (negative) m |= std::uint64_t{1} << 39;
    out[0] = static_cast<std::uint8_t>(biased);
    for (int i = 1; i <= 5; ++i) {
        out[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(m & 0xFF);
        m >>= 8;
    }
    return out;
}

} // namespace qv
