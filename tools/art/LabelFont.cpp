#include "LabelFont.h"

#include <algorithm>
#include <cmath>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

namespace qivyun::art {
namespace {

std::u32string Decode(const std::string& text) {
    std::u32string out;
    for (size_t i = 0; i < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        int length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        char32_t cp = length == 1 ? c : length == 2 ? c & 0x1F : length == 3 ? c & 0x0F : c & 0x07;
        for (int k = 1; k < length && i + size_t(k) < text.size(); ++k) cp = (cp << 6) | (text[i + size_t(k)] & 0x3F);
        out.push_back(cp);
        i += size_t(length);
    }
    return out;
}

}  // namespace

LabelFont::LabelFont(const char* fontFile) {
    if (FT_Init_FreeType(&library_) != 0) return;
    // Face 0 of the collection has outlines for every size; the bitmap strikes are not used.
    if (FT_New_Face(library_, fontFile, 0, &face_) != 0) face_ = nullptr;
}

LabelFont::~LabelFont() {
    if (face_) FT_Done_Face(face_);
    if (library_) FT_Done_FreeType(library_);
}

// Loads and renders each glyph in turn and hands it to visit with the pen position.
template <class Visit>
void LabelFont::Walk(const std::string& text, int pixelSize, double weight, Visit visit) const {
    FT_Set_Pixel_Sizes(face_, 0, FT_UInt(pixelSize));
    int pen = 0;
    for (char32_t cp : Decode(text)) {
        if (FT_Load_Char(face_, cp, FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_LIGHT) != 0) continue;
        FT_GlyphSlot slot = face_->glyph;
        FT_Pos strength = FT_Pos(std::lround(weight * 64));
        if (strength > 0) FT_Outline_Embolden(&slot->outline, strength);
        if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) continue;
        // Emboldening grows each glyph by half the strength on either side.
        visit(pen + int(std::lround(weight / 2)), slot->bitmap, slot->bitmap_left, slot->bitmap_top);
        pen += int(std::lround(slot->advance.x / 64.0 + weight));
    }
    visit(pen, FT_Bitmap{}, 0, 0);
}

TextExtent LabelFont::Measure(const std::string& text, int pixelSize, double weight) const {
    TextExtent extent{0, 0, 0};
    if (!face_) return extent;
    Walk(text, pixelSize, weight, [&](int pen, const FT_Bitmap& bitmap, int, int top) {
        extent.width = pen;
        if (bitmap.rows == 0) return;
        extent.ascent = std::max(extent.ascent, double(top));
        extent.descent = std::max(extent.descent, double(int(bitmap.rows) - top));
    });
    return extent;
}

Mask LabelFont::Draw(int width, int height, const std::string& text, int pixelSize, double weight, int x,
                     int baseline) const {
    Mask mask(width, height);
    if (!face_) return mask;
    Walk(text, pixelSize, weight, [&](int pen, const FT_Bitmap& bitmap, int left, int top) {
        for (unsigned row = 0; row < bitmap.rows; ++row)
            for (unsigned column = 0; column < bitmap.width; ++column) {
                int px = x + pen + left + int(column), py = baseline - top + int(row);
                if (px < 0 || py < 0 || px >= width || py >= height) continue;
                double value = bitmap.buffer[row * unsigned(bitmap.pitch) + column] / 255.0;
                mask.Set(px, py, std::min(1.0, mask.At(px, py) + value));
            }
    });
    return mask;
}

Mask LabelFont::DrawCentred(int width, int height, const std::string& text, int pixelSize, double weight, double cx,
                            double cy) const {
    TextExtent extent = Measure(text, pixelSize, weight);
    int x = int(std::lround(cx - extent.width / 2));
    int baseline = int(std::lround(cy + (extent.ascent - extent.descent) / 2));
    return Draw(width, height, text, pixelSize, weight, x, baseline);
}

}  // namespace qivyun::art
