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
        std::cerr << "usage: make-updater-art OUTPUT_FOLDER\n";
        return 2;
    }
    std::string folder = argv[1];
    std::vector<Image> icons{Icon(32), Icon(16)};
    bool ok = WriteIco(folder + "/QivYunUpdate.ico", icons);
    if (!ok) std::cerr << "cannot write into " << folder << "\n";
    return ok ? 0 : 1;
}
