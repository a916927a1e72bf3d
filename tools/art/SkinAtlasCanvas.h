#pragma once
// What the painters of the skin's atlas draw with: shapes as inside-tests in a part's own
// coordinates, shades, and the canvas of one part's rectangle of the atlas.
#include "ImageFiles.h"
#include "Palette.h"
#include "skin/container/SkinFormat.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>
#include <vector>

namespace qivyun::art::atlas {

using qivyun::skin::ImagePart;

inline constexpr Rgb Magenta{255, 0, 255};
inline Rgb Mix(Rgb a, Rgb b, double t) { return Rgb{qivyun::art::Mix(a.r, b.r, t), qivyun::art::Mix(a.g, b.g, t), qivyun::art::Mix(a.b, b.b, t)}; }
inline bool IsMagenta(const Rgba& p) { return p.r == 255 && p.g == 0 && p.b == 255; }

using Inside = std::function<bool(double x, double y)>;
using Shade = std::function<Rgb(double x, double y)>;

inline Shade Solid(Rgb colour) {
    return [colour](double, double) { return colour; };
}
// From `top` at y0 to `bottom` at y1.
inline Shade Vertical(Rgb top, Rgb bottom, double y0, double y1) {
    return [=](double, double y) { return Mix(top, bottom, std::clamp((y - y0) / (y1 - y0), 0.0, 1.0)); };
}
inline Shade Horizontal(Rgb left, Rgb right, double x0, double x1) {
    return [=](double x, double) { return Mix(left, right, std::clamp((x - x0) / (x1 - x0), 0.0, 1.0)); };
}

inline Inside RoundedBox(double x0, double y0, double x1, double y1, double radius) {
    return [=](double x, double y) {
        if (x < x0 || x > x1 || y < y0 || y > y1) return false;
        const double dx = std::max({x0 + radius - x, x - (x1 - radius), 0.0});
        const double dy = std::max({y0 + radius - y, y - (y1 - radius), 0.0});
        return dx * dx + dy * dy <= radius * radius;
    };
}
inline Inside Ring(Inside outer, Inside inner) {
    return [=](double x, double y) { return outer(x, y) && !inner(x, y); };
}
inline Inside Circle(double cx, double cy, double radius) {
    return [=](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius; };
}
// A line through the points, `width` thick.
inline Inside Stroke(std::vector<std::pair<double, double>> points, double width) {
    return [=](double x, double y) {
        for (size_t i = 1; i < points.size(); ++i) {
            const auto [ax, ay] = points[i - 1];
            const auto [bx, by] = points[i];
            const double vx = bx - ax, vy = by - ay;
            const double t = std::clamp(((x - ax) * vx + (y - ay) * vy) / (vx * vx + vy * vy), 0.0, 1.0);
            const double ex = ax + t * vx - x, ey = ay + t * vy - y;
            if (ex * ex + ey * ey <= width * width / 4) return true;
        }
        return false;
    };
}

// One part's rectangle of the atlas. Shapes are given in the part's own coordinates and cover
// pixels by 4 x 4 samples; where a shape only partly covers a magenta pixel it is mixed with the
// ground, the colour the part will lie on, so that keyed edges show no magenta fringe.
class PartCanvas {
public:
    PartCanvas(Image& atlas, const ImagePart& part) : atlas_(atlas), part_(part) {}

    int Width() const { return part_.width; }
    int Height() const { return part_.height; }
    void Ground(Shade ground) { ground_ = std::move(ground); }
    void Ground(Rgb colour) { ground_ = Solid(colour); }

    void Clear(Rgb colour) {
        for (int y = 0; y < part_.height; ++y)
            for (int x = 0; x < part_.width; ++x) Pixel(x, y) = Rgba{colour.r, colour.g, colour.b, 255};
    }

    void Paint(const Inside& inside, const Shade& shade) {
        for (int y = 0; y < part_.height; ++y) {
            for (int x = 0; x < part_.width; ++x) {
                int covered = 0;
                for (int sy = 0; sy < 4; ++sy)
                    for (int sx = 0; sx < 4; ++sx) covered += inside(x + (sx + 0.5) / 4, y + (sy + 0.5) / 4);
                if (covered == 0) continue;
                const double cover = covered / 16.0;
                Rgba& p = Pixel(x, y);
                const Rgb under = IsMagenta(p) ? ground_(x + 0.5, y + 0.5) : Rgb{p.r, p.g, p.b};
                const Rgb c = Mix(under, shade(x + 0.5, y + 0.5), cover);
                p = Rgba{c.r, c.g, c.b, 255};
            }
        }
    }
    // Pixels that a shape covers at least half are set, the others left: glyphs that must stay
    // crisp on grounds of more than one colour.
    void PaintCrisp(const Inside& inside, Rgb colour) {
        Paint(
            [&](double x, double y) {
                int covered = 0;
                const double px = std::floor(x), py = std::floor(y);
                for (int sy = 0; sy < 4; ++sy)
                    for (int sx = 0; sx < 4; ++sx) covered += inside(px + (sx + 0.5) / 4, py + (sy + 0.5) / 4);
                return covered >= 8;
            },
            Solid(colour));
    }

private:
    Rgba& Pixel(int x, int y) { return atlas_.At(part_.x + x, part_.y + y); }

    Image& atlas_;
    const ImagePart& part_;
    Shade ground_ = Solid(palette::Panel);
};

enum class Look { Normal, Over, Held, Focused, Disabled };

}  // namespace qivyun::art::atlas
