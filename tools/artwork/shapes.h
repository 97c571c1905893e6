// Shapes as signed distances (negative inside, in pixels), so one outline can be drawn at any
// size, smooth-edged on the button pictures and pixel-exact on the icon and the cursor.
#pragma once

#include "raster.h"

#include <functional>
#include <vector>

namespace artwork {

struct Point {
    double x = 0, y = 0;
};

using Shape = std::function<double(Point)>;

Shape Circle(Point centre, double radius);
// A ring of `thickness` whose middle line is the circle of `radius`.
Shape Ring(Point centre, double radius, double thickness);
// Round ends; the radius changes evenly from `a` to `b`.
Shape TaperedCapsule(Point a, double radiusAtA, Point b, double radiusAtB);
Shape Capsule(Point a, Point b, double radius);
// A rectangle from `a` to `b` (square ends), `thickness` across.
Shape Bar(Point a, Point b, double thickness);
Shape Union(std::vector<Shape> shapes);
Shape Intersection(Shape first, Shape second);
// Grown outwards by `amount` pixels, or shrunk for a negative amount.
Shape Grown(Shape shape, double amount);

// Fills the shape with smooth edges: each pixel is covered by the share of it inside.
void Paint(CRaster& raster, const Shape& shape, Rgba colour);

// A set of pixels, for drawing pixel-exact.
class CMask {
public:
    using Contains = std::function<bool(int x, int y)>;

    CMask(const Contains& contains, int width, int height);
    // The pixels whose centre lies inside the shape.
    CMask(const Shape& shape, int width, int height);

    int width() const { return columns; }
    int height() const { return rows; }
    // Outside the mask's area counts as outside the shape.
    bool Inside(int x, int y) const;
    // Inside, with at least one of the four side neighbours outside: a one-pixel contour that
    // follows diagonals as single steps.
    bool OnEdge(int x, int y) const;

private:
    int columns;
    int rows;
    std::vector<bool> inside;
};

} // namespace artwork
