#include "make_pictures/dib_files.h"

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

constexpr uint32_t kBiRgb = 0, kBiRle8 = 1;

void PutInfoHeader(std::vector<uint8_t>* out, int width, int height, int bitsPerPixel,
                   uint32_t compression, size_t imageBytes, uint32_t coloursUsed) {
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height));  // positive: bottom-up
    Put16(out, 1);
    Put16(out, static_cast<uint32_t>(bitsPerPixel));
    Put32(out, compression);
    Put32(out, static_cast<uint32_t>(imageBytes));
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, coloursUsed);
    Put32(out, 0);
}

void PutPalette(std::vector<uint8_t>* out, const std::vector<uint32_t>& palette, uint32_t entries) {
    for (uint32_t i = 0; i < entries; ++i) {  // RGBQUAD: blue, green, red, 0
        const uint32_t c = i < palette.size() ? palette[i] : 0;
        out->push_back(static_cast<uint8_t>(c >> 16));
        out->push_back(static_cast<uint8_t>(c >> 8));
        out->push_back(static_cast<uint8_t>(c));
        out->push_back(0);
    }
}

std::vector<uint8_t> EncodeIconImage(const PaletteImage& image) {
    std::vector<uint8_t> out;
    const int n = image.width;
    const size_t colourRow = RowBytes(n, image.bitsPerPixel), maskRow = RowBytes(n, 1);
    PutInfoHeader(&out, n, 2 * n, image.bitsPerPixel, kBiRgb, (colourRow + maskRow) * n, 0);
    PutPalette(&out, image.palette, 1u << image.bitsPerPixel);
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

// Equal bytes from `from` on, at most 255 (the longest run RLE8 encodes).
int RunLength(const uint8_t* row, int from, int end) {
    int n = 1;
    while (from + n < end && n < 255 && row[from + n] == row[from]) ++n;
    return n;
}

// One row in RLE8: runs of three or more as (count, index); what lies between them as
// absolute stretches (0, count, indices, padded to a word), or as short runs when the
// stretch is under three bytes, which absolute mode cannot hold.
void EncodeRle8Row(const uint8_t* row, int width, std::vector<uint8_t>* out) {
    int x = 0;
    while (x < width) {
        const int run = RunLength(row, x, width);
        if (run >= 3) {
            out->push_back(static_cast<uint8_t>(run));
            out->push_back(row[x]);
            x += run;
            continue;
        }
        int end = x;
        while (end < width) {
            const int next = RunLength(row, end, width);
            if (next >= 3 || end - x + next > 255) break;
            end += next;
        }
        if (end - x >= 3) {
            out->push_back(0);
            out->push_back(static_cast<uint8_t>(end - x));
            out->insert(out->end(), row + x, row + end);
            if ((end - x) % 2) out->push_back(0);
            x = end;
        } else {
            for (int n; x < end; x += n) {
                n = RunLength(row, x, end);
                out->push_back(static_cast<uint8_t>(n));
                out->push_back(row[x]);
            }
        }
    }
}

}  // namespace

std::vector<uint8_t> EncodeIcon(const std::vector<PaletteImage>& images) {
    std::vector<std::vector<uint8_t>> encoded;
    for (const PaletteImage& image : images) encoded.push_back(EncodeIconImage(image));
    std::vector<uint8_t> out;
    Put16(&out, 0);
    Put16(&out, 1);  // an icon
    Put16(&out, static_cast<uint32_t>(images.size()));
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        const PaletteImage& image = images[i];
        out.push_back(static_cast<uint8_t>(image.width));  // 256 would be written as 0
        out.push_back(static_cast<uint8_t>(image.height));
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

std::vector<uint8_t> EncodeBitmap(const PaletteImage& image) {
    std::vector<uint8_t> bits;
    for (int y = image.height - 1; y >= 0; --y) {  // bottom-up
        EncodeRle8Row(&image.indices[static_cast<size_t>(y) * image.width], image.width, &bits);
        bits.push_back(0);
        bits.push_back(y > 0 ? 0 : 1);  // end of line; after the last, end of bitmap
    }
    const uint32_t entries = static_cast<uint32_t>(image.palette.size());
    const uint32_t bitsOffset = 14 + 40 + 4 * entries;
    std::vector<uint8_t> out = {'B', 'M'};
    Put32(&out, bitsOffset + static_cast<uint32_t>(bits.size()));
    Put32(&out, 0);
    Put32(&out, bitsOffset);
    PutInfoHeader(&out, image.width, image.height, 8, kBiRle8, bits.size(), entries);
    PutPalette(&out, image.palette, entries);
    out.insert(out.end(), bits.begin(), bits.end());
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
