// How soon a CQ reaches the controller: the real main window (offscreen) and serial
// driver against the simulator on a pseudo-terminal, in PACTOR standby, with the
// shipped sample "Orvanti.CQP". Each run triggers Action > Call CQ (F8) as the
// operator would and times, at the simulator's receive hook, the first byte of the
// unproto start ("U 1") and the first byte of the CQ text behind it.
//
//   cq_latency [RUNS]      (default 20)
//
// Prints the median and the worst of both over the runs. Between runs it waits until the
// simulator is idle and two status polls have told the program so, so every run starts
// its transmission afresh.

#include "EventWait.h"
#include "PtySimulator.h"
#include "QueuedModal.h"
#include "SimulatorWindow.h"
#include "StationDir.h"
#include "app/OrvantiCore.h"
#include "base/ComponentNames.h"
#include "ui/THoofdForm.h"

#include <QAction>
#include <QApplication>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <vector>

namespace {

using SteadyClock = std::chrono::steady_clock;

std::int64_t nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               SteadyClock::now().time_since_epoch())
        .count();
}

// What the hook saw of one run, written in the simulator's thread.
struct Arrivals {
    std::atomic<bool> armed{false};
    std::atomic<std::int64_t> startNs{0}; // the first byte of "U 1"
    std::atomic<std::int64_t> textNs{0};  // the first byte after its CR
    std::atomic<char> first{0};           // must be the U of "U 1"
    bool afterCr = false;                 // simulator thread only

    void arm()
    {
        startNs = 0;
        textNs = 0;
        first = 0;
        afterCr = false;
        armed = true;
    }
    void take(const std::uint8_t* data, std::size_t count)
    {
        if (!armed)
            return;
        const std::int64_t at = nowNs();
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint8_t byte = data[i];
            if (byte == 30 || byte == 17 || byte == 19) // status requests, flow control
                continue;
            if (startNs == 0) {
                startNs = at;
                first = static_cast<char>(byte);
            }
            if (afterCr) {
                textNs = at;
                armed = false;
                return;
            }
            afterCr = byte == '\r';
        }
    }
};

void report(const char* what, std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    std::printf("%-28s median %7.3f ms   worst %7.3f ms\n", what, values[values.size() / 2],
                values.back());
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;

    StationDir station;
    station.copyShippedFiles(); // the sample CQ texts among them

    ptcsim::Options options;
    options.model = ptcsim::Model::II;
    options.radioCharsPerSecond = 20000; // each CQ off the air at once
    options.transmitHighWater = std::numeric_limits<std::size_t>::max();
    ptcsim::PtySimulator simulator(options);
    Arrivals arrivals;
    simulator.onReceived = [&arrivals](const std::uint8_t* data, std::size_t count) {
        arrivals.take(data, count);
    };
    if (!startSimulator(simulator))
        return 1;

    QueuedModal modal;
    MainWindowOptions windowOptions = windowOnSimulator(simulator, station, modal);
    THoofdForm window(windowOptions);
    window.show();
    OrvantiCore& core = window.core();
    auto* callCq = window.findChild<QAction*>(Name::MenuCallCQ);
    if (!callCq) {
        std::fprintf(stderr, "no menu entry %s\n", qPrintable(Name::MenuCallCQ));
        return 1;
    }
    const auto standby = [&] {
        return !core.station.Transmitting && core.station.TrafficState == QLatin1String("STANDBY");
    };
    if (!waitFor([&] { return core.station.PtcType != PtcModel::Unknown && standby(); }, 10000)) {
        std::fprintf(stderr, "the controller never reported standby\n");
        return 1;
    }

    std::vector<double> startMs, textMs;
    for (int run = 0; run < runs; ++run) {
        arrivals.arm();
        const std::int64_t triggeredNs = nowNs();
        callCq->trigger();
        if (!waitFor([&] { return arrivals.textNs != 0; }, 5000)) {
            std::fprintf(stderr, "run %d: the CQ text never reached the simulator\n", run + 1);
            return 1;
        }
        startMs.push_back(static_cast<double>(arrivals.startNs - triggeredNs) / 1e6);
        textMs.push_back(static_cast<double>(arrivals.textNs - triggeredNs) / 1e6);
        if (arrivals.first != 'U') {
            std::fprintf(stderr, "run %d: the CQ did not start with U 1\n", run + 1);
            return 1;
        }
        // The next run must find the station idle, or it skips "U 1".
        const auto simIdle = [&simulator] {
            bool sending = true;
            simulator.withEngine(
                [&](ptcsim::SimEngine& engine, std::int64_t) { sending = engine.transmitting(); });
            return !sending;
        };
        if (!waitFor(simIdle, 5000)) {
            std::fprintf(stderr, "run %d: the CQ transmission did not end\n", run + 1);
            return 1;
        }
        runEventsFor(1100);
        if (!standby()) {
            std::fprintf(stderr, "run %d: the status line did not go back to standby\n", run + 1);
            return 1;
        }
    }
    if (!modal.shown.isEmpty()) {
        std::fprintf(stderr, "the program said: %s\n", qPrintable(modal.shown.first().text));
        return 1;
    }
    std::printf("%d runs, Call CQ in PACTOR standby with the shipped Orvanti.CQP\n", runs);
    report("to the first byte (U 1):", startMs);
    report("to the first CQ text byte:", textMs);
    simulator.stop();
    return 0;
}
