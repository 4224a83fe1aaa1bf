// Shapes in continuous coordinates, where pixel (x, y) covers the square from (x, y) to
// (x + 1, y + 1), and the one routine that paints them. A shape only answers whether a point lies
// inside it; painting samples each pixel on a grid of points and uses the share that falls inside:
// a crisp edge takes the whole pixel when at least half of it is inside (for the 16-colour pictures,
// which have no partial pixels), a smooth edge blends the colour by that share.
#ifndef TARNWICK_TOOLS_ART_SHAPES_H
#define TARNWICK_TOOLS_ART_SHAPES_H

#include <functional>
#include <vector>

#include "tools/art/image.h"

namespace tarnwick::art {

struct Point {
  double x;
  double y;
};

using Shape = std::function<bool(double x, double y)>;
// The colour to paint at a point; lets a shape be filled with a gradient.
using Paint = std::function<Rgba(double x, double y)>;

enum class Edge { kCrisp, kSmooth };

Shape Disc(Point centre, double radius);
Shape Ring(Point centre, double outer_radius, double inner_radius);
Shape Box(double left, double top, double right, double bottom);
// A polygon by its corners in order; the even-odd rule decides what is inside.
Shape Polygon(std::vector<Point> corners);
// A straight stroke of the given width with round ends.
Shape Stroke(Point from, Point to, double width);
// The points seen from `centre` between direction `from` and direction `to`, turning clockwise on
// screen (y grows downwards) by less than half a turn.
Shape Wedge(Point centre, Point from, Point to);

Shape Union(Shape a, Shape b);
Shape Intersection(Shape a, Shape b);
Shape Difference(Shape a, Shape b);
// The shape magnified `factor` times about the origin.
Shape Scaled(Shape shape, double factor);

void Fill(Image& image, const Shape& shape, Rgba colour, Edge edge);
void Fill(Image& image, const Shape& shape, const Paint& paint, Edge edge);

}  // namespace tarnwick::art

#endif
