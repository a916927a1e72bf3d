#pragma once
// The file formats of the main program's pictures: PNG with alpha for the buttons, a baseline
// JPEG for the play panel's backdrop, and an animated GIF89a for the busy animation.
#include "Canvas.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qivyun::art {

bool WritePng(const std::string& path, const Canvas& canvas);

// Baseline, no chroma subsampling (the backdrop carries text), 96 pixels per inch.
bool WriteJpeg(const std::string& path, const Canvas& canvas, int quality);

// One frame of an animated GIF: indices into the file's global colour table.
struct GifFrame {
    int left, top, width, height;
    int delayCentiseconds;
    int disposal;  // 0 to 3, as the graphic control extension carries it
    std::vector<uint8_t> indices;
};

struct GifPicture {
    int width, height;
    std::vector<Rgba> colours;  // the global colour table, at most 256 entries
    std::string comment;        // ASCII, stored as a comment extension when not empty
    std::vector<GifFrame> frames;
};

// GIF89a with a looping application extension, then one control extension per frame.
bool WriteGif(const std::string& path, const GifPicture& picture);

}  // namespace qivyun::art
