// scintle-render view: one catalogue row, every pixel computed, into a PNG.
#include "fractal/family_table.h"
#include "fractal/kernel_choice.h"
#include "fractal/preset_catalogue.h"
#include "render/colour_schemes.h"
#include "render/view_picture.h"
#include "cli/commands.h"
#include "cli/png_file.h"
#include "cli/render_arguments.h"
#include "settings/option_layer.h"

namespace scintle {

namespace {

struct ViewRequest {
    int32_t family = 0;
    int32_t rowNumber = 1;
    const CatalogueRow* row = nullptr;
    int32_t width = kDefaultRenderWidth;
    int32_t height = kDefaultRenderHeight;
    uint32_t scheme = kRainbow;
    double bailout = 4.0;
    bool flip = false;
    KernelKind kernel = KernelKind::kAuto;
    std::string output;
};

ViewRequest* Request(void* target) { return static_cast<ViewRequest*>(target); }

}  // namespace

const std::vector<FrontOption>& ViewOptions() {
    static const std::string families = FamilyNames("|", "|");
    static const std::vector<FrontOption> options = {
        {"family", ValueKind::kText, families.c_str(), "",
         [](void* t, const OptionValue& v, std::string* error) {
             return ParseFamily(v.text, &Request(t)->family, error);
         },
         0, 0, false, true},
        {"row", ValueKind::kNumber, "R", "",
         [](void* t, const OptionValue& v, std::string*) {
             Request(t)->rowNumber = static_cast<int32_t>(v.number);
             return true;
         },
         1, INT32_MAX},
        {"size", ValueKind::kSize, "WxH", "",
         [](void* t, const OptionValue& v, std::string*) {
             Request(t)->width = v.width;
             Request(t)->height = v.height;
             return true;
         }},
        {"scheme", ValueKind::kText, "NAME", "",
         [](void* t, const OptionValue& v, std::string* error) {
             return ParseScheme(v.text, &Request(t)->scheme, error);
         }},
        {"bailout", ValueKind::kReal, "B", "",
         [](void* t, const OptionValue& v, std::string*) {
             Request(t)->bailout = v.real;
             return true;
         }},
        {"flip", ValueKind::kFlag, nullptr, "",
         [](void* t, const OptionValue&, std::string*) {
             Request(t)->flip = true;
             return true;
         }},
        {"kernel", ValueKind::kText, "K", "",
         [](void* t, const OptionValue& v, std::string* error) {
             return ParseKernel(v.text, &Request(t)->kernel, error);
         }},
        {"o", ValueKind::kText, "out.png", "",
         [](void* t, const OptionValue& v, std::string*) {
             Request(t)->output = v.text;
             return true;
         },
         0, 0, false, true},
    };
    return options;
}

namespace {

bool ParseRequest(const std::vector<std::string>& arguments, ViewRequest* request,
                  std::string* error) {
    const OptionTable table = {"view", ViewOptions(), SettingNames::kNone};
    if (!ParseOptionWords(arguments, OptionStyle::kStrict, table, request, nullptr, error))
        return false;
    // The rows a family has: known once the family is.
    const CatalogueTable rows =
        request->family ? CatalogueOf(request->family) : CatalogueTable{&kFallbackRow, 1, 0};
    if (request->rowNumber > rows.count) {
        *error = NumberRefusal("--row", std::to_string(request->rowNumber), 1, rows.count, false);
        return false;
    }
    request->row = &rows.rows[request->rowNumber - 1];
    if (request->family == 0) request->family = kFallbackFamily;
    return true;
}

}  // namespace

int RunViewCommand(const std::vector<std::string>& arguments) {
    ViewRequest request;
    std::string error;
    if (!ParseRequest(arguments, &request, &error)) return Fail(error);

    MemoryCanvas canvas(request.width, request.height);
    ViewPicture view;
    view.row = request.row;
    view.family = request.family;
    view.scheme = request.scheme;
    view.bailout = request.bailout;
    view.flip = request.flip;
    view.kernel = request.kernel;
    PaintView(&canvas, view);
    if (!WritePng(request.output, canvas, &error)) return Fail(error);
    return 0;
}

}  // namespace scintle
