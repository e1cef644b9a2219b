#include "fractal/preset_catalogue.h"

#include "fractal/family_table.h"
#include "settings/saver_settings.h"

namespace scintle {

const CatalogueRow kFallbackRow = {-1.35, 2.65, -1.5, 1.5, 0.0, 0.0, 100};

CatalogueTable CatalogueOf(int32_t family) {
    const FamilyInfo* info = FamilyOf(family);
    if (info == nullptr) return {nullptr, 0, family};
    return {info->rows, info->rowCount, family};
}

bool AdmitCap(int32_t family, int32_t* cap) {
    const SaverSettingsRecord& s = SaverSettings;
    if (s.MaxIterations != 0 && *cap > s.MaxIterations) {
        if (s.ExcludeCurves != 0) return false;
        *cap = s.MaxIterations;
    }
    const FamilyInfo* info = FamilyOf(family);
    const bool raised = info == nullptr || info->minimum == MinimumRaise::kRaises;
    if (s.MinIterations != 0 && *cap < s.MinIterations && raised) *cap = s.MinIterations;
    return true;
}

}  // namespace scintle
