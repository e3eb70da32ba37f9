// The moving bodies of the transit search on the reference ephemeris, so
// that the same search runs on both: for the accuracy report of the timing
// computations and for the benchmark that times them side by side.
// Developer tools only.
#pragma once

#include "timing/body_positions.h"
#include "tools/reference/reference_ephemeris.h"

#include <memory>
#include <string>

namespace qv::reference {

// The reference's body for the program's number 1–11 and node kind.
inline Body referenceBody(int body, const std::string& nodeKind) {
    static const Body bodies[] = {Body::Sun,     Body::Sun,    Body::Moon,   Body::Mercury,
                                  Body::Venus,   Body::Mars,   Body::Jupiter, Body::Saturn,
                                  Body::Uranus,  Body::Neptune, Body::Pluto};
    if (body == 11) return nodeKind == "VERO" ? Body::TrueNode : Body::MeanNode;
    return bodies[body];
}

class ReferencePositions : public timing::BodyPositions {
public:
    ReferencePositions(int body, const std::string& nodeKind)
        : timing::BodyPositions(body, nodeKind), of_(referenceBody(body, nodeKind)) {}
    static std::unique_ptr<timing::BodyPositions> make(int body, const std::string& nodeKind) {
        return std::make_unique<ReferencePositions>(body, nodeKind);
    }

protected:
    Extended computeLongitude(Extended jd) override {
        static const Ephemeris ephemeris;
        return ephemeris.longitude(static_cast<double>(jd), of_);
    }

private:
    Body of_;
};

} // namespace qv::reference
