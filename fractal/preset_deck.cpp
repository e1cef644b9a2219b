#include "fractal/preset_deck.h"

#include <new>

#include "fractal/family_table.h"
#include "fractal/preset_catalogue.h"
#include "fractal/random.h"
#include "platform/kernel_platform.h"
#include "settings/saver_settings.h"

namespace scintle {

PresetDeckState PresetDeck;

namespace {

void Unlink(FractalPreset* preset) {
    PresetDeckState& d = PresetDeck;
    if (preset->prev) preset->prev->next = preset->next;
    else d.deckHead = preset->next;
    if (preset->next) preset->next->prev = preset->prev;
    else d.deckTail = preset->prev;
    --d.deckCount;
}

bool StopRequested() {
    const std::atomic<int32_t>* running = PresetDeck.runningFlag;
    return running && running->load(std::memory_order_relaxed) == 0;
}

// The random mirror or turn, decided afresh every time a view is drawn.
void FlipActiveViewAtRandom() {
    const FamilyInfo* info = FamilyOf(ActiveView.family);
    if (info == nullptr || info->flip == ViewFlip::kNone) return;  // no number drawn
    if (rand() & 1) FlipView(&ActiveView);
}

}  // namespace

void AppendPreset(const CatalogueRow& row, int32_t family) {
    PresetDeckState& d = PresetDeck;
    if (d.refillStopped) return;
    void* memory = ::operator new(sizeof(FractalPreset), std::nothrow);
    if (memory == nullptr) {
        // Each beep holds the render thread a quarter of a second: a stopping saver
        // gets no more of them.
        if (StopRequested()) d.refillStopped = true;
        else kernelPlatform->Beep(250, 250);
        return;
    }
    auto* preset = new (memory) FractalPreset(row, family);
    preset->prev = d.deckTail;
    if (d.deckTail) d.deckTail->next = preset;
    else d.deckHead = preset;
    d.deckTail = preset;
    ++d.deckCount;
}

// The enabled families' rows in table order, each through the admission rule.
void RefillDeck() {
    PresetDeck.refillStopped = false;
    const uint32_t curves = SaverSettings.CurveType;
    for (const FamilyInfo& info : kFamilies) {
        if ((curves & static_cast<uint32_t>(info.family)) == 0) continue;
        for (int32_t i = 0; i < info.rowCount; ++i) {
            CatalogueRow row = info.rows[i];
            if (AdmitCap(info.family, &row.iterationCap)) AppendPreset(row, info.family);
        }
    }
}

void ChooseNextPreset() {
    if (PresetDeck.deckCount == 0) {
        RefillDeck();
        // No view admitted, or none could be had: the fallback (none once a stop came).
        if (PresetDeck.deckCount == 0) AppendPreset(kFallbackRow, kFallbackFamily);
        // Not even the fallback could be allocated: the previous view is drawn again.
        if (PresetDeck.deckCount == 0) return;
    }
    TakePreset(rand() % PresetDeck.deckCount);
}

void TakePreset(int32_t index) {
    FractalPreset* preset = PresetDeck.deckHead;
    for (int32_t i = 0; i < index; ++i) preset = preset->next;
    LoadActiveView(*preset);
    Unlink(preset);
    delete preset;
    FlipActiveViewAtRandom();
}

// The sets are symmetric, so a flipped view shows the same picture upside down
// (mirrored) or turned round.
void FlipView(ActiveViewRecord* v) {
    const FamilyInfo* info = FamilyOf(v->family);
    if (info == nullptr || info->flip == ViewFlip::kNone) return;
    const double yMin = v->yMin;
    v->yMin = -v->yMax;
    v->yMax = -yMin;
    if (info->flip == ViewFlip::kTurn) {
        const double xMin = v->xMin;
        v->xMin = -v->xMax;
        v->xMax = -xMin;
    }
}

void LoadActiveView(const FractalPreset& p) {
    ActiveView = {p.xMin, p.xMax, p.yMin, p.yMax, p.bailout, p.constA, p.constB, p.iterationCap,
                  p.family};
}

void ClearDeck() {
    FractalPreset* preset = PresetDeck.deckHead;
    while (preset) {
        FractalPreset* next = preset->next;
        delete preset;
        preset = next;
    }
    PresetDeck = PresetDeckState{};
}

}  // namespace scintle
