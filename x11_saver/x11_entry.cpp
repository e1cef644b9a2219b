// The native saver for X11, a hack in xscreensaver's sense: it draws into the window
// xscreensaver hands it (XSCREENSAVER_WINDOW or --window-id), into the root window,
// or into a window of its own, until SIGTERM or SIGINT, the window's destruction or
// its close button.
//
// The render thread runs the picture cycle into a client-side image (image_canvas.h);
// this thread alone talks to the X server: it sends the changed rows 30 times a second,
// answers the window's events, and on a resize stops the render thread, remakes
// the image and starts a new picture at the new size.
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "fractal/family_table.h"
#include "fractal/fractal_preset.h"
#include "x11_saver/saver_options.h"
#include "platform/x11/x11_display.h"
#include "platform/x11/x11_kernel.h"
#include "render/colour_schemes.h"
#include "render/picture_cycle.h"
#include "render/render_thread.h"
#include "settings/setting_table.h"

namespace scintle {
namespace {

constexpr int kExitBadOptions = 2;
constexpr int kExitFailure = 1;

int signalPipe[2] = {-1, -1};

void OnSignal(int) {
    const char byte = 0;
    (void)!write(signalPipe[1], &byte, 1);
}

bool CatchEndingSignals() {
    if (pipe(signalPipe) != 0) return false;
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
    return true;
}

// What the render thread draws into and leaves for this one.
struct RenderSession {
    ImageCanvas canvas;
    X11Kernel kernel;
    std::atomic<int32_t> picturesDone{0};
    std::atomic<int32_t> doneFamily{0};
    std::atomic<uint32_t> doneScheme{0};
    std::atomic<uint32_t> doneBlanking{0};
};
RenderSession session;

void OnPictureDone(void*) {
    session.doneFamily.store(ActiveView.family);
    session.doneScheme.store(colourSchemes.activeScheme);
    session.doneBlanking.store(renderCycle.activeBlanking);
    session.picturesDone.fetch_add(1, std::memory_order_release);
}

// A new picture at the canvas's size.
bool StartRendering() {
    RenderCycleState& c = renderCycle;
    c.clientWidth = session.canvas.width();
    c.clientHeight = session.canvas.height();
    c.pictureDone = OnPictureDone;
    return StartRenderThread(session.canvas.window());
}

void StopRendering() {
    StopRenderThread();
    WaitForRenderThread();
}

void ReportPicture(int32_t number) {
    std::fprintf(stderr, "scintle: picture %d: %s, %s, %s\n", number,
                 FamilyName(session.doneFamily.load()),
                 ColourSchemeLabel(session.doneScheme.load()),
                 BlankingMethodLabel(session.doneBlanking.load()));
}

int Fail(const std::string& message, int status) {
    std::fprintf(stderr, "scintle: %s\n", message.c_str());
    return status;
}

// With --verbose, says once why the image goes by XPutImage though the server offers
// MIT-SHM (a server on another machine refuses the attach). Only then: xscreensaver
// may show what a hack writes to stderr on the screen.
void NoteSharedMemory(const X11Display& display, bool verbose) {
    static std::string noted;
    const std::string& refusal = display.sharedMemoryRefusal();
    if (!verbose || refusal.empty() || refusal == noted) return;
    std::fprintf(stderr,
                 "scintle: MIT-SHM is offered but not usable (%s); drawing with XPutImage\n",
                 refusal.c_str());
    noted = refusal;
}

bool AttachTarget(const SaverOptions& options, X11Display* display, std::string* error) {
    switch (options.target) {
        case DrawTarget::kGivenWindow: return display->UseGivenWindow(options.windowId, error);
        case DrawTarget::kRoot: return display->UseRoot(error);
        default:
            return display->CreateOwnWindow(options.width, options.height, "Scintle Fractals",
                                            error);
    }
}

// Sends what the render thread changed, at most once a frame; with --verbose, names
// each picture finished once the window shows it whole.
int RunWindowLoop(X11Display* display, bool verbose) {
    using Clock = std::chrono::steady_clock;
    const auto frame = std::chrono::milliseconds(display->FrameMilliseconds());
    auto nextFrame = Clock::now();
    int32_t picturesShown = 0;
    std::string error;
    for (;;) {
        const auto wait =
            std::chrono::duration_cast<std::chrono::milliseconds>(nextFrame - Clock::now());
        pollfd watched[] = {{display->ConnectionFd(), POLLIN, 0}, {signalPipe[0], POLLIN, 0}};
        poll(watched, 2, wait.count() > 0 ? static_cast<int>(wait.count()) : 0);
        if (watched[1].revents) return 0;

        const X11Happenings happened = display->TakeEvents();
        if (happened.closed) return 0;
        if (display->Failed(&error)) return Fail(error, kExitFailure);
        if (happened.resized) {
            StopRendering();
            if (!display->MakeImage(&session.canvas, &error)) return Fail(error, kExitFailure);
            NoteSharedMemory(*display, verbose);
            if (!StartRendering()) return Fail("cannot start the render thread", kExitFailure);
        }
        if (happened.exposed) session.canvas.MarkAllChanged();
        if (session.kernel.TakeBellRequest()) display->Bell();

        if (Clock::now() < nextFrame) continue;
        nextFrame = Clock::now() + frame;
        const int32_t done = session.picturesDone.load(std::memory_order_acquire);
        display->SendChanged(&session.canvas);
        for (; verbose && picturesShown < done; ++picturesShown) ReportPicture(picturesShown + 1);
    }
}

int RunSaver(int argc, char** argv) {
    SaverOptions options;
    std::string error;
    if (!ParseSaverOptions(std::vector<std::string>(argv + 1, argv + argc),
                           std::getenv("XSCREENSAVER_WINDOW"), &options, &error))
        return Fail(error, kExitBadOptions);
    if (options.help) {
        std::fputs(SaverUsage().c_str(), stdout);
        return 0;
    }
    if (!CatchEndingSignals()) return Fail("cannot watch for signals", kExitFailure);

    X11Display display;
    if (!display.Open(options.display, &error) || !AttachTarget(options, &display, &error) ||
        !display.MakeImage(&session.canvas, &error))
        return Fail(error, kExitFailure);

    NoteSharedMemory(display, options.verbose);
    renderPlatform = &session.canvas;
    kernelPlatform = &session.kernel;
    SaverSettings = options.settings;
    SeedRenderThread(options.seedGiven ? options.seed : static_cast<uint32_t>(std::time(nullptr)));
    if (!StartRendering()) return Fail("cannot start the render thread", kExitFailure);
    const int status = RunWindowLoop(&display, options.verbose);
    StopRendering();
    display.Close();
    return status;
}

}  // namespace
}  // namespace scintle

int main(int argc, char** argv) { return scintle::RunSaver(argc, argv); }
