#include "base/cp1252.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace qv {

namespace {
// Code points of bytes 0x80..0x9F; 0 marks the five unassigned bytes.
constexpr char32_t kHigh[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t codePoint(unsigned char b) {
    if (b >= 0x80 && b < 0xA0) {
        char32_t cp = kHigh[b - 0x80];
        return cp ? cp : b; // unassigned bytes map to the C1 control of the same value
    }
    return b;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Precomposed letters of Windows-1252 from a base letter and a combining
// mark: for each mark, the bases and the letters they make, in order.
struct Composition {
    char32_t mark;
    const char* bases;
    char32_t composed[12];
};
constexpr Composition kCompositions[] = {
    {0x0300, "AEIOUaeiou", {0xC0, 0xC8, 0xCC, 0xD2, 0xD9, 0xE0, 0xE8, 0xEC, 0xF2, 0xF9}},
    {0x0301, "AEIOUYaeiouy", {0xC1, 0xC9, 0xCD, 0xD3, 0xDA, 0xDD, 0xE1, 0xE9, 0xED, 0xF3, 0xFA, 0xFD}},
    {0x0302, "AEIOUaeiou", {0xC2, 0xCA, 0xCE, 0xD4, 0xDB, 0xE2, 0xEA, 0xEE, 0xF4, 0xFB}},
    {0x0303, "ANOano", {0xC3, 0xD1, 0xD5, 0xE3, 0xF1, 0xF5}},
    {0x0308, "AEIOUYaeiouy", {0xC4, 0xCB, 0xCF, 0xD6, 0xDC, 0x178, 0xE4, 0xEB, 0xEF, 0xF6, 0xFC, 0xFF}},
    {0x030A, "Aa", {0xC5, 0xE5}},
    {0x0327, "Cc", {0xC7, 0xE7}},
    {0x030C, "SZsz", {0x160, 0x17D, 0x161, 0x17E}},
};

char32_t composed(char32_t base, char32_t mark) {
    for (const Composition& c : kCompositions) {
        if (c.mark != mark) continue;
        for (int i = 0; c.bases[i]; ++i)
            if (static_cast<char32_t>(c.bases[i]) == base) return c.composed[i];
    }
    return 0;
}

// The UTF-8 sequence at `i`: its code point and length, or length 0 when
// the bytes there are no (shortest-form) sequence of a character.
std::pair<char32_t, std::size_t> utf8At(const std::string& s, std::size_t i) {
    const auto b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) return {b, 1};
    std::size_t extra = 0;
    char32_t cp = 0;
    if ((b & 0xE0) == 0xC0) { cp = b & 0x1F; extra = 1; }
    else if ((b & 0xF0) == 0xE0) { cp = b & 0x0F; extra = 2; }
    else if ((b & 0xF8) == 0xF0) { cp = b & 0x07; extra = 3; }
    else return {0, 0};
    if (i + extra >= s.size()) return {0, 0};
    for (std::size_t k = 1; k <= extra; ++k) {
        const auto c = static_cast<unsigned char>(s[i + k]);
        if ((c & 0xC0) != 0x80) return {0, 0};
        cp = (cp << 6) | (c & 0x3F);
    }
    static const char32_t least[] = {0, 0x80, 0x800, 0x10000};
    if (cp < least[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return {0, 0};
    return {cp, extra + 1};
}

bool hasByte(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return true;
    for (char32_t h : kHigh)
        if (h == cp) return true;
    return false;
}

char byteFor(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == cp) return static_cast<char>(0x80 + i);
    if (cp >= 0x80 && cp < 0xA0) return static_cast<char>(cp);
    return '?';
}
} // namespace

std::string cp1252ToUtf8(const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (unsigned char b : bytes) appendUtf8(out, codePoint(b));
    return out;
}

std::string utf8ToCp1252(const std::string& utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        char32_t cp = 0;
        int extra = 0;
        if (b < 0x80) { cp = b; }
        else if ((b & 0xE0) == 0xC0) { cp = b & 0x1F; extra = 1; }
        else if ((b & 0xF0) == 0xE0) { cp = b & 0x0F; extra = 2; }
        else if ((b & 0xF8) == 0xF0) { cp = b & 0x07; extra = 3; }
        else { out += '?'; ++i; continue; }
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            if (i + k >= utf8.size() || (static_cast<unsigned char>(utf8[i + k]) & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        }
        if (!ok) { out += '?'; ++i; continue; }
        out += byteFor(cp);
        i += extra + 1;
    }
    return out;
}

char upperCase1252(char c) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 'a' && b <= 'z') return static_cast<char>(b - 32);
    // Latin-1 letters à..þ except ÷ (0xF7) map 32 below; ÿ → Ÿ, š → Š, œ → Œ, ž → Ž.
    if (b >= 0xE0 && b <= 0xFE && b != 0xF7) return static_cast<char>(b - 32);
    switch (b) {
    case 0xFF: return static_cast<char>(0x9F);
    case 0x9A: return static_cast<char>(0x8A);
    case 0x9C: return static_cast<char>(0x8C);
    case 0x9E: return static_cast<char>(0x8E);
    default: return c;
    }
}

std::string upperCase1252(const std::string& text) {
    std::string out = text;
    for (char& c : out) c = upperCase1252(c);
    return out;
}

std::optional<std::string> typedTextToCp1252(const std::string& utf8, std::string* offending) {
    std::vector<char32_t> points;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto [cp, length] = utf8At(utf8, i);
        if (length == 0) {
            if (offending) *offending = "byte " + std::to_string(static_cast<unsigned char>(utf8[i])) + " (non UTF-8)";
            return std::nullopt;
        }
        if (const char32_t joined = points.empty() ? 0 : composed(points.back(), cp))
            points.back() = joined;
        else
            points.push_back(cp);
        i += length;
    }
    std::string out;
    out.reserve(points.size());
    for (char32_t cp : points) {
        if (!hasByte(cp)) {
            if (offending) {
                offending->clear();
                appendUtf8(*offending, cp);
            }
            return std::nullopt;
        }
        out += byteFor(cp);
    }
    return out;
}

std::string controlCharacterIn(const std::string& cp1252) {
    for (unsigned char c : cp1252) {
        if (c == '\n' || c == '\r') return "a capo";
        if (c == '\t') return "tabulazione";
        if (c == 0x1B) return "ESC";
        if (c < 0x20 || c == 0x7F) return "codice " + std::to_string(c);
    }
    return {};
}

std::string mixedToUtf8(const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const auto [cp, length] = utf8At(bytes, i);
        if (length > 1) {
            out.append(bytes, i, length);
            i += length;
        } else {
            appendUtf8(out, codePoint(static_cast<unsigned char>(bytes[i])));
            ++i;
        }
    }
    return out;
}

} // namespace qv
