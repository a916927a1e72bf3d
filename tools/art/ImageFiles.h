#pragma once
// Pictures drawn in code for the programs' resources, and the two file formats they are kept in.
#include <cmath>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace qivyun::art {

struct Rgba {
    uint8_t r, g, b, a;
};

struct Image {
    int width, height;
    std::vector<Rgba> pixels;
    Image(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w * h), Rgba{0, 0, 0, 0}) {}
    Rgba& At(int x, int y) { return pixels[static_cast<size_t>(y * width + x)]; }
};

inline void Put16(std::ostream& out, uint16_t v) { out.put(char(v & 0xFF)).put(char(v >> 8)); }
inline void Put32(std::ostream& out, uint32_t v) { Put16(out, uint16_t(v & 0xFFFF)), Put16(out, uint16_t(v >> 16)); }

inline uint8_t Mix(double a, double b, double t) { return static_cast<uint8_t>(std::lround(a + (b - a) * t)); }

// A 24-bit bottom-up BMP file.
inline bool WriteBmp24(const std::string& path, Image& image) {
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
inline std::string IconImage(Image& image) {
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

inline bool WriteIco(const std::string& path, std::vector<Image>& images) {
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

}  // namespace qivyun::art
