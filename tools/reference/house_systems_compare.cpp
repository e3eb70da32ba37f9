// Compares the cusps of every house system with the reference library's
// house computation from the same frame (ARMC, obliquity, latitude) and
// prints the largest difference per system and latitude, in degrees.
//
// Inside the polar circles the Ascendant of the frame can be the western
// intersection of the ecliptic with the horizon, where the reference takes
// the eastern one (and, for some systems, the Medium Coeli below the
// horizon turned by 180 degrees). Those frames are compared twice: as they
// are, and from the Ascendant and Medium Coeli the reference used, which
// tells a difference of angles from a difference of cusp formulas.
//
// With --table it prints the reference cusps of a few frames as rows of the
// table in tests/ephemeris/house_systems_test.cpp.
// Usage: house_systems_compare [--table]
#include "ephemeris/angles.h"
#include "ephemeris/houses.h"
#include "tools/reference/house_system_codes.h"

#include <swephexp.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <iterator>

namespace {

using System = qv::reference::HouseSystemCode;
constexpr const auto& kSystems = qv::reference::kHouseSystemCodes;
constexpr int kSystemCount = static_cast<int>(std::size(kSystems));

struct Place {
    int latDegrees, latMinutes;
    const char* latLetter;
};

constexpr Place kPlaces[] = {{0, 0, "N"},   {33, 52, "S"}, {45, 28, "N"}, {51, 30, "N"},
                             {60, 10, "N"}, {66, 0, "N"},  {70, 0, "N"},  {70, 0, "S"}};

double separation(long double a, double b) {
    return std::fabs(std::fmod(static_cast<double>(a) - b + 540.0, 360.0) - 180.0);
}

qv::HouseInput moment(const Place& p, int k) {
    qv::HouseInput in;
    in.latDegrees = p.latDegrees;
    in.latMinutes = p.latMinutes;
    in.latLetter = p.latLetter;
    in.lonDegrees = 9;
    in.lonMinutes = 11;
    in.hour = (k * 7) % 24;
    in.minute = (k * 13) % 60;
    in.jd = 2451545.0L + 17.3L * k;
    return in;
}

struct Worst {
    double asGiven = 0;    // with the program's angles
    double sameAngles = 0; // with the reference's angles
    int turned = 0;        // frames where the reference's angles differ
    int undefined = 0;     // frames the reference calls undefined
};

} // namespace

int main(int argc, char** argv) {
    const bool table = argc > 1 && std::strcmp(argv[1], "--table") == 0;
    char version[256];
    std::printf("reference library %s; 48 frames per latitude, RAMC over the whole circle\n",
                swe_version(version));
    for (const Place& p : kPlaces) {
        Worst worst[kSystemCount];
        for (int k = 0; k < 48; ++k) {
            const qv::HouseFrame f = qv::houseFrame(moment(p, k));
            const double ramc = static_cast<double>(f.ramc);
            const double lat = static_cast<double>(f.signedLatitude());
            const double eps = static_cast<double>(f.obliquity);
            for (int s = 0; s < kSystemCount; ++s) {
                double cusps[13], angles[10];
                if (swe_houses_armc(ramc, lat, eps, kSystems[s].code, cusps, angles) != OK) ++worst[s].undefined;
                const qv::Cusps ours = qv::cuspsOfSystem(kSystems[s].name, f);
                qv::HouseFrame same = f;
                if (separation(f.asc, angles[0]) > 1e-9 || separation(f.mc, angles[1]) > 1e-9) {
                    ++worst[s].turned;
                    same.asc = angles[0];
                    same.mc = angles[1];
                }
                const qv::Cusps oursSame = qv::cuspsOfSystem(kSystems[s].name, same);
                for (int i = 1; i <= 12; ++i) {
                    worst[s].asGiven = std::fmax(worst[s].asGiven, separation(ours[i], cusps[i]));
                    worst[s].sameAngles = std::fmax(worst[s].sameAngles, separation(oursSame[i], cusps[i]));
                }
                // One frame per latitude, a different RAMC each; at 70N a frame where the
                // reference keeps the program's angles.
                const int place = static_cast<int>(&p - kPlaces);
                const bool row = (place >= 1 && place <= 4 && k == 5 * place + 1) ||
                                 (place == 6 && k == 2 && (s == 1 || s == 3));
                if (table && row && s >= 1 && s <= 6) {
                    std::printf("    {\"%s\", %d, %d, \"%s\", %d, %d, %.2f, /* ARMC %.6f, eps %.6f, lat %.6f */ {",
                                kSystems[s].name, p.latDegrees, p.latMinutes, p.latLetter, moment(p, k).hour,
                                moment(p, k).minute, static_cast<double>(moment(p, k).jd), ramc, eps, lat);
                    for (int i = 1; i <= 12; ++i) std::printf("%s%.4f", i > 1 ? ", " : "", cusps[i]);
                    std::printf("}},\n");
                }
            }
        }
        if (table) continue;
        std::printf("latitude %02d%s%02d\n", p.latDegrees, p.latLetter, p.latMinutes);
        for (int s = 0; s < kSystemCount; ++s) {
            std::printf("  %-10s %.1e", kSystems[s].name, worst[s].asGiven);
            if (worst[s].turned)
                std::printf("  (reference angles differ in %d frames; with its angles %.1e)", worst[s].turned,
                            worst[s].sameAngles);
            if (worst[s].undefined) std::printf("  (reference: undefined in %d frames)", worst[s].undefined);
            std::printf("\n");
        }
    }
    return 0;
}
