// The benchmark groups of scintle-bench, registered in the order they run, and what
// they leave for the summary.
#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace scintle {

void RegisterOrderBenchmarks();    // draining a whole pixel order
void RegisterPictureBenchmarks();  // one picture per catalogue row, and whole passes
void RegisterStopBenchmarks();     // from a cleared runningFlag to the cycle's return
void RegisterX11Benchmarks();      // whole passes into the X11 saver's window
void RegisterWebPassBenchmarks();  // the gallery's pass, beside the browser's (./bench)

// What the plain baseline found for each row: the steps it iterated (the lane kernels
// iterate the same) and the fingerprint of its picture.
struct RowFacts {
    int64_t steps = 0;
    uint64_t digest = 0;
};
extern std::map<std::string, RowFacts> plainRowFacts;

// Rows whose lane picture differed from the plain one.
extern int differingPictures;

}  // namespace scintle
