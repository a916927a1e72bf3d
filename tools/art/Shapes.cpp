#include "Shapes.h"

#include <algorithm>
#include <cmath>

namespace qivyun::art {

Shape RoundedRect(double left, double top, double right, double bottom, double radius) {
    double cx = (left + right) / 2, cy = (top + bottom) / 2;
    double hx = (right - left) / 2 - radius, hy = (bottom - top) / 2 - radius;
    return [=](double x, double y) {
        double qx = std::abs(x - cx) - hx, qy = std::abs(y - cy) - hy;
        double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
        return outside + std::min(std::max(qx, qy), 0.0) - radius;
    };
}

Shape Circle(double cx, double cy, double radius) {
    return [=](double x, double y) { return std::hypot(x - cx, y - cy) - radius; };
}

Shape Stroke(Point from, Point to, double width) {
    return [=](double x, double y) {
        double vx = to.x - from.x, vy = to.y - from.y;
        double t = std::clamp(((x - from.x) * vx + (y - from.y) * vy) / (vx * vx + vy * vy), 0.0, 1.0);
        return std::hypot(x - from.x - vx * t, y - from.y - vy * t) - width / 2;
    };
}

Shape Polygon(std::vector<Point> corners) {
    // Turn every corner list into one with the inside on the left of each edge.
    double area = 0;
    for (size_t i = 0; i < corners.size(); ++i) {
        const Point& a = corners[i];
        const Point& b = corners[(i + 1) % corners.size()];
        area += a.x * b.y - b.x * a.y;
    }
    if (area < 0) std::reverse(corners.begin(), corners.end());
    return [corners](double x, double y) {
        double distance = -1e9;
        for (size_t i = 0; i < corners.size(); ++i) {
            const Point& a = corners[i];
            const Point& b = corners[(i + 1) % corners.size()];
            double ex = b.x - a.x, ey = b.y - a.y, length = std::hypot(ex, ey);
            distance = std::max(distance, ((x - a.x) * ey - (y - a.y) * ex) / length);
        }
        return distance;
    };
}

Shape Ring(double cx, double cy, double radius, double width) {
    return [=](double x, double y) { return std::abs(std::hypot(x - cx, y - cy) - radius) - width / 2; };
}

Shape Union(Shape a, Shape b) {
    return [=](double x, double y) { return std::min(a(x, y), b(x, y)); };
}

Shape Subtract(Shape from, Shape cut) {
    return [=](double x, double y) { return std::max(from(x, y), -cut(x, y)); };
}

Shape Intersect(Shape a, Shape b) {
    return [=](double x, double y) { return std::max(a(x, y), b(x, y)); };
}

}  // namespace qivyun::art
