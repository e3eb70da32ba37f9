// The short codes and names by which the analyses write the chart points,
// the signs and the houses, and the colours their lines are shown in.
// Points are those of the traditional layout (1 Sole … 11 Medium Coeli),
// signs 1 Ariete … 12 Pesci; index 0 of every table is unused.
#pragma once

#include <array>
#include <string>

namespace qv {

inline constexpr int kTraditionalPoints = 11;  // Sole … Medium Coeli
inline constexpr int kPlanets = 7;             // Sole … Saturno

// Point codes.
extern const std::array<const char*, 12> kPointCodes4;      // "Sole", … "Mcie"
extern const std::array<const char*, 12> kPointCodes2;      // key codes "SO", … "MC"
extern const std::array<const char*, 12> kPointTextCodes;   // text codes "So", … "Mc"
extern const std::array<const char*, 12> kPointUpperNames;  // "SOLE", … "MEDIOCIELO"

// Sign codes.
extern const std::array<const char*, 13> kSignCodes4;       // "Arie", … "Pesc"
// Two-letter sign codes of the sign key list and of the sign texts; the
// same code serves both, so that every sign's specific texts are found.
extern const std::array<const char*, 13> kSignCodes2;       // "Ar", … "Aq", "Pe"
extern const std::array<const char*, 13> kSignUpperNames;   // "ARIETE    ", ten characters

// House codes "Prim", … "Dodi".
extern const std::array<const char*, 13> kHouseCodes;

// Planet names "Sole" … "Saturno" (1–7) and their two phrases.
extern const std::array<const char*, 8> kPlanetNames;
extern const std::array<const char*, 8> kGovernedByPhrases;  // "dal Sole", …
extern const std::array<const char*, 8> kOfPhrases;          // "del Sole", …

// Domiciles of the seven planets (sign numbers; 0 where a planet has one).
extern const std::array<std::array<int, 2>, 8> kDomiciles;
// The planet whose domicile a sign is.
int signRuler(int sign);

// Colours of the analyses' texts, marks and lines.
enum class TextColour { Grey, White, Red, Aqua, Yellow, Blue, Green };
const char* colourName(TextColour colour);  // "grey", "white", …

struct ColouredLine {
    std::string text;
    TextColour colour = TextColour::White;
};

} // namespace qv
