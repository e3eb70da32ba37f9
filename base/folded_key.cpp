#include "base/folded_key.h"

#include <array>

namespace qv {

namespace {

// What each byte becomes in a key: letters and digits their folded
// spelling (one or two letters), separators the marker kSeparator.
constexpr char kSeparator = ' ';

struct Fold {
    char first = kSeparator;
    char second = 0;
};

constexpr std::array<Fold, 256> makeFolds() {
    std::array<Fold, 256> folds{};
    for (int c = '0'; c <= '9'; ++c) folds[c] = {static_cast<char>(c), 0};
    for (int c = 'a'; c <= 'z'; ++c) folds[c] = {static_cast<char>(c), 0};
    for (int c = 'A'; c <= 'Z'; ++c) folds[c] = {static_cast<char>(c - 'A' + 'a'), 0};
    // Letters of 0x80..0x9F: Š Œ Ž š œ ž Ÿ, and the modifier circumflex
    // and small tilde, which are signs.
    folds[0x8A] = {'s', 0};
    folds[0x8C] = {'o', 'e'};
    folds[0x8E] = {'z', 0};
    folds[0x9A] = {'s', 0};
    folds[0x9C] = {'o', 'e'};
    folds[0x9E] = {'z', 0};
    folds[0x9F] = {'y', 0};
    // 0xC0..0xFF: accented letters; × and ÷ are signs.
    // Æ, Þ and ß hold a place here and are spelled out below.
    constexpr const char* kUpper = "aaaaaa" "a" "c" "eeee" "iiii" "dn" "ooooo" "\0" "o" "uuuu" "y" "\0" "\0";
    for (int i = 0; i < 32; ++i) {
        const char base = kUpper[i];
        if (base) {
            folds[0xC0 + i] = {base, 0};
            folds[0xE0 + i] = {base, 0};
        }
    }
    folds[0xC6] = {'a', 'e'}; // Æ
    folds[0xE6] = {'a', 'e'}; // æ
    folds[0xDE] = {'t', 'h'}; // Þ
    folds[0xFE] = {'t', 'h'}; // þ
    folds[0xDF] = {'s', 's'}; // ß
    folds[0xFF] = {'y', 0};   // ÿ
    return folds;
}

constexpr std::array<Fold, 256> kFolds = makeFolds();

} // namespace

std::string foldedKey(std::string_view cp1252Text) {
    std::string key;
    key.reserve(cp1252Text.size());
    bool pendingBlank = false;
    for (char ch : cp1252Text) {
        const Fold& f = kFolds[static_cast<unsigned char>(ch)];
        if (f.first == kSeparator) {
            pendingBlank = !key.empty();
            continue;
        }
        if (pendingBlank) {
            key += ' ';
            pendingBlank = false;
        }
        key += f.first;
        if (f.second) key += f.second;
    }
    return key;
}

} // namespace qv
