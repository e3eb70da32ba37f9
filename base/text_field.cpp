#include "base/text_field.h"

#include <algorithm>
#include <stdexcept>

namespace qv {

namespace {
void checkBounds(std::size_t size, std::size_t offset, std::size_t n) {
    if (offset + 1 + n > size) throw std::out_of_range("text field past the end of its record");
}
} // namespace

std::string readTextField(std::span<const std::uint8_t> record, std::size_t offset, std::size_t n) {
    checkBounds(record.size(), offset, n);
    const std::size_t len = std::min<std::size_t>(record[offset], n);
    return std::string(reinterpret_cast<const char*>(record.data() + offset + 1), len);
}

void writeTextField(std::span<std::uint8_t> record, std::size_t offset, std::size_t n,
                    const std::string& value) {
    checkBounds(record.size(), offset, n);
    const std::size_t len = std::min(value.size(), n);
    record[offset] = static_cast<std::uint8_t>(len);
    std::copy_n(reinterpret_cast<const std::uint8_t*>(value.data()), len, record.begin() + offset + 1);
    std::fill(record.begin() + offset + 1 + len, record.begin() + offset + 1 + n, 0);
}

} // namespace qv
