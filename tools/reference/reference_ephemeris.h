// The reference ephemeris the correction tables are generated from and the
// accuracy report measures against: the Swiss Ephemeris library of Debian's
// libswe-dev. From 1800 January 2 on it reads the ephemeris files of
// swe-basic-data (sepl_18, semo_18, seas_18: 1800–2399, fitted to JPL's
// DE431); before, where no file of that package reaches, it uses the
// library's built-in analytic ephemeris (Moshier's theories). Longitudes are
// apparent geocentric ecliptic longitudes referred to the true equinox of
// date (light time, aberration, nutation) at a Universal Time instant: the
// library converts UT to its own time scale with its delta-T.
//
// Used only by developer tools, never by the program.
#pragma once

#include <string>

namespace qv::reference {

// The points the tools compare.
enum class Body {
    Sun, Moon, Mercury, Venus, Mars, Jupiter, Saturn, Uranus, Neptune, Pluto,
    MeanNode, TrueNode,            // the lunar ascending node
    MeanApogee, OsculatingApogee,  // the lunar apogee ("Black Moon")
    InterpolatedApogee,            // the apogee with the osculating swings smoothed out
    Ceres, Pallas, Juno, Vesta, Chiron,
};

// First Universal Time instant read from the ephemeris files.
inline constexpr double kFilesFrom = 2378497.5; // 1800 January 2, 0h UT

class Ephemeris {
public:
    // Opens the library with the folder of swe-basic-data's files; throws
    // std::runtime_error when the files are not there.
    Ephemeris();
    ~Ephemeris();
    Ephemeris(const Ephemeris&) = delete;
    Ephemeris& operator=(const Ephemeris&) = delete;

    // Apparent geocentric ecliptic longitude of date, degrees in [0, 360).
    // Throws std::runtime_error when the library fails or does not use the
    // ephemeris it was asked for.
    double longitude(double jdUt, Body body) const;

    // The library's own number of `body`.
    static int libraryBody(Body body);

    // "Swiss Ephemeris 2.10.03-deb1, …": for reports.
    std::string description() const;
};

} // namespace qv::reference
