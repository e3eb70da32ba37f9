// A body's longitude over a period as samples between which it moves one
// way only: a regular grid, with each station (the moment the body stands
// still and turns) found by root finding and put in as a sample. Between
// two neighbouring samples the longitude is monotonic and moves less than a
// half turn, so each point it reaches there is reached exactly once and can
// be found by a bracketed root.
#pragma once

#include "base/reals.h"
#include "timing/body_positions.h"

#include <vector>

namespace qv::timing {

struct TrackSample {
    Extended jd = 0;
    Extended longitude = 0;
    bool station = false;  // the body stands still here
    Extended motion = 0;   // degrees moved since the sample before, signed
};

struct Crossing {
    Extended jd = 0;
    bool forward = false;  // reached moving direct (longitudes increasing)
};

class LongitudeTrack {
public:
    LongitudeTrack(BodyPositions& body, Extended from, Extended to);
    const std::vector<TrackSample>& samples() const { return samples_; }
    // Every moment in the period at which the body stands exactly at
    // `point` (degrees), in time order.
    std::vector<Crossing> crossings(Extended point) const;
    // The same for many points at once (one pass over the samples): the
    // crossings of points[k] in element k.
    std::vector<std::vector<Crossing>> crossings(const std::vector<Extended>& points) const;
    // The moments the body stands still, in time order.
    std::vector<Extended> stations() const;
    BodyPositions& body() const { return body_; }

private:
    // The moment in step i (between samples i − 1 and i) at which the
    // offset from `point` goes from u0 to u1 through 0.
    Extended refine(std::size_t i, Extended point, Extended u0, Extended u1) const;

    BodyPositions& body_;
    std::vector<TrackSample> samples_;
};

} // namespace qv::timing
