#include "timing/transit_orbs.h"

#include "base/data_dir.h"
#include "base/decimal_text.h"
#include "base/errors.h"
#include "base/text_file.h"
#include "ephemeris/chart_state.h"

#include <filesystem>

namespace qv::timing {

const std::array<const char*, kBodyClassCount> kBodyClassNames = {"Luminari", "Personali", "Sociali", "Lenti",
                                                                    "Nodo"};

BodyClass bodyClassOf(int body) {
    switch (body) {
    case kSun: case kMoon: return BodyClass::Luminaries;
    case kMercury: case kVenus: case kMars: return BodyClass::Personal;
    case kJupiter: case kSaturn: return BodyClass::Social;
    case kEphemerisNode: return BodyClass::Node;
    default: return BodyClass::Slow;
    }
}

TransitOrbs readTransitOrbs() {
    const std::filesystem::path file = dataDir().resolve(kTransitOrbsFile);
    TransitOrbs orbs;
    if (!std::filesystem::exists(file)) return orbs;
    const std::vector<std::string> lines = readTextLines(file, kTransitOrbsFile);
    for (std::size_t i = 0; i < orbs.degrees.size(); ++i) {
        Extended x = 0;
        if (i >= lines.size() || !parseSettingReal(lines[i], x) || !(x > 0 && x <= kLargestTransitOrb))
            throw ConversionError(std::string(kTransitOrbsFile) + ": la riga " + std::to_string(i + 1) +
                                  " non \xE8 un orbe tra 0 e 15 gradi");
        orbs.degrees[i] = x;
    }
    return orbs;
}

void writeTransitOrbs(const TransitOrbs& orbs) {
    std::vector<std::string> lines;
    for (Extended x : orbs.degrees) lines.push_back(generalText(x, 6));
    writeTextLines(dataDir().resolve(kTransitOrbsFile), lines, kTransitOrbsFile);
}

} // namespace qv::timing
