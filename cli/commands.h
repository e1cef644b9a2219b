// The commands of scintle-render. Each returns the process's exit code and reports a
// bad argument or a failed write as one line on stderr.
#pragma once

#include <string>
#include <vector>

#include "settings/option_layer.h"

namespace scintle {

// A picture's size when --size does not give one.
inline constexpr int32_t kDefaultRenderWidth = 1280;
inline constexpr int32_t kDefaultRenderHeight = 720;

// The options of view and cycle, for their parsing and the usage text.
const std::vector<FrontOption>& ViewOptions();
const std::vector<FrontOption>& CycleOptions();

int RunViewCommand(const std::vector<std::string>& arguments);
int RunCycleCommand(const std::vector<std::string>& arguments);
int RunListCommand(const std::vector<std::string>& arguments);

// Prints "scintle-render: <message>" on stderr and returns the failure exit code.
int Fail(const std::string& message);

}  // namespace scintle
