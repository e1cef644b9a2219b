// The WebAssembly module's entry points: what the pages and their Workers call (the
// module's JavaScript names them in web/site/engine.js). Strings come back as
// pointers to UTF-8 text held until the next call of the same kind; pictures as
// pointers to RGBA bytes held until the next picture.
//
// One module instance is one engine: a Worker runs either the saver (scintle_saver_*)
// or the gallery's views (scintle_view), never both; the pages' own thread asks for
// facts and the settings form's checks only.
#include <emscripten.h>

#include <cstdint>
#include <string>

#include "render/view_picture.h"
#include "fractal/family_table.h"
#include "fractal/kernel_choice.h"
#include "settings/option_layer.h"
#include "settings/saver_settings.h"
#include "settings/setting_table.h"
#include "settings/setting_text.h"
#include "web/engine_facts.h"
#include "web/query_options.h"
#include "web/settings_form.h"
#include "web/web_canvas.h"
#include "web/web_saver.h"

// The frame sink: a copy of the canvas to the Worker's onFrame, which posts it.
EM_JS(void, scintle_post_frame, (const uint8_t* rgba, int32_t width, int32_t height), {
    Module["onFrame"](HEAPU8.slice(rgba, rgba + width * height * 4), width, height);
});

namespace scintle {
namespace {

struct WebModuleState {
    std::string text;            // the last string handed out
    SaverSettingsRecord settings = DefaultRecord();  // for the next start or change
    WebQuery query = EmptyQuery();
    WebCanvas* view = nullptr;   // the last view painted
};

WebModuleState webModule;

const char* Hand(std::string text) {
    webModule.text = std::move(text);
    return webModule.text.c_str();
}

double Now() { return emscripten_get_now(); }

}  // namespace
}  // namespace scintle

using namespace scintle;

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* scintle_facts() {
    return Hand(EngineFactsJson(SCINTLE_VERSION));
}

// The settings form's number fields, as "Name=text" lines: {} when they are accepted,
// or {"field", "caption", "message"} for the first refusal (web/settings_form.h).
EMSCRIPTEN_KEEPALIVE const char* scintle_form_refusal(const char* numberFields) {
    const FormRefusal refusal = CheckSettingsForm(numberFields);
    if (!refusal.field) return Hand("{}");
    return Hand("{\"field\":" + JsonString(refusal.field->name) +
                ",\"caption\":" + JsonString(refusal.caption) +
                ",\"message\":" + JsonString(refusal.message.c_str()) + "}");
}

// The stored settings, one value at a time after scintle_stored_begin; text nullptr
// for a value not stored.
EMSCRIPTEN_KEEPALIVE void scintle_stored_begin() { webModule.settings = DefaultRecord(); }

EMSCRIPTEN_KEEPALIVE void scintle_stored_value(const char* name, const char* text) {
    if (const SettingInfo* setting = FindSetting(name))
        SetStoredValue(&webModule.settings, *setting, StoredTextValue(*setting, text));
}

// The settings last given, as the store keeps them: {"CompletionDelay": 1, ...}.
EMSCRIPTEN_KEEPALIVE const char* scintle_settings_values() {
    std::string json = "{";
    for (const SettingInfo& setting : kSettingTable)
        json += (json.size() > 1 ? "," : "") + JsonString(setting.name) + ":" +
                std::to_string(StoredValue(webModule.settings, setting));
    return Hand(json + "}");
}

// The saver page's query, one option at a time; "" or the reason for a refusal.
EMSCRIPTEN_KEEPALIVE void scintle_query_begin() { webModule.query = EmptyQuery(); }

EMSCRIPTEN_KEEPALIVE const char* scintle_query_option(const char* name, const char* value) {
    std::string error;
    ApplyQueryOption(name, value, &webModule.query, &error);
    return Hand(error);
}

// {"error": reason} or {"seeded", "seed", "width", "height"}; the query's settings
// become those of the next start.
EMSCRIPTEN_KEEPALIVE const char* scintle_query_end() {
    WebQuery& q = webModule.query;
    std::string error;
    if (!FinishQuery(&q, &error)) return Hand("{\"error\":" + JsonString(error.c_str()) + "}");
    webModule.settings = q.settings;
    return Hand("{\"seeded\":" + std::string(q.seeded ? "true" : "false") +
                ",\"seed\":" + std::to_string(q.seed) + ",\"width\":" + std::to_string(q.width) +
                ",\"height\":" + std::to_string(q.height) + "}");
}

// The saver (web_saver.h), with the settings last given.
EMSCRIPTEN_KEEPALIVE void scintle_saver_start(int32_t width, int32_t height, int32_t seeded,
                                              uint32_t seed) {
    StartWebSaver(width, height, webModule.settings, seeded != 0, seed, Now, scintle_post_frame);
}

EMSCRIPTEN_KEEPALIVE int32_t scintle_saver_paint() { return PaintNextWebPicture(); }

EMSCRIPTEN_KEEPALIVE void scintle_saver_change_settings() {
    ChangeWebSaverSettings(webModule.settings);
}

EMSCRIPTEN_KEEPALIVE int32_t scintle_saver_delay() { return WebSaverDelay(); }

EMSCRIPTEN_KEEPALIVE uint32_t scintle_saver_generator() { return WebSaverGenerator(); }

EMSCRIPTEN_KEEPALIVE const uint8_t* scintle_saver_rgba() {
    return webSaver.canvas ? webSaver.canvas->Rgba() : nullptr;
}

// The kernel that paints (fractal/kernel_choice.h): "sse2" in the SIMD build, "scalar"
// in the plain one.
EMSCRIPTEN_KEEPALIVE const char* scintle_kernel() { return KernelName(ActiveKernel()); }

// A catalogue view as scintle-render view paints it (bailout 4, not flipped); nullptr
// for a family or row the catalogue does not have, or a size beyond the pages' limits.
EMSCRIPTEN_KEEPALIVE const uint8_t* scintle_view(int32_t family, int32_t row, uint32_t scheme,
                                                 int32_t width, int32_t height) {
    const FamilyInfo* info = FamilyOf(family);
    if (!info || row < 1 || row > info->rowCount || width < 1 || height < 1 ||
        width > kMaxSide || height > kMaxSide ||
        int64_t{width} * height > kMaxPixels)
        return nullptr;
    // A view sets every pixel, so a canvas of the same size serves again as it is.
    if (!webModule.view || webModule.view->width() != width || webModule.view->height() != height) {
        delete webModule.view;
        webModule.view = new WebCanvas(width, height, Now, nullptr);
    }
    ViewPicture view;
    view.row = &info->rows[row - 1];
    view.family = family;
    view.scheme = scheme;
    PaintView(webModule.view, view);
    return webModule.view->Rgba();
}

}  // extern "C"
