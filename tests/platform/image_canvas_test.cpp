#include "platform/x11/image_canvas.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace scintle {
namespace {

TEST(ImageCanvas, ColoursTakeTheVisualsPlaces) {
    const PixelFormat rgb565 = {2, 0xF800, 0x07E0, 0x001F};
    EXPECT_EQ(rgb565.Pixel(Rgb(255, 255, 255)), 0xFFFFu);
    EXPECT_EQ(rgb565.Pixel(Rgb(255, 0, 0)), 0xF800u);
    EXPECT_EQ(rgb565.Pixel(Rgb(0, 0, 0x80)), 0x0010u);
    const PixelFormat bgr = {4, 0x0000FF, 0x00FF00, 0xFF0000};
    EXPECT_EQ(bgr.Pixel(Rgb(1, 2, 3)), 0x030201u);

    std::vector<uint32_t> pixels(4 * 3);
    ImageCanvas canvas;
    canvas.Attach(reinterpret_cast<uint8_t*>(pixels.data()), 4, 3, 16, PixelFormat{});
    canvas.SetPixel(canvas.GetDC(canvas.window()), 1, 2, Rgb(0x11, 0x22, 0x33));
    canvas.SetPixel(canvas.GetDC(canvas.window()), 4, 0, Rgb(0x11, 0x22, 0x33));  // clipped
    EXPECT_EQ(pixels[2 * 4 + 1], 0x112233u);
    EXPECT_EQ(pixels[4], 0u);
}

TEST(ImageCanvas, TheWindowThreadTakesEachChangedBandOnce) {
    constexpr int32_t kWidth = 8, kHeight = 70;  // the last band is short
    std::vector<uint32_t> pixels(kWidth * kHeight);
    ImageCanvas canvas;
    canvas.Attach(reinterpret_cast<uint8_t*>(pixels.data()), kWidth, kHeight, kWidth * 4,
                  PixelFormat{});
    std::vector<std::pair<int32_t, int32_t>> sent;
    auto take = [&] {
        sent.clear();
        canvas.TakeChangedRows([&](int32_t first, int32_t end) { sent.emplace_back(first, end); });
        return sent;
    };
    using Runs = std::vector<std::pair<int32_t, int32_t>>;
    EXPECT_EQ(take(), (Runs{{0, 70}}));  // a new image is sent whole
    EXPECT_EQ(take(), Runs{});
    const DeviceContext dc = canvas.GetDC(canvas.window());
    canvas.SetPixel(dc, 0, 17, 1);
    canvas.SetPixel(dc, 0, 40, 1);
    canvas.SetPixel(dc, 0, 69, 1);
    EXPECT_EQ(take(), (Runs{{16, 48}, {64, 70}}));
    const Rect all = {0, 0, kWidth, kHeight};
    canvas.FillRect(dc, &all, canvas.CreateSolidBrush(kBlack));
    EXPECT_EQ(take(), (Runs{{0, 70}}));
    EXPECT_EQ(pixels[kWidth * 17], 0u);
}

}  // namespace
}  // namespace scintle
