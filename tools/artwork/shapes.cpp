#include "shapes.h"

#include <algorithm>
#include <cmath>

namespace artwork {

namespace {

double Length(double x, double y) {
    return std::hypot(x, y);
}

// Samples per pixel side for smooth edges.
constexpr int kSamples = 4;

} // namespace

Shape Circle(Point centre, double radius) {
    return [=](Point p) { return Length(p.x - centre.x, p.y - centre.y) - radius; };
}

Shape Ring(Point centre, double radius, double thickness) {
    return [=](Point p) {
        return std::abs(Length(p.x - centre.x, p.y - centre.y) - radius) - thickness / 2;
    };
}

Shape TaperedCapsule(Point a, double radiusAtA, Point b, double radiusAtB) {
    const double length = Length(b.x - a.x, b.y - a.y);
    const double alongX = (b.x - a.x) / length, alongY = (b.y - a.y) / length;
    const double slope = (radiusAtA - radiusAtB) / length;
    const double across = std::sqrt(1.0 - slope * slope);
    return [=](Point p) {
        // In the capsule's own frame: `v` along its axis from a, `u` the distance from the axis.
        const double dx = p.x - a.x, dy = p.y - a.y;
        const double v = dx * alongX + dy * alongY;
        const double u = std::abs(dx * alongY - dy * alongX);
        const double k = -slope * u + across * v;
        if (k < 0.0) {
            return Length(u, v) - radiusAtA;
        }
        if (k > across * length) {
            return Length(u, v - length) - radiusAtB;
        }
        return across * u + slope * v - radiusAtA;
    };
}

Shape Capsule(Point a, Point b, double radius) {
    return TaperedCapsule(a, radius, b, radius);
}

Shape Bar(Point a, Point b, double thickness) {
    const double length = Length(b.x - a.x, b.y - a.y);
    const double alongX = (b.x - a.x) / length, alongY = (b.y - a.y) / length;
    const Point middle{(a.x + b.x) / 2, (a.y + b.y) / 2};
    return [=](Point p) {
        const double dx = p.x - middle.x, dy = p.y - middle.y;
        const double qx = std::abs(dx * alongX + dy * alongY) - length / 2;
        const double qy = std::abs(dx * alongY - dy * alongX) - thickness / 2;
        return Length(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0);
    };
}

Shape Union(std::vector<Shape> shapes) {
    return [shapes = std::move(shapes)](Point p) {
        double nearest = INFINITY;
        for (const Shape& shape : shapes) {
            nearest = std::min(nearest, shape(p));
        }
        return nearest;
    };
}

Shape Intersection(Shape first, Shape second) {
    return [=](Point p) { return std::max(first(p), second(p)); };
}

Shape Grown(Shape shape, double amount) {
    return [=](Point p) { return shape(p) - amount; };
}

void Paint(CRaster& raster, const Shape& shape, Rgba colour) {
    for (int y = 0; y < raster.height(); ++y) {
        for (int x = 0; x < raster.width(); ++x) {
            int inside = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const Point sample{x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples};
                    inside += shape(sample) <= 0.0 ? 1 : 0;
                }
            }
            raster.Cover(x, y, colour, static_cast<double>(inside) / (kSamples * kSamples));
        }
    }
}

CMask::CMask(const Contains& contains, int width, int height)
    : columns(width), rows(height),
      inside(static_cast<size_t>(width) * static_cast<size_t>(height)) {
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            inside[static_cast<size_t>(y * width + x)] = contains(x, y);
        }
    }
}

CMask::CMask(const Shape& shape, int width, int height)
    : CMask(
          [&shape](int x, int y) {
              return shape(Point{x + 0.5, y + 0.5}) <= 0.0;
          },
          width, height) {}

bool CMask::Inside(int x, int y) const {
    return x >= 0 && y >= 0 && x < columns && y < rows &&
           inside[static_cast<size_t>(y * columns + x)];
}

bool CMask::OnEdge(int x, int y) const {
    return Inside(x, y) &&
           (!Inside(x - 1, y) || !Inside(x + 1, y) || !Inside(x, y - 1) || !Inside(x, y + 1));
}

} // namespace artwork
