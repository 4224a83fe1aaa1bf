#include "tools/art/shapes.h"

#include <cmath>
#include <utility>

namespace tarnwick::art {

namespace {

// Samples per pixel side: 8 x 8 points give 65 coverage levels, finer than the eye sees at
// these sizes, and keep the half-pixel rule of crisp edges stable on shapes that sit on the grid.
constexpr int kSamples = 8;

double Cross(Point a, Point b) { return a.x * b.y - a.y * b.x; }

}  // namespace

Shape Disc(Point centre, double radius) {
  return [=](double x, double y) {
    const double dx = x - centre.x;
    const double dy = y - centre.y;
    return dx * dx + dy * dy <= radius * radius;
  };
}

Shape Ring(Point centre, double outer_radius, double inner_radius) {
  return Difference(Disc(centre, outer_radius), Disc(centre, inner_radius));
}

Shape Box(double left, double top, double right, double bottom) {
  return [=](double x, double y) { return x >= left && x <= right && y >= top && y <= bottom; };
}

Shape Polygon(std::vector<Point> corners) {
  return [corners = std::move(corners)](double x, double y) {
    bool inside = false;
    for (size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
      const Point a = corners[i];
      const Point b = corners[j];
      if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x)
        inside = !inside;
    }
    return inside;
  };
}

Shape Stroke(Point from, Point to, double width) {
  return [=](double x, double y) {
    const double dx = to.x - from.x;
    const double dy = to.y - from.y;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0 ? ((x - from.x) * dx + (y - from.y) * dy) / length2 : 0;
    t = t < 0 ? 0 : (t > 1 ? 1 : t);
    const double px = from.x + t * dx - x;
    const double py = from.y + t * dy - y;
    return px * px + py * py <= width * width / 4;
  };
}

Shape Wedge(Point centre, Point from, Point to) {
  return [=](double x, double y) {
    const Point p = {x - centre.x, y - centre.y};
    return Cross(from, p) >= 0 && Cross(p, to) >= 0;
  };
}

Shape Union(Shape a, Shape b) {
  return [a = std::move(a), b = std::move(b)](double x, double y) { return a(x, y) || b(x, y); };
}

Shape Intersection(Shape a, Shape b) {
  return [a = std::move(a), b = std::move(b)](double x, double y) { return a(x, y) && b(x, y); };
}

Shape Difference(Shape a, Shape b) {
  return [a = std::move(a), b = std::move(b)](double x, double y) { return a(x, y) && !b(x, y); };
}

Shape Scaled(Shape shape, double factor) {
  return [shape = std::move(shape), factor](double x, double y) {
    return shape(x / factor, y / factor);
  };
}

void Fill(Image& image, const Shape& shape, Rgba colour, Edge edge) {
  Fill(image, shape, [colour](double, double) { return colour; }, edge);
}

void Fill(Image& image, const Shape& shape, const Paint& paint, Edge edge) {
  constexpr int kTotal = kSamples * kSamples;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      int inside = 0;
      for (int sy = 0; sy < kSamples; ++sy)
        for (int sx = 0; sx < kSamples; ++sx)
          if (shape(x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples)) ++inside;
      if (inside == 0) continue;
      const Rgba colour = paint(x + 0.5, y + 0.5);
      if (edge == Edge::kCrisp) {
        if (2 * inside >= kTotal) image.Set(x, y, colour);
      } else {
        image.Blend(x, y, WithCoverage(colour, static_cast<double>(inside) / kTotal));
      }
    }
  }
}

}  // namespace tarnwick::art
