// Windows icon files (.ico): palette images with their transparency masks.
//
// Each image is stored as a DIB: a BITMAPINFOHEADER with twice the height (colour
// bits and mask), the palette, the colour bits bottom-up with rows padded to four
// bytes, then the 1-bit AND mask likewise (all zero here: the icons are opaque).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace scintle {

struct IconImage {
    int size = 0;                  // width and height
    int bitsPerPixel = 0;          // 1, 4 or 8
    std::vector<uint32_t> palette; // COLORREF values, at most 1 << bitsPerPixel
    std::vector<uint8_t> indices;  // size * size palette indices, top row first
};

// The bytes of an .ico file holding the images in the given order.
std::vector<uint8_t> EncodeIcon(const std::vector<IconImage>& images);

// Writes the bytes to a file through a temporary beside it; false on failure.
bool WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace scintle
