#include "render/view_picture.h"

#include "fractal/preset_deck.h"
#include "render/colour_schemes.h"
#include "render/engine_reset.h"
#include "render/picture_cycle.h"
#include "render/pixel_shuffler.h"
#include "settings/saver_settings.h"

namespace scintle {

void PaintView(MemoryCanvas* canvas, const ViewPicture& view) {
    ResetEngine(canvas);
    ActiveView = ViewOf(*view.row, view.family, view.bailout);
    if (view.flip) FlipView(&ActiveView);
    SetActiveScheme(view.scheme);
    SaverSettings.ExtraMemory = 1;
    SelectKernel(view.kernel);
    BuildShuffler();
    PaintPicture(canvas->dc());
    ResetRenderCycle();
}

}  // namespace scintle
