// scintle-render view: one catalogue row, every pixel computed, into a PNG.
#include <cmath>

#include "fractal/family_table.h"
#include "fractal/kernel_choice.h"
#include "fractal/preset_catalogue.h"
#include "render/colour_schemes.h"
#include "render/view_picture.h"
#include "cli/commands.h"
#include "cli/png_file.h"
#include "cli/render_arguments.h"

namespace scintle {

namespace {

struct ViewRequest {
    int32_t family = 0;
    const CatalogueRow* row = nullptr;
    int32_t width = 1280;
    int32_t height = 720;
    uint32_t scheme = kRainbow;
    double bailout = 4.0;
    bool flip = false;
    KernelKind kernel = KernelKind::kAuto;
    std::string output;
};

bool ParseBailout(const std::string& text, double* bailout, std::string* error) {
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(value) || value <= 0.0) {
        *error = "bailout '" + text + "' is not a positive number";
        return false;
    }
    *bailout = value;
    return true;
}

bool ParseRequest(const std::vector<std::string>& arguments, ViewRequest* request,
                  std::string* error) {
    OptionList options;
    if (!ParseOptions(arguments,
                      {"--family", "--row", "--size", "--scheme", "--bailout", "--kernel", "-o"},
                      {"--flip"}, &options, error))
        return false;
    auto& v = options.values;
    if (!v.count("--family") || !v.count("-o")) {
        *error = "view needs --family and -o";
        return false;
    }
    if (!ParseFamily(v["--family"], &request->family, error)) return false;
    const CatalogueTable table =
        request->family ? CatalogueOf(request->family) : CatalogueTable{&kFallbackRow, 1, 0};
    int32_t row = 1;
    if (v.count("--row") && !ParseSigned("row", v["--row"], &row, error)) return false;
    if (row < 1 || row > table.count) {
        *error = "row " + std::to_string(row) + " is out of range (1 to " +
                 std::to_string(table.count) + ")";
        return false;
    }
    request->row = &table.rows[row - 1];
    if (request->family == 0) request->family = kFallbackFamily;
    if (v.count("--size") && !ParseSize(v["--size"], &request->width, &request->height, error))
        return false;
    if (v.count("--scheme") && !ParseScheme(v["--scheme"], &request->scheme, error)) return false;
    if (v.count("--bailout") && !ParseBailout(v["--bailout"], &request->bailout, error))
        return false;
    if (v.count("--kernel") && !ParseKernel(v["--kernel"], &request->kernel, error)) return false;
    request->flip = options.flags.count("--flip") > 0;
    request->output = v["-o"];
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
