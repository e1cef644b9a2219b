// A progress line on stderr, shown only when stderr is a terminal.
#pragma once

#include <unistd.h>

#include <cstdio>

namespace scintle {

class Progress {
public:
    explicit Progress(const char* what) : what_(what), shown_(isatty(STDERR_FILENO) != 0) {}
    ~Progress() {
        if (shown_ && drawn_) std::fputs("\r\033[K", stderr);
    }

    void Update(long done, long total) {
        if (!shown_) return;
        std::fprintf(stderr, "\r%s %ld of %ld", what_, done, total);
        std::fflush(stderr);
        drawn_ = true;
    }

private:
    const char* what_;
    bool shown_;
    bool drawn_ = false;
};

}  // namespace scintle
