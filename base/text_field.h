// Length-prefixed text fields of record files: a field declared text[N]
// takes 1 + N bytes, a length byte L (0..N) and N character bytes of which
// the first L are the value.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace qv {

// Reads the text[N] field starting at `offset` of `record`. A length byte
// larger than N (a corrupt record) is read as N.
std::string readTextField(std::span<const std::uint8_t> record, std::size_t offset, std::size_t n);

// Writes `value` (cut to N characters) as a text[N] field at `offset`; the
// bytes after the value are zeroed.
void writeTextField(std::span<std::uint8_t> record, std::size_t offset, std::size_t n,
                    const std::string& value);

} // namespace qv
