// The engine's facts for the browser's pages, as one JSON object, so that the pages
// never write a setting's or a family's facts again (settings/setting_table.h,
// fractal/family_table.h):
//
//   "version":   the program's version
//   "settings":  the settings table's rows in its order: name (the registry value),
//                kind ("switch", "seconds", "count", "mask"), default, low, high,
//                group, label, unit (the dialog's word after a seconds field), offLabel
//                (a switch's "off" radio button), option and offOption (the X11 saver's),
//                cycleOption (scintle-render cycle's), rangeMessage (the dialog's refusal
//                of a number out of bounds), and a mask's bits: label and option, in
//                bit order
//   "messages":  the dialog's other texts: inconsistentEntry and its caption,
//                invalidEntryCaption
//   "families":  the family table's rows in its order: number, name (its label), option
//                (scintle-render's --family), and rows: the catalogue's views, each
//                with its number (from 1), the plane's corners, the constants and the
//                iteration cap
//   "pointerThreshold": how far the pointer may drift before a full-screen saver ends
//                (platform/pointer_drift.h)
//   "pictureLimits": the largest picture the pages paint: side (in pixels) and pixels
//                (web/query_options.h)
#pragma once

#include <string>

namespace scintle {

std::string EngineFactsJson(const char* version);

// `text` as a JSON string, quotes included.
std::string JsonString(const char* text);

}  // namespace scintle
