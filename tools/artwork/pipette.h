// The pipette that the cursor, the icon and the "Snap" picture share: a glass nose, a tube, a
// collar and a rubber bulb, laid along a line from the tip.
#pragma once

#include "shapes.h"

namespace artwork {

// Lengths along the pipette from the tip, and half-widths across it, in pixels.
struct PipetteProportions {
    double tipRadius;
    double noseLength;
    double tubeRadius;
    double tubeLength;
    double collarRadius;
    double collarLength;
    double bulbRadius;
    double bulbLength;
};

struct Pipette {
    Shape nose, tube, collar, bulb;

    Shape Whole() const { return Union({nose, tube, collar, bulb}); }
    Shape Glass() const { return Union({nose, tube}); }
};

// A pipette whose tip is at `tip` and whose bulb lies in the direction of `towards`.
Pipette MakePipette(Point tip, Point towards, const PipetteProportions& proportions);

} // namespace artwork
