#include "ephemeris/orbits.h"

#include "ephemeris/angles.h"

#include <cmath>

namespace qv {

Polar toPolar(Extended x, Extended& y) {
    if (y == 0) y = kConversionEpsilon;
    Polar p;
    p.r = std::sqrt(x * x + y * y);
    p.theta = std::atan(y / x); // x = 0 gives ±π/2
    if (p.theta < 0) p.theta += kPi;
    if (y < 0) p.theta += kPi;
    return p;
}

void toRectangular(Extended r, Extended theta, Extended& x, Extended& y) {
    if (theta == 0) theta = kConversionEpsilon;
    x = r * std::cos(theta);
    y = r * std::sin(theta);
}

Vector3 rotateToEcliptic(Extended p, Extended q, Extended perihelion, Extended inclination, Extended node) {
    Polar s1 = toPolar(p, q);
    s1.theta = s1.theta + perihelion;
    Extended p1, q1;
    toRectangular(s1.r, s1.theta, p1, q1);

    Extended zero = 0;
    Polar s2 = toPolar(q1, zero);
    s2.theta = s2.theta + inclination;
    Extended q2, z;
    toRectangular(s2.r, s2.theta, q2, z);

    Polar s3 = toPolar(p1, q2);
    s3.theta = s3.theta + node;
    if (s3.theta < 0) s3.theta += 2.0L * kPi;
    Vector3 out;
    toRectangular(s3.r, s3.theta, out.x, out.y);
    out.z = z;
    return out;
}

OrbitState orbitState(const OrbitalElements& el) {
    const Extended m = Norm360(el.meanAnomaly) * kDegToRad;
    const Extended e = el.eccentricity;
    const Extended a = el.semiMajorAxis;
    const Extended w = el.perihelion * kDegToRad;
    const Extended node = el.node * kDegToRad;
    const Extended inc = el.inclination * kDegToRad;

    Extended ecc = m;
    for (int i = 0; i < 3; ++i) ecc = m + e * std::sin(ecc);
    const Extended nPrime = 0.01720209L / ((1.0L - e * std::cos(ecc)) * std::exp(1.5L * std::log(a)));
    const Extended root = std::sqrt(1.0L - e * e);
    const Extended u = -a * nPrime * std::sin(ecc);
    const Extended v = a * nPrime * root * std::cos(ecc);
    const Extended p = (std::cos(ecc) - e) * a;
    const Extended q = root * (std::sin(ecc) * a);

    OrbitState s;
    s.velocity = rotateToEcliptic(u, v, w, inc, node);
    s.position = rotateToEcliptic(p, q, w, inc, node);
    return s;
}

OrbitalElements earthElements(Extended t) {
    const Extended t2 = t * t;
    return OrbitalElements{358.4758445L + 35999.04975L * t - 0.000150278L * t2,
                           0.01675104L - 0.0000418L * t - 0.000000126L * t2,
                           1.00000023L,
                           101.2208333L + 1.719175L * t + 0.000452778L * t2,
                           0.0L,
                           0.0L};
}

GeocentricResult geocentric(const OrbitState& body, const OrbitState& earth, const Vector3& dp,
                            Extended nutation, bool pallas) {
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
