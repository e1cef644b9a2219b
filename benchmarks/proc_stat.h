// A Linux process's CPU time from the text of its /proc/PID/stat: user and system
// clock ticks, the 14th and 15th fields. The fields are counted from after the
// command's name, which is in parentheses and may hold blanks.
#pragma once

#include <cstdio>
#include <cstring>

namespace scintle {

// The ticks, or 0 when the text is not such a line.
inline unsigned long long ProcStatCpuTicks(const char* stat) {
    const char* rest = std::strrchr(stat, ')');
    unsigned long long user = 0, system = 0;
    if (!rest || std::sscanf(rest + 1, " %*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu",
                             &user, &system) != 2)
        return 0;
    return user + system;
}

}  // namespace scintle
