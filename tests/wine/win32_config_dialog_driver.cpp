// config_dialog_driver.exe SCENARIO PROGRAM: drives the configuration dialog of PROGRAM
// (a Windows path, run with configuration-mode command lines) through one scenario under
// Wine, prints one line per check, and exits with 0 when every check passed.
//
// Scenarios: defaults, select-none, iteration-bounds, delay-entry, stored-delay, cancel,
// owner. Each starts from a settings key it sets up itself.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "dialog_probe.h"
#include "resources/config_dialog_ids.h"

namespace scintle {
namespace {

const int kColourBoxes[] = {1027, 1028, 1029, 1030, 1031, 1032, 1033,
                            1034, 1035, 1036, 1037, 1038, 1039, 1040};
const int kCurveBoxes[] = {IDC_MANDELBROT, IDC_JULIA, IDC_PHOENIX, IDC_DRAGON};
const int kBlankingBoxes[] = {IDC_SCINTLE_FADE, IDC_FAST_FADE, IDC_NO_FADE};

HWND ownerWindow = nullptr;  // this driver's own window, made the foreground window

// Starts the program and waits for its dialog to be up and shown.
HWND Open(const char* program, const char* arguments, Program* running) {
    const bool started = StartProgram(program, arguments, running);
    if (!Expect(started, "start %s \"%s\" (error %lu)", program, arguments, started ? 0ul : GetLastError()))
        return nullptr;
    HWND dialog = WaitForDialog(*running);
    if (!Expect(dialog != nullptr, "\"%s\" opens the dialog", arguments)) return nullptr;
    for (int i = 0; i < 250 && !IsWindowVisible(dialog); ++i) Pause(20);
    Pause(300);
    return dialog;
}

void ExpectExit(Program* running, long expected, const char* how) {
    const long code = WaitForExit(running);
    Expect(code == expected, "%s: the process exits with %ld (got %ld)", how, expected, code);
}

void ExpectSetting(const char* name, uint32_t expected) {
    uint32_t value = 0;
    DWORD type = 0;
    const bool found = ReadSetting(name, &value, &type);
    Expect(found && value == expected && type == REG_DWORD, "stored %s is %u as REG_DWORD (got %s%u, type %lu)",
           name, expected, found ? "" : "nothing, ", value, type);
}

void ExpectNoMessageBox(HWND dialog, const char* when) {
    Pause(300);
    Expect(OwnedWindows(dialog).empty(), "no message box %s", when);
}

// The one message box that the dialog shows now, checked and dismissed with its OK button.
void ExpectMessageBox(HWND dialog, const char* caption, const char* text, bool dismissWithEnter) {
    HWND box = WaitForMessageBox(dialog);
    if (!Expect(box != nullptr, "message box \"%s\" appears", caption)) return;
    Expect(OwnedWindows(dialog).size() == 1, "exactly one message box, owned by the dialog (%u)",
           static_cast<unsigned>(OwnedWindows(dialog).size()));
    Expect(WindowText(box) == caption, "caption \"%s\" (got \"%s\")", caption, WindowText(box).c_str());
    Expect(MessageBoxText(box) == text, "text \"%s\" (got \"%s\")", text, MessageBoxText(box).c_str());
    Expect(MessageBoxHasStopIconAndOneOkButton(box), "stop icon and a single OK button");
    if (dismissWithEnter)
        PressKey(VK_RETURN);
    else
        PressButton(box, IDOK);
    Expect(WaitForNoMessageBox(dialog), "the message box is dismissed");
    Pause(200);
}

void ExpectBoxes(HWND dialog, const int* ids, size_t count, bool checked, const char* what) {
    bool all = true;
    for (size_t i = 0; i < count; ++i) all = all && Checked(dialog, ids[i]) == checked;
    Expect(all, "every %s box %s", what, checked ? "checked" : "clear");
}

// Selects the whole text of a field by the keyboard, after clicking into it.
void SelectField(HWND dialog, int id) {
    ClickControl(dialog, id);
    PressKey(VK_HOME);
    PressKeys({VK_SHIFT, VK_END});
}

void Defaults(const char* program) {
    DeleteSettings();
    Program running;
    HWND dialog = Open(program, "", &running);
    if (!dialog) return;
    Expect(GetWindow(dialog, GW_OWNER) == nullptr, "an empty command line gives no owner");
    Expect(!Checked(dialog, IDC_EXTRA_MEMORY), "\"Use extra memory\" clear");
    Expect(!Checked(dialog, IDC_ALL_MONITORS), "\"Cover all monitors\" clear");
    Expect(FieldText(dialog, IDC_COMPLETION_DELAY) == "1", "delay 1 (got \"%s\")",
           FieldText(dialog, IDC_COMPLETION_DELAY).c_str());
    Expect(!Checked(dialog, IDC_SCINTLE_FADE) && Checked(dialog, IDC_FAST_FADE) &&
               !Checked(dialog, IDC_NO_FADE),
           "only \"Fast fade\" checked");
    ExpectBoxes(dialog, kColourBoxes, 14, true, "colour");
    ExpectBoxes(dialog, kCurveBoxes, 4, true, "family");
    Expect(FieldText(dialog, IDC_MIN_ITERATIONS) == "0", "minimum 0");
    Expect(FieldText(dialog, IDC_MAX_ITERATIONS) == "0", "maximum 0");
    Expect(Checked(dialog, IDC_REDUCE) && !Checked(dialog, IDC_EXCLUDE), "\"Reduce\" selected");
    ExpectNoMessageBox(dialog, "at start");
    Expect(!SettingsKeyExists(), "opening the dialog creates no key");
    ClickControl(dialog, IDC_ALL_MONITORS);
    Expect(Checked(dialog, IDC_ALL_MONITORS), "a click checks \"Cover all monitors\"");
    ClickControl(dialog, IDOK);
    ExpectExit(&running, 1, "OK");
    ExpectSetting("ExtraMemory", 0);
    ExpectSetting("CompletionDelay", 1);
    ExpectSetting("BlankingMethod", 2);
    ExpectSetting("ColourScheme", 0x3FFF);
    ExpectSetting("CurveType", 15);
    ExpectSetting("MinIterations", 0);
    ExpectSetting("MaxIterations", 0);
    ExpectSetting("ExcludeCurves", 0);
    ExpectSetting("AllMonitors", 1);
}

void SelectNone(const char* program) {
    DeleteSettings();
    StoreDword("ExtraMemory", 1);
    StoreDword("ExcludeCurves", 1);
    StoreDword("AllMonitors", 5);  // written by something else: shows checked, OK stores 1
    Program running;
    HWND dialog = Open(program, "/c", &running);
    if (!dialog) return;
    ClickControl(dialog, IDC_SELECT_NONE);
    ExpectBoxes(dialog, kColourBoxes, 14, false, "colour");
    ExpectBoxes(dialog, kCurveBoxes, 4, false, "family");
    ExpectBoxes(dialog, kBlankingBoxes, 3, false, "blanking");
    Expect(Checked(dialog, IDC_EXTRA_MEMORY) && Checked(dialog, IDC_ALL_MONITORS) &&
               Checked(dialog, IDC_EXCLUDE),
           "\"Select None\" leaves extra memory, all monitors and the radio pair alone");
    PressButton(dialog, IDOK);
    ExpectExit(&running, 1, "OK");
    ExpectSetting("AllMonitors", 1);
    ExpectSetting("BlankingMethod", 0);
    ExpectSetting("ColourScheme", 0);
    ExpectSetting("CurveType", 0);

    dialog = Open(program, "/c", &running);
    if (!dialog) return;
    Expect(!Checked(dialog, IDC_SCINTLE_FADE) && Checked(dialog, IDC_FAST_FADE) &&
               !Checked(dialog, IDC_NO_FADE),
           "reopened: only \"Fast fade\" checked");
    ExpectBoxes(dialog, kColourBoxes, 14, true, "colour");
    ExpectBoxes(dialog, kCurveBoxes, 4, true, "family");
    PressButton(dialog, IDC_SELECT_NONE);
    Pause(300);
    PressButton(dialog, IDC_SELECT_ALL);
    Pause(300);
    ExpectBoxes(dialog, kBlankingBoxes, 3, true, "blanking");
    ExpectBoxes(dialog, kColourBoxes, 14, true, "colour");
    PressButton(dialog, IDCANCEL);
    ExpectExit(&running, 0, "Cancel");
    ExpectSetting("BlankingMethod", 0);
}

void IterationBounds(const char* program) {
    DeleteSettings();
    StoreDword("MinIterations", 7);
    const std::string before = SettingsSnapshot();
    Program running;
    HWND dialog = Open(program, "/c", &running);
    if (!dialog) return;
    SetFieldText(dialog, IDC_MIN_ITERATIONS, "500");
    SetFieldText(dialog, IDC_MAX_ITERATIONS, "100");
    ClickControl(dialog, IDOK);
    ExpectMessageBox(dialog, "Inconsistent entry", "The minimum value cannot exceed the maximum value",
                     false);
    Expect(WaitForSingleObject(running.info.hProcess, 0) == WAIT_TIMEOUT && IsWindowVisible(dialog),
           "the dialog is still open");
    Expect(SettingsSnapshot() == before, "the store is unchanged (%s)", SettingsSnapshot().c_str());
    Expect(FieldText(dialog, IDC_MIN_ITERATIONS) == "500" &&
               FieldText(dialog, IDC_MAX_ITERATIONS) == "100",
           "the entries are kept");
    SetFieldText(dialog, IDC_MAX_ITERATIONS, "0");
    ClickControl(dialog, IDOK);
    ExpectExit(&running, 1, "minimum 500 with maximum 0 is accepted");
    ExpectSetting("MinIterations", 500);
    ExpectSetting("MaxIterations", 0);

    dialog = Open(program, "/c", &running);
    if (!dialog) return;
    SetFieldText(dialog, IDC_MAX_ITERATIONS, "500");
    PressButton(dialog, IDOK);
    ExpectExit(&running, 1, "minimum equal to maximum is accepted");
    ExpectSetting("MaxIterations", 500);
}

void DelayEntry(const char* program) {
    DeleteSettings();
    Program running;
    HWND dialog = Open(program, "/c", &running);
    if (!dialog) return;
    SelectField(dialog, IDC_COMPLETION_DELAY);
    TypeText("30");
    Expect(FieldText(dialog, IDC_COMPLETION_DELAY) == "30", "typed 30 (got \"%s\")",
           FieldText(dialog, IDC_COMPLETION_DELAY).c_str());
    ExpectNoMessageBox(dialog, "for 30");
    TypeText("1");
    ExpectMessageBox(dialog, "Invalid entry", "Please enter a value between 0 and 300 seconds", true);
    Expect(FieldText(dialog, IDC_COMPLETION_DELAY) == "1", "after 301 the field shows 1 (got \"%s\")",
           FieldText(dialog, IDC_COMPLETION_DELAY).c_str());
    SelectField(dialog, IDC_COMPLETION_DELAY);
    TypeText("300");
    ExpectNoMessageBox(dialog, "for 300");
    PressButton(dialog, IDOK);
    ExpectExit(&running, 1, "OK with 300");
    ExpectSetting("CompletionDelay", 300);

    dialog = Open(program, "/c", &running);
    if (!dialog) return;
    Expect(FieldText(dialog, IDC_COMPLETION_DELAY) == "300", "reopened with 300");
    SelectField(dialog, IDC_COMPLETION_DELAY);
    PressKey(VK_DELETE);
    Expect(FieldText(dialog, IDC_COMPLETION_DELAY).empty(), "the field is empty");
    ExpectNoMessageBox(dialog, "for an empty field");
    PressButton(dialog, IDOK);
    ExpectExit(&running, 1, "OK with an empty delay");
    ExpectSetting("CompletionDelay", 0);
}

void StoredDelay(const char* program) {
    DeleteSettings();
    StoreDword("CompletionDelay", 400);
    Program running;
    if (!Expect(StartProgram(program, "/c", &running), "start")) return;
    HWND dialog = WaitForDialog(running);
    if (!Expect(dialog != nullptr, "the dialog exists")) return;
    HWND box = WaitForMessageBox(dialog);
    Expect(box != nullptr && !IsWindowVisible(dialog), "the message comes while the dialog opens");
    ExpectMessageBox(dialog, "Invalid entry", "Please enter a value between 0 and 300 seconds", false);
    for (int i = 0; i < 250 && !IsWindowVisible(dialog); ++i) Pause(20);
    Expect(FieldText(dialog, IDC_COMPLETION_DELAY) == "1", "the field then shows 1 (got \"%s\")",
           FieldText(dialog, IDC_COMPLETION_DELAY).c_str());
    PressButton(dialog, IDCANCEL);
    ExpectExit(&running, 0, "Cancel");
    ExpectSetting("CompletionDelay", 400);
}

void Cancel(const char* program) {
    const char* ways[] = {"Cancel", "Escape", "the close box"};
    for (int way = 0; way < 3; ++way) {
        DeleteSettings();
        if (way > 0) {
            StoreDword("CompletionDelay", 5);
            StoreDword("CurveType", 3);
        }
        const std::string before = SettingsSnapshot();
        Program running;
        HWND dialog = Open(program, "/c", &running);
        if (!dialog) return;
        ClickControl(dialog, IDC_MONO);
        Expect(!Checked(dialog, IDC_MONO), "%s: a click clears \"Mono\"", ways[way]);
        SelectField(dialog, IDC_COMPLETION_DELAY);
        TypeText("7");
        if (way == 0) ClickControl(dialog, IDCANCEL);
        if (way == 1) PressKey(VK_ESCAPE);
        if (way == 2) Expect(ClickCloseBox(dialog), "found the close box");
        ExpectExit(&running, 0, ways[way]);
        Expect(SettingsSnapshot() == before, "%s writes nothing (%s)", ways[way],
               SettingsSnapshot().c_str());
    }
}

void Owner(const char* program) {
    for (const char* arguments : {"/c:1234", "-c", "C", ""}) {
        SetForegroundWindow(ownerWindow);
        Pause(200);
        Program running;
        HWND dialog = Open(program, arguments, &running);
        if (!dialog) return;
        HWND expected = *arguments ? ownerWindow : nullptr;
        Expect(GetWindow(dialog, GW_OWNER) == expected, "\"%s\" opens the dialog %s", arguments,
               expected ? "owned by the foreground window" : "without an owner");
        PressButton(dialog, IDCANCEL);
        ExpectExit(&running, 0, arguments);
    }
}

struct Scenario {
    const char* name;
    void (*run)(const char* program);
};

const Scenario kScenarios[] = {
    {"defaults", Defaults},       {"select-none", SelectNone}, {"iteration-bounds", IterationBounds},
    {"delay-entry", DelayEntry},  {"stored-delay", StoredDelay}, {"cancel", Cancel},
    {"owner", Owner},
};

HWND CreateOwnerWindow() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "ScintleDialogDriver";
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA("ScintleDialogDriver", "Dialog driver", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                0, 0, 160, 80, nullptr, nullptr, windowClass.hInstance, nullptr);
    SetForegroundWindow(window);
    Pause(200);
    return window;
}

}  // namespace
}  // namespace scintle

int main(int argc, char** argv) {
    using namespace scintle;
    if (argc != 3) {
        std::fprintf(stderr, "usage: config_dialog_driver SCENARIO PROGRAM\n");
        return 2;
    }
    for (const Scenario& scenario : kScenarios) {
        if (std::strcmp(scenario.name, argv[1]) != 0) continue;
        ownerWindow = CreateOwnerWindow();
        scenario.run(argv[2]);
        std::printf("%s: %d failed\n", scenario.name, FailureCount());
        return FailureCount() == 0 ? 0 : 1;
    }
    std::fprintf(stderr, "unknown scenario %s\n", argv[1]);
    return 2;
}
