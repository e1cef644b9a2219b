#include "render/cycle_state.h"

namespace scintle {

RenderCycleState renderCycle;

}  // namespace scintle
