#include "PictureFiles.h"

#include <cstdio>
#include <memory>

#include <gif_lib.h>
#include <jpeglib.h>
#include <png.h>

namespace qivyun::art {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

bool WritePng(const std::string& path, const Canvas& canvas) {
    File file(std::fopen(path.c_str(), "wb"));
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    Image image = canvas.ToImage();
    const std::vector<Rgba>& pixels = image.pixels;
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file.get());
    png_set_IHDR(png, info, uint32_t(canvas.Width()), uint32_t(canvas.Height()), 8, PNG_COLOR_TYPE_RGB_ALPHA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 9);
    png_write_info(png, info);
    for (int y = 0; y < canvas.Height(); ++y)
        png_write_row(png, reinterpret_cast<png_const_bytep>(&pixels[size_t(y) * size_t(canvas.Width())]));
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

bool WriteJpeg(const std::string& path, const Canvas& canvas, int quality) {
    File file(std::fopen(path.c_str(), "wb"));
    if (!file) return false;
    jpeg_compress_struct jpeg{};
    jpeg_error_mgr errors{};
    jpeg.err = jpeg_std_error(&errors);
    jpeg_create_compress(&jpeg);
    jpeg_stdio_dest(&jpeg, file.get());
    jpeg.image_width = JDIMENSION(canvas.Width());
    jpeg.image_height = JDIMENSION(canvas.Height());
    jpeg.input_components = 3;
    jpeg.in_color_space = JCS_RGB;
    jpeg_set_defaults(&jpeg);
    jpeg_set_quality(&jpeg, quality, TRUE);
    for (int c = 0; c < 3; ++c) jpeg.comp_info[c].h_samp_factor = jpeg.comp_info[c].v_samp_factor = 1;
    jpeg.density_unit = 1;
    jpeg.X_density = jpeg.Y_density = 96;
    jpeg_start_compress(&jpeg, TRUE);
    Image image = canvas.ToImage();
    const std::vector<Rgba>& pixels = image.pixels;
    std::vector<uint8_t> row(size_t(canvas.Width()) * 3);
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            const Rgba& p = pixels[size_t(y) * size_t(canvas.Width()) + size_t(x)];
            row[size_t(x) * 3] = p.r, row[size_t(x) * 3 + 1] = p.g, row[size_t(x) * 3 + 2] = p.b;
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&jpeg, rows, 1);
    }
    jpeg_finish_compress(&jpeg);
    jpeg_destroy_compress(&jpeg);
    return true;
}

bool WriteGif(const std::string& path, const GifPicture& picture) {
    int error = 0;
    GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
    if (!gif) return false;
    EGifSetGifVersion(gif, true);
    int tableSize = 2;
    while (tableSize < int(picture.colours.size())) tableSize *= 2;
    ColorMapObject* table = GifMakeMapObject(tableSize, nullptr);
    for (size_t i = 0; i < picture.colours.size(); ++i)
        table->Colors[i] = GifColorType{picture.colours[i].r, picture.colours[i].g, picture.colours[i].b};
    bool ok = EGifPutScreenDesc(gif, picture.width, picture.height, 8, 0, table) == GIF_OK;
    GifFreeMapObject(table);

    // Loop for ever.
    static const GifByteType application[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
    static const GifByteType loop[] = {1, 0, 0};
    ok = ok && EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
         EGifPutExtensionBlock(gif, sizeof(application), application) == GIF_OK &&
         EGifPutExtensionBlock(gif, sizeof(loop), loop) == GIF_OK && EGifPutExtensionTrailer(gif) == GIF_OK;
    if (ok && !picture.comment.empty()) ok = EGifPutComment(gif, picture.comment.c_str()) == GIF_OK;

    for (const GifFrame& frame : picture.frames) {
        if (!ok) break;
        GraphicsControlBlock control{frame.disposal, false, frame.delayCentiseconds, NO_TRANSPARENT_COLOR};
        GifByteType extension[4];
        size_t length = EGifGCBToExtension(&control, extension);
        ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(length), extension) == GIF_OK &&
             EGifPutImageDesc(gif, frame.left, frame.top, frame.width, frame.height, false, nullptr) == GIF_OK;
        for (int y = 0; ok && y < frame.height; ++y)
            ok = EGifPutLine(gif, const_cast<GifPixelType*>(&frame.indices[size_t(y) * size_t(frame.width)]),
                             frame.width) == GIF_OK;
    }
    return EGifCloseFile(gif, &error) == GIF_OK && ok;
}

}  // namespace qivyun::art
