// scintle-render cycle: the saver's own picture cycle, seeded, on a memory canvas.
//
// One JSON line per completed picture on stdout; with -o, the canvas at each
// completion as DIR/picture-001.png, ... The completion delay is not waited.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "fractal/family_table.h"
#include "fractal/fractal_preset.h"
#include "fractal/kernel_choice.h"
#include "fractal/random.h"
#include "render/colour_schemes.h"
#include "render/engine_reset.h"
#include "render/picture_cycle.h"
#include "cli/commands.h"
#include "cli/png_file.h"
#include "cli/progress.h"
#include "cli/render_arguments.h"
#include "settings/saver_settings.h"
#include "settings/setting_table.h"

namespace scintle {

namespace {

struct CycleRequest {
    uint32_t seed = 0;
    int32_t width = 1280;
    int32_t height = 720;
    int32_t pictures = 1;
    SaverSettingsRecord settings = kStartSettings;
    KernelKind kernel = KernelKind::kAuto;
    std::string directory;
};

struct CycleRun {
    const CycleRequest* request;
    MemoryCanvas* canvas;
    Progress* progress;
    int32_t completed = 0;
    std::string error;
};

bool ParseRequest(const std::vector<std::string>& arguments, CycleRequest* request,
                  std::string* error) {
    std::vector<std::string> valued = {"--seed", "--size", "--pictures"};
    for (const SettingInfo& setting : kSettingTable)
        if (setting.cycleOption) valued.push_back(setting.cycleOption);
    valued.insert(valued.end(), {"--kernel", "-o"});
    OptionList options;
    if (!ParseOptions(arguments, valued, {}, &options, error)) return false;
    auto& v = options.values;
    if (!v.count("--seed")) {
        *error = "cycle needs --seed";
        return false;
    }
    SaverSettingsRecord& s = request->settings;
    if (!ParseUnsigned("seed", v["--seed"], &request->seed, error)) return false;
    if (v.count("--size") && !ParseSize(v["--size"], &request->width, &request->height, error))
        return false;
    if (v.count("--pictures") &&
        (!ParseSigned("pictures", v["--pictures"], &request->pictures, error) ||
         request->pictures < 1 || request->pictures > 100000)) {
        if (error->empty()) *error = "pictures must be from 1 to 100000";
        return false;
    }
    // The settings as the record holds them: counts signed, the rest unsigned.
    for (const SettingInfo& setting : kSettingTable) {
        if (!setting.cycleOption || !v.count(setting.cycleOption)) continue;
        const std::string name = setting.cycleOption + 2;
        const std::string& text = v[setting.cycleOption];
        uint32_t value = 0;
        int32_t count = 0;
        if (setting.kind == SettingKind::kCount) {
            if (!ParseSigned(name, text, &count, error)) return false;
            value = static_cast<uint32_t>(count);
        } else if (!ParseUnsigned(name, text, &value, error)) {
            return false;
        }
        SetStoredValue(&s, setting, value);
    }
    if (v.count("--kernel") && !ParseKernel(v["--kernel"], &request->kernel, error)) return false;
    // As the settings loader does: no mask reaches the engine empty.
    s.BlankingMethod = ReplaceEmptyBlankingMethod(s.BlankingMethod);
    s.ColourScheme = ReplaceEmptyColourScheme(s.ColourScheme);
    s.CurveType = ReplaceEmptyCurveType(s.CurveType);
    if (v.count("-o")) request->directory = v["-o"];
    return true;
}

bool PrepareDirectory(const std::string& directory, std::string* error) {
    if (mkdir(directory.c_str(), 0777) == 0 || errno == EEXIST) {
        struct stat info;
        if (stat(directory.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return true;
    }
    *error = "cannot use " + directory + " as the output folder: " + std::strerror(errno);
    return false;
}

const char* Label(const char* label) { return label ? label : "?"; }

void PrintPicture(int32_t number) {
    const ActiveViewRecord& v = ActiveView;
    std::printf(
        "{\"picture\":%d,\"family\":\"%s\",\"xMin\":%s,\"xMax\":%s,\"yMin\":%s,\"yMax\":%s,"
        "\"constA\":%s,\"constB\":%s,\"bailout\":%s,\"iterationCap\":%d,"
        "\"colourScheme\":\"%s\",\"blanking\":\"%s\"}\n",
        number, Label(FamilyName(v.family)), ShortestDecimal(v.xMin).c_str(),
        ShortestDecimal(v.xMax).c_str(), ShortestDecimal(v.yMin).c_str(),
        ShortestDecimal(v.yMax).c_str(), ShortestDecimal(v.constA).c_str(),
        ShortestDecimal(v.constB).c_str(), ShortestDecimal(v.bailout).c_str(), v.iterationCap,
        Label(ColourSchemeLabel(colourSchemes.activeScheme)),
        Label(BlankingMethodLabel(static_cast<uint32_t>(renderCycle.activeBlanking))));
    std::fflush(stdout);
}

void OnPictureDone(void* context) {
    auto* run = static_cast<CycleRun*>(context);
    const int32_t number = ++run->completed;
    if (!run->request->directory.empty()) {
        char name[32];
        std::snprintf(name, sizeof name, "/picture-%03d.png", number);
        if (!WritePng(run->request->directory + name, *run->canvas, &run->error)) {
            renderCycle.runningFlag.store(0);
            return;
        }
    }
    PrintPicture(number);
    run->progress->Update(number, run->request->pictures);
    if (number >= run->request->pictures) renderCycle.runningFlag.store(0);
}

}  // namespace

int RunCycleCommand(const std::vector<std::string>& arguments) {
    CycleRequest request;
    std::string error;
    if (!ParseRequest(arguments, &request, &error)) return Fail(error);
    if (!request.directory.empty() && !PrepareDirectory(request.directory, &error))
        return Fail(error);

    MemoryCanvas canvas(request.width, request.height);
    ResetEngine(&canvas);
    SaverSettings = request.settings;
    SelectKernel(request.kernel);
    Progress progress("picture");
    CycleRun run{&request, &canvas, &progress, 0, {}};
    renderCycle.pictureDone = OnPictureDone;
    renderCycle.pictureDoneContext = &run;

    srand(request.seed);
    RunRenderCycle(canvas.window());
    ResetRenderCycle();
    if (!run.error.empty()) return Fail(run.error);
    return 0;
}

}  // namespace scintle
