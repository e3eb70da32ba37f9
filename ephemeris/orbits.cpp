#include "ephemeris/orbits.h"

#include "ephemeris/angles.h"

#include <cmath>

namespace qv {

Polar toPolar(Extended x, Extended& y) {
    if (y == 0) y = kConversionEpsilon;
    Polar p;
    p.r = std::sqrt(x * x + y * y);
    p.theta = ArcTan(y / x); // x = 0 gives ±π/2
    if (p.theta < 0) p.theta += kPi;
    if (y < 0) p.theta += kPi;
    return p;
}

void toRectangular(Extended r, Extended theta, Extended& x, Extended& y) {
    if (theta == 0) theta = kConversionEpsilon;
    x = r * std::cos(theta);
    y = r * std::sin(theta);
}

namespace {

// (x, y) turned by the angle of cosine c and sine s.
void turn(Extended& x, Extended& y, Extended c, Extended s) {
    if (y == 0) y = kConversionEpsilon;
    const Extended tx = x * c - y * s;
    const Extended ty = x * s + y * c;
    x = tx;
    y = ty;
    if (y == 0 && x > 0) toRectangular(x, 0, x, y);
}

} // namespace

OrbitTurns orbitTurns(Extended perihelion, Extended inclination, Extended node) {
    const Turn w = TurnDeg(perihelion);
    const Turn i = TurnDeg(inclination);
    const Turn n = TurnDeg(node);
    return OrbitTurns{w.c, w.s, i.c, i.s, n.c, n.s};
}

FixedTurns fixedTurns(bool perihelionFixed, Extended perihelion, bool inclinationFixed, Extended inclination,
                      bool nodeFixed, Extended node) {
    FixedTurns f;
    f.perihelion = perihelionFixed;
    f.inclination = inclinationFixed;
    f.node = nodeFixed;
    if (perihelionFixed) SinCosDeg(perihelion, f.turns.sinPerihelion, f.turns.cosPerihelion);
    if (inclinationFixed) SinCosDeg(inclination, f.turns.sinInclination, f.turns.cosInclination);
    if (nodeFixed) SinCosDeg(node, f.turns.sinNode, f.turns.cosNode);
    return f;
}

namespace {

// The orbit's turns, the constant ones from the elements. A constant angle
// has the same turn at every moment, so leaving it out of the sequence of
// turns that the second pass replays changes nothing.
OrbitTurns turnsOf(const OrbitalElements& el) {
    if (!el.fixed) return orbitTurns(el.perihelion, el.inclination, el.node);
    OrbitTurns t = el.fixed->turns;
    if (!el.fixed->perihelion) {
        const Turn w = TurnDeg(el.perihelion);
        t.cosPerihelion = w.c;
        t.sinPerihelion = w.s;
    }
    if (!el.fixed->inclination) {
        const Turn i = TurnDeg(el.inclination);
        t.cosInclination = i.c;
        t.sinInclination = i.s;
    }
    if (!el.fixed->node) {
        const Turn n = TurnDeg(el.node);
        t.cosNode = n.c;
        t.sinNode = n.s;
    }
    return t;
}

} // namespace

Vector3 rotateToEcliptic(Extended p, Extended q, const OrbitTurns& t) {
    turn(p, q, t.cosPerihelion, t.sinPerihelion);
    Extended z = 0;
    turn(q, z, t.cosInclination, t.sinInclination);
    turn(p, q, t.cosNode, t.sinNode);
    return Vector3{p, q, z};
}

Vector3 rotateToEcliptic(Extended p, Extended q, Extended perihelion, Extended inclination, Extended node) {
    OrbitTurns t;
    SinCosRad(perihelion, t.sinPerihelion, t.cosPerihelion);
    SinCosRad(inclination, t.sinInclination, t.cosInclination);
    SinCosRad(node, t.sinNode, t.cosNode);
    return rotateToEcliptic(p, q, t);
}

OrbitState orbitState(const OrbitalElements& el) {
    const Extended m = Norm360(el.meanAnomaly) * kDegToRad;
    const Extended e = el.eccentricity;
    const Extended a = el.semiMajorAxis;

    Extended ecc = m;
    for (int i = 0; i < 3; ++i) ecc = m + e * SinRad(ecc);
    const Turn eccTurn = TurnRad(ecc);
    const Extended sinE = eccTurn.s, cosE = eccTurn.c;
    const Extended power = el.semiMajorAxisPower != 0 ? el.semiMajorAxisPower : std::exp(1.5L * std::log(a));
    const Extended nPrime = 0.01720209L / ((1.0L - e * cosE) * power);
    const Extended root = std::sqrt(1.0L - e * e);
    const Extended u = -a * nPrime * sinE;
    const Extended v = a * nPrime * root * cosE;
    const Extended p = (cosE - e) * a;
    const Extended q = root * (sinE * a);

    const OrbitTurns turns = turnsOf(el);
    OrbitState s;
    s.velocity = rotateToEcliptic(u, v, turns);
    s.position = rotateToEcliptic(p, q, turns);
    return s;
}

OrbitalElements earthElements(Extended t) {
    static const Extended power = std::exp(1.5L * std::log(1.00000023L));
    static const FixedTurns inEcliptic = fixedTurns(false, 0, true, 0.0L, true, 0.0L);
    const Extended t2 = t * t;
    return OrbitalElements{358.4758445L + 35999.04975L * t - 0.000150278L * t2,
                           0.01675104L - 0.0000418L * t - 0.000000126L * t2,
                           1.00000023L,
                           101.2208333L + 1.719175L * t + 0.000452778L * t2,
                           0.0L,
                           0.0L,
                           power,
                           &inEcliptic};
}

GeocentricResult geocentric(const OrbitState& body, const OrbitState& earth, const Vector3& dp,
                            Extended nutation, bool pallas, bool withLatitude) {
    const Extended rvx = body.velocity.x - earth.velocity.x;
    const Extended rvy = body.velocity.y - earth.velocity.y;
    Extended x = body.position.x + dp.x;
    Extended y = body.position.y + dp.y;
    Extended z = body.position.z + dp.z;
    x -= earth.position.x;
    y -= earth.position.y;
    z -= earth.position.z;

    const Extended motion = (x * rvy - y * rvx) / (x * x + y * y);
    const Extended lightTime = RadToDeg(std::sqrt(x * x + y * y + z * z) * 0.0057683L * motion);

    const Polar lon = toPolar(x, y);
    GeocentricResult out;
    out.longitude = Norm360(RadToDeg(lon.theta) + nutation - lightTime);
    out.latitude = 0;
    if (!withLatitude) return out;

    Extended zz = z;
    const Polar lat = toPolar(lon.r, zz);
    Extended phi = lat.theta;
    if (pallas ? phi >= 0.607621835L : phi > 0.35L) phi -= 2.0L * kPi;
    Extended beta = RadToDeg(phi);
    if (beta < -250.0L) beta += 360.0L;
    out.latitude = beta;
    return out;
}

} // namespace qv
