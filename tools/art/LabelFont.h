#pragma once
// The labels' face (Palette.h), rendered anti-aliased into coverage masks with FreeType.
#include "Canvas.h"

#include <string>

typedef struct FT_LibraryRec_* FT_Library;
typedef struct FT_FaceRec_* FT_Face;

namespace qivyun::art {

// How a line of text sits on its baseline, in pixels: its advance and the ink's extent above
// (ascent) and below (descent) the baseline.
struct TextExtent {
    double width, ascent, descent;
};

class LabelFont {
public:
    explicit LabelFont(const char* fontFile = LabelFontFile);
    ~LabelFont();
    LabelFont(const LabelFont&) = delete;
    LabelFont& operator=(const LabelFont&) = delete;

    bool Loaded() const { return face_ != nullptr; }

    // UTF-8 text at a pixel size; weight thickens every stroke by that many pixels.
    TextExtent Measure(const std::string& text, int pixelSize, double weight) const;
    // The text's coverage on a width x height mask, its pen starting at (x, baseline).
    Mask Draw(int width, int height, const std::string& text, int pixelSize, double weight, int x, int baseline) const;
    // The same, with the ink centred on (cx, cy).
    Mask DrawCentred(int width, int height, const std::string& text, int pixelSize, double weight, double cx,
                     double cy) const;

private:
    template <class Visit>
    void Walk(const std::string& text, int pixelSize, double weight, Visit visit) const;

    FT_Library library_ = nullptr;
    FT_Face face_ = nullptr;
};

}  // namespace qivyun::art
