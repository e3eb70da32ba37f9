#include "remedies/list_order.h"

#include <algorithm>
#include <cstdint>
#include <numeric>

namespace qv::remedies {

namespace {

// The plain letter of a Windows-1252 byte ('a'..'z'), or 0 for a non-letter.
char plainLetter(unsigned char c) {
    if (c >= 'a' && c <= 'z') return static_cast<char>(c);
    if (c >= 'A' && c <= 'Z') return static_cast<char>(c - 'A' + 'a');
    switch (c) {
    case 0x8A: case 0x9A: return 's';  // Š š
    case 0x8C: case 0x9C: return 'o';  // Œ œ
    case 0x8E: case 0x9E: return 'z';  // Ž ž
    case 0x9F: case 0xDD: case 0xFD: case 0xFF: return 'y';
    case 0xC7: case 0xE7: return 'c';
    case 0xD0: case 0xF0: return 'd';
    case 0xD1: case 0xF1: return 'n';
    case 0xDF: return 's';             // ß
    case 0xDE: case 0xFE: return 't';  // Þ þ
    default: break;
    }
    if ((c >= 0xC0 && c <= 0xC6) || (c >= 0xE0 && c <= 0xE6)) return 'a';
    if ((c >= 0xC8 && c <= 0xCB) || (c >= 0xE8 && c <= 0xEB)) return 'e';
    if ((c >= 0xCC && c <= 0xCF) || (c >= 0xEC && c <= 0xEF)) return 'i';
    if ((c >= 0xD2 && c <= 0xD6) || c == 0xD8 || (c >= 0xF2 && c <= 0xF6) || c == 0xF8) return 'o';
    if ((c >= 0xD9 && c <= 0xDC) || (c >= 0xF9 && c <= 0xFC)) return 'u';
    return 0;
}

bool upper(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return true;
    if (c == 0x8A || c == 0x8C || c == 0x8E || c == 0x9F) return true;
    return c >= 0xC0 && c <= 0xDE && c != 0xD7 && c != 0xDF;
}

// First level: blanks and controls, then punctuation and symbols, then
// digits, then letters. Every weight is at least 1, so the 0 that ends a
// level sorts a text before any longer text that begins with it.
std::uint8_t primaryWeight(unsigned char c) {
    if (const char letter = plainLetter(c)) return static_cast<std::uint8_t>(0xD0 + (letter - 'a'));
    if (c >= '0' && c <= '9') return static_cast<std::uint8_t>(0xC0 + (c - '0'));
    if (c <= 0x20) return static_cast<std::uint8_t>(c + 1);
    if (c < 0x80) return static_cast<std::uint8_t>(0x22 + (c - 0x21)); // ASCII punctuation: 0x22..0x7F
    if (c < 0xC0) return c;                                            // other symbols: 0x80..0xBF
    return 0xBF;                                                       // × ÷
}

// Second level: the plain letter before its accented forms.
std::uint8_t accentWeight(unsigned char c) {
    if (c < 0x80 || !plainLetter(c)) return 1;
    return static_cast<std::uint8_t>(2 + (c & 0x7F));
}

} // namespace

std::string listOrderKey(const std::string& text) {
    std::string key;
    key.reserve(text.size() * 4 + 3);
    for (unsigned char c : text) key += static_cast<char>(primaryWeight(c));
    key += '\0';
    for (unsigned char c : text) key += static_cast<char>(accentWeight(c));
    key += '\0';
    for (unsigned char c : text) key += static_cast<char>(upper(c) ? 2 : 1);
    key += '\0';
    key += text;
    return key;
}

bool listOrderLess(const std::string& a, const std::string& b) {
    // Keys compare as unsigned bytes.
    const std::string ka = listOrderKey(a), kb = listOrderKey(b);
    return std::lexicographical_compare(ka.begin(), ka.end(), kb.begin(), kb.end(), [](char x, char y) {
        return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    });
}

void sortInListOrder(std::vector<std::string>& texts) {
    std::vector<std::string> keys(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) keys[i] = listOrderKey(texts[i]);
    std::vector<std::size_t> order(texts.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    // std::string compares through char_traits<char>, which orders bytes as unsigned.
    std::sort(order.begin(), order.end(), [&](std::size_t x, std::size_t y) { return keys[x] < keys[y]; });
    std::vector<std::string> sorted;
    sorted.reserve(texts.size());
    for (std::size_t i : order) sorted.push_back(std::move(texts[i]));
    texts = std::move(sorted);
}

void dropRepeats(std::vector<std::string>& texts) {
    texts.erase(std::unique(texts.begin(), texts.end()), texts.end());
}

} // namespace qv::remedies
