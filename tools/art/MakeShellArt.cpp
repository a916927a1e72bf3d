// Draws every picture of the main program into its resource folder: the header band (bitmap
// 141), the icon (128), the button pictures (PNG 144 to 167), the busy animation (GIF 138) and the
// play panel's backdrop (JPEG 156). The results are committed, so a build needs no generator; the
// tests check that they are what this program draws.
//
//   make-shell-art OUTPUT_FOLDER
#include "Canvas.h"
#include "LabelFont.h"
#include "Palette.h"
#include "PictureFiles.h"
#include "Shapes.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <string>
#include <vector>

namespace {

using namespace qivyun::art;
namespace p = qivyun::art::palette;

const Colour Clear{};

Colour White(double alpha) { return Opaque(p::White, alpha); }

// The face every tile and the icon share: a blue glass square, lighter at the top, with a soft
// gloss over its upper half and a thin light rim.
void DrawTileFace(Canvas& canvas, double left, double top, double right, double bottom, double radius) {
    Shape body = RoundedRect(left, top, right, bottom, radius);
    canvas.Fill(body, VerticalGradient(top, Lerp(Opaque(p::BrandBlue), Opaque(p::SkyBlue), 0.3), bottom,
                                       Lerp(Opaque(p::NightBlue), Opaque(p::BrandBlue), 0.45)));
    double height = bottom - top;
    Shape gloss = Intersect(body, RoundedRect(left - radius, top - height, right + radius, top + height * 0.46, height));
    canvas.Fill(gloss, VerticalGradient(top, White(0.30), top + height * 0.46, White(0.06)));
    Shape rim = Subtract(body, RoundedRect(left + 1, top + 1, right - 1, bottom - 1, radius - 1));
    canvas.Fill(rim, VerticalGradient(top, White(0.65), bottom, White(0.18)));
}

// A soft dark shadow under white marks, so they read on every blue.
void DrawWithShadow(Canvas& canvas, const Mask& mark, Colour colour, double shadowAlpha = 0.55) {
    canvas.Paint(mark.Shifted(0, 1).Blurred(1.2), Solid(Opaque(p::NightBlue, shadowAlpha)));
    canvas.Paint(mark, Solid(colour));
}

Shape PlayTriangle(double cx, double cy, double size) {
    // The triangle's centre of mass sits on (cx, cy), so it looks centred in a ring.
    return Polygon({{cx - size * 0.38, cy - size * 0.5}, {cx - size * 0.38, cy + size * 0.5}, {cx + size * 0.62, cy}});
}

// ---- tiles of the top row, 75 x 75 -----------------------------------------------------------

constexpr int TileSize = 75;
constexpr double GlyphX = 37.5, GlyphY = 30.0;

Shape PlayGlyph() {
    return Union(Ring(GlyphX, GlyphY, 14.5, 2.6), PlayTriangle(GlyphX + 1, GlyphY, 13));
}

Shape SearchGlyph() {
    return Union(Ring(GlyphX - 4, GlyphY - 4, 9.5, 3.2), Stroke({GlyphX + 3.5, GlyphY + 3.5}, {GlyphX + 11, GlyphY + 11}, 4.6));
}

Shape RadioGlyph() {
    double x1 = GlyphX - 9, x2 = GlyphX + 9;
    Shape heads = Union(Circle(x1 - 3.5, GlyphY + 9, 4.8), Circle(x2 - 3.5, GlyphY + 6, 4.8));
    Shape stems = Union(Stroke({x1 + 0.6, GlyphY + 9}, {x1 + 0.6, GlyphY - 9}, 2.4), Stroke({x2 + 0.6, GlyphY + 6}, {x2 + 0.6, GlyphY - 12}, 2.4));
    Shape beam = Polygon({{x1 - 0.6, GlyphY - 8}, {x1 - 0.6, GlyphY - 13}, {x2 + 1.8, GlyphY - 16}, {x2 + 1.8, GlyphY - 11}});
    return Union(Union(heads, stems), beam);
}

Shape LiveTvGlyph() {
    Shape screen = Subtract(RoundedRect(GlyphX - 16, GlyphY - 10, GlyphX + 16, GlyphY + 12, 4),
                            RoundedRect(GlyphX - 13.4, GlyphY - 7.4, GlyphX + 13.4, GlyphY + 9.4, 2));
    Shape antenna = Union(Stroke({GlyphX - 7, GlyphY - 17}, {GlyphX, GlyphY - 10.5}, 2.2),
                          Stroke({GlyphX + 7, GlyphY - 17}, {GlyphX, GlyphY - 10.5}, 2.2));
    Shape live = Circle(GlyphX, GlyphY + 1, 4);
    return Union(Union(screen, antenna), live);
}

Canvas Tile(const LabelFont& font, const Shape& glyph, const std::string& label) {
    Canvas canvas(TileSize, TileSize);
    // Room on every side, so that the pressed look (one pixel right and down) is not clipped.
    DrawTileFace(canvas, 1.5, 1.5, 73.5, 73.5, TileCornerRadius);
    DrawWithShadow(canvas, Mask::FromShape(TileSize, TileSize, glyph), White(1));
    DrawWithShadow(canvas, font.DrawCentred(TileSize, TileSize, label, 13, 0.55, 37.5, 59.5), White(1));
    return canvas;
}

// ---- the home banner, 220 x 76 ---------------------------------------------------------------

// The program's mark: the tile face with a play sign, as on the icon.
void DrawMark(Canvas& canvas, double left, double top, double size) {
    DrawTileFace(canvas, left, top, left + size, top + size, size * 0.22);
    double cx = left + size / 2, cy = top + size / 2;
    Mask ring = Mask::FromShape(canvas.Width(), canvas.Height(), Ring(cx, cy, size * 0.3, size * 0.055));
    Mask play = Mask::FromShape(canvas.Width(), canvas.Height(), PlayTriangle(cx + size * 0.02, cy, size * 0.27));
    DrawWithShadow(canvas, ring.Plus(play), White(1), 0.4);
}

Canvas HomeBanner(const LabelFont& font) {
    Canvas canvas(220, 76);
    DrawMark(canvas, 6.5, 14.5, 44);
    const std::string brand = "Qiv", name = "云播盒子";
    TextExtent brandExtent = font.Measure(brand, 25, 0.9);
    int x = 60, baseline = 40;
    DrawWithShadow(canvas, font.Draw(220, 76, brand, 25, 0.9, x, baseline), Opaque(p::Accent));
    DrawWithShadow(canvas, font.Draw(220, 76, name, 25, 0.9, x + int(brandExtent.width) + 1, baseline), White(1));
    DrawWithShadow(canvas, font.Draw(220, 76, "海量影视  一点即播", 12, 0.15, x + 1, 60), Lerp(Opaque(p::SkyBlue), White(1), 0.45), 0.5);
    return canvas;
}

// ---- small buttons ---------------------------------------------------------------------------

// The glyph buttons of the top-right corner, 18 x 15: a faint glass square with a white sign.
Canvas CornerGlyph(const Shape& sign) {
    Canvas canvas(18, 15);
    Shape body = RoundedRect(0.5, 0.5, 17.5, 14.5, 3);
    canvas.Fill(body, VerticalGradient(0, White(0.24), 15, White(0.08)));
    canvas.Fill(Subtract(body, RoundedRect(1.5, 1.5, 16.5, 13.5, 2)), Solid(White(0.42)));
    DrawWithShadow(canvas, Mask::FromShape(18, 15, sign), White(1), 0.45);
    return canvas;
}

Shape CloseSign() {
    return Union(Stroke({6, 4.5}, {12, 10.5}, 1.9), Stroke({12, 4.5}, {6, 10.5}, 1.9));
}

Shape TraySign() {
    return Union(Stroke({5.5, 11}, {12.5, 11}, 1.9), Polygon({{5.8, 3.6}, {12.2, 3.6}, {9, 7.6}}));
}

// The buttons that close a pane, 60 x 20. The window shows only 58 of the 60 columns, so the
// face keeps clear of the last ones.
Canvas ClosePaneButton(const LabelFont& font, const std::string& label) {
    Canvas canvas(60, 20);
    Shape body = RoundedRect(0.5, 0.5, 56.5, 18.5, ControlCornerRadius);
    Colour top = Lerp(Opaque(p::NightBlue), Opaque(p::BrandBlue), 0.55);
    top.a = 0.96;
    canvas.Fill(body, VerticalGradient(0, top, 19, Opaque(p::NightBlue, 0.96)));
    canvas.Fill(Subtract(body, RoundedRect(1.5, 1.5, 55.5, 17.5, ControlCornerRadius - 1)),
                VerticalGradient(0, White(0.55), 19, White(0.15)));
    canvas.Paint(font.DrawCentred(60, 20, label, 12, 0.3, 28.5, 9.5), Solid(White(1)));
    return canvas;
}

// The play button, 65 x 25: the one orange action of the play panel.
Canvas PlayButton(const LabelFont& font) {
    Canvas canvas(65, 25);
    Shape body = RoundedRect(0.5, 0.5, 63.5, 23.5, ControlCornerRadius);
    Colour light = Lerp(Opaque(p::Accent), White(1), 0.25), dark = Lerp(Opaque(p::Accent), Opaque({196, 78, 0}), 0.55);
    canvas.Fill(body, VerticalGradient(0, light, 24, dark));
    canvas.Fill(Subtract(body, RoundedRect(1.5, 1.5, 62.5, 22.5, ControlCornerRadius - 1)),
                VerticalGradient(0, White(0.7), 24, White(0.1)));
    const std::string label = "播 放";
    TextExtent extent = font.Measure(label, 14, 0.6);
    double groupWidth = 9 + 5 + extent.width;
    double left = 32 - groupWidth / 2;
    Mask sign = Mask::FromShape(65, 25, PlayTriangle(left + 3.4, 12, 9));
    Mask text = font.Draw(65, 25, label, 14, 0.6, int(std::lround(left + 14)), int(std::lround(12 + (extent.ascent - extent.descent) / 2)));
    Mask marks = sign.Plus(text);
    canvas.Paint(marks.Shifted(0, 1).Blurred(1.0), Solid(Opaque({150, 60, 0}, 0.6)));
    canvas.Paint(marks, Solid(White(1)));
    return canvas;
}

// The side panel's buttons, 136 x 30: a light face with a blue badge and a dark label.
Canvas SideButton(const LabelFont& font, const Shape& badgeSign, const std::string& label) {
    constexpr int Width = 136, Height = 30;
    Canvas canvas(Width, Height);
    Shape body = RoundedRect(0.5, 0.5, 135.5, 28.5, ControlCornerRadius);
    canvas.Fill(body, VerticalGradient(0, Opaque(p::ControlFace), 29, Opaque(p::Panel)));
    canvas.Fill(Subtract(body, RoundedRect(1.5, 1.5, 134.5, 27.5, ControlCornerRadius - 1)), Solid(Opaque(p::PanelLine)));
    canvas.Fill(Circle(15, 14.5, 8.5), VerticalGradient(6, Lerp(Opaque(p::BrandBlue), Opaque(p::SkyBlue), 0.3), 23, Opaque(p::BrandBlue)));
    canvas.Fill(badgeSign, Solid(White(1)));
    // The largest size at which the label fits beside the badge.
    int size = 12;
    while (size > 10 && font.Measure(label, size, 0.25).width > Width - 30 - 5) --size;
    double textLeft = 29;
    TextExtent extent = font.Measure(label, size, 0.25);
    canvas.Paint(font.Draw(Width, Height, label, size, 0.25, int(textLeft), int(std::lround(14.5 + (extent.ascent - extent.descent) / 2))),
                 Solid(Opaque(p::Ink)));
    return canvas;
}

Shape InfoSign() { return Union(Circle(15, 10.2, 1.4), Stroke({15, 13.2}, {15, 18.8}, 2.4)); }
Shape PlaySign() { return PlayTriangle(15.6, 14.5, 8); }
Shape DownloadSign() {
    return Union(Union(Stroke({15, 9}, {15, 15}, 2.2), Polygon({{11.2, 13.6}, {18.8, 13.6}, {15, 17.6}})), Stroke({11, 19.6}, {19, 19.6}, 1.8));
}

// ---- the busy animation, 60 x 60, twelve frames ---------------------------------------------

// One ramp from the panel's black through the brand's sky blue to white: every pixel of the
// animation is one step of it.
Colour Ramp(double t) {
    t = std::clamp(t, 0.0, 1.0);
    Colour black{0, 0, 0, 1};
    return t < 0.75 ? Lerp(black, Opaque(p::SkyBlue), t / 0.75) : Lerp(Opaque(p::SkyBlue), White(1), (t - 0.75) / 0.25);
}

GifPicture BusyAnimation() {
    constexpr int Size = 60, Dots = 12;
    GifPicture gif{Size, Size, {}, "QivYun busy animation", {}};
    for (int i = 0; i < 256; ++i) {
        Colour c = Ramp(i / 255.0);
        gif.colours.push_back(Rgba{uint8_t(std::lround(c.r)), uint8_t(std::lround(c.g)), uint8_t(std::lround(c.b)), 255});
    }
    for (int frame = 0; frame < Dots; ++frame) {
        std::vector<double> level(Size * Size, 0.0);
        for (int dot = 0; dot < Dots; ++dot) {
            int behind = (frame - dot + Dots) % Dots;  // 0: the leading dot
            double brightness = behind == 0 ? 1.0 : std::max(0.16, 0.86 * std::pow(0.78, behind - 1));
            double radius = behind == 0 ? 4.6 : std::max(3.0, 4.3 - 0.14 * behind);
            double angle = 2 * M_PI * dot / Dots - M_PI / 2;
            Mask mark = Mask::FromShape(Size, Size, Circle(30 + 20 * std::cos(angle), 30 + 20 * std::sin(angle), radius));
            for (int y = 0; y < Size; ++y)
                for (int x = 0; x < Size; ++x) level[size_t(y * Size + x)] = std::max(level[size_t(y * Size + x)], mark.At(x, y) * brightness);
        }
        GifFrame out{0, 0, Size, Size, 8, 1, {}};
        for (double v : level) out.indices.push_back(uint8_t(std::lround(v * 255)));
        // The last frame of each turn clears itself to the panel's black before the next one.
        if (frame == Dots - 1) out.disposal = 2;
        gif.frames.push_back(std::move(out));
    }
    return gif;
}

// ---- the play panel's backdrop, 940 x 552 ----------------------------------------------------

// Only the top 516 rows show (the window ends there); the address box and the play button
// stand at (150, 319) and (735, 319), on the card drawn for them.
Canvas PlayPanelBackdrop(const LabelFont& font) {
    constexpr int Width = 940, Height = 552;
    Canvas canvas(Width, Height, Colour{0, 0, 0, 1});
    auto all = [](double, double) { return -1.0; };
    canvas.Fill(all, VerticalGradient(0, Lerp(Opaque(p::NightBlue), Opaque(p::BrandBlue), 0.3), 516, Opaque({8, 22, 58})));
    canvas.Fill(all, RadialGradient(470, 170, 460, Opaque(p::BrandBlue, 0.55), Opaque(p::BrandBlue, 0)));
    for (int r = 110; r <= 470; r += 60) canvas.Fill(Ring(470, 170, r, 1.2), Solid(White(0.045)));
    // Soft lights scattered at fixed places.
    const double lights[][3] = {{92, 88, 36}, {184, 420, 58}, {806, 120, 44}, {870, 440, 70}, {640, 470, 30}, {300, 150, 22}, {715, 250, 18}};
    for (const auto& l : lights) {
        Mask light = Mask::FromShape(Width, Height, Circle(l[0], l[1], l[2])).Blurred(l[2] * 0.35);
        canvas.Paint(light, Solid(Opaque(p::SkyBlue, 0.10)));
    }
    DrawMark(canvas, 438, 64, 64);
    DrawWithShadow(canvas, font.DrawCentred(Width, Height, "QiV 云点播", 40, 1.1, 470, 176), White(1), 0.6);
    DrawWithShadow(canvas, font.DrawCentred(Width, Height, "粘贴 ed2k 或 magnet 链接，一键在线播放", 17, 0.25, 470, 228),
                   Lerp(Opaque(p::SkyBlue), White(1), 0.55), 0.5);
    // The card under the address box and the play button, and the box's light frame.
    Shape card = RoundedRect(128, 294, 822, 368, 12);
    canvas.Fill(card, Solid(White(0.10)));
    canvas.Fill(Subtract(card, RoundedRect(129, 295, 821, 367, 11)), Solid(White(0.26)));
    canvas.Fill(RoundedRect(145, 314, 725, 349, ControlCornerRadius + 1), Solid(Opaque(p::SkyBlue)));
    canvas.Fill(RoundedRect(146, 315, 724, 348, ControlCornerRadius), Solid(White(1)));
    // Three short promises under the card.
    const char* notes[] = {"支持 ed2k · magnet · 哈希", "MTkan 与 KCPlay 双引擎", "边下边播  无需等待"};
    for (int i = 0; i < 3; ++i) {
        double cx = 245 + i * 230;
        canvas.Fill(Circle(cx - font.Measure(notes[i], 14, 0.1).width / 2 - 10, 402, 3), Solid(Opaque(p::Accent)));
        canvas.Paint(font.DrawCentred(Width, Height, notes[i], 14, 0.1, cx, 402), Solid(Lerp(Opaque(p::SkyBlue), White(1), 0.35)));
    }
    canvas.Paint(font.DrawCentred(Width, Height, "Qiv云播盒子  ·  想看就看", 12, 0.0, 470, 490), Solid(White(0.35)));
    return canvas;
}

// ---- the header band and the icon ------------------------------------------------------------

// A deep blue band, lighter through its middle, crossed by two soft waves, with a light edge
// where it meets the content area. The window stretches it to 939 x 86.
Canvas HeaderBand() {
    Canvas canvas(400, 50, Colour{0, 0, 0, 1});
    Colour deep = Lerp(Opaque(p::NightBlue), Opaque({8, 22, 58}), 0.4);
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 400; ++x) {
            double t = std::abs(y - 21.0) / 29.0;
            Colour c = Lerp(Lerp(Opaque(p::BrandBlue), Opaque(p::NightBlue), 0.35), deep, t);
            double wave1 = 31 + 7 * std::sin(x / 41.0);
            double wave2 = 37 + 5 * std::sin(x / 26.0 + 1.3);
            double glow = std::exp(-std::pow(y - wave1, 2) / 7.0) * 0.22 + std::exp(-std::pow(y - wave2, 2) / 3.0) * 0.14;
            c = Lerp(c, Opaque(p::SkyBlue), glow);
            if (y == 49) c = Lerp(c, Opaque(p::SkyBlue), 0.7);
            canvas.Set(x, y, c);
        }
    return canvas;
}

