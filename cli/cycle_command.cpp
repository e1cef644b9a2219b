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
#include "settings/option_layer.h"
#include "settings/saver_settings.h"
#include "settings/setting_table.h"

namespace scintle {

namespace {

struct CycleRequest {
    uint32_t seed = 0;
    int32_t width = kDefaultRenderWidth;
    int32_t height = kDefaultRenderHeight;
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

CycleRequest* Request(void* target) { return static_cast<CycleRequest*>(target); }

}  // namespace

const std::vector<FrontOption>& CycleOptions() {
    static const std::vector<FrontOption> options = {
        {"seed", ValueKind::kNumber, "S", "",
         [](void* t, const OptionValue& v, std::string*) {
             Request(t)->seed = static_cast<uint32_t>(v.number);
             return true;
         },
         0, 0xFFFFFFFF, true, true},
        {"size", ValueKind::kSize, "WxH", "",
         [](void* t, const OptionValue& v, std::string*) {
             Request(t)->width = v.width;
             Request(t)->height = v.height;
             return true;
         }},
        {"pictures", ValueKind::kNumber, "N", "",
         [](void* t, const OptionValue& v, std::string*) {
             Request(t)->pictures = static_cast<int32_t>(v.number);
             return true;
         },
         1, 100000},
        {"kernel", ValueKind::kText, "K", "",
         [](void* t, const OptionValue& v, std::string* error) {
             return ParseKernel(v.text, &Request(t)->kernel, error);
         }},
        {"o", ValueKind::kText, "DIR", "",
         [](void* t, const OptionValue& v, std::string*) {
             Request(t)->directory = v.text;
             return true;
         }},
    };
    return options;
}

namespace {

bool ParseRequest(const std::vector<std::string>& arguments, CycleRequest* request,
                  std::string* error) {
    const OptionTable table = {"cycle", CycleOptions(), SettingNames::kCycle};
    return ParseOptionWords(arguments, OptionStyle::kStrict, table, request, &request->settings,
                            error) &&
           FinishSettings(&request->settings, OptionStyle::kStrict, false, error);
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
