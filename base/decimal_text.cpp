#include "base/decimal_text.h"

#include <charconv>
#include <cmath>

namespace qv {

bool parseDecimal(const std::string& text, Extended& value) {
    if (text.empty()) return false;
    const char* first = text.data();
    const char* last = first + text.size();
    if (*first == '+') ++first; // from_chars takes a minus but not a plus
    if (first == last || *first == '+' || (*first == '-' && first != text.data())) return false;
    Extended v = 0;
    const auto [end, ec] = std::from_chars(first, last, v);
    if (ec != std::errc() || end != last || !std::isfinite(v)) return false;
    value = v;
    return true;
}

std::string scientificText(Extended value, int decimals) {
    char buf[128];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, decimals);
    return std::string(buf, r.ptr);
}

std::string generalText(Extended value, int significant) {
    char buf[128];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, significant);
    return std::string(buf, r.ptr);
}

} // namespace qv
