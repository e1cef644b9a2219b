// scintle-render: the fractal engine on the command line, for wallpapers of a view
// and for checking the engine against the saver.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "scintle_render/commands.h"

namespace {

const char kUsage[] =
    "usage:\n"
    "  scintle-render view --family mandelbrot|julia|dragon|phoenix|fallback --row R\n"
    "                      [--size WxH] [--scheme NAME] [--bailout B] [--flip]\n"
    "                      [--kernel K] -o out.png\n"
    "  scintle-render cycle --seed S [--size WxH] [--pictures N] [--extra-memory 0|1]\n"
    "                       [--blanking MASK] [--colours MASK] [--curves MASK]\n"
    "                       [--min N] [--max N] [--exclude 0|1] [--kernel K] [-o DIR]\n"
    "  scintle-render list\n"
    "K, the kernel: scalar, sse2, avx2, avx512, or auto (the default: the widest the\n"
    "processor has). Every kernel paints the same pixels.\n";

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        std::fputs(kUsage, argc < 2 ? stderr : stdout);
        return argc < 2 ? 2 : 0;
    }
    const std::string command = argv[1];
    const std::vector<std::string> arguments(argv + 2, argv + argc);
    if (command == "view") return scintle::RunViewCommand(arguments);
    if (command == "cycle") return scintle::RunCycleCommand(arguments);
    if (command == "list") return scintle::RunListCommand(arguments);
    return scintle::Fail("unknown command '" + command + "' (view, cycle or list)");
}
