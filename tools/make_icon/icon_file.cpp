#include "make_icon/icon_file.h"

#include <cstdio>

namespace scintle {

namespace {

void Put16(std::vector<uint8_t>* out, uint32_t value) {
    out->push_back(static_cast<uint8_t>(value));
    out->push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(std::vector<uint8_t>* out, uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

size_t RowBytes(int width, int bitsPerPixel) {
    return (static_cast<size_t>(width) * bitsPerPixel + 31) / 32 * 4;
}

std::vector<uint8_t> EncodeImage(const IconImage& image) {
    std::vector<uint8_t> out;
    const int n = image.size;
    const uint32_t paletteSize = 1u << image.bitsPerPixel;
    const size_t colourRow = RowBytes(n, image.bitsPerPixel), maskRow = RowBytes(n, 1);
    // BITMAPINFOHEADER
    Put32(&out, 40);
    Put32(&out, static_cast<uint32_t>(n));
    Put32(&out, static_cast<uint32_t>(2 * n));
    Put16(&out, 1);
    Put16(&out, static_cast<uint32_t>(image.bitsPerPixel));
    Put32(&out, 0);  // BI_RGB
    Put32(&out, static_cast<uint32_t>((colourRow + maskRow) * n));
    Put32(&out, 0);
    Put32(&out, 0);
    Put32(&out, 0);
    Put32(&out, 0);
    for (uint32_t i = 0; i < paletteSize; ++i) {  // RGBQUAD: blue, green, red, 0
        const uint32_t c = i < image.palette.size() ? image.palette[i] : 0;
        out.push_back(static_cast<uint8_t>(c >> 16));
        out.push_back(static_cast<uint8_t>(c >> 8));
        out.push_back(static_cast<uint8_t>(c));
        out.push_back(0);
    }
    for (int y = n - 1; y >= 0; --y) {  // bottom-up
        std::vector<uint8_t> row(colourRow, 0);
        for (int x = 0; x < n; ++x) {
            const uint32_t index = image.indices[static_cast<size_t>(y) * n + x];
            const int bit = x * image.bitsPerPixel;
            row[bit / 8] |= static_cast<uint8_t>(index << (8 - image.bitsPerPixel - bit % 8));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    out.insert(out.end(), maskRow * n, 0);
    return out;
}

}  // namespace

std::vector<uint8_t> EncodeIcon(const std::vector<IconImage>& images) {
    std::vector<std::vector<uint8_t>> encoded;
    for (const IconImage& image : images) encoded.push_back(EncodeImage(image));
    std::vector<uint8_t> out;
    Put16(&out, 0);
    Put16(&out, 1);  // an icon
    Put16(&out, static_cast<uint32_t>(images.size()));
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        const IconImage& image = images[i];
        out.push_back(static_cast<uint8_t>(image.size));  // 256 would be written as 0
        out.push_back(static_cast<uint8_t>(image.size));
        out.push_back(image.bitsPerPixel >= 8 ? 0 : static_cast<uint8_t>(1 << image.bitsPerPixel));
        out.push_back(0);
        Put16(&out, 1);
        Put16(&out, static_cast<uint32_t>(image.bitsPerPixel));
        Put32(&out, static_cast<uint32_t>(encoded[i].size()));
        Put32(&out, offset);
        offset += static_cast<uint32_t>(encoded[i].size());
    }
    for (const auto& bytes : encoded) out.insert(out.end(), bytes.begin(), bytes.end());
    return out;
}

bool WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes) {
    const std::string temporary = path + ".partial";
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (std::fclose(file) != 0 || !written || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace scintle
