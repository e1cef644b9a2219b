#include "host/run_mode.h"

namespace scintle {

namespace {

const char* SkipBlanks(const char* text) {
    while (*text == ' ') ++text;
    return text;
}

}  // namespace

RunMode ParseRunMode(const char* commandLine) {
    const char* p = commandLine ? commandLine : "";
    while (*p == ' ' || *p == '-' || *p == '/') ++p;
    switch (*p) {
        case '\0': return {RunModeKind::ModeConfigure, false, nullptr};
        case 'c':
        case 'C': return {RunModeKind::ModeConfigure, true, nullptr};
        case 's':
        case 'S': return {RunModeKind::ModeFullScreen, false, nullptr};
        case 'p':
        case 'P':
        case 'l':
        case 'L': return {RunModeKind::ModePreview, false, SkipBlanks(p + 1)};
        case 'a':
        case 'A': return {RunModeKind::ModeChangePassword, false, SkipBlanks(p + 1)};
        default: return {RunModeKind::ModeInvalid, false, nullptr};
    }
}

const char* CommandTail(const char* wholeCommandLine) {
    const char* p = wholeCommandLine ? wholeCommandLine : "";
    if (*p == '"') {
        ++p;
        while (*p && *p != '"') ++p;
        if (*p == '"') ++p;
    } else {
        while (static_cast<unsigned char>(*p) > ' ') ++p;
    }
    return SkipBlanks(p);
}

uint32_t ParseWindowHandle(const char* text) {
    uint32_t value = 0;
    for (const char* p = text; p && *p >= '0' && *p <= '9'; ++p)
        value = value * 10u + static_cast<uint32_t>(*p - '0');
    return value;
}

}  // namespace scintle
