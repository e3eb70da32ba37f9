#include "archive/place_search.h"

#include <algorithm>
#include <array>

namespace qv::atlas {

namespace {

std::array<unsigned char, 256> makeNormalisation() {
    std::array<unsigned char, 256> t{};
    for (int b = 0; b < 256; ++b) t[static_cast<std::size_t>(b)] = static_cast<unsigned char>(b);
    auto set = [&](int b, char c) { t[static_cast<std::size_t>(b)] = static_cast<unsigned char>(c); };
    for (int b = 0xE0; b <= 0xE6; ++b) set(b, 'a');              // à..æ
    for (int b : {0xF2, 0xF3, 0xF4, 0xF6, 0xF8}) set(b, 'o');    // ò ó ô ö ø
    set(0xDF, 's');                                              // ß
    for (int b = 0xF9; b <= 0xFC; ++b) set(b, 'u');              // ù..ü
    for (int b = 0xE8; b <= 0xEB; ++b) set(b, 'e');              // è..ë
    for (int b = 0xEC; b <= 0xEF; ++b) set(b, 'i');              // ì..ï
    set(0xF1, 'n');                                              // ñ
    set(0xE7, 'c');                                              // ç
    for (auto& c : t)
        if (c >= 'a' && c <= 'z') c = static_cast<unsigned char>(c - 32);
    for (int b : {0xC1, 0xC2, 0xC4, 0xC5, 0xC6}) set(b, 'A');    // Á Â Ä Å Æ
    for (int b : {0xD3, 0xD4, 0xD6, 0xD8}) set(b, 'O');          // Ó Ô Ö Ø
    for (int b : {0xDC, 0xDA}) set(b, 'U');                      // Ü Ú
    for (int b = 0xCD; b <= 0xCF; ++b) set(b, 'I');              // Í..Ï
    for (int b : {0xC8, 0xC9, 0xCB}) set(b, 'E');                // È É Ë
    set(0xC7, 'C');                                              // Ç
    set('-', ' ');
    set('(', ' ');
    return t;
}

const std::array<unsigned char, 256> kNormalisation = makeNormalisation();

// Byte-by-byte comparison as unsigned values; a text that prefixes a longer
// one sorts first.
bool greaterThan(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), [](char x, char y) {
        return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    });
}

} // namespace

std::string normalisePlaceName(const std::string& text) {
    std::string out = text;
    for (char& c : out) c = static_cast<char>(kNormalisation[static_cast<unsigned char>(c)]);
    if (!out.empty() && out.front() == '\'') out.erase(out.begin());
    return out;
}

LocateResult locatePlace(const PlaceTable& table, const std::string& prefix) {
    LocateResult result;
    const std::int64_t n = table.count();
    if (n == 0) return result;
    const std::string probe = normalisePlaceName(prefix) + std::string(25, '!');
    const bool normalised = table.archive() == PlaceArchive::Estero;
    std::int64_t lo = 1, hi = n;
    for (int step = 0; step < 100; ++step) {
        result.position = (lo + hi) / 2;
        result.entry = table.read(result.position);
        const std::string key = normalised ? normalisePlaceName(result.entry.name) : result.entry.name;
        if (greaterThan(probe, key))
            lo = result.position;
        else
            hi = result.position;
        if (lo <= 0) lo = 1;
    }
    return result;
}

std::int64_t clampListPosition(std::int64_t position, std::int64_t count) {
    return std::max<std::int64_t>(4, std::min(position, count - 4));
}

std::string placeListText(const Place& place) {
    std::string text = place.name;
    if (text.size() < 32) text.resize(32, ' ');
    text += place.state;
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

std::vector<PlaceListLine> placeListAround(const PlaceTable& table, std::int64_t position) {
    const std::int64_t p = clampListPosition(position, table.count());
    std::vector<PlaceListLine> lines;
    for (std::int64_t k = p - 3; k <= p + 3; ++k)
        if (k >= 1 && k <= table.count()) lines.push_back({k, placeListText(table.read(k))});
    return lines;
}

} // namespace qv::atlas
