#include "pipette.h"

#include <cmath>

namespace artwork {

Pipette MakePipette(Point tip, Point towards, const PipetteProportions& p) {
    const double length = std::hypot(towards.x - tip.x, towards.y - tip.y);
    const double dx = (towards.x - tip.x) / length, dy = (towards.y - tip.y) / length;
    const auto along = [&](double distance) {
        return Point{tip.x + dx * distance, tip.y + dy * distance};
    };
    const double tubeStart = p.noseLength;
    const double collarStart = tubeStart + p.tubeLength;
    const double bulbStart = collarStart + p.collarLength;
    const double bulbEnd = bulbStart + p.bulbLength;
    return Pipette{
        TaperedCapsule(along(p.tipRadius), p.tipRadius, along(tubeStart), p.tubeRadius),
        Bar(along(tubeStart), along(collarStart), p.tubeRadius * 2),
        Bar(along(collarStart), along(bulbStart), p.collarRadius * 2),
        Capsule(along(bulbStart + p.bulbRadius * 0.5), along(bulbEnd - p.bulbRadius), p.bulbRadius),
    };
}

} // namespace artwork
