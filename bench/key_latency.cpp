// How long a typed character takes from the key event to the wire: the real main
// window (offscreen) with the real serial driver on a pseudo-terminal whose other end
// this benchmark reads.

#include "app/OrvantiCore.h"
#include "app/StationFolder.h"
#include "ui/THoofdForm.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {

int master = -1;
THoofdForm* window = nullptr;

void BM_TypedCharacterToWire(benchmark::State& state)
{
    QWidget* transmit = window->findChild<QWidget*>(QStringLiteral("TransmitWindow"));
    double slowest = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QApplication::sendEvent(transmit, &key);
        pollfd fd{master, POLLIN, 0};
        char bytes[8] = {};
        if (::poll(&fd, 1, 1000) != 1 || ::read(master, bytes, sizeof bytes) < 1 ||
            bytes[0] != 'a') {
            state.SkipWithError("the character did not arrive");
            break;
        }
        const auto end = std::chrono::steady_clock::now();
        // The word wrap adds a carriage return now and then; it is not timed.
        if (::poll(&fd, 1, 0) == 1) [[maybe_unused]]
            const auto extra = ::read(master, bytes, sizeof bytes);
        const double seconds = std::chrono::duration<double>(end - start).count();
        slowest = std::max(slowest, seconds);
        state.SetIterationTime(seconds);
        if (transmit->property("plainText").toString().size() > 2000)
            QMetaObject::invokeMethod(transmit, "clear");
    }
    state.counters["slowest_us"] = slowest * 1e6;
}
BENCHMARK(BM_TypedCharacterToWire)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(2000);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir station;
    CopyReport report;
    QString error;
    if (!copyShippedFiles(station.path(), &report, &error))
        return 1;
    QDir::setCurrent(station.path());

    int slave = -1;
    char name[256] = {};
    if (openpty(&master, &slave, name, nullptr, nullptr) != 0)
        return 1;
    termios settings{};
    tcgetattr(slave, &settings);
    cfmakeraw(&settings);
    tcsetattr(slave, TCSANOW, &settings);

    MainWindowOptions options;
    options.portOverride = QString::fromLocal8Bit(name);
    THoofdForm mainWindow(options); // a silent controller: the start takes its pauses
    mainWindow.show();
    window = &mainWindow;
    mainWindow.core().stopTimers(); // no status requests in the measurement
    // What the start-up sent is not part of the measurement.
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    char drain[4096];
    while (::read(master, drain, sizeof drain) > 0) {
    }

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    ::close(slave);
    ::close(master);
    return 0;
}