Canvas Icon(int size) {
    Canvas canvas(size, size);
    double s = size;
    DrawTileFace(canvas, 0.5, 0.5, s - 0.5, s - 0.5, s * 0.22);
    Shape play = PlayTriangle(s / 2 + s * 0.03, s / 2, s * 0.42);
    if (size >= 32) play = Union(Ring(s / 2, s / 2, s * 0.33, s * 0.07), PlayTriangle(s / 2 + s * 0.02, s / 2, s * 0.3));
    canvas.Fill(play, Solid(White(1)));
    return canvas;
}

bool Save(const std::string& path, const Canvas& canvas) {
    bool ok = WritePng(path, canvas);
    if (!ok) std::cerr << "cannot write " << path << "\n";
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make-shell-art OUTPUT_FOLDER\n";
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    LabelFont font;
    if (!font.Loaded()) {
        std::cerr << "cannot load the label face " << LabelFontFile << "\n";
        return 1;
    }
    bool ok = Save(folder + "TilePlay.png", Tile(font, PlayGlyph(), "QiV点播")) &&
              Save(folder + "TileSearch.png", Tile(font, SearchGlyph(), "资源搜索")) &&
              Save(folder + "TileRadio.png", Tile(font, RadioGlyph(), "音乐电台")) &&
              Save(folder + "TileLiveTv.png", Tile(font, LiveTvGlyph(), "网络直播")) &&
              Save(folder + "HomeBanner.png", HomeBanner(font)) &&
              Save(folder + "ClosePlayback.png", ClosePaneButton(font, "关闭播放")) &&
              Save(folder + "CloseRadio.png", ClosePaneButton(font, "关闭音乐")) &&
              Save(folder + "CloseLiveTv.png", ClosePaneButton(font, "关闭直播")) &&
              Save(folder + "PlayButton.png", PlayButton(font)) &&
              Save(folder + "CloseGlyph.png", CornerGlyph(CloseSign())) &&
              Save(folder + "TrayGlyph.png", CornerGlyph(TraySign())) &&
              Save(folder + "IntroToggle.png", SideButton(font, InfoSign(), "搜索及播放选项简介")) &&
              Save(folder + "QvodLink.png", SideButton(font, PlaySign(), "qvod 播放组件")) &&
              Save(folder + "MtkanDownload.png", SideButton(font, DownloadSign(), "mtkan 云播加速器"));
    ok = ok && WriteGif(folder + "Busy.gif", BusyAnimation());
    ok = ok && WriteJpeg(folder + "PlayPanel.jpg", PlayPanelBackdrop(font), 90);
    Image band = HeaderBand().ToImage();
    std::vector<Image> icons{Icon(32).ToImage(), Icon(16).ToImage()};
    ok = ok && WriteBmp24(folder + "HeaderBand.bmp", band) && WriteIco(folder + "QivYunPlay.ico", icons);
    if (!ok) std::cerr << "cannot write every picture into " << folder << "\n";
    return ok ? 0 : 1;
}
