// scintle-render's --kernel: every kernel the processor has makes the same images and
// the same JSON lines as the plain scalar one; other names, and kernels the processor
// lacks, are refused with one line.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "fractal/kernel_choice.h"

namespace {

struct ToolRun {
    int exitCode;
    std::string out;
    std::string err;
};

std::string Temp(const std::string& name) {
    return ::testing::TempDir() + "kernel-option-" + std::to_string(getpid()) + "-" + name;
}

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

ToolRun RenderTool(const std::string& arguments) {
    static int calls = 0;
    const std::string errFile = Temp(std::to_string(++calls) + ".err");
    const std::string command =
        std::string(SCINTLE_RENDER_PATH) + " " + arguments + " 2>" + errFile;
    FILE* pipe = popen(command.c_str(), "r");
    ToolRun run{-1, "", ""};
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.err = ReadFile(errFile);
    std::remove(errFile.c_str());
    return run;
}

std::vector<std::string> SupportedKernels() {
    std::vector<std::string> names = {"sse2", "auto"};
    if (scintle::KernelSupported(scintle::KernelKind::kAvx2)) names.push_back("avx2");
    if (scintle::KernelSupported(scintle::KernelKind::kAvx512)) names.push_back("avx512");
    return names;
}

TEST(RenderKernelOptionTest, EveryKernelMakesTheSameCycle) {
    for (const char* extraMemory : {"1", "0"}) {
        const std::string common = std::string("cycle --seed 5 --size 97x61 --pictures 6 ") +
                                   "--blanking 7 --extra-memory " + extraMemory;
        const std::string plainDir = Temp("scalar");
        const ToolRun plain = RenderTool(common + " --kernel scalar -o " + plainDir);
        ASSERT_EQ(plain.exitCode, 0) << plain.err;
        for (const std::string& kernel : SupportedKernels()) {
            const std::string dir = Temp(kernel);
            const ToolRun run = RenderTool(common + " --kernel " + kernel + " -o " + dir);
            ASSERT_EQ(run.exitCode, 0) << run.err;
            EXPECT_EQ(run.out, plain.out) << kernel;
            for (int n = 1; n <= 6; ++n) {
                const std::string file = "/picture-00" + std::to_string(n) + ".png";
                EXPECT_EQ(ReadFile(dir + file), ReadFile(plainDir + file)) << kernel << file;
                std::remove((dir + file).c_str());
            }
            rmdir(dir.c_str());
        }
        for (int n = 1; n <= 6; ++n)
            std::remove((plainDir + "/picture-00" + std::to_string(n) + ".png").c_str());
        rmdir(plainDir.c_str());
    }
}

TEST(RenderKernelOptionTest, EveryKernelMakesTheSameView) {
    const std::string plainPng = Temp("view-scalar.png");
    const std::string common = "view --family phoenix --row 3 --size 75x50 --scheme Valentine";
    ASSERT_EQ(RenderTool(common + " --kernel scalar -o " + plainPng).exitCode, 0);
    for (const std::string& kernel : SupportedKernels()) {
        const std::string png = Temp("view-" + kernel + ".png");
        ASSERT_EQ(RenderTool(common + " --kernel " + kernel + " -o " + png).exitCode, 0);
        EXPECT_EQ(ReadFile(png), ReadFile(plainPng)) << kernel;
        std::remove(png.c_str());
    }
    std::remove(plainPng.c_str());
}

TEST(RenderKernelOptionTest, UnknownAndUnavailableKernelsAreRefused) {
    std::vector<std::string> refused = {"AVX2", "neon", "", "sse"};
    if (!scintle::KernelSupported(scintle::KernelKind::kAvx2)) refused.push_back("avx2");
    if (!scintle::KernelSupported(scintle::KernelKind::kAvx512)) refused.push_back("avx512");
    for (const std::string& kernel : refused) {
        const ToolRun run = RenderTool("cycle --seed 1 --size 8x8 --kernel '" + kernel + "'");
        EXPECT_EQ(run.exitCode, 1) << kernel;
        EXPECT_EQ(run.out, "") << kernel;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_EQ(run.err.rfind("scintle-render: ", 0), 0u) << run.err;
    }
}

}  // namespace
