#include "tools/correction_tables/table_builder.h"

#include "base/reals.h"
#include "ephemeris/bodies.h"
#include "ephemeris/correction_tables.h"
#include "ephemeris/fundamental_arguments.h"
#include "ephemeris/nodes.h"
#include "ephemeris/sun_moon.h"
#include "tools/correction_tables/table_layout.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace qv::tables {

namespace {

using reference::Body;

// Reference minus model, in (−180°, 180°].
double difference(double reference, Extended model) {
    double d = std::remainder(reference - static_cast<double>(model), 360.0);
    if (d == -180.0) d = 180.0;
    return d;
}

// Rounds `value` to the field's integer range [low, high], counting what
// does not fit. A 16-bit correction above 21600 would be read back 21600
// lower (the readers fold such values), so 21600 is the top of those fields.
long fit(double value, long low, long high, FieldReport& report) {
    ++report.values;
    report.largest = std::fmax(report.largest, std::fabs(value));
    const double rounded = std::nearbyint(value);
    if (rounded < static_cast<double>(low)) {
        ++report.clamped;
        return low;
    }
    if (rounded > static_cast<double>(high)) {
        ++report.clamped;
        return high;
    }
    return static_cast<long>(rounded);
}

constexpr long kFoldedTop = 21600;

void put16(std::string& bytes, std::size_t at, long v) {
    const auto u = static_cast<std::uint16_t>(static_cast<std::int16_t>(v));
    bytes[at] = static_cast<char>(u & 0xFF);
    bytes[at + 1] = static_cast<char>(u >> 8);
}

void put32(std::string& bytes, std::size_t at, long v) {
    const auto u = static_cast<std::uint32_t>(static_cast<std::int32_t>(v));
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((u >> (8 * i)) & 0xFF);
}

constexpr Body kPlanets[8] = {Body::Mercury, Body::Venus, Body::Mars,    Body::Jupiter,
                              Body::Saturn,  Body::Uranus, Body::Neptune, Body::Pluto};

} // namespace

std::string buildDsel(const reference::Ephemeris& ref, FieldReport& report) {
    report.name = "DSEL.rnd Moon (arcseconds)";
    std::string bytes(static_cast<std::size_t>(kDselRecords) * kDselRecordSize, '\0');
    for (long k = 0; k < kDselRecords; ++k) {
        const Extended jd = kDselOrigin + k;
        // The Moon without its table: the model the table corrects.
        const Extended model = moonPosition(FundamentalArguments(jd), false).longitude;
        const double arcsec = 3600.0 * difference(ref.longitude(static_cast<double>(jd), Body::Moon), model);
        put16(bytes, static_cast<std::size_t>(k) * kDselRecordSize,
              fit(arcsec, std::numeric_limits<std::int16_t>::min(), kFoldedTop, report));
    }
    return bytes;
}

std::string buildNojlne(const reference::Ephemeris& ref, ApogeeReference apogee, FieldReport& report) {
    report.name = apogee == ApogeeReference::Osculating ? "NOJLNE.rnd Black Moon, osculating apogee (arcseconds)"
                                                        : "NOJLNE.rnd Black Moon, interpolated apogee (arcseconds)";
    const Body body = apogee == ApogeeReference::Osculating ? Body::OsculatingApogee : Body::InterpolatedApogee;
    std::string bytes(static_cast<std::size_t>(kNojlneRecords) * kNojlneRecordSize, '\0');
    for (long k = 0; k < kNojlneRecords; ++k) {
        const Extended jd = kNojlneOrigin + k;
        // Any kind other than "VERA" gives the mean Black Moon.
        const Extended model = blackMoon(FundamentalArguments(jd), "MEDIA");
        const double arcsec = 3600.0 * difference(ref.longitude(static_cast<double>(jd), body), model);
        put32(bytes, static_cast<std::size_t>(k) * kNojlneRecordSize,
              fit(arcsec, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max(),
                  report));
    }
    return bytes;
}

