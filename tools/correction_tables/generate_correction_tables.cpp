// Generates the correction tables of FilePosi\ from the reference
// ephemeris (tools/reference/reference_ephemeris.h):
//   DSEL.rnd    the Moon's longitude, daily
//   DPR1.rnd    the planets and the true node, every 5 days
//   NOJLNE.rnd  the corrected ("VERA") Black Moon, daily, 1850–2100
//   DAST.rnd    Ceres, Pallas, Juno, Vesta and Chiron, daily, 1850–2080
// Each record holds the reference's apparent longitude minus the program's
// own at the record's instant (Universal Time), so that the program's linear
// interpolation between records meets the reference at every record.
// Values that do not fit their field are clamped and counted in the report
// printed at the end.
//
// Usage: generate_correction_tables OUTPUT_FOLDER [--apogee osculating|interpolated]
// The Black Moon follows the reference's osculating apogee unless
// --apogee interpolated is given.
#include "base/data_dir.h"
#include "base/text_file.h"
#include "tools/correction_tables/scratch_folder.h"
#include "tools/correction_tables/table_builder.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>

namespace fs = std::filesystem;

namespace {

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void print(const qv::tables::FieldReport& r) {
    std::printf("  %-58s %7ld values, largest %9.1f, clamped %ld\n", r.name.c_str(), r.values, r.largest, r.clamped);
}

} // namespace

int main(int argc, char** argv) {
    using namespace qv::tables;
    ApogeeReference apogee = ApogeeReference::Osculating;
    fs::path output;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--apogee" && i + 1 < argc) {
            const std::string kind = argv[++i];
            if (kind == "osculating") apogee = ApogeeReference::Osculating;
            else if (kind == "interpolated") apogee = ApogeeReference::Interpolated;
            else output.clear(), i = argc; // unknown kind: usage below
        } else if (output.empty() && arg.rfind("--", 0) != 0) {
            output = arg;
        } else {
            output.clear();
            break;
        }
    }
    if (output.empty()) {
        std::cerr << "usage: generate_correction_tables OUTPUT_FOLDER [--apogee osculating|interpolated]\n";
        return 2;
    }
    try {
        const qv::reference::Ephemeris ref;
        std::printf("reference: %s\n", ref.description().c_str());
        const auto start = std::chrono::steady_clock::now();

        // The program's true node uses its corrected Moon: the model for the
        // node is computed with the new DSEL.rnd in force, the planets and
        // the node with DPR1.rnd at zero.
        ScratchFolder staging;
        qv::setDataDir(staging.path());
        FieldReport moon;
        const std::string dsel = buildDsel(ref, moon);
        qv::writeFileAtomically(staging.path() / "FilePosi" / "DSEL.rnd", dsel);
        qv::writeFileAtomically(staging.path() / "FilePosi" / "DPR1.rnd", zeroDpr1());
        std::printf("DSEL.rnd built (%.1f s)\n", secondsSince(start));
        std::vector<FieldReport> dpr1Reports;
        const std::string dpr1 = buildDpr1(ref, dpr1Reports);
        std::printf("DPR1.rnd built (%.1f s)\n", secondsSince(start));
        FieldReport blackMoon;
        const std::string nojlne = buildNojlne(ref, apogee, blackMoon);
        std::printf("NOJLNE.rnd built (%.1f s)\n", secondsSince(start));
        std::vector<FieldReport> dastReports;
        const std::string dast = buildDast(ref, dastReports);
        std::printf("DAST.rnd built (%.1f s)\n", secondsSince(start));

        fs::create_directories(output);
        qv::writeFileAtomically(output / "DSEL.rnd", dsel);
        qv::writeFileAtomically(output / "DPR1.rnd", dpr1);
        qv::writeFileAtomically(output / "NOJLNE.rnd", nojlne);
        qv::writeFileAtomically(output / "DAST.rnd", dast);

        std::printf("written into %s:\n", output.c_str());
        long clamped = moon.clamped + blackMoon.clamped;
        print(moon);
        for (const FieldReport& r : dpr1Reports) {
            print(r);
            clamped += r.clamped;
        }
        print(blackMoon);
        for (const FieldReport& r : dastReports) {
            print(r);
            clamped += r.clamped;
        }
        std::printf("%ld values clamped to their field's range\n", clamped);
    } catch (const std::exception& e) {
        std::cerr << "generate_correction_tables: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
