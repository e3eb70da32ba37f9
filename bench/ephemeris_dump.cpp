// Regression check of the ephemeris for changes that must not move any
// value: writes every signed longitude (negative for a point that moved
// backwards), latitude and Placidus cusp of 4000 charts in exact hex form,
// and compares two such files.
//
// 1000 random dates 1600–2100 and 1000 dates 1–3000, each with the true and
// the mean node (the corrected Black Moon throughout), at places drawn with
// the dates.
//
// Run: build/bench/ephemeris_dump OUT.txt
//      build/bench/ephemeris_dump --compare BEFORE.txt AFTER.txt
#include "base/data_dir.h"
#include "ephemeris/angles.h"
#include "ephemeris/bodies.h"
#include "ephemeris/houses.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Chart {
    double jd;
    int latDegrees, latMinutes, lonDegrees, lonMinutes;
    bool south, west;
    int hour, minute;
};

std::vector<Chart> charts() {
    std::vector<Chart> out;
    std::mt19937_64 rng(20261210);
    auto add = [&](double first, double last) {
        std::uniform_real_distribution<double> jd(first, last);
        std::uniform_int_distribution<int> lat(0, 60), lon(0, 179), minute(0, 59), hour(0, 23), side(0, 1);
        for (int i = 0; i < 1000; ++i)
            out.push_back({jd(rng), lat(rng), minute(rng), lon(rng), minute(rng), side(rng) == 1,
                           side(rng) == 1, hour(rng), minute(rng)});
    };
    add(2305447.5, 2488069.5); // 1600–2100
    add(1721423.5, 2816787.5); // 1–3000
    return out;
}

void dump(const char* path) {
    qv::setDataDir(QV_DATA_TEMPLATE_DIR);
    std::FILE* f = std::fopen(path, "w");
    if (!f) {
        std::perror(path);
        std::exit(1);
    }
    for (const Chart& c : charts()) {
        for (const char* node : {"VERO", "MEDIO"}) {
            qv::ChartState s;
            s.houseSystem = "PLACIDO";
            s.nodeKind = node;
            s.blackMoonKind = "VERA";
            qv::HouseInput in;
            in.latDegrees = c.latDegrees;
            in.latMinutes = c.latMinutes;
            in.latLetter = c.south ? "S" : "N";
            in.lonDegrees = c.lonDegrees;
            in.lonMinutes = c.lonMinutes;
            in.lonLetter = c.west ? "W" : "E";
            in.hour = c.hour;
            in.minute = c.minute;
            in.jd = c.jd;
            qv::computeHouses(s, in);
            qv::computeBodies(s, 0, c.jd);
            std::fprintf(f, "%.17g %s", c.jd, node);
            for (int k = 1; k <= 19; ++k) std::fprintf(f, " L%d %La B%d %La", k, s.longitude[k], k, s.latitude[k]);
            for (int k = 1; k <= 12; ++k) std::fprintf(f, " C%d %La", k, s.cusp[k]);
            std::fprintf(f, "\n");
        }
    }
    std::fclose(f);
}

std::vector<std::string> linesOf(const char* path) {
    std::ifstream in(path);
    if (!in) {
        std::perror(path);
        std::exit(1);
    }
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The largest difference of each kind (L, B, C) in degrees, a longitude's
// across 0°/360° taken the short way; a changed retrograde sign is reported.
int compare(const char* before, const char* after) {
    const auto a = linesOf(before), b = linesOf(after);
    if (a.size() != b.size()) {
        std::printf("different number of charts: %zu and %zu\n", a.size(), b.size());
        return 1;
    }
    long double worst[3] = {0, 0, 0};
    std::string where[3];
    int signChanges = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        std::istringstream sa(a[i]), sb(b[i]);
        std::string ta, tb, jd, node;
        sa >> jd >> node;
        sb >> tb >> tb;
        while (sa >> ta && sb >> tb) {
            std::string va, vb;
            sa >> va;
            sb >> vb;
            const long double x = std::strtold(va.c_str(), nullptr), y = std::strtold(vb.c_str(), nullptr);
            const int kind = ta[0] == 'L' ? 0 : ta[0] == 'B' ? 1 : 2;
            if (kind == 0 && (x < 0) != (y < 0)) {
                ++signChanges;
                std::printf("motion mark changed: %s %s %s\n", jd.c_str(), node.c_str(), ta.c_str());
            }
            long double d = std::fabs(std::fabs(x) - std::fabs(y));
            if (kind != 1 && d > 180) d = 360 - d;
            if (d > worst[kind]) {
                worst[kind] = d;
                where[kind] = jd + " " + node + " " + ta;
            }
        }
    }
    const char* names[3] = {"longitude", "latitude", "cusp"};
    for (int k = 0; k < 3; ++k)
        std::printf("largest %s change: %.3Lg deg %s\n", names[k], worst[k], where[k].c_str());
    std::printf("motion marks changed: %d\n", signChanges);
    return worst[0] <= 1e-12L && worst[1] <= 1e-12L && worst[2] <= 1e-12L && signChanges == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--compare") return compare(argv[2], argv[3]);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUT | --compare BEFORE AFTER\n", argv[0]);
        return 2;
    }
    dump(argv[1]);
    return 0;
}
