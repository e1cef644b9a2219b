// scintle-render: the fractal engine on the command line, for wallpapers of a view
// and for checking the engine against the saver.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/commands.h"

namespace {

using scintle::OptionSynopsis;
using scintle::OptionTable;
using scintle::SettingNames;

// The items after the first line's start, wrapped before column 80 under `indent`.
std::string Wrapped(const std::string& start, const std::vector<std::string>& items,
                    size_t indent) {
    std::string text = start;
    size_t lineStart = 0;
    for (const std::string& item : items) {
        if (text.size() - lineStart + 1 + item.size() > 80) {
            text += "\n" + std::string(indent, ' ');
            lineStart = text.size() - indent;
            text += item;
        } else {
            text += " " + item;
        }
    }
    return text + "\n";
}

std::string Usage() {
    const OptionTable view = {"view", scintle::ViewOptions(), SettingNames::kNone};
    const OptionTable cycle = {"cycle", scintle::CycleOptions(), SettingNames::kCycle};
    return "usage:\n" + Wrapped("  scintle-render view", OptionSynopsis(view), 22) +
           Wrapped("  scintle-render cycle", OptionSynopsis(cycle, "pictures"), 23) +
           "  scintle-render list\n"
           "K, the kernel: scalar, sse2, avx2, avx512, or auto (the default: the widest the\n"
           "processor has). Every kernel paints the same pixels.\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        std::fputs(Usage().c_str(), argc < 2 ? stderr : stdout);
        return argc < 2 ? 2 : 0;
    }
    const std::string command = argv[1];
    const std::vector<std::string> arguments(argv + 2, argv + argc);
    if (command == "view") return scintle::RunViewCommand(arguments);
    if (command == "cycle") return scintle::RunCycleCommand(arguments);
    if (command == "list") return scintle::RunListCommand(arguments);
    return scintle::Fail("unknown command '" + command + "' (view, cycle or list)");
}
