#include "Canvas.h"

#include <algorithm>
#include <cmath>

namespace qivyun::art {

Colour Opaque(Rgb rgb, double alpha) { return {double(rgb.r), double(rgb.g), double(rgb.b), alpha}; }

Colour Lerp(const Colour& from, const Colour& to, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t, from.b + (to.b - from.b) * t,
            from.a + (to.a - from.a) * t};
}

Paint Solid(Colour colour) {
    return [colour](double, double) { return colour; };
}

Paint VerticalGradient(double top, Colour atTop, double bottom, Colour atBottom) {
    return [=](double, double y) { return Lerp(atTop, atBottom, (y - top) / (bottom - top)); };
}

Paint RadialGradient(double cx, double cy, double radius, Colour inside, Colour outside) {
    return [=](double x, double y) { return Lerp(inside, outside, std::hypot(x - cx, y - cy) / radius); };
}

Mask::Mask(int width, int height) : width_(width), height_(height), values_(size_t(width) * size_t(height), 0.0) {}

Mask Mask::FromShape(int width, int height, const std::function<double(double, double)>& distance) {
    Mask mask(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) mask.Set(x, y, std::clamp(0.5 - distance(x + 0.5, y + 0.5), 0.0, 1.0));
    return mask;
}

double Mask::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0.0;
    return values_[size_t(y) * size_t(width_) + size_t(x)];
}

Mask Mask::Shifted(int dx, int dy) const {
    Mask shifted(width_, height_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) shifted.Set(x, y, At(x - dx, y - dy));
    return shifted;
}

// Three box passes each way come close to a Gaussian.
Mask Mask::Blurred(double radius) const {
    int r = std::max(1, int(std::lround(radius / 1.7)));
    Mask current = *this;
    for (int pass = 0; pass < 3; ++pass) {
        Mask across(width_, height_), down(width_, height_);
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) {
                double sum = 0;
                for (int k = -r; k <= r; ++k) sum += current.At(x + k, y);
                across.Set(x, y, sum / (2 * r + 1));
            }
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) {
                double sum = 0;
                for (int k = -r; k <= r; ++k) sum += across.At(x, y + k);
                down.Set(x, y, sum / (2 * r + 1));
            }
        current = down;
    }
    return current;
}

Mask Mask::Without(const Mask& other) const {
    Mask result(width_, height_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) result.Set(x, y, At(x, y) * (1.0 - other.At(x, y)));
    return result;
}

Mask Mask::Times(const Mask& other) const {
    Mask result(width_, height_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) result.Set(x, y, At(x, y) * other.At(x, y));
    return result;
}

Mask Mask::Plus(const Mask& other) const {
    Mask result(width_, height_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) result.Set(x, y, std::min(1.0, At(x, y) + other.At(x, y)));
    return result;
}

Canvas::Canvas(int width, int height, Colour fill)
    : width_(width), height_(height), pixels_(size_t(width) * size_t(height), fill) {}

namespace {

Colour Over(const Colour& source, const Colour& below) {
    double a = source.a + below.a * (1.0 - source.a);
    if (a <= 0.0) return {};
    auto channel = [&](double s, double d) { return (s * source.a + d * below.a * (1.0 - source.a)) / a; };
    return {channel(source.r, below.r), channel(source.g, below.g), channel(source.b, below.b), a};
}

}  // namespace

void Canvas::Paint(const Mask& mask, const art::Paint& paint, double opacity) {
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            double coverage = mask.At(x, y) * opacity;
            if (coverage <= 0.0) continue;
            Colour source = paint(x + 0.5, y + 0.5);
            source.a *= coverage;
            Colour& pixel = pixels_[size_t(y) * size_t(width_) + size_t(x)];
            pixel = Over(source, pixel);
        }
}

void Canvas::Draw(const Canvas& other, int x, int y) {
    for (int sy = 0; sy < other.height_; ++sy)
        for (int sx = 0; sx < other.width_; ++sx) {
            int tx = x + sx, ty = y + sy;
            if (tx < 0 || ty < 0 || tx >= width_ || ty >= height_) continue;
            Colour& pixel = pixels_[size_t(ty) * size_t(width_) + size_t(tx)];
            pixel = Over(other.At(sx, sy), pixel);
        }
}

Image Canvas::ToImage() const {
    Image image(width_, height_);
    auto byte = [](double v) { return uint8_t(std::clamp(std::lround(v), 0L, 255L)); };
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            const Colour& c = At(x, y);
            // Fully transparent pixels carry no colour, so that PNG optimisers and decoders agree.
            image.At(x, y) = c.a * 255.0 < 0.5 ? Rgba{0, 0, 0, 0} : Rgba{byte(c.r), byte(c.g), byte(c.b), byte(c.a * 255.0)};
        }
    return image;
}

}  // namespace qivyun::art
