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

namespace {

struct Rgba {
    uint8_t r, g, b, a;
};

struct Image {
    int width, height;
    std::vector<Rgba> pixels;
    Image(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w * h), Rgba{0, 0, 0, 0}) {}
    Rgba& At(int x, int y) { return pixels[static_cast<size_t>(y * width + x)]; }
};

void Put16(std::ostream& out, uint16_t v) { out.put(char(v & 0xFF)).put(char(v >> 8)); }
void Put32(std::ostream& out, uint32_t v) { Put16(out, uint16_t(v & 0xFFFF)), Put16(out, uint16_t(v >> 16)); }

uint8_t Mix(double a, double b, double t) { return static_cast<uint8_t>(std::lround(a + (b - a) * t)); }

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

bool WriteBmp24(const std::string& path, Image& image) {
    std::ofstream out(path, std::ios::binary);
    int rowBytes = (image.width * 3 + 3) & ~3;
    uint32_t dataSize = uint32_t(rowBytes * image.height);
    out.write("BM", 2);
    Put32(out, 54 + dataSize), Put32(out, 0), Put32(out, 54);
    Put32(out, 40), Put32(out, uint32_t(image.width)), Put32(out, uint32_t(image.height));
    Put16(out, 1), Put16(out, 24), Put32(out, 0), Put32(out, dataSize);
    Put32(out, 2835), Put32(out, 2835), Put32(out, 0), Put32(out, 0);
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const Rgba& p = image.At(x, y);
            out.put(char(p.b)).put(char(p.g)).put(char(p.r));
        }
        for (int pad = image.width * 3; pad < rowBytes; ++pad) out.put(0);
    }
    return bool(out);
}

// One icon image: a 32-bit DIB (height doubled for the mask) followed by its AND mask.
std::string IconImage(Image& image) {
    std::string bytes;
    auto put = [&](uint32_t v, int n) {
        for (int i = 0; i < n; ++i) bytes.push_back(char((v >> (8 * i)) & 0xFF));
    };
    put(40, 4), put(uint32_t(image.width), 4), put(uint32_t(image.height * 2), 4);
    put(1, 2), put(32, 2), put(0, 4), put(0, 4), put(0, 4), put(0, 4), put(0, 4), put(0, 4);
    for (int y = image.height - 1; y >= 0; --y)
        for (int x = 0; x < image.width; ++x) {
            const Rgba& p = image.At(x, y);
            bytes.push_back(char(p.b)), bytes.push_back(char(p.g)), bytes.push_back(char(p.r)), bytes.push_back(char(p.a));
        }
    int maskRow = ((image.width + 31) / 32) * 4;
    for (int y = image.height - 1; y >= 0; --y) {
        std::vector<uint8_t> row(size_t(maskRow), 0);
        for (int x = 0; x < image.width; ++x)
            if (image.At(x, y).a == 0) row[size_t(x / 8)] |= uint8_t(0x80 >> (x % 8));
        bytes.append(row.begin(), row.end());
    }
    return bytes;
}

bool WriteIco(const std::string& path, std::vector<Image>& images) {
    std::ofstream out(path, std::ios::binary);
    Put16(out, 0), Put16(out, 1), Put16(out, uint16_t(images.size()));
    std::vector<std::string> bodies;
    for (auto& image : images) bodies.push_back(IconImage(image));
    uint32_t offset = 6 + 16 * uint32_t(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        out.put(char(images[i].width)).put(char(images[i].height)).put(0).put(0);
        Put16(out, 1), Put16(out, 32), Put32(out, uint32_t(bodies[i].size())), Put32(out, offset);
        offset += uint32_t(bodies[i].size());
    }
    for (auto& body : bodies) out.write(body.data(), std::streamsize(body.size()));
    return bool(out);
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
