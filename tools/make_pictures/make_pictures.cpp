// make-pictures: draws the program's pictures with the fractal engine.
//
//     make-pictures resources/
//
// scintle.ico, the icon group: five images of the whole Mandelbrot set (as the saver's
// map draws it, turned round), each rendered at its own size in a colour scheme whose
// colours fit its palette exactly: 32x32 in 16 colours, 48x48 in 256, 16x16 in 16,
// 32x32 in 256, and 32x32 in 2.
//
// banner.bmp, the strip across the top of the configuration dialog: a catalogued view
// in a gradient scheme, cut to the strip's shape around the view's centre with square
// pixels. The dialog's static control shows it centred: it clips a bitmap larger than
// the strip and fills around a smaller one with the bitmap's top-left colour. This
// Julia set is a chain across the middle with the outermost band of the scheme in the
// corners, so the strip looks whole at larger display scales too; at 100 % (and under
// Wine) only the chain's tips and the margins are clipped.
//
// With --web, the browser's icons instead (web/): icon-192.png and icon-512.png, the
// web app manifest's, the same view as the icon group's in Firestorm, which at these
// sizes needs no palette.
//
//     make-pictures --web SITE_DIRECTORY
//
// The output is the same bytes every time.
#include <algorithm>
#include <cstdio>
#include <string>

#include "fractal/family_table.h"
#include "fractal/preset_catalogue.h"
#include "cli/png_file.h"
#include "make_pictures/dib_files.h"
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

constexpr IconLayout kIconImages[] = {
    {32, 4, kRainbow}, {48, 8, kFirestorm}, {16, 4, kRainbow}, {32, 8, kFirestorm}, {32, 1, kMono}};

// A square view around the whole set, which reaches from -0.25 to 2 on the real axis.
constexpr ActiveViewRecord kIconView = {-0.5, 2.2, -1.35, 1.35, 4.0, 0.0, 0.0, 100, kMandelbrot};

struct BannerLayout {
    int width, height;
    int32_t family;
    int row;  // of the family's catalogue, from 1
    uint32_t scheme;
    double widening;  // of the view's width, so that the chain keeps a margin
};

constexpr BannerLayout kBanner = {640, 160, kJulia, 18, kStormyNight, 1.3};

// Every pixel rendered once, then the colours numbered in order of their COLORREF.
PaletteImage Draw(int width, int height, int bitsPerPixel, const ActiveViewRecord& view,
                  uint32_t scheme) {
    MemoryCanvas canvas(width, height);
    ResetEngine(&canvas);
    ActiveView = view;
    SetActiveScheme(scheme);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) RenderPixel(canvas.dc(), x, y);

    PaletteImage image;
    image.width = width;
    image.height = height;
    image.bitsPerPixel = bitsPerPixel;
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

// The catalogued view widened about its centre, its height then cut to the banner's shape.
ActiveViewRecord BannerView(const BannerLayout& banner) {
    const CatalogueRow& row = CatalogueOf(banner.family).rows[banner.row - 1];
    ActiveViewRecord view = ViewOf(row, banner.family, 4.0);
    const double centreX = (view.xMin + view.xMax) / 2, centreY = (view.yMin + view.yMax) / 2;
    const double halfWidth = (view.xMax - view.xMin) * banner.widening / 2;
    const double halfHeight = halfWidth * banner.height / banner.width;
    const double direction = view.yMax >= view.yMin ? 1.0 : -1.0;  // keep the row's sense
    view.xMin = centreX - halfWidth;
    view.xMax = centreX + halfWidth;
    view.yMin = centreY - direction * halfHeight;
    view.yMax = centreY + direction * halfHeight;
    return view;
}

bool Fits(const PaletteImage& image) {
    if (image.palette.size() <= (1u << image.bitsPerPixel)) return true;
    std::fprintf(stderr, "make-pictures: a %dx%d image has too many colours\n", image.width,
                 image.height);
    return false;
}

constexpr int kWebIconSizes[] = {192, 512};
constexpr uint32_t kWebIconScheme = kFirestorm;

int WriteWebIcons(const std::string& directory) {
    for (const int size : kWebIconSizes) {
        MemoryCanvas canvas(size, size);
        ResetEngine(&canvas);
        ActiveView = kIconView;
        SetActiveScheme(kWebIconScheme);
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) RenderPixel(canvas.dc(), x, y);
        std::string error;
        if (!WritePng(directory + "/icon-" + std::to_string(size) + ".png", canvas, &error)) {
            std::fprintf(stderr, "make-pictures: %s\n", error.c_str());
            return 1;
        }
    }
    return 0;
}

bool Write(const std::string& path, const std::vector<uint8_t>& bytes) {
    if (WriteFileAtomically(path, bytes)) return true;
    std::fprintf(stderr, "make-pictures: cannot write %s\n", path.c_str());
    return false;
}

}  // namespace
}  // namespace scintle

int main(int argc, char** argv) {
    using namespace scintle;
    if (argc == 3 && std::string(argv[1]) == "--web") return WriteWebIcons(argv[2]);
    if (argc != 2) {
        std::fputs("usage: make-pictures DIRECTORY\n       make-pictures --web DIRECTORY\n", stderr);
        return 2;
    }
    const std::string directory = argv[1];

    std::vector<PaletteImage> icons;
    for (const IconLayout& layout : kIconImages) {
        icons.push_back(Draw(layout.size, layout.size, layout.bitsPerPixel, kIconView, layout.scheme));
        if (!Fits(icons.back())) return 1;
    }
    const PaletteImage banner =
        Draw(kBanner.width, kBanner.height, 8, BannerView(kBanner), kBanner.scheme);
    if (!Fits(banner)) return 1;

    if (!Write(directory + "/scintle.ico", EncodeIcon(icons))) return 1;
    if (!Write(directory + "/banner.bmp", EncodeBitmap(banner))) return 1;
    return 0;
}
