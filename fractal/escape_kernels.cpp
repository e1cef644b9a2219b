#include "fractal/escape_kernels.h"

namespace scintle {

// Difference of the range ends, divided by the size, times the coordinate, plus the
// lower end: in this order, in double.
double ColumnPlaneValue(const ActiveViewRecord& v, int32_t width, int32_t x) {
    return (v.xMax - v.xMin) / width * x + v.xMin;
}

double RowPlaneValue(const ActiveViewRecord& v, int32_t height, int32_t y) {
    return (v.yMax - v.yMin) / height * y + v.yMin;
}

double UpwardRowPlaneValue(const ActiveViewRecord& v, int32_t height, int32_t y) {
    return (v.yMax - v.yMin) / height * (height - y) + v.yMin;
}

}  // namespace scintle
