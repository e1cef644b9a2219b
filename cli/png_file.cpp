#include "cli/png_file.h"

#include <png.h>
#include <unistd.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

namespace scintle {

namespace {

// libpng reports errors by longjmp; this runs with no C++ objects alive that need
// destruction between setjmp and the longjmp.
bool EncodeRows(FILE* file, int width, int height, png_bytepp rows) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool WritePng(const std::string& path, const MemoryCanvas& canvas, std::string* error) {
    const int width = canvas.width(), height = canvas.height();
    std::vector<png_byte> bytes(static_cast<size_t>(width) * height * 3);
    std::vector<png_bytep> rows(height);
    for (int y = 0; y < height; ++y) {
        png_bytep row = &bytes[static_cast<size_t>(y) * width * 3];
        rows[y] = row;
        for (int x = 0; x < width; ++x) {
            const Colorref c = canvas.Pixel(x, y);  // 0x00BBGGRR
            row[3 * x] = static_cast<png_byte>(c);
            row[3 * x + 1] = static_cast<png_byte>(c >> 8);
            row[3 * x + 2] = static_cast<png_byte>(c >> 16);
        }
    }

    const std::string temporary = path + ".partial";
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) {
        *error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    const bool encoded = EncodeRows(file, width, height, rows.data());
    const bool closed = std::fclose(file) == 0;
    if (!encoded || !closed) {
        std::remove(temporary.c_str());
        *error = "cannot write " + path + ": the image could not be encoded";
        return false;
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        *error = "cannot write " + path + ": " + std::strerror(errno);
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace scintle
