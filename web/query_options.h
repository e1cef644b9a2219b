// The saver page's query, for reproducible cycles and for tests:
// ?seed=4242&size=320x200&completion-delay=60&extra-memory=1 paints the cycle that
// `scintle-render cycle --seed 4242 --size 320x200 --extra-memory 1` writes.
//
// The names are the X11 saver's options without their dashes, from the settings table
// (settings/setting_table.h): "completion-delay=S", "min-iterations=N", a switch as
// "extra-memory" (on), "extra-memory=1" or "=0", "no-extra-memory", "reduce-curves",
// and a mask's check box by its option name ("firestorm", "no-firestorm",
// "firestorm=0"); scintle-render cycle's names too ("colours=MASK", "min=N", ...), and
// "seed=S" (decimal, or hexadecimal after 0x) and "size=WxH" (or "geometry=WxH").
//
// As with the X11 saver's options, a query stands alone: settings it does not name
// take their defaults, never the stored ones. A value out of its setting's range, an
// unknown name, or a minimum above the maximum is refused with a one-line reason. The
// option layer (settings/option_layer.h) reads it all.
#pragma once

#include <cstdint>
#include <string>

#include "settings/settings_record.h"

namespace scintle {

struct WebQuery {
    SaverSettingsRecord settings;  // from DefaultRecord()
    bool seeded = false;
    uint32_t seed = 0;
    int32_t width = 0;  // 0: the window's size
    int32_t height = 0;
};

// The query before any option: every setting at its default.
WebQuery EmptyQuery();

// Applies one option; false with a reason, leaving the query as it was.
bool ApplyQueryOption(const std::string& name, const std::string& value, WebQuery* query,
                      std::string* error);

// After the last option: checks the iteration bounds and replaces empty masks with
// their defaults, as the settings loader does.
bool FinishQuery(WebQuery* query, std::string* error);

}  // namespace scintle
