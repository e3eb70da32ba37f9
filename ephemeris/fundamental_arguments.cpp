#include "ephemeris/fundamental_arguments.h"

#include "ephemeris/angles.h"

namespace qv {

Extended moonPerigee(Extended d, Extended t) {
    return Norm360(334.32956L + 0.11140408L * d + (0.010325L - 0.000012L * t) * (t * t));
}

FundamentalArgs FundamentalArguments(Extended jd) {
    FundamentalArgs a;
    a.jd = jd;
    a.d = jd - 2415020.0L;
    a.t = a.d / 36525.0L;
    a.t2 = a.t * a.t;
    const Extended t = a.t, t2 = a.t2, d = a.d;
    a.omega = Norm360(259.1833L - 0.05295392L * d + (0.002078L + 0.000002L * t) * t2);
    a.sunMeanLongitude = Norm360(279.69668L + 36000.7689L * t + 0.0003025L * t2);
    a.elongation = Norm360(350.737486L + 445267.114L * t - 0.001436L * t2);
    a.moonPerigee = Norm360(334.32956L + 0.11140408L * d + (0.010325L - 0.000012L * t) * t2);
    a.sunMeanAnomaly = Norm360(358.47584L + 35999.04975L * t - 0.00015L * t2);
    a.moonMeanLongitude = Norm360(270.434164L + 13.1763965L * d + (-0.001133L + 0.0000019L * t) * t2);
    a.moonMeanAnomaly = Norm360(296.1046083L + 477198.849L * t + 0.009191671L * t2);
    a.nutation = (-(17.2327L + 0.01737L * t) * SinDeg(a.omega) - 1.273L * SinDeg(2.0L * a.sunMeanLongitude)) / 3600.0L;
    a.obliquity = 23.4522944L - 0.0130125L * t;
    const Turn obliquity = TurnDeg(a.obliquity);
    a.cosObliquity = obliquity.c;
    a.sinObliquity = obliquity.s;
    return a;
}

} // namespace qv
