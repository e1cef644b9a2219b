#include "settings/option_name.h"

#include <cctype>

namespace scintle {

std::string OptionName(const char* label) {
    std::string name;
    bool dash = false;
    for (const char* c = label; *c; ++c) {
        if (std::isalnum(static_cast<unsigned char>(*c))) {
            if (dash && !name.empty()) name += '-';
            name += static_cast<char>(std::tolower(static_cast<unsigned char>(*c)));
            dash = false;
        } else {
            dash = true;
        }
    }
    return name;
}

}  // namespace scintle
