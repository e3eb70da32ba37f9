#include "analysis/chart_keys.h"

#include "analysis/aspects.h"
#include "analysis/chart_codes.h"
#include "base/data_dir.h"
#include "base/text_file.h"
#include "ephemeris/angles.h"
#include "ephemeris/text_forms.h"

namespace qv {

namespace {

const char* aspectCode(Aspect a) {
    switch (a) {
    case Aspect::Conjunction: return "Co";
    case Aspect::Sextile: return "Se";
    case Aspect::Square: return "Qu";
    case Aspect::Trine: return "Tr";
    case Aspect::Opposition: return "Op";
    default: return "";
    }
}


std::string part(const std::string& line, std::size_t from, std::size_t count) {
    return line.size() > from ? line.substr(from, count) : std::string();
}

bool startsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

bool at(const std::string& text, std::size_t index, const char* code) {
    return text.size() >= index + 2 && text.compare(index, 2, code) == 0;
}

// An eight-character key belongs to the point whose four- or three-letter
// code begins it (SoleArie, SolePrim, SolDec05, SolAnPes), and an aspect
// key also to the point whose three-letter code ends it (GioTrSol). Matching
// the two-letter text code at places 1 and 6 instead would give the nodes
// none of their keys (NNorArie, NonAnPes) and hand a mirror-place key to the
// planet whose code happens to stand in the sign (SolAnVer to Venere).
bool eightLetterKeyOf(const std::string& key, int point) {
    const auto p = static_cast<std::size_t>(point);
    if (key.size() != 8) return false;
    if (startsWith(key, kPointCodes4[p]) || startsWith(key, kPointAbbreviations[p])) return true;
    static const std::string aspectCodes = "CoSeQuTrOp";
    const std::string middle = key.substr(3, 2);
    const bool aspect = aspectCodes.find(middle) != std::string::npos && aspectCodes.find(middle) % 2 == 0;
    return aspect && key.compare(5, 3, kPointAbbreviations[p]) == 0;
}

} // namespace

int centredHouseOf(Extended longitude, const ChartState& chart) {
    Extended cusps[14] = {};
    for (int i = 1; i <= 12; ++i) {
        Extended c = chart.cusp[static_cast<std::size_t>(i)] - 15.0L;
        if (c < 0) c += 360.0L;
        cusps[i] = c;
    }
    Extended longitudes[2] = {0, longitude};
    std::uint8_t houses[2] = {0, 0};
    housesOfPoints(1, longitudes, cusps, houses);
    return houses[1];
}

std::vector<std::string> pointKeys(const ChartState& chart, const Subdivisions& s, const OrbTable& orbs) {
    std::vector<std::string> keys;
    const auto lambda = [&](int p) { return chart.longitude[static_cast<std::size_t>(p)]; };
    for (int p = 1; p <= kTraditionalPoints; ++p)
        keys.push_back(std::string(kPointCodes4[p]) + kSignCodes4[static_cast<std::size_t>(signOf(lambda(p)))]);
    for (int p = 1; p <= kTraditionalPoints; ++p) {
        const int house = centredHouseOf(lambda(p), chart);
        if (house != 0) keys.push_back(std::string(kPointCodes4[p]) + kHouseCodes[static_cast<std::size_t>(house)]);
    }
    for (int p = 1; p <= kTraditionalPoints; ++p) keys.push_back(s.termKey[static_cast<std::size_t>(p)]);
    for (int p = 1; p <= kTraditionalPoints; ++p)
        if (!s.decanKey[static_cast<std::size_t>(p)].empty()) keys.push_back(s.decanKey[static_cast<std::size_t>(p)]);
    for (int p = 1; p <= kTraditionalPoints; ++p) keys.push_back(s.decadeKey[static_cast<std::size_t>(p)]);
    for (int p = 1; p <= kTraditionalPoints; ++p)
        if (lambda(p) > 0 && lambda(p) < 360)
            keys.push_back(std::string(kPointAbbreviations[p]) + "An" +
                           kSignAbbreviations[static_cast<std::size_t>(signOf(360.0L - lambda(p)))]);
    for (int p = 1; p <= kTraditionalPoints; ++p)
        if (lambda(p) > 0 && lambda(p) < 360)
            keys.push_back(std::string(kPointAbbreviations[p]) + "Ca" +
                           kSignAbbreviations[static_cast<std::size_t>(signOf(Norm360(360.0L - lambda(p) + 180.0L)))]);
    for (int i = 1; i <= 9; ++i)
        for (int j = i + 1; j <= kTraditionalPoints; ++j) {
            const AspectMatch m = ClassifyMajorAspect(AngularSeparation(lambda(i), lambda(j)), orbs);
            if (m.aspect != Aspect::None)
                keys.push_back(std::string(kPointAbbreviations[i]) + aspectCode(m.aspect) + kPointAbbreviations[j]);
        }
    return keys;
}

std::vector<std::string> signKeys() {
    std::vector<std::string> keys;
    for (int k = 1; k <= 12; ++k) {
        const Extended s = 15.0L + 30.0L * (k - 1);
        keys.push_back(std::string(kSignCodes2[static_cast<std::size_t>(k)]) + "An" +
                       kSignAbbreviations[static_cast<std::size_t>(signOf(360.0L - s))]);
    }
    for (int k = 1; k <= 12; ++k) {
        const Extended s = 15.0L + 30.0L * (k - 1);
        keys.push_back(std::string(kSignCodes2[static_cast<std::size_t>(k)]) + "Ca" +
                       kSignAbbreviations[static_cast<std::size_t>(signOf(Norm360(360.0L - s + 180.0L)))]);
    }
    return keys;
}

void WriteChartKeys(const ChartState& chart, const Subdivisions& subdivisions, const OrbTable& orbs) {
    writeTextLines(dataDir().prepareForWrite(kPointKeysPath), pointKeys(chart, subdivisions, orbs), kPointKeysPath);
    writeTextLines(dataDir().prepareForWrite(kSignKeysPath), signKeys(), kSignKeysPath);
}

Attributions pointAttributions(int point, const ChartState& chart, const std::vector<std::string>& keys,
                               const std::vector<std::string>& specificTexts,
                               const std::vector<std::string>& generalTexts) {
    const auto p = static_cast<std::size_t>(point);
    const char* textCode = kPointTextCodes[p];
    Attributions a;
    a.specificCaption = "ATTRIBUZIONI SPECIFICHE al PIANETA";
    a.generalCaption = "ATTRIBUZIONI GENERALI al PIANETA";
    const Extended lambda = chart.longitude[p];
    a.specific.push_back(std::string(kPointUpperNames[p]) + "  " +
                         LongitudeWithSign(std::string(1, chart.retroMark[p] == 0 ? ' ' : chart.retroMark[p]), lambda));
    for (const std::string& key : keys) {
        for (const std::string& line : specificTexts) {
            // The key part of a line is eight characters; a "Mcie" line
            // whose seventh character is blank has a six-character key.
            std::string lineKey = line.substr(0, 8);
            if (startsWith(lineKey, "Mcie") && lineKey.size() >= 7 && lineKey[6] == ' ') lineKey.resize(6);
            const bool ownKey = key.size() == 8 ? eightLetterKeyOf(key, point) : at(key, 0, textCode);
            if (key == lineKey && ownKey) {
                a.specific.push_back(part(line, 21, 60));
                break;
            }
            if (key == line.substr(0, 6) && startsWith(key, kPointCodes4[p])) {
                a.specific.push_back(part(line, 21, 80));
                break;
            }
            if (key == line.substr(0, 4) && startsWith(key, kPointCodes2[p])) {
                a.specific.push_back(part(line, 21, 80));
                break;
            }
        }
    }
    a.specific.push_back(std::string("Dodecatemorie ") + kPointUpperNames[p] + " = " +
                         LongitudeWithSign(" ", dodecatemoryOf(lambda)));
    for (const std::string& line : generalTexts)
        if (at(line, 0, textCode)) a.general.push_back(part(line, 3, 80));
    return a;
}

Attributions signAttributions(int sign, const std::vector<std::string>& keys,
                              const std::vector<std::string>& generalTexts,
                              const std::vector<std::string>& specificTexts) {
    const auto k = static_cast<std::size_t>(sign);
    const char* code = kSignCodes2[k];
    Attributions a;
    a.specificCaption = "ATTRIBUZIONI SPECIFICHE al SEGNO";
    a.generalCaption = "ATTRIBUZIONI GENERALI al SEGNO";
    a.specific.push_back(kSignUpperNames[k]);
    a.general.push_back(kSignUpperNames[k]);
    for (const std::string& line : generalTexts)
        if (at(line, 0, code)) a.general.push_back(part(line, 3, 80));
    for (const std::string& key : keys) {
        if (!at(key, 0, code)) continue;
        for (const std::string& line : specificTexts)
            if (line.compare(0, 7, key) == 0 && key.size() == 7) a.general.push_back(part(line, 20, 50));
    }
    return a;
}

Attributions ShowPointAttributions(int point, const ChartState& chart) {
    return pointAttributions(point, chart, readDataTextLines(kPointKeysPath), readDataTextLines(kPointSpecificTextsPath),
                             readDataTextLines(kPointTextsPath));
}

Attributions ShowSignAttributions(int sign) {
    return signAttributions(sign, readDataTextLines(kSignKeysPath), readDataTextLines(kSignTextsPath), readDataTextLines(kSignSpecificTextsPath));
}

} // namespace qv
