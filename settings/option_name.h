// The option that stands for one check box of a mask: its label in lower case, with
// every run of other characters as one dash ("Red / purple" gives "red-purple"). The
// X11 saver's flags and the browser's query both take these names.
#pragma once

#include <string>

namespace scintle {

std::string OptionName(const char* label);

}  // namespace scintle
