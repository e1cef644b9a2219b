// Paints the current picture with a lane kernel (lane_job.h): the positions of the
// current order in their sequence, each pixel iterated in a lane of its own and set
// with its own SetPixel as soon as its lane has finished it.
//
// Lanes finish out of order, so a pixel may be set a few dozen positions later than
// the one-pixel loop would set it; the picture still appears scattered over the
// whole window at once. Every pixel gets the colour that the one-pixel kernel gives
// it. Drawing stops within a few steps of every lane once runningFlag clears; no
// pixel is set after the flag has been seen at 0.
#pragma once

#include "fractal/kernel_choice.h"
#include "platform/render_platform.h"

namespace scintle {

class PixelShuffler;

enum class LanePainting { kPainted, kStopped, kUnavailable };

// Paints `order` to its end through `kernel` (not kScalar or kAuto), with ActiveView,
// whose iterationCap must be above 0. kUnavailable, having drawn nothing, when the
// build has no such kernel (fractal/lane_job.h), the kernel's working memory cannot be
// had or the window is too large for the lanes' pixel numbers (over 65535 wide or
// 32767 high); the one-pixel loop paints then.
LanePainting PaintWithLanes(DeviceContext dc, PixelShuffler* order, KernelKind kernel);

}  // namespace scintle
