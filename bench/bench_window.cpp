// The real game window with its real timers, measured while a game runs:
// CPU share, peak memory, tick intervals, countdown drift and the time from
// process start to the first frame. Prints one "name value" line each.
// Runs under an X server (the bench script uses Xvfb).
#include "ui/application.h"
#include "ui/trivev.h"

#include <QElapsedTimer>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int MeasuredMs = 30000;

double nowSeconds(clockid_t clock)
{
    timespec t{};
    clock_gettime(clock, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// Seconds since boot at which this process started.
double processStart()
{
    std::ifstream stat("/proc/self/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), {});
    std::string rest = text.substr(text.rfind(')') + 2);
    long long field = 0;
    std::size_t pos = 0;
    for (int i = 3; i <= 22; ++i) {  // starttime is field 22
        const std::size_t next = rest.find(' ', pos);
        if (i == 22)
            field = std::stoll(rest.substr(pos, next - pos));
        pos = next + 1;
    }
    return double(field) / double(sysconf(_SC_CLK_TCK));
}

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

long peakResidentKiB()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    return 0;
}

double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, std::size_t(p * double(values.size())))];
}

} // namespace

int main(int argc, char** argv)
{
    const double started = processStart();
    QElapsedTimer clock;
    std::vector<double> ticks, countdowns;
    double firstFrame = -1, cpuAtStart = 0;

    return ui::runGame(argc, argv, [&](ui::TRivev& window) {
        window.runModal = [](QDialog&) {};  // no greeting: nobody to answer it
        window.confirmClose = [] { return true; };
        QObject::connect(&window, &ui::TRivev::frameShown, [&] {
            if (firstFrame < 0) {
                firstFrame = nowSeconds(CLOCK_BOOTTIME) - started;
                window.mapClick(0);
                window.Button3Click();
                clock.start();
                cpuAtStart = cpuSeconds();
                QTimer::singleShot(MeasuredMs, &window, [&] {
                    const double elapsed = double(clock.nsecsElapsed()) / 1e9;
                    const double cpu = cpuSeconds() - cpuAtStart;
                    std::vector<double> gaps;
                    for (std::size_t i = 1; i < ticks.size(); ++i)
                        gaps.push_back((ticks[i] - ticks[i - 1]) * 1000);
                    const double span = countdowns.back() - countdowns.front();
                    const double drift = std::abs(span / double(countdowns.size() - 1) - 1.0) * 100;
                    std::printf("cpu_share_percent %.3f\n", cpu / elapsed * 100);
                    std::printf("peak_resident_mib %.2f\n", double(peakResidentKiB()) / 1024);
                    std::printf("tick_interval_p99_ms %.2f\n", percentile(gaps, 0.99));
                    std::printf("tick_interval_median_ms %.2f\n", percentile(gaps, 0.5));
                    std::printf("countdown_drift_percent %.4f\n", drift);
                    std::printf("first_frame_ms %.1f\n", firstFrame * 1000);
                    std::fflush(stdout);
                    window.close();
                });
                return;
            }
            ticks.push_back(double(clock.nsecsElapsed()) / 1e9);
        });
        QObject::connect(&window, &ui::TRivev::countdownStepped,
                         [&] { countdowns.push_back(double(clock.nsecsElapsed()) / 1e9); });
    });
}
