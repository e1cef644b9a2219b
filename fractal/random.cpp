#include "fractal/random.h"

namespace scintle {

thread_local uint32_t randomState = 1;

}  // namespace scintle
