#include "analysis/subdivisions.h"

#include "analysis/chart_codes.h"
#include "base/data_dir.h"
#include "ephemeris/angles.h"
#include "ephemeris/text_forms.h"

namespace qv {

namespace {

// Sector s (2 … n) runs from bounds[s − 1] to bounds[s], sector 1 from
// bounds[n] to bounds[1]; a point belongs to a sector when its forward
// distance from the start does not exceed the sector's forward width. The
// sectors are tried in the order 2 … n, 1 and the last that holds wins.
int lastContainingSector(Extended lambda, const std::vector<Extended>& bounds) {
    const int n = static_cast<int>(bounds.size()) - 1;
    auto contains = [lambda](Extended start, Extended end) {
        Extended width = end - start;
        if (width < 0) width += 360.0L;
        Extended distance = lambda - start;
        if (distance < 0) distance += 360.0L;
        return distance <= width;
    };
    int found = 0;
    for (int s = 2; s <= n; ++s)
        if (contains(bounds[s - 1], bounds[s])) found = s;
    if (contains(bounds[n], bounds[1])) found = 1;
    return found;
}

std::string twoDigits(int n) { return ZeroPad(n, 2); }

} // namespace

int termOf(Extended longitude, Extended ascendant) {
    std::vector<Extended> bounds(61);
    for (int k = 1; k <= 60; ++k) {
        Extended b = ascendant - 15.0L + 6.0L * k;
        if (b < 0) b += 360.0L;
        if (b > 360.0L) b -= 360.0L;
        bounds[k] = b;
    }
    return lastContainingSector(longitude, bounds);
}

int decadeOf(Extended longitude) {
    std::vector<Extended> bounds(37);
    for (int k = 1; k <= 36; ++k) bounds[k] = 10.0L * k;
    return lastContainingSector(longitude, bounds);
}

int decanOf(Extended longitude) {
    for (int i = 1; i <= 36; ++i)
        if (10.0L * (i - 1) < longitude && longitude < 10.0L * i) return i;
    return 0;
}

Extended dodecatemoryOf(Extended longitude) { return Norm360(longitude + 12.0L * Norm30(longitude)); }
Extended Antiscion(Extended longitude) { return Norm360(360.0L - longitude); }
Extended Contrantiscion(Extended longitude) { return Norm360(180.0L - longitude); }

Subdivisions subdivisionsOf(const std::array<Extended, 12>& longitudes, Extended asc) {
    Subdivisions s;
    for (int p = 1; p <= kTraditionalPoints; ++p) {
        const Extended lambda = longitudes[p];
        s.term[p] = termOf(lambda, asc);
        s.decade[p] = decadeOf(lambda);
        s.termKey[p] = std::string(kPointCodes4[p]) + twoDigits(s.term[p]);
        s.decadeKey[p] = std::string(kPointCodes2[p]) + twoDigits(s.decade[p]);
        const int decan = decanOf(lambda);
        s.decanKey[p] = decan == 0 ? std::string() : std::string(kPointAbbreviations[p]) + "Dec" + twoDigits(decan);
    }
    return s;
}

Subdivisions ComputeSubdivisions(const ChartState& chart) {
    std::array<Extended, 12> longitudes{};
    for (int p = 1; p <= kTraditionalPoints; ++p) longitudes[p] = chart.longitude[p];
    return subdivisionsOf(longitudes, chart.cusp[1]);
}

Dodecatemories ComputeDodecatemories(const ChartState& chart) {
    Dodecatemories d;
    for (int p = 1; p <= kTraditionalPoints; ++p) {
        d.longitude[p] = dodecatemoryOf(chart.longitude[p]);
        d.sign[p] = signOf(d.longitude[p]);
    }
    d.subdivisions = subdivisionsOf(d.longitude, chart.cusp[1]);
    return d;
}

namespace {

// The text part (characters 22 to 91) of the first line whose key part is
// `key`, or nothing.
bool findText(const std::string& key, const std::vector<std::string>& lines, std::string& text) {
    if (key.empty()) return false;
    for (const std::string& line : lines) {
        if (line.compare(0, key.size(), key) == 0 && line.size() >= key.size()) {
            text = line.size() > 21 ? line.substr(21, 70) : std::string();
            return true;
        }
    }
    return false;
}

void addSection(std::vector<std::string>& out, const std::array<std::string, 12>& keys,
                const std::vector<std::string>& lines) {
    for (int p = 1; p <= kTraditionalPoints; ++p) {
        std::string text;
        if (findText(keys[p], lines, text)) out.push_back(text);
    }
}

} // namespace

std::vector<std::string> ListSubdivisionTexts(SubdivisionList kind, const Subdivisions& s,
                                              const std::vector<std::string>& lines) {
    const bool points = kind == SubdivisionList::Points;
    std::vector<std::string> out;
    out.push_back(points ? "PIANETI NEI TERMINI" : "DODECATEMORIE NEI TERMINI");
    addSection(out, s.termKey, lines);
    out.push_back("  ");
    out.push_back(points ? "PIANETI NEI DECANI" : "DODECATEMORIE NEI DECANI");
    addSection(out, s.decanKey, lines);
    out.push_back("    ");
    out.push_back(points ? "PIANETI NELLE DECADI" : "DODECATEMORIE NELLE DECADI");
    addSection(out, s.decadeKey, lines);
    return out;
}

std::vector<std::string> readSpecificPointTexts() {
    const char* path = "OpzioneT\\SpgPianSpe.Txt";
    return readDataTextLines(path);
}

const std::array<std::array<int, 2>, 6> kAntisciaPairs = {{{12, 1}, {11, 2}, {10, 3}, {9, 4}, {8, 5}, {7, 6}}};
const std::array<std::array<int, 2>, 6> kContrantisciaPairs = {{{4, 3}, {5, 2}, {6, 1}, {7, 12}, {8, 11}, {9, 10}}};
const std::array<std::array<int, 4>, 3> kMirrorQuartets = {{{12, 1, 6, 7}, {3, 4, 9, 10}, {2, 5, 8, 11}}};

} // namespace qv
