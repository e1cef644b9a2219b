// scintle-render: the fractal engine on the command line, for wallpapers of a view
// and for checking the engine against the saver.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/render_arguments.h"
#include "settings/setting_table.h"

namespace {

// The cycle's settings options, as the settings table names them.
std::string CycleSettingOptions() {
    std::string options;
    for (const scintle::SettingInfo& setting : scintle::kSettingTable) {
        if (!setting.cycleOption) continue;
        const char* value = setting.kind == scintle::SettingKind::kMask    ? "MASK"
                            : setting.kind == scintle::SettingKind::kCount ? "N"
                                                                           : "0|1";
        options += std::string(" [") + setting.cycleOption + " " + value + "]";
    }
    return options;
}

// Words after the first line's start, wrapped before column 80 under `indent`.
std::string Wrapped(const std::string& start, const std::string& words, size_t indent) {
    std::string text = start;
    size_t lineStart = 0;
    for (size_t at = 0; at < words.size();) {
        const size_t next = words.find(" [", at + 1);
        const size_t length = next == std::string::npos ? std::string::npos : next - at;
        const std::string word = words.substr(at, length);
        if (text.size() - lineStart + word.size() > 80) {
            text += "\n" + std::string(indent, ' ');
            lineStart = text.size() - indent;
            text += word.substr(1);
        } else {
            text += word;
        }
        at = next == std::string::npos ? words.size() : next;
    }
    return text + "\n";
}

std::string Usage() {
    return "usage:\n"
           "  scintle-render view --family " + scintle::FamilyNames("|", "|") + " --row R\n"
           "                      [--size WxH] [--scheme NAME] [--bailout B] [--flip]\n"
           "                      [--kernel K] -o out.png\n" +
           Wrapped("  scintle-render cycle --seed S",
                   " [--size WxH] [--pictures N]" + CycleSettingOptions() +
                       " [--kernel K] [-o DIR]",
                   23) +
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
