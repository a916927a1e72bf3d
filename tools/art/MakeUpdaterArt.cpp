// Draws the updater's own icon (icon 128, 32 x 32 and 16 x 16): a green disc with a white arrow
// pointing down onto a bar. Run by hand when the art changes; the result is kept in
// resources/QivYunUpdate/.
//
//   make-updater-art OUTPUT_FOLDER
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "ImageFiles.h"

namespace {

using namespace qivyun::art;

// A green disc, lighter at the top, with a white arrow down onto a white bar.
Image Icon(int size) {
    Image image(size, size);
    double s = size;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            double px = x + 0.5, py = y + 0.5;
            double edge = s * 0.48 - std::hypot(px - s / 2, py - s / 2);
            if (edge <= 0) continue;
            double alpha = std::min(1.0, edge);
            double t = py / s;
            Rgba c{Mix(90, 20, t), Mix(200, 120, t), Mix(110, 50, t), uint8_t(alpha * 255)};
            double u = px / s, v = py / s;
            bool shaft = std::abs(u - 0.5) < 0.09 && v > 0.2 && v < 0.52;
            bool head = v >= 0.46 && v < 0.7 && std::abs(u - 0.5) < (0.7 - v) * 1.05;
            bool bar = v > 0.74 && v < 0.82 && std::abs(u - 0.5) < 0.25;
            if (shaft || head || bar) c = Rgba{255, 255, 255, c.a};
            image.At(x, y) = c;
        }
    }
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make-updater-art OUTPUT_FOLDER\n";
        return 2;
    }
    std::string folder = argv[1];
    std::vector<Image> icons{Icon(32), Icon(16)};
    bool ok = WriteIco(folder + "/QivYunUpdate.ico", icons);
    if (!ok) std::cerr << "cannot write into " << folder << "\n";
    return ok ? 0 : 1;
}
