// Draws the main program's own art: the header band (bitmap 141, 400 x 50) and the program icon
// (icon 128, 32 x 32 and 16 x 16). Run by hand when the art changes; the results are kept in
// resources/QivYunPlay/.
//
//   make-shell-art OUTPUT_FOLDER
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

// A deep blue band that lightens towards its middle, crossed by two soft waves.
Image HeaderBand() {
    Image image(400, 50);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            double t = std::abs(y - 20.0) / 30.0;
            Rgba c{Mix(58, 18, t), Mix(110, 52, t), Mix(196, 120, t), 255};
            double wave1 = 30 + 8 * std::sin(x / 40.0);
            double wave2 = 36 + 6 * std::sin(x / 27.0 + 1.3);
            double glow = std::exp(-std::pow(y - wave1, 2) / 6.0) * 0.35 + std::exp(-std::pow(y - wave2, 2) / 4.0) * 0.2;
            c.r = Mix(c.r, 255, glow);
            c.g = Mix(c.g, 255, glow);
            c.b = Mix(c.b, 255, glow);
            image.At(x, y) = c;
        }
    }
    return image;
}

// A rounded blue tile with a white play triangle.
Image Icon(int size) {
    Image image(size, size);
    double s = size;
    double radius = s * 0.22;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            double px = x + 0.5, py = y + 0.5;
            double dx = std::max({radius - px, px - (s - radius), 0.0});
            double dy = std::max({radius - py, py - (s - radius), 0.0});
            double edge = radius - std::sqrt(dx * dx + dy * dy);
            if (edge <= 0) continue;
            double alpha = std::min(1.0, edge);
            double t = py / s;
            Rgba c{Mix(70, 20, t), Mix(140, 70, t), Mix(230, 170, t), uint8_t(alpha * 255)};
            // play triangle
            double u = px / s, v = py / s;
            if (u > 0.36 && u < 0.74 && std::abs(v - 0.5) < (0.74 - u) * 0.62) c = Rgba{255, 255, 255, c.a};
            image.At(x, y) = c;
        }
    }
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make-shell-art OUTPUT_FOLDER\n";
        return 2;
    }
    std::string folder = argv[1];
    Image band = HeaderBand();
    std::vector<Image> icons{Icon(32), Icon(16)};
    bool ok = WriteBmp24(folder + "/HeaderBand.bmp", band) && WriteIco(folder + "/QivYunPlay.ico", icons);
    if (!ok) std::cerr << "cannot write into " << folder << "\n";
    return ok ? 0 : 1;
}
