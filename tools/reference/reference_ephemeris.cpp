#include "tools/reference/reference_ephemeris.h"

#include <swephexp.h>

#include <filesystem>
#include <stdexcept>

namespace qv::reference {

namespace {

constexpr const char* kFilesFolder = "/usr/share/libswe/ephe";

bool isMinorBody(Body b) { return b >= Body::Ceres; }

} // namespace

Ephemeris::Ephemeris() {
    for (const char* file : {"sepl_18.se1", "semo_18.se1", "seas_18.se1"})
        if (!std::filesystem::exists(std::filesystem::path(kFilesFolder) / file))
            throw std::runtime_error(std::string("reference ephemeris file missing: ") + kFilesFolder + "/" + file +
                                     " (install swe-basic-data)");
    swe_set_ephe_path(kFilesFolder);
}

Ephemeris::~Ephemeris() { swe_close(); }

int Ephemeris::libraryBody(Body body) {
    switch (body) {
    case Body::Sun: return SE_SUN;
    case Body::Moon: return SE_MOON;
    case Body::Mercury: return SE_MERCURY;
    case Body::Venus: return SE_VENUS;
    case Body::Mars: return SE_MARS;
    case Body::Jupiter: return SE_JUPITER;
    case Body::Saturn: return SE_SATURN;
    case Body::Uranus: return SE_URANUS;
    case Body::Neptune: return SE_NEPTUNE;
    case Body::Pluto: return SE_PLUTO;
    case Body::MeanNode: return SE_MEAN_NODE;
    case Body::TrueNode: return SE_TRUE_NODE;
    case Body::MeanApogee: return SE_MEAN_APOG;
    case Body::OsculatingApogee: return SE_OSCU_APOG;
    case Body::InterpolatedApogee: return SE_INTP_APOG;
    case Body::Ceres: return SE_CERES;
    case Body::Pallas: return SE_PALLAS;
    case Body::Juno: return SE_JUNO;
    case Body::Vesta: return SE_VESTA;
    case Body::Chiron: return SE_CHIRON;
    }
    throw std::logic_error("unknown body");
}

double Ephemeris::longitude(double jdUt, Body body) const {
    const bool files = jdUt >= kFilesFrom || isMinorBody(body);
    const int flags = files ? SEFLG_SWIEPH : SEFLG_MOSEPH;
    double x[6];
    char error[AS_MAXCH] = "";
    const int used = swe_calc_ut(jdUt, libraryBody(body), flags, x, error);
    if (used < 0) throw std::runtime_error(std::string("reference ephemeris: ") + error);
    // The mean node and mean apogee are formulas and report no ephemeris.
    const bool formula = body == Body::MeanNode || body == Body::MeanApogee;
    if (!formula && (used & (SEFLG_SWIEPH | SEFLG_MOSEPH)) != flags)
        throw std::runtime_error("reference ephemeris: fell back from its files at JD " + std::to_string(jdUt) +
                                 ": " + error);
    return x[0];
}

std::string Ephemeris::description() const {
    char version[AS_MAXCH];
    swe_version(version);
    return std::string("Swiss Ephemeris ") + version +
           " (Debian libswe-dev); ephemeris files of swe-basic-data from 1800 January 2 (UT), "
           "its built-in Moshier ephemeris before";
}

} // namespace qv::reference
