// The commands of scintle-render. Each returns the process's exit code and reports a
// bad argument or a failed write as one line on stderr.
#pragma once

#include <string>
#include <vector>

namespace scintle {

int RunViewCommand(const std::vector<std::string>& arguments);
int RunCycleCommand(const std::vector<std::string>& arguments);
int RunListCommand(const std::vector<std::string>& arguments);

// Prints "scintle-render: <message>" on stderr and returns the failure exit code.
int Fail(const std::string& message);

}  // namespace scintle
