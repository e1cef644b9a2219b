// The two picture files of the program's resources, both made of palette DIBs: icon
// files (.ico) and bitmap files (.bmp).
//
// An icon image is a BITMAPINFOHEADER with twice the height (colour bits and mask), the
// whole palette, the colour bits bottom-up with rows padded to four bytes, then the
// 1-bit AND mask likewise (all zero here: the icons are opaque). A bitmap file is an
// 8-bit DIB compressed with RLE8 behind a BITMAPFILEHEADER, listing only the palette
// entries it uses.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace scintle {

struct PaletteImage {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;          // 1, 4 or 8
    std::vector<uint32_t> palette; // COLORREF values, at most 1 << bitsPerPixel
    std::vector<uint8_t> indices;  // width * height palette indices, top row first
};

// The bytes of an .ico file holding the square images in the given order.
std::vector<uint8_t> EncodeIcon(const std::vector<PaletteImage>& images);

// The bytes of a .bmp file holding an 8-bit image, RLE8-compressed.
std::vector<uint8_t> EncodeBitmap(const PaletteImage& image);

// Writes the bytes to a file through a temporary beside it; false on failure.
bool WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace scintle
