#include "fractal/preset_catalogue.h"

#include "fractal/fractal_preset.h"
#include "fractal/preset_deck.h"
#include "settings/saver_settings.h"

namespace scintle {

namespace {

// xMin, xMax, yMin, yMax, constA, constB, iterationCap. Each number is the shortest
// decimal of its double. Mandelbrot rows 2 and 17 have a range running downwards:
// they are drawn mirrored along that axis.
constexpr CatalogueRow kMandelbrotRows[] = {
    {-1.35, 2.65, -1.5, 1.5, 0.0, 0.0, 100},  // 1
    {0.9, 0.92, -0.255, -0.275, 0.0, 0.0, 150},  // 2
    {0.85, 0.95, -0.35, -0.25, 0.0, 0.0, 50},  // 3
    {0.915, 0.94, -0.318, -0.302, 0.0, 0.0, 100},  // 4
    {0.935, 0.945, -0.305, -0.295, 0.0, 0.0, 100},  // 5
    {0.857, 0.867, -0.27, -0.26, 0.0, 0.0, 100},  // 6
    {1.044, 1.172, -0.2992, -0.2116, 0.0, 0.0, 60},  // 7
    {0.74, 0.75, 0.108, 0.1155, 0.0, 0.0, 120},  // 8
    {0.74505, 0.74554, 0.11291, 0.11324, 0.0, 0.0, 400},  // 9
    {0.01536, 0.0154, 1.02072, 1.02075, 0.0, 0.0, 300},  // 10
    {-0.465, -0.45, 0.34, 0.35, 0.0, 0.0, 200},  // 11
    {0.74, 0.75, 0.1155, 0.123, 0.0, 0.0, 120},  // 12
    {0.74624, 0.74758, 0.10671, 0.10779, 0.0, 0.0, 900},  // 13
    {0.7408, 0.75104, 0.10511, 0.11536, 0.0, 0.0, 400},  // 14
    {0.7454215, 0.7454365, 0.1130037, 0.1130139, 0.0, 0.0, 500},  // 15
    {0.74448, 0.74591, 0.11196, 0.11339, 0.0, 0.0, 200},  // 16
    {0.1992, 0.12954, 1.0148, 1.06707, 0.0, 0.0, 200},  // 17
    {0.745385, 0.745468, 0.112979, 0.113039, 0.0, 0.0, 200},  // 18
    {1.252861, 1.254024, 0.046252, 0.047125, 0.0, 0.0, 300},  // 19
    {1.7, 1.8, -0.05, 0.05, 0.0, 0.0, 150},  // 20
    {0.4082, 0.713, 0.49216, 0.71429, 0.0, 0.0, 250},  // 21
    {0.88333, 0.95, 0.23333, 0.3, 0.0, 0.0, 250},  // 22
    {1.764, 1.781, 0.0, 0.013, 0.0, 0.0, 150},  // 23
};

constexpr CatalogueRow kJuliaRows[] = {
    {-1.2, 1.2, -1.5, 1.5, 0.2506795621, 0.0, 300},  // 1
    {-1.5, 1.5, -1.5, 1.5, 0.28125, 0.0078, 250},  // 2
    {-1.3, 1.3, -1.5, 1.5, 0.039, 0.66797, 250},  // 3
    {-1.9, 1.9, -1.5, 1.5, -0.3789, 0.66, 250},  // 4
    {-1.8, 1.8, -1.1, 1.1, -1.222656, 0.3164, 250},  // 5
    {-1.7, 1.7, -1.2, 1.2, -1.0, 0.2695, 250},  // 6
    {-1.7, 1.7, -1.2, 1.2, -0.7656, 0.15234, 250},  // 7
    {-1.5, 1.5, -1.5, 1.5, 0.32, 0.043, 250},  // 8
    {-2.0, 2.0, -1.0, 1.0, -1.47656, 0.0, 250},  // 9
    {-1.2, 1.2, -1.5, 1.5, 0.383725, 0.147851, 64},  // 10
    {-1.2, 1.2, -1.5, 1.5, 0.293568, 0.018938, 300},  // 11
    {-1.2, 1.2, -1.5, 1.5, 0.43359, 0.3, 250},  // 12
    {-1.2, 1.2, -1.5, 1.5, 0.347656, 0.597656, 250},  // 13
    {-1.2, 1.2, -1.5, 1.5, 0.34375, 0.0664064029, 350},  // 14
    {-1.3, 1.3, -1.5, 1.5, 0.1328125, 0.703125, 250},  // 15
    {-2.0, 2.0, -1.1, 1.1, -0.78125, 0.25, 250},  // 16
    {-1.3, 1.3, -1.5, 1.5, 0.40625, 0.34375, 250},  // 17
    {-1.9, 1.9, -1.0, 1.0, -1.2539, -0.0312498, 250},  // 18
    {-1.6, 1.6, -1.3, 1.3, -0.64453125, 0.3828126192, 150},  // 19
    {-0.60019562, 0.0254154447, -0.741199479, -0.271838335, 0.43359, 0.3, 350},  // 20
    {-0.657, -0.0426, 0.63568, 1.09696, 0.293568, 0.018938, 300},  // 21
    {-0.737047657, 0.0136852395, -0.58083442, -0.0176010486, 0.28125, 0.0078126952, 350},  // 22
    {-0.39687, -0.0215, -1.1, -0.82334, 0.28125, 0.0078, 250},  // 23
    {-0.65677049, -0.146795748, -0.463563532, -0.08046, 0.3, 0.02, 450},  // 24
    {-0.16226865, 0.220918866, -0.990547588, -0.703063441, 0.252665138, 0.000168174, 350},  // 25
    {-0.467253176, 0.15, 0.34517647, 0.80867, 0.1328125, 0.703125, 250},  // 26
    {-0.55937, -0.078695, -1.13, -0.769967582, 0.34375, 0.0664064029, 350},  // 27
    {-0.956, -0.033236, 0.4067798, 1.099, 0.40625, 0.34375, 250},  // 28
    {-0.72922776, -0.25219887, -0.06747, 0.2904172, -0.78125, 0.25, 250},  // 29
    {-0.6276598, 0.2, -0.84485, -0.2229, 0.40625, 0.34375, 250},  // 30
    {-1.75757575, -0.787878, -0.393, 0.3344, -1.2539, -0.0312498, 250},  // 31
    {-1.48778, -0.666667, 0.006845, 0.62288, -0.64453125, 0.3828126192, 150},  // 32
    {0.236559, 1.11241, -1.11668839, -0.45958, 0.347656, 0.597656, 250},  // 33
    {-0.639296, -0.0684, 0.7187, 1.147, 0.34375, 0.0664064029, 350},  // 34
    {-1.51515151, -0.999, -0.113428, 0.273794, -0.7656, 0.15234, 250},  // 35
    {-0.19359, 0.19359, -0.1447, 0.1447, -1.47656, 0.0, 350},  // 36
    {-0.662756598, -0.0997, 0.702085, 1.1245, 0.383725, 0.147851, 64},  // 37
    {-0.193548387, 0.189639129, -0.986636246, -0.699152, 0.2671598424, 0.0, 350},  // 38
    {0.0410557184, 0.629566211, 0.673728192, 1.11375489, 0.293568, 0.018938, 300},  // 39
};

constexpr CatalogueRow kDragonRows[] = {
    {-0.4, 1.4, -0.8, 0.8, 1.415414, 0.856803, 64},  // 1
    {-0.4, 1.4, -0.8, 0.8, 1.325508, 0.786533, 64},  // 2
    {-0.25, 1.1, -0.4, 0.4, 3.018153, 0.098854, 64},  // 3
    {-0.3, 1.2, -0.4, 0.5, 2.797809, -0.657593, 64},  // 4
    {-0.25, 1.1, -0.4, 0.4, 2.998122, 0.004298, 64},  // 5
    {-0.4, 1.4, -0.9, 0.9, 1.255399, 0.691977, 128},  // 6
    {-0.4, 1.4, -0.5, 0.5, 2.447261, -0.924069, 64},  // 7
    {-0.4, 1.4, -0.8, 0.8, 1.646009, 0.967049, 256},  // 8
};

constexpr CatalogueRow kPhoenixRows[] = {
    {-1.5, 1.5, -1.0, 1.25, 0.356338, -1.209169, 100},  // 1
    {-1.5, 1.5, -1.0, 1.0, 0.288732, 0.510029, 100},  // 2
    {-1.5, 1.5, -0.7, 1.0, 0.56667, -0.5, 100},  // 3
    {-1.3, 1.3, -1.1, 1.4, -0.550704, -1.255014, 200},  // 4
};

template <int N>
constexpr CatalogueTable Table(const CatalogueRow (&rows)[N], int32_t family) {
    return {rows, N, family};
}

void RunCatalogue(const CatalogueTable& table) {
    for (int i = 0; i < table.count; ++i) {
        const CatalogueRow& r = table.rows[i];
        AdmitPreset(r.xMin, r.xMax, r.yMin, r.yMax, r.constA, r.constB, r.iterationCap,
                    table.family);
    }
}

}  // namespace

const CatalogueRow kFallbackRow = {-1.35, 2.65, -1.5, 1.5, 0.0, 0.0, 100};

CatalogueTable CatalogueOf(int32_t family) {
    switch (family) {
        case kMandelbrot: return Table(kMandelbrotRows, kMandelbrot);
        case kJulia: return Table(kJuliaRows, kJulia);
        case kDragon: return Table(kDragonRows, kDragon);
        case kPhoenix: return Table(kPhoenixRows, kPhoenix);
        default: return {nullptr, 0, family};
    }
}

bool AdmitCap(int32_t family, int32_t* cap) {
    const SaverSettingsRecord& s = SaverSettings;
    if (s.MaxIterations != 0 && *cap > s.MaxIterations) {
        if (s.ExcludeCurves != 0) return false;
        *cap = s.MaxIterations;
    }
    // Dragon views are never raised: their pictures are made by the escape area.
    if (s.MinIterations != 0 && *cap < s.MinIterations && family != kDragon)
        *cap = s.MinIterations;
    return true;
}

void AdmitPreset(double xMin, double xMax, double yMin, double yMax, double constA, double constB,
                 int32_t iterationCap, int32_t family) {
    if (!AdmitCap(family, &iterationCap)) return;
    AppendPreset(xMin, xMax, yMin, yMax, constA, constB, iterationCap, family);
}

void AddMandelbrotPresets() { RunCatalogue(CatalogueOf(kMandelbrot)); }
void AddJuliaPresets() { RunCatalogue(CatalogueOf(kJulia)); }
void AddDragonPresets() { RunCatalogue(CatalogueOf(kDragon)); }
void AddPhoenixPresets() { RunCatalogue(CatalogueOf(kPhoenix)); }

void AddFallbackPreset() {
    const CatalogueRow& r = kFallbackRow;
    AppendPreset(r.xMin, r.xMax, r.yMin, r.yMax, r.constA, r.constB, r.iterationCap, kMandelbrot);
}

}  // namespace scintle
