#include "base/decimal_text.h"

#include "base/errors.h"

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

namespace {
std::string trimmedBlanks(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}
} // namespace

bool parseSettingReal(const std::string& text, Extended& value) {
    std::string t = trimmedBlanks(text);
    if (t.empty()) return false;
    bool negative = false;
    if (t[0] == '+' || t[0] == '-') {
        negative = t[0] == '-';
        t.erase(0, 1);
    }
    if (t.empty() || !((t[0] >= '0' && t[0] <= '9') || t[0] == '.')) return false;
    Extended v = 0;
    const auto r = std::from_chars(t.data(), t.data() + t.size(), v, std::chars_format::general);
    if (r.ec != std::errc() || r.ptr != t.data() + t.size() || !std::isfinite(v)) return false;
    value = negative ? -v : v;
    return true;
}

bool isWritableCorr(Extended corr) {
    if (!std::isfinite(corr)) return false;
    const Extended size = std::fabs(corr);
    return corr == 0 || (size >= 1e-6L && size <= 1e6L);
}

std::string corrText(Extended corr) {
    if (corr == 0) return "+0";
    // Within the writable sizes the shortest fixed text has at most 7 digits
    // before the point and a few dozen after it.
    char buf[96];
    const auto r = isWritableCorr(corr) ? std::to_chars(buf, buf + sizeof buf, corr, std::chars_format::fixed)
                                        : std::to_chars_result{buf, std::errc::value_too_large};
    if (r.ec != std::errc{})
        throw ConversionError("Correzione oraria non scrivibile: " + generalText(corr, 6) +
                              " (ammessi 0 oppure valori da un milionesimo a un milione di ore)");
    std::string s(buf, r.ptr);
    for (char& c : s)
        if (c == '.') c = ',';
    return corr > 0 ? "+" + s : s;
}

std::optional<Extended> parseCorr(const std::string& text) {
    Extended v = 0;
    if (parseSettingReal(text, v)) return isWritableCorr(v) ? std::optional<Extended>(v) : std::nullopt;
    std::string comma = text;
    for (char& c : comma) {
        if (c == '.') return std::nullopt;  // a point and a comma: no number
        if (c == ',') c = '.';
    }
    if (parseSettingReal(comma, v) && isWritableCorr(v)) return v;
    return std::nullopt;
}

} // namespace qv
