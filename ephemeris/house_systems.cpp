// House systems beyond equal houses and Placidus. All start from the same
// frame (RAMC, obliquity, latitude, MC, Ascendant).
#include "ephemeris/houses.h"

#include "ephemeris/angles.h"

#include <cmath>

namespace qv {

namespace {

Extended atan2Deg(Extended y, Extended x) { return Norm360(RadToDeg(std::atan2(y, x))); }

// The ecliptic point whose oblique ascension under a pole of height
// `pole` (degrees) is `oa`; pole = latitude gives the rising degree.
Extended eclipticFromObliqueAscension(Extended oa, Extended poleTan, Extended obliquity) {
    return atan2Deg(SinDeg(oa), CosDeg(oa) * CosDeg(obliquity) - poleTan * SinDeg(obliquity));
}

// Cusps 7–9 and 4–6 face cusps 1–3 and 10–12.
void fillOpposites(Cusps& c) {
    for (int i : {1, 2, 3}) c[i + 6] = Norm360(c[i] + 180.0L);
    for (int i : {10, 11, 12}) c[i - 6] = Norm360(c[i] + 180.0L);
}

struct Vec {
    Extended x, y, z;
};
Vec cross(const Vec& a, const Vec& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
Extended dot(const Vec& a, const Vec& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// Cusps whose house circles pass through the north and south points of the
// horizon and through `through(h)`, h = 30, 60, 90, 120, 150 degrees east of
// the meridian (cusps 11, 12, 1, 2, 3): the cusp is where that circle meets
// the ecliptic on the eastern side of the meridian.
template <typename Through>
Cusps cuspsThroughHorizonPoles(const HouseFrame& f, Through through) {
    const Extended phi = f.signedLatitude();
    const Extended ramc = f.ramc;
    const Vec north{-SinDeg(phi) * CosDeg(ramc), -SinDeg(phi) * SinDeg(ramc), CosDeg(phi)};
    const Vec east{-SinDeg(ramc), CosDeg(ramc), 0};
    const Vec eclipticPole{0, -SinDeg(f.obliquity), CosDeg(f.obliquity)};
    auto cusp = [&](Extended h) {
        const Vec point = through(h);
        Vec u = cross(eclipticPole, cross(north, point));
        if (dot(u, east) < 0) u = {-u.x, -u.y, -u.z};
        // equatorial → ecliptic
        const Extended xe = u.x;
        const Extended ye = u.y * CosDeg(f.obliquity) + u.z * SinDeg(f.obliquity);
        return atan2Deg(ye, xe);
    };
    Cusps c{};
    c[10] = f.mc;
    c[11] = cusp(30);
    c[12] = cusp(60);
    c[1] = f.asc;
    c[2] = cusp(120);
    c[3] = cusp(150);
    fillOpposites(c);
    return c;
}

} // namespace

Cusps porphyryCusps(const HouseFrame& f) {
    Cusps c{};
    c[10] = f.mc;
    c[1] = f.asc;
    const Extended upper = Norm360(f.asc - f.mc);          // MC → Ascendant
    const Extended lower = Norm360(f.mc + 180.0L - f.asc); // Ascendant → IC
    c[11] = Norm360(f.mc + upper / 3.0L);
    c[12] = Norm360(f.mc + 2.0L * upper / 3.0L);
    c[2] = Norm360(f.asc + lower / 3.0L);
    c[3] = Norm360(f.asc + 2.0L * lower / 3.0L);
    fillOpposites(c);
    return c;
}

// The celestial equator divided in 30° from the meridian.
Cusps regiomontanusCusps(const HouseFrame& f) {
    return cuspsThroughHorizonPoles(f, [&](Extended h) {
        return Vec{CosDeg(f.ramc + h), SinDeg(f.ramc + h), 0};
    });
}

// The prime vertical divided in 30° from the zenith.
Cusps campanusCusps(const HouseFrame& f) {
    const Extended phi = f.signedLatitude();
    const Vec zenith{CosDeg(phi) * CosDeg(f.ramc), CosDeg(phi) * SinDeg(f.ramc), SinDeg(phi)};
    const Vec east{-SinDeg(f.ramc), CosDeg(f.ramc), 0};
    return cuspsThroughHorizonPoles(f, [&](Extended h) {
        return Vec{CosDeg(h) * zenith.x + SinDeg(h) * east.x, CosDeg(h) * zenith.y + SinDeg(h) * east.y,
                   CosDeg(h) * zenith.z + SinDeg(h) * east.z};
    });
}

// The equator divided in 30° from the meridian, carried to the ecliptic by
// circles through the ecliptic poles: cusp 10 is not the Medium Coeli, nor
// cusp 1 the Ascendant.
Cusps morinusCusps(const HouseFrame& f) {
    Cusps c{};
    for (int i = 1; i <= 12; ++i) {
        const Extended alpha = f.ramc + 30.0L * (i - 10);
        c[i] = atan2Deg(SinDeg(alpha) * CosDeg(f.obliquity), CosDeg(alpha));
    }
    return c;
}

// The diurnal and nocturnal semi-arcs of the Ascendant degree trisected in
// right ascension and carried to the ecliptic by hour circles.
Cusps alcabitiusCusps(const HouseFrame& f) {
    Cusps c{};
    c[10] = f.mc;
    c[1] = f.asc;
    const Extended ascRa = atan2Deg(SinDeg(f.asc) * CosDeg(f.obliquity), CosDeg(f.asc));
    const Extended diurnal = Norm360(ascRa - f.ramc);
    const Extended nocturnal = 180.0L - diurnal;
    auto fromRa = [&](Extended ra) { return atan2Deg(SinDeg(ra), CosDeg(ra) * CosDeg(f.obliquity)); };
    c[11] = fromRa(f.ramc + diurnal / 3.0L);
    c[12] = fromRa(f.ramc + 2.0L * diurnal / 3.0L);
    c[2] = fromRa(ascRa + nocturnal / 3.0L);
    c[3] = fromRa(ascRa + 2.0L * nocturnal / 3.0L);
    fillOpposites(c);
    return c;
}

// The diurnal semi-arc of the Medium Coeli degree trisected in oblique
// ascension; the cusps are the degrees rising at those moments. Inside the
// polar circles the system is not defined: some ecliptic degrees never rise
// (the Medium Coeli's among them at some times), and where they all do the
// oblique ascension no longer picks one rising degree, so the cusps would
// come out of order. There Porphyry's cusps are given instead.
Cusps kochCusps(const HouseFrame& f) {
    const Extended phi = f.signedLatitude();
    if (std::fabs(phi) >= 90.0L - f.obliquity) return porphyryCusps(f);
    const Extended sinAd = SinDeg(f.ramc) * TanDeg(phi) * TanDeg(f.obliquity);
    if (std::fabs(sinAd) > 1.0L) return porphyryCusps(f);
    const Extended ad = RadToDeg(std::asin(sinAd));
    const Extended poleTan = TanDeg(phi);
    Cusps c{};
    c[10] = f.mc;
    c[1] = f.asc;
    c[11] = eclipticFromObliqueAscension(f.ramc + 30.0L - 2.0L * ad / 3.0L, poleTan, f.obliquity);
    c[12] = eclipticFromObliqueAscension(f.ramc + 60.0L - ad / 3.0L, poleTan, f.obliquity);
    c[2] = eclipticFromObliqueAscension(f.ramc + 120.0L + ad / 3.0L, poleTan, f.obliquity);
    c[3] = eclipticFromObliqueAscension(f.ramc + 150.0L + 2.0L * ad / 3.0L, poleTan, f.obliquity);
    fillOpposites(c);
    return c;
}

} // namespace qv
