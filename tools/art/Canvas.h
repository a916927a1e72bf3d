#pragma once
// A picture being drawn: colours with straight alpha, shapes given as signed distances so that
// every edge is anti-aliased, painted through coverage masks.
#include "ImageFiles.h"
#include "Palette.h"

#include <functional>
#include <vector>

namespace qivyun::art {

// Channels 0 to 255, alpha 0 to 1.
struct Colour {
    double r = 0, g = 0, b = 0, a = 0;
};

Colour Opaque(Rgb rgb, double alpha = 1.0);
Colour Lerp(const Colour& from, const Colour& to, double t);

// Where a paint is given: the colour at a pixel's centre.
using Paint = std::function<Colour(double x, double y)>;
Paint Solid(Colour colour);
Paint VerticalGradient(double top, Colour atTop, double bottom, Colour atBottom);
Paint RadialGradient(double cx, double cy, double radius, Colour inside, Colour outside);

// Coverage of each pixel, 0 to 1.
class Mask {
public:
    Mask(int width, int height);
    // Negative distance inside the shape; the edge is blended over one pixel.
    static Mask FromShape(int width, int height, const std::function<double(double, double)>& distance);

    int Width() const { return width_; }
    int Height() const { return height_; }
    double At(int x, int y) const;
    void Set(int x, int y, double value) { values_[size_t(y) * size_t(width_) + size_t(x)] = value; }

    Mask Shifted(int dx, int dy) const;
    Mask Blurred(double radius) const;
    // Coverage of this mask where the other does not cover.
    Mask Without(const Mask& other) const;
    Mask Times(const Mask& other) const;
    Mask Plus(const Mask& other) const;

private:
    int width_, height_;
    std::vector<double> values_;
};

class Canvas {
public:
    Canvas(int width, int height, Colour fill = {});
    int Width() const { return width_; }
    int Height() const { return height_; }
    const Colour& At(int x, int y) const { return pixels_[size_t(y) * size_t(width_) + size_t(x)]; }
    void Set(int x, int y, const Colour& colour) { pixels_[size_t(y) * size_t(width_) + size_t(x)] = colour; }

    // Paints the colour over the picture where the mask covers (source over).
    void Paint(const Mask& mask, const art::Paint& paint, double opacity = 1.0);
    void Fill(const std::function<double(double, double)>& shape, const art::Paint& paint, double opacity = 1.0) {
        Paint(Mask::FromShape(width_, height_, shape), paint, opacity);
    }
    // Copies another picture over this one at (x, y), source over.
    void Draw(const Canvas& other, int x, int y);

    Image ToImage() const;

private:
    int width_, height_;
    std::vector<Colour> pixels_;
};

}  // namespace qivyun::art
