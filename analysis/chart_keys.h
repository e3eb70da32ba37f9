// The chart in short keys: the point key list OpzioneT\PosiPian.txt (a
// planet in a sign, a house, a term, a decan, a decade, its mirror places,
// its major aspects) and the sign key list OpzioneT\PosiSegn.txt, and the
// attribution texts those keys select for a clicked planet or sign.
#pragma once

#include "settings/chart_settings.h"
#include "analysis/subdivisions.h"
#include "ephemeris/chart_state.h"

#include <string>
#include <vector>

namespace qv {

inline constexpr const char* kPointKeysPath = "OpzioneT\\PosiPian.txt";
inline constexpr const char* kSignKeysPath = "OpzioneT\\PosiSegn.txt";
inline constexpr const char* kPointTextsPath = "OpzioneT\\SpgPian.txt";
inline constexpr const char* kPointSpecificTextsPath = "OpzioneT\\SpgPianSpe.Txt";
inline constexpr const char* kSignTextsPath = "OpzioneT\\SpgSegni.txt";
inline constexpr const char* kSignSpecificTextsPath = "OpzioneT\\SpgSegnSpe.txt";

// The house of a longitude with every cusp moved 15° back, so that each
// house is centred on its cusp; 0 when no arc holds it.
int centredHouseOf(Extended longitude, const ChartState& chart);

// The keys of points 1–11, in the order of the list (a point without a
// decan has no decan key).
std::vector<std::string> pointKeys(const ChartState& chart, const Subdivisions& subdivisions, const OrbTable& orbs);
// The antiscion and contrantiscion keys of the twelve mid-sign places.
std::vector<std::string> signKeys();

// Writes both key lists.
void WriteChartKeys(const ChartState& chart, const Subdivisions& subdivisions, const OrbTable& orbs);

// The two memos of the attribution panel and their captions.
struct Attributions {
    std::string specificCaption;
    std::vector<std::string> specific;
    std::string generalCaption;
    std::vector<std::string> general;
};

// From the lines of the point key list, SpgPianSpe.Txt and SpgPian.txt.
Attributions pointAttributions(int point, const ChartState& chart, const std::vector<std::string>& keys,
                               const std::vector<std::string>& specificTexts,
                               const std::vector<std::string>& generalTexts);
// From the lines of the sign key list, SpgSegni.txt and SpgSegnSpe.txt.
Attributions signAttributions(int sign, const std::vector<std::string>& keys,
                              const std::vector<std::string>& generalTexts,
                              const std::vector<std::string>& specificTexts);

// The same reading the files of the data directory (IoError when one is
// missing).
Attributions ShowPointAttributions(int point, const ChartState& chart);
Attributions ShowSignAttributions(int sign);

} // namespace qv
