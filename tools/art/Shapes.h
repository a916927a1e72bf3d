#pragma once
// Signed distances of the shapes the pictures are made of: negative inside, in pixels.
#include <functional>
#include <vector>

namespace qivyun::art {

using Shape = std::function<double(double x, double y)>;

struct Point {
    double x, y;
};

Shape RoundedRect(double left, double top, double right, double bottom, double radius);
Shape Circle(double cx, double cy, double radius);
// A line of the given width with round ends.
Shape Stroke(Point from, Point to, double width);
// A convex polygon, corners in either order.
Shape Polygon(std::vector<Point> corners);
Shape Ring(double cx, double cy, double radius, double width);
Shape Union(Shape a, Shape b);
Shape Subtract(Shape from, Shape cut);
Shape Intersect(Shape a, Shape b);

}  // namespace qivyun::art
