// Writes the fixture of the house-system tests: the reference library's
// cusps, Ascendant and Medium Coeli, for every house system, over a grid of
// latitudes up to the polar circles and of sidereal times, at full precision
// (17 significant digits).
//
// Each frame is the program's own (houseFrame of a birth moment and place);
// the reference computes from that frame's ARMC, signed latitude and
// obliquity, so the fixture compares the house formulas alone. The row keeps
// the birth moment, to make the frame again, and the ARMC and obliquity, to
// check it is the same frame.
//
// Usage: house_fixture > tests/fixtures/ephemeris/house_cusps_reference.csv
#include "ephemeris/houses.h"
#include "tools/reference/house_system_codes.h"

#include <swephexp.h>

#include <cstdio>

namespace {

using System = qv::reference::HouseSystemCode;
constexpr const auto& kSystems = qv::reference::kHouseSystemCodes;

struct Latitude {
    int degrees, minutes;
    const char* letter;
};

// From the equator to just inside the polar circles (66°33′), both sides.
constexpr Latitude kLatitudes[] = {{0, 0, "N"},   {10, 0, "N"},  {23, 26, "S"}, {33, 52, "S"},
                                   {45, 28, "N"}, {51, 30, "N"}, {55, 45, "S"}, {60, 10, "N"},
                                   {64, 0, "S"},  {66, 0, "N"},  {66, 30, "S"}};
constexpr int kMoments = 12;

} // namespace

int main() {
    char version[256];
    std::printf("# reference library %s, swe_houses_armc from the program's frame\n", swe_version(version));
    std::printf("# system,latDeg,latMin,latLetter,hour,minute,jd,armc,obliquity,asc,mc,cusp1..cusp12\n");
    int latitudeIndex = 0;
    for (const Latitude& lat : kLatitudes) {
        for (int k = 0; k < kMoments; ++k) {
            qv::HouseInput in;
            in.latDegrees = lat.degrees;
            in.latMinutes = lat.minutes;
            in.latLetter = lat.letter;
            in.lonDegrees = 9;
            in.lonMinutes = 11;
            in.hour = 2 * k;
            in.minute = (13 * k + 7 * latitudeIndex) % 60;
            // Two centuries either side of 2000, so the obliquity changes too.
            in.jd = 2451545.0L + (k - 6) * 6088.3L + 3.1L * latitudeIndex;
            const qv::HouseFrame f = qv::houseFrame(in);
            for (const System& s : kSystems) {
                double cusps[13], angles[10];
                if (swe_houses_armc(static_cast<double>(f.ramc), static_cast<double>(f.signedLatitude()),
                                    static_cast<double>(f.obliquity), s.code, cusps, angles) != OK) {
                    std::fprintf(stderr, "reference: %s undefined at %d%s\n", s.name, lat.degrees, lat.letter);
                    return 1;
                }
                std::printf("%s,%d,%d,%s,%d,%d,%.17g,%.17g,%.17g,%.17g,%.17g", s.name, lat.degrees, lat.minutes,
                            lat.letter, in.hour, in.minute, static_cast<double>(in.jd), static_cast<double>(f.ramc),
                            static_cast<double>(f.obliquity), angles[0], angles[1]);
                for (int i = 1; i <= 12; ++i) std::printf(",%.17g", cusps[i]);
                std::printf("\n");
            }
        }
        ++latitudeIndex;
    }
    return 0;
}
