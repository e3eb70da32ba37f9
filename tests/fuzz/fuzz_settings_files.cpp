// The settings files, text the user or an old copy of the program may have
// left in any state: FileSet\MMVarLas.stt (display and printer settings),
// FileSet\OrbiDomi.stt (the settings in force), FileDum\MMVarOrb.dum (the
// orb sets) and FileTmp\Personal.Tmp (the practitioner's name). The first
// input byte chooses the file, the rest is its content. Each reader either
// gives values inside their ranges or stops with a message.
#include "settings/chart_settings.h"
#include "settings/display_settings.h"
#include "base/text_file.h"
#include "tests/fuzz/data_fuzz_support.h"

#include <cmath>
#include <cstdlib>

using namespace qv;

namespace {

const char* const kFiles[] = {kDisplaySettingsPath, kActiveSettingsPath, kOrbSetsPath, kPractitionerPath};

void readChosen(std::size_t file) {
    switch (file) {
    case 0: {
        const DisplaySettings s = readDisplaySettings();
        // A value outside its range must have been refused, never taken.
        if (!(s.lineThickness >= 0.5L && s.lineThickness <= 4.0L) || !(s.scaleX >= 0.8L && s.scaleX <= 1.2L) ||
            !(s.scaleY >= 0.8L && s.scaleY <= 1.2L) || (s.printerAdapted != 0 && s.printerAdapted != 1))
            std::abort();
        (void)calendarReformSetting();
        break;
    }
    case 1: (void)readActiveSettingsFile(); break;
    case 2: (void)readOrbSetsFile(); break;
    default: (void)readPractitionerName().shown(); break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    fuzz::dataDirWith({});
    const std::size_t file = data[0] % 4;
    fuzz::withDataFile(kFiles[file], data + 1, size - 1, [file] { readChosen(file); });
    return 0;
}

std::vector<std::string> qvFuzzSeeds() {
    std::vector<std::string> seeds = {
        std::string(1, '\0') + "1\r\n0\r\n0\r\n1\r\n 1.00000000000000E+0000\r\n\r\n 1.00000000000000E+0000\r\n"
                               " 1.00000000000000E+0000\r\n",
        std::string(1, '\0') + "1\n1\n7\n0\n2.5\n/media/usb/OrdelinxBck\n0.9\n1.1\n",
        std::string(1, '\3') + "Anna\r\nBianchi\r\n",
    };
    for (std::size_t file = 1; file <= 2; ++file)
        seeds.push_back(std::string(1, static_cast<char>(file)) + fuzz::shippedPrefix(kFiles[file], 1 << 16));
    return seeds;
}
