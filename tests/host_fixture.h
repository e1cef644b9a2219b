// A fresh saver host for every test: host, close gate, hook and the whole engine at
// their start values, with recording fakes as the platform.
#pragma once

#include <gtest/gtest.h>

#include "host/close_gate.h"
#include "host/default_saver_proc.h"
#include "host/saver_hook.h"
#include "host/saver_host.h"
#include "host/saver_window.h"
#include "recording_host.h"
#include "recording_platform.h"
#include "render/engine_reset.h"
#include "render/picture_cycle.h"
#include "render/render_thread.h"
#include "settings/saver_settings.h"

namespace scintle {

// A password prompt the test controls: its answer, and something to do while it is up.
struct FakePrompt {
    static inline int32_t answer = 0;
    static inline int shown = 0;
    static inline WindowHandle shownFor = nullptr;
    static inline void (*whileUp)(WindowHandle hwnd) = nullptr;

    static int32_t SCINTLE_STDCALL Verify(WindowHandle hwnd) {
        ++shown;
        shownFor = hwnd;
        if (whileUp) whileUp(hwnd);
        return answer;
    }
    static void Reset() {
        answer = 0;
        shown = 0;
        shownFor = nullptr;
        whileUp = nullptr;
    }
};

class HostTest : public ::testing::Test {
protected:
    void SetUp() override {
        saverHost = SaverHostState{};
        closeGate = CloseGateState{};
        ResetEngine();
        FakePrompt::Reset();
        hostPlatform = &host;
        renderPlatform = &canvas;
        kernelPlatform = &canvas;
        host.otherKeys = &registry;
        registryPlatform = &host;
    }
    void TearDown() override {
        ResetEngine();
        hostPlatform = nullptr;
        renderPlatform = nullptr;
        kernelPlatform = nullptr;
        registryPlatform = nullptr;
    }

    // Starts over with fresh fakes, for tests that loop over cases.
    void Restart() {
        host = RecordingHost();
        canvas = ThreadRecordingCanvas();
        registry = FakeRegistry();
        SetUp();
    }

    // A full-screen window as RunSaverWindow leaves it once created.
    void UseFullScreenWindow() {
        host.classProc = SaverWindowProc;
        host.liveWindow = kWindow;
        host.windows.insert(kWindow);
    }

    intptr_t Send(uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0) {
        return SaverWindowProc(kWindow, message, wParam, lParam);
    }

    static inline const WindowHandle kWindow = FakeWindow(0x500);
    RecordingHost host;
    ThreadRecordingCanvas canvas;
    FakeRegistry registry;
};

}  // namespace scintle
