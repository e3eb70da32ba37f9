// Binary real formats found in the data files: the 10-byte x87 extended real
// and the 6-byte real (exponent byte with bias 129, 39-bit mantissa with an
// implicit leading 1, sign in the top bit of the last byte).
#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <span>

static_assert(std::numeric_limits<long double>::digits == 64,
              "the ephemeris needs the x87 80-bit extended long double");

namespace qv {

using Extended = long double;

// Decodes 10 little-endian bytes. Infinities, NaNs and unnormal encodings
// (no integer bit with a non-zero exponent) raise ConversionError.
Extended decodeExtended10(std::span<const std::uint8_t, 10> bytes);
std::array<std::uint8_t, 10> encodeExtended10(Extended value);

// Decodes a 6-byte real; exponent byte 0 is zero whatever the other bytes.
Extended decodeReal48(std::span<const std::uint8_t, 6> bytes);
// Encodes with the mantissa rounded to nearest (ties to even). Values too
// small for the format become zero; values too large raise ConversionError.
std::array<std::uint8_t, 6> encodeReal48(Extended value);

} // namespace qv
