// One catalogued view and the view being drawn.
//
// A CatalogueRow is a view as the catalogue lists it. A FractalPreset is made on the heap when
// the deck is filled; its constructor draws the random bailout. ActiveView is the process-wide
// copy of the view of the current picture, which the deck fills (and may mirror) and the
// kernels only read.
#pragma once

#include <cstdint>


namespace scintle {

struct CatalogueRow {
    double xMin;
    double xMax;
    double yMin;
    double yMax;
    double constA;
    double constB;
    int32_t iterationCap;
};

class FractalPreset {
public:
    FractalPreset(const CatalogueRow& row, int32_t family);

    FractalPreset* next = nullptr;
    FractalPreset* prev = nullptr;
    double xMin;
    double xMax;
    double yMin;
    double yMax;
    double bailout;  // 4.0 to 9.0, compared with the squared modulus
    double constA;
    double constB;
    int32_t iterationCap;
    int32_t family;
};

struct ActiveViewRecord {
    double xMin;
    double xMax;
    double yMin;
    double yMax;
    double bailout;
    double constA;
    double constB;
    int32_t iterationCap;
    int32_t family;
};

extern ActiveViewRecord ActiveView;

// What ActiveView holds until the first picture: the fallback view, the whole set.
extern const ActiveViewRecord kStartView;

// A catalogue row as a view of `family` with the given bailout.
ActiveViewRecord ViewOf(const CatalogueRow& row, int32_t family, double bailout);

// The bailout of a new preset from one random number: (r mod 60) div 10 + 4.
double BailoutFromRandom(int r);

}  // namespace scintle
