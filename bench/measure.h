// What the window benchmarks measure of their own process: CPU time, peak
// resident memory and the moment the process started.
#pragma once

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>
#include <unistd.h>

namespace bench {

inline double nowSeconds(clockid_t clock = CLOCK_BOOTTIME)
{
    timespec t{};
    clock_gettime(clock, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// Seconds since this process was started. The bench script stamps the
// moment it launches the process (bash's EPOCHREALTIME, to the microsecond)
// in VESMOR_BENCH_LAUNCHED; without it, the kernel's record of the start,
// which is only kept to the clock tick (10 ms).
inline double sinceProcessStart()
{
    if (const char* launched = std::getenv("VESMOR_BENCH_LAUNCHED"))
        return nowSeconds(CLOCK_REALTIME) - std::strtod(launched, nullptr);
    std::ifstream stat("/proc/self/stat");
    const std::string text((std::istreambuf_iterator<char>(stat)), {});
    std::string rest = text.substr(text.rfind(')') + 2);
    std::size_t pos = 0;
    for (int field = 3; field < 22; ++field)  // field 22: the start, in ticks since boot
        pos = rest.find(' ', pos) + 1;
    return nowSeconds() - std::stod(rest.substr(pos, rest.find(' ', pos) - pos)) / double(sysconf(_SC_CLK_TCK));
}

inline double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

inline double peakResidentMiB()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6)) / 1024;
    return 0;
}

inline void print(const char* name, double value)
{
    std::printf("%s %.4f\n", name, value);
    std::fflush(stdout);
}

} // namespace bench
