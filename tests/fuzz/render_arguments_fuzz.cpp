// Fuzz target: scintle-render's arguments. The input is words separated by newlines,
// the first the command. Every word goes through each value parser, whose results
// must stay in their ranges; then the command itself runs, on small work only: a
// 16x12 size comes first (a later --size wins), and arguments asking for more than
// 32x32 pixels, 3 pictures or a 2000-step floor are parsed but not run. Whatever
// follows -o is replaced by a path in a scratch folder of this process's own.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "fractal/family_table.h"
#include "fractal/fractal_preset.h"
#include "fuzz_support.h"
#include "cli/commands.h"
#include "cli/render_arguments.h"
#include "settings/option_layer.h"
#include "settings/setting_table.h"

namespace scintle {
namespace {

std::string scratch;

void RemoveScratch() {
    std::error_code ignored;
    std::filesystem::remove_all(scratch, ignored);
}

const FrontOption kSize = {"size", ValueKind::kSize, "WxH", "", nullptr};

// A word as a size, through the option layer; false when it is not one.
bool ReadSize(const std::string& word, OptionValue* size) {
    std::string error;
    return ReadOptionValue(kSize, "--size", word, size, &error);
}

void CheckParsers(const std::string& word) {
    std::string error;
    OptionValue size;
    if (ReadSize(word, &size))
        Require(size.width >= 1 && size.height >= 1 && size.width <= kMaxSide &&
                    size.height <= kMaxSide && int64_t{size.width} * size.height <= kMaxPixels,
                "a size is within its bounds");
    int32_t family = -1;
    if (ParseFamily(word, &family, &error))
        Require(family == 0 || FamilyName(family) != nullptr, "a family is one that exists");
    uint32_t scheme = 0;
    if (ParseScheme(word, &scheme, &error))
        Require(ColourSchemeLabel(scheme) != nullptr, "a scheme is one bit with a label");
    KernelKind kernel;
    if (ParseKernel(word, &kernel, &error)) Require(KernelSupported(kernel), "a kernel that runs");
}

// True when the command would paint more than a fuzz input should.
bool TooMuchWork(const std::vector<std::string>& arguments) {
    for (size_t i = 0; i + 1 < arguments.size(); ++i) {
        const std::string& name = arguments[i];
        const std::string& value = arguments[i + 1];
        OptionValue size;
        int64_t number = 0;
        if (name == "--size" && ReadSize(value, &size) && size.width * size.height > 1024) return true;
        if ((name == "--pictures" || name == "--min") &&
            ReadWholeNumber(value, true, true, &number) && number > (name == "--min" ? 2000 : 3))
            return true;
    }
    return false;
}

}  // namespace
}  // namespace scintle

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char folder[] = "/tmp/scintle-fuzz-render-XXXXXX";
    if (!mkdtemp(folder)) return 1;
    scintle::scratch = folder;
    std::atexit(scintle::RemoveScratch);
    // The commands print JSON lines and the catalogue; the fuzzer needs none of it.
    if (!std::freopen("/dev/null", "w", stdout)) return 1;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace scintle;
    std::vector<std::string> words = Words(data, size, '\n');
    for (const std::string& word : words) CheckParsers(word);

    const std::string command = words[0];
    std::vector<std::string> arguments(words.begin() + 1, words.end());
    for (size_t i = 0; i + 1 < arguments.size(); ++i)
        if (arguments[i] == "-o") arguments[i + 1] = scratch + (command == "view" ? "/view.png" : "/cycle");
    if (TooMuchWork(arguments)) return 0;
    if (command == "view" || command == "cycle") arguments.insert(arguments.begin(), {"--size", "16x12"});

    int status = -1;
    if (command == "view") status = RunViewCommand(arguments);
    else if (command == "cycle") status = RunCycleCommand(arguments);
    else if (command == "list") status = RunListCommand(arguments);
    else return 0;
    Require(status == 0 || status == 1, "a command ends with 0, or 1 after one line");
    return 0;
}
