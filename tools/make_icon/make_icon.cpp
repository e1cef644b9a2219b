// make-icon: draws the program's icon group with the fractal engine.
//
//     make-icon resources/scintle.ico
//
// Five images of the whole Mandelbrot set (as the saver's map draws it, turned round),
// each rendered pixel by pixel at its own size in a colour scheme whose colours fit
// its palette exactly: 32x32 in 16 colours, 48x48 in 256, 16x16 in 16, 32x32 in 256,
// and 32x32 in 2. The output is the same bytes every time.
#include <algorithm>
#include <cstdio>

#include "make_icon/icon_file.h"
#include "render/colour_schemes.h"
#include "render/engine_reset.h"
#include "render/render_pixel.h"

namespace scintle {
namespace {

struct IconLayout {
    int size;
    int bitsPerPixel;
    uint32_t scheme;  // a scheme with no more colours than the palette holds
};

constexpr IconLayout kImages[] = {
    {32, 4, kRainbow}, {48, 8, kFirestorm}, {16, 4, kRainbow}, {32, 8, kFirestorm}, {32, 1, kMono}};

IconImage Draw(const IconLayout& layout) {
    MemoryCanvas canvas(layout.size, layout.size);
    ResetEngine(&canvas);
    // A square view around the whole set, which reaches from -0.25 to 2 on the real axis.
    ActiveView = {-0.5, 2.2, -1.35, 1.35, 4.0, 0.0, 0.0, 100, kMandelbrot};
    SetActiveScheme(layout.scheme);
    for (int y = 0; y < layout.size; ++y)
        for (int x = 0; x < layout.size; ++x) RenderPixel(canvas.dc(), x, y);

    IconImage image;
    image.size = layout.size;
    image.bitsPerPixel = layout.bitsPerPixel;
    image.palette = canvas.pixels();
    std::sort(image.palette.begin(), image.palette.end());
    image.palette.erase(std::unique(image.palette.begin(), image.palette.end()),
                        image.palette.end());
    for (Colorref c : canvas.pixels()) {
        const auto at = std::lower_bound(image.palette.begin(), image.palette.end(), c);
        image.indices.push_back(static_cast<uint8_t>(at - image.palette.begin()));
    }
    return image;
}

}  // namespace
}  // namespace scintle

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: make-icon out.ico\n", stderr);
        return 2;
    }
    std::vector<scintle::IconImage> images;
    for (const scintle::IconLayout& layout : scintle::kImages) {
        images.push_back(scintle::Draw(layout));
        if (images.back().palette.size() > (1u << layout.bitsPerPixel)) {
            std::fprintf(stderr, "make-icon: %dx%d image has too many colours\n", layout.size, layout.size);
            return 1;
        }
    }
    if (!scintle::WriteFileAtomically(argv[1], scintle::EncodeIcon(images))) {
        std::fprintf(stderr, "make-icon: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