std::string buildDast(const reference::Ephemeris& ref, std::vector<FieldReport>& reports) {
    constexpr Body kMinor[kDastBodies] = {Body::Ceres, Body::Pallas, Body::Juno, Body::Vesta, Body::Chiron};
    const char* names[kDastBodies] = {"Ceres", "Pallas", "Juno", "Vesta", "Chiron"};
    reports.assign(kDastBodies, FieldReport{});
    for (int b = 0; b < kDastBodies; ++b)
        reports[b].name = std::string("DAST.rnd ") + names[b] + " (arcseconds)";
    std::string bytes(static_cast<std::size_t>(kDastRecords) * kDastRecordSize, '\0');
    ChartState state;
    for (long k = 0; k < kDastRecords; ++k) {
        const Extended jd = kDastOrigin + k;
        // The osculating orbits alone: the chart state's DAST.rnd is not read
        // here (the staging folder has none).
        computeBodiesOnce(state, 0, jd, false);
        for (int b = 0; b < kDastBodies; ++b) {
            const double arcsec =
                3600.0 * difference(ref.longitude(static_cast<double>(jd), kMinor[b]), state.longitude[kCeres + b]);
            put32(bytes, static_cast<std::size_t>(k) * kDastRecordSize + 4 * static_cast<std::size_t>(b),
                  fit(arcsec, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max(),
                      reports[b]));
        }
    }
    return bytes;
}

std::string zeroDpr1() {
    std::string bytes(static_cast<std::size_t>(kDpr1Records) * kDpr1RecordSize, '\0');
    for (long n = 0; n < kDpr1Records; ++n) {
        const auto t0 = encodeReal48(dpr1RecordDay(n));
        bytes.replace(static_cast<std::size_t>(n) * kDpr1RecordSize, 6, reinterpret_cast<const char*>(t0.data()), 6);
    }
    return bytes;
}

// Fields 10–17 (the second corrections of the planets) stay zero. The
// program adds them only in the pass at jd, not in the pass at jd + 0.001
// that its test of apparent motion compares with: any value there would
// shift a planet between the two passes by far more than it moves in 0.001
// day, and so would fake a retrograde mark (or hide a real one). The first
// corrections, added in both passes, carry the whole correction.
std::string buildDpr1(const reference::Ephemeris& ref, std::vector<FieldReport>& reports) {
    reports.assign(9, FieldReport{});
    const char* names[9] = {"Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune", "Pluto",
                            "true node"};
    for (int f = 0; f < 9; ++f) reports[f].name = std::string("DPR1.rnd field ") + std::to_string(f + 1) + " " +
                                                 names[f] + " (arcminutes)";
    std::string bytes = zeroDpr1();
    ChartState state;
    state.nodeKind = "VERO";
    state.blackMoonKind = "MEDIA";
    for (long n = 0; n < kDpr1Records; ++n) {
        const Extended t0 = dpr1RecordDay(n);
        const double jd = static_cast<double>(t0);
        // The program's own positions at t0: its corrected Moon, and with the
        // DPR1.rnd in force (all zero) no planet or node correction.
        computeBodiesOnce(state, 0, t0, false);
        const std::size_t base = static_cast<std::size_t>(n) * kDpr1RecordSize;
        for (int f = 1; f <= 8; ++f) {
            const double arcmin = 60.0 * difference(ref.longitude(jd, kPlanets[f - 1]), state.longitude[f + 2]);
            const Dpr1Field field = dpr1Field(f);
            if (field.width == 1)
                bytes[base + field.offset] = static_cast<char>(fit(arcmin, -128, 127, reports[f - 1]));
            else
                put16(bytes, base + field.offset,
                      fit(arcmin, std::numeric_limits<std::int16_t>::min(), kFoldedTop, reports[f - 1]));
        }
        const double arcmin = 60.0 * difference(ref.longitude(jd, Body::TrueNode), state.longitude[kEphemerisNode]);
        bytes[base + dpr1Field(9).offset] = static_cast<char>(fit(arcmin, -128, 127, reports[8]));
    }
    return bytes;
}

} // namespace qv::tables
