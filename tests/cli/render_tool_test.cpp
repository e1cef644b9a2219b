// scintle-render as a user runs it: images checked against expectations derived
// independently of the engine (a textbook escape-time loop on std::complex), the
// cycle's JSON lines, and refusals that leave no file behind.
#include <gtest/gtest.h>
#include <png.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <complex>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Image {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;
    uint32_t At(int x, int y) const {
        const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
        return p[0] | p[1] << 8 | p[2] << 16;
    }
};

Image ReadPng(const std::string& path) {
    Image image;
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str())) return image;
    png.format = PNG_FORMAT_RGB;
    image.width = static_cast<int>(png.width);
    image.height = static_cast<int>(png.height);
    image.rgb.resize(PNG_IMAGE_SIZE(png));
    png_image_finish_read(&png, nullptr, image.rgb.data(), 0, nullptr);
    return image;
}

struct ToolRun {
    int exitCode;
    std::string out;
    std::string err;
};

ToolRun RenderTool(const std::string& arguments) {
    static int calls = 0;  // ctest runs tests in parallel processes: one file per call
    const std::string errFile = ::testing::TempDir() + "scintle-render-" +
                                std::to_string(getpid()) + "-" + std::to_string(++calls) + ".err";
    const std::string command =
        std::string(SCINTLE_RENDER_PATH) + " " + arguments + " 2>" + errFile;
    ToolRun run{-1, "", ""};
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream err(errFile);
    std::stringstream text;
    text << err.rdbuf();
    run.err = text.str();
    std::remove(errFile.c_str());
    return run;
}

std::string Temp(const std::string& name) { return ::testing::TempDir() + name; }

bool Exists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

// Mono colour of a pixel of z -> z^2 - c by a textbook loop: an escape at step n is
// white when n is even; a bounded point takes its last tested |z|^2 times 2, truncated.
uint32_t TextbookMono(std::complex<double> c, int cap, double bailout) {  // z^2 - c
    std::complex<double> z = 0;
    double last = 0;
    for (int n = 0; n < cap; ++n) {
        if (std::norm(z) > bailout) return n % 2 == 0 ? 0xFFFFFF : 0;
        last = std::norm(z);
        z = z * z - c;
    }
    return static_cast<int>(last * 2) % 2 == 0 ? 0xFFFFFF : 0;
}

int CountDifferences(const Image& a, const Image& b) {
    int differences = 0;
    for (size_t i = 0; i < a.rgb.size(); i += 3)
        differences += a.rgb[i] != b.rgb[i] || a.rgb[i + 1] != b.rgb[i + 1] || a.rgb[i + 2] != b.rgb[i + 2];
    return differences;
}

TEST(RenderToolTest, WholeSetMatchesATextbookLoopTurnedRound) {
    const std::string png = Temp("whole.png");
    const ToolRun run = RenderTool("view --family mandelbrot --row 1 --size 200x150 --scheme MONO -o " + png);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const Image image = ReadPng(png);
    ASSERT_EQ(image.width, 200);
    ASSERT_EQ(image.height, 150);
    int disagreements = 0;
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 200; ++x) {
            const std::complex<double> c(-1.35 + 4.0 * x / 200, -1.5 + 3.0 * y / 150);
            disagreements += image.At(x, y) != TextbookMono(c, 100, 4.0);
        }
    EXPECT_LT(disagreements, 200 * 150 / 200);  // only a few boundary pixels may round apart
    // The usual map z^2 + c gives the mirror image: the picture is that set turned round.
    int mirrored = 0;
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 200; ++x) {
            const std::complex<double> c(-1.35 + 4.0 * x / 200, -1.5 + 3.0 * y / 150);
            mirrored += image.At(x, y) != TextbookMono(-c, 100, 4.0);
        }
    EXPECT_GT(mirrored, 200 * 150 / 10);
}

TEST(RenderToolTest, FlippedJuliaIsTheSamePictureTurnedThrough180Degrees) {
    const std::string plain = Temp("julia.png"), turned = Temp("julia-flip.png");
    ASSERT_EQ(RenderTool("view --family julia --row 21 --size 161x121 --scheme 0x100 -o " + plain).exitCode, 0);
    ASSERT_EQ(RenderTool("view --family julia --row 21 --size 161x121 --scheme firestorm --flip -o " + turned).exitCode, 0);
    const Image a = ReadPng(plain), b = ReadPng(turned);
    // Pixel x maps to the plane value of column W - x once the view is turned.
    int differences = 0, compared = 0;
    for (int y = 1; y < 121; ++y)
        for (int x = 1; x < 161; ++x, ++compared) differences += a.At(x, y) != b.At(161 - x, 121 - y);
    EXPECT_LT(differences, compared / 100);
    EXPECT_GT(CountDifferences(a, b), compared / 10);  // and it is not the same image
}

TEST(RenderToolTest, DragonViewsHaveBlackEscapeAreas) {
    const std::string png = Temp("dragon.png");
    ASSERT_EQ(RenderTool("view --family dragon --row 1 --size 160x120 --scheme \"bold 3\" -o " + png).exitCode, 0);
    const Image image = ReadPng(png);
    int black = 0;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 160; ++x) black += image.At(x, y) == 0;
    EXPECT_GT(black, 160 * 120 / 5);
    EXPECT_LT(black, 160 * 120);
    EXPECT_EQ(image.At(0, 0), 0u);  // z0 = -0.4 - 0.8i lies in the escape area
}

