// Fuzz target: the Windows saver's command line, as the platform hands it over (the
// program's name, quoted or not, then the switch and a window handle). The input is
// the whole line up to its first NUL. The tail and the handle must point into the
// line, the handle must be its decimal digits in 32 bits, and RunEntry, run through
// the recording host, must run the mode the switch names: a render thread only for
// full screen or a preview of a window that exists, and -1 for anything invalid.
#include <string>

#include "fuzz_support.h"
#include "host/close_gate.h"
#include "host/run_mode.h"
#include "host/saver_entry.h"
#include "host/saver_host.h"
#include "host/saver_window.h"
#include "render/engine_reset.h"
#include "tests/recording_host.h"

namespace scintle {
namespace {

uint32_t DigitsOf(const char* text) {
    uint32_t value = 0;
    while (*text >= '0' && *text <= '9') value = value * 10u + static_cast<uint32_t>(*text++ - '0');
    return value;
}

bool Inside(const char* p, const std::string& line) {
    return p >= line.c_str() && p <= line.c_str() + line.size();
}

}  // namespace
}  // namespace scintle

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace scintle;
    std::string line(reinterpret_cast<const char*>(data), size);
    line.resize(line.find('\0') == std::string::npos ? line.size() : line.find('\0'));

    const char* tail = CommandTail(line.c_str());
    Require(Inside(tail, line), "the tail lies inside the line");
    const RunMode mode = ParseRunMode(tail);
    const bool handled =
        mode.kind == RunModeKind::ModePreview || mode.kind == RunModeKind::ModeChangePassword;
    Require(handled == (mode.handleText != nullptr), "a handle is read for /p, /l and /a only");
    uint32_t handle = 0;
    if (handled) {
        Require(Inside(mode.handleText, line), "the handle's text lies inside the line");
        handle = ParseWindowHandle(mode.handleText);
        Require(handle == DigitsOf(mode.handleText), "the handle is its digits, in 32 bits");
    }

    RecordingHost host;
    ThreadRecordingCanvas canvas;
    FakeRegistry registry;
    saverHost = SaverHostState{};
    closeGate = CloseGateState{};
    ResetEngine();
    const WindowHandle known = FakeWindow(4660);
    host.windows.insert(known);
    host.foreground = FakeWindow(0x99);
    host.otherKeys = &registry;
    hostPlatform = &host;
    registryPlatform = &host;
    renderPlatform = &canvas;
    kernelPlatform = &canvas;

    const int32_t exitCode = RunEntry(FakeModule(0x400000), tail);
    const bool drawn = mode.kind == RunModeKind::ModeFullScreen ||
                       (mode.kind == RunModeKind::ModePreview && handle == 4660);
    Require(canvas.starts.size() == (drawn ? 1u : 0u),
            "a render thread exactly for full screen and a preview of a real window");
    if (mode.kind == RunModeKind::ModeInvalid)
        Require(exitCode == -1, "an invalid switch ends with -1");
    if (mode.kind == RunModeKind::ModePreview && handle != 4660)
        Require(exitCode == -1, "a preview without its window ends with -1");

    ResetEngine();
    hostPlatform = nullptr;
    registryPlatform = nullptr;
    renderPlatform = nullptr;
    kernelPlatform = nullptr;
    return 0;
}
