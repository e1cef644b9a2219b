// One catalogued view and the view being drawn.
//
// A FractalPreset is made on the heap when the deck is filled; its constructor draws
// the random bailout. ActiveView is the process-wide copy of the view of the current
// picture, which the deck fills (and may mirror) and the kernels only read.
#pragma once

#include <cstdint>

namespace scintle {

enum FractalFamily : int32_t {
    kMandelbrot = 1,
    kJulia = 2,
    kDragon = 4,
    kPhoenix = 8,
};

// Label of a family value ("Mandelbrot", ...), or nullptr for other values.
const char* FamilyName(int32_t family);

class FractalPreset {
public:
    FractalPreset(double xMin, double xMax, double yMin, double yMax, double constA,
                  double constB, int32_t iterationCap, int32_t family);

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

// The bailout of a new preset from one random number: (r mod 60) div 10 + 4.
double BailoutFromRandom(int r);

}  // namespace scintle