TEST(RenderToolTest, CycleWritesOnePictureAndOneJsonLineEach) {
    const std::string folder = Temp("cycle");
    const ToolRun run = RenderTool("cycle --seed 7 --size 64x48 --pictures 3 --curves 4 --colours 2 "
                               "--blanking 0 -o " + folder);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::istringstream lines(run.out);
    std::string line;
    int count = 0;
    while (std::getline(lines, line)) {
        ++count;
        EXPECT_EQ(line.rfind("{\"picture\":" + std::to_string(count) + ",\"family\":\"Dragon\"", 0), 0u) << line;
        EXPECT_NE(line.find("\"colourScheme\":\"Mono\""), std::string::npos) << line;
        EXPECT_NE(line.find("\"blanking\":\"Fast fade\"}"), std::string::npos) << line;
        const Image image = ReadPng(folder + "/picture-00" + std::to_string(count) + ".png");
        ASSERT_EQ(image.width, 64);
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 64; ++x) ASSERT_TRUE(image.At(x, y) == 0 || image.At(x, y) == 0xFFFFFF);
    }
    EXPECT_EQ(count, 3);
    EXPECT_FALSE(Exists(folder + "/picture-004.png"));
    // The same seed gives the same cycle; another seed another.
    EXPECT_EQ(RenderTool("cycle --seed 7 --size 64x48 --pictures 3 --curves 4 --colours 2").out, run.out);
    EXPECT_NE(RenderTool("cycle --seed 8 --size 64x48 --pictures 3 --curves 4 --colours 2").out, run.out);
}

TEST(RenderToolTest, CycleJsonCarriesTheViewAsDrawnExactly) {
    // A Julia pass: each line's view must be a catalogue row, flipped or not.
    const ToolRun run = RenderTool("cycle --seed 3 --size 32x24 --pictures 39 --curves 2 --blanking 7");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const ToolRun list = RenderTool("list");
    std::istringstream lines(run.out);
    std::string line;
    int turned = 0, count = 0;
    while (std::getline(lines, line)) {
        ++count;
        auto field = [&line](const std::string& name) {
            const size_t at = line.find("\"" + name + "\":") + name.size() + 3;
            return std::strtod(line.c_str() + at, nullptr);
        };
        const double xMin = field("xMin"), constA = field("constA");
        turned += xMin > 0 && field("xMax") > 0 && constA != 0;
        EXPECT_GE(field("bailout"), 4.0);
        EXPECT_LE(field("bailout"), 9.0);
        EXPECT_NE(line.find("\"family\":\"Julia\""), std::string::npos);
    }
    EXPECT_EQ(count, 39);
    EXPECT_GT(turned, 0);
}

TEST(RenderToolTest, ListShowsTheWholeCatalogue) {
    const ToolRun run = RenderTool("list");
    ASSERT_EQ(run.exitCode, 0);
    int lines = 0;
    for (char c : run.out) lines += c == '\n';
    EXPECT_EQ(lines, 75);
    EXPECT_NE(run.out.find("0.0664064029"), std::string::npos);
    EXPECT_NE(run.out.find("-0.0312498"), std::string::npos);
}

TEST(RenderToolTest, BadArgumentsFailWithOneLineAndNoFile) {
    const std::string png = Temp("refused.png");
    const char* refused[] = {
        "view --family spiral --row 1 -o ",
        "view --family mandelbrot --row 24 -o ",
        "view --family phoenix --row 0 -o ",
        "view --family fallback --row 2 -o ",
        "view --family julia --row 1 --size 0x10 -o ",
        "view --family julia --row 1 --size 100000x10 -o ",
        "view --family julia --row 1 --size 12by3 -o ",
        "view --family julia --row 1 --scheme Plaid -o ",
        "view --family julia --row 1 --scheme 3 -o ",
        "view --family julia --row 1 --bailout -2 -o ",
        "view --family julia --row 1 --colour red -o ",
        "cycle --size 10x10 -o ",
        "cycle --seed 1 --pictures 0 -o ",
        "cycle --seed x -o ",
    };
    for (const char* arguments : refused) {
        std::remove(png.c_str());
        const ToolRun run = RenderTool(std::string(arguments) + png);
        EXPECT_NE(run.exitCode, 0) << arguments;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << arguments << run.err;
        EXPECT_EQ(run.err.rfind("scintle-render: ", 0), 0u) << run.err;
        EXPECT_FALSE(Exists(png)) << arguments;
    }
}

TEST(RenderToolTest, UnwritableOutputFailsAndLeavesNothing) {
    const ToolRun run = RenderTool("view --family julia --row 1 --size 8x8 -o /nonexistent/dir/x.png");
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.err.find("/nonexistent/dir/x.png"), std::string::npos);
    const std::string file = Temp("a-file");
    std::ofstream(file) << "x";
    const ToolRun cycle = RenderTool("cycle --seed 1 --size 8x8 -o " + file);
    EXPECT_NE(cycle.exitCode, 0);
    EXPECT_TRUE(cycle.out.empty());
}

}  // namespace
