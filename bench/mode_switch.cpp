// How much a mode switch costs beyond the pauses and drains it is made of: the real
// main window (offscreen) and serial driver against the simulator on a pseudo-terminal,
// each switch started from its Mode menu entry as the operator would.
//
//   mode_switch [ROUNDS]      (default 3)
//
// For every switch: the time from the menu entry to the handler's return, the waits
// it asked for (pauses and the drains' 200 ms), and the difference, the overhead. The
// last byte goes out before the handler returns, so the overhead also bounds the time
// from the click to the last byte beyond the waits.

#include "EventWait.h"
#include "PtySimulator.h"
#include "QueuedModal.h"
#include "SimulatorWindow.h"
#include "StationDir.h"
#include "app/OrvantiCore.h"
#include "base/Clock.h"
#include "base/ComponentNames.h"
#include "ui/THoofdForm.h"

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <vector>

namespace {

// Real pauses, counted.
class CountingClock final : public Clock {
public:
    void sleep(int ms) override
    {
        waitedMs += ms;
        real_.sleep(ms);
    }
    quint32 tickCount() const override { return real_.tickCount(); }
    qint64 waitedMs = 0;

private:
    SystemClock real_;
};

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;

    StationDir station;
    station.copyShippedFiles();

    ptcsim::Options options;
    options.model = ptcsim::Model::II;
    ptcsim::PtySimulator simulator(options);
    if (!startSimulator(simulator))
        return 1;

    CountingClock clock;
    QueuedModal modal;
    MainWindowOptions windowOptions = windowOnSimulator(simulator, station, modal);
    windowOptions.clock = &clock;
    THoofdForm window(windowOptions);
    window.show();
    runEventsFor(300);
    OrvantiCore& core = window.core();
    core.station.FormReady = true;
    core.stopTimers(); // no status requests between the switches

    const QString entries[] = {Name::MenuAmtor,  Name::MenuRtty,  Name::MenuCw,
                               Name::MenuPsk31,  Name::MenuAudio, Name::Sub_MenuPacketPort2,
                               Name::MenuPactor, Name::MenuDumb,  Name::MenuPactor};
    std::map<std::string, std::vector<double>> overheads;
    double worst = 0;
    for (int round = 0; round < rounds; ++round) {
        for (const QString& name : entries) {
            const std::string entry = name.toStdString();
            auto* action = window.findChild<QAction*>(name);
            if (!action) {
                std::fprintf(stderr, "no menu entry %s\n", entry.c_str());
                return 1;
            }
            clock.waitedMs = 0;
            QElapsedTimer timer;
            timer.start();
            action->trigger();
            const double elapsedMs = static_cast<double>(timer.nsecsElapsed()) / 1e6;
            const double overhead = elapsedMs - static_cast<double>(clock.waitedMs);
            overheads[entry].push_back(overhead);
            worst = std::max(worst, overhead);
            std::printf("%-22s %-6s waits %5lld ms  took %8.2f ms  overhead %6.2f ms\n",
                        entry.c_str(), qPrintable(modeText(core.station.ModeId)),
                        static_cast<long long>(clock.waitedMs), elapsedMs, overhead);
            runEventsFor(50); // let the window paint what came back
        }
    }
    std::printf("\nmedian overhead per entry (ms):\n");
    for (auto& [entry, values] : overheads) {
        std::sort(values.begin(), values.end());
        std::printf("  %-22s %6.2f\n", entry.c_str(), values[values.size() / 2]);
    }
    std::printf("worst overhead: %.2f ms (target: under 20 ms)\n", worst);
    simulator.stop();
    return 0;
}
