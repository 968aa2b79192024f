// How long a typed character takes from the key event to the wire: the real main
// window (offscreen) with the real serial driver on a pseudo-terminal whose other end
// this benchmark reads.
//
//   key_latency [benchmark options]   keys on an idle link
//   key_latency --flood MB            keys while MB of controller text pours in
//
// In the flood the keys are posted from another thread at random moments, so they wait
// in the event queue for whatever the program is busy with, as an operator's keys do.

#include "app/OrvantiCore.h"
#include "app/StationFolder.h"
#include "base/ComponentNames.h"
#include "ui/THoofdForm.h"

#include "ui/TQvRichEdit.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <random>
#include <sys/ioctl.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

int master = -1;
int slaveFd = -1;
THoofdForm* window = nullptr;

void BM_TypedCharacterToWire(benchmark::State& state)
{
    QWidget* transmit = window->findChild<QWidget*>(Name::TransmitWindow);
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

class PaintCounter final : public QObject {
public:
    std::atomic<long> paints{0};

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// Printable lines of 70 bytes with one each of the class codes 1..4 and a status code
// (30) at random places, as vs_picocom's second payload.
std::vector<char> classTraffic(std::size_t size)
{
    std::mt19937 random(20240607);
    std::vector<char> bytes;
    bytes.reserve(size + 70);
    while (bytes.size() < size) {
        char line[70];
        for (int i = 0; i < 69; ++i)
            line[i] = static_cast<char>(32 + random() % 95);
        line[69] = '\n';
        int places[69];
        for (int i = 0; i < 69; ++i)
            places[i] = i;
        std::shuffle(places, places + 69, random);
        const char codes[] = {1, 2, 3, 4, 30};
        for (int i = 0; i < 5; ++i)
            line[places[i]] = codes[i];
        bytes.insert(bytes.end(), line, line + 70);
    }
    bytes.resize(size);
    return bytes;
}

int floodLatency(double megabytes, THoofdForm& form)
{
    using Clock = std::chrono::steady_clock;
    QWidget* transmit = form.findChild<QWidget*>(Name::TransmitWindow);
    PaintCounter painted;
    form.receiveWindow()->viewport()->installEventFilter(&painted);
    const std::vector<char> flood = classTraffic(static_cast<std::size_t>(megabytes * 1e6));
    std::atomic<bool> flooding{true};
    std::atomic<bool> typing{true};
    std::atomic<long> arrived{0};
    QEventLoop loop;

    std::thread reader([&] {
        char bytes[4096];
        while (typing) {
            pollfd fd{master, POLLIN, 0};
            if (::poll(&fd, 1, 50) != 1)
                continue;
            const ssize_t n = ::read(master, bytes, sizeof bytes);
            // Only the keys send 'a'; XOFF, XON and status requests go out too.
            for (ssize_t i = 0; i < n; ++i)
                if (bytes[i] == 'a')
                    ++arrived;
        }
    });
    const auto start = Clock::now();
    std::thread writer([&] {
        std::size_t written = 0;
        while (written < flood.size()) {
            pollfd fd{master, POLLOUT, 0};
            if (::poll(&fd, 1, 1000) != 1)
                continue;
            const ssize_t n = ::write(master, flood.data() + written,
                                      std::min<std::size_t>(65536, flood.size() - written));
            if (n > 0)
                written += static_cast<std::size_t>(n);
        }
        int waiting = 1;
        while (ioctl(slaveFd, FIONREAD, &waiting) == 0 && waiting > 0)
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        flooding = false;
    });
    std::vector<double> latencies;
    std::thread typist([&] {
        std::mt19937 random(7);
        long sent = 0;
        while (flooding) {
            std::this_thread::sleep_for(std::chrono::microseconds(2000 + random() % 8000));
            const auto posted = Clock::now();
            QCoreApplication::postEvent(
                transmit,
                new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a")));
            ++sent;
            while (arrived < sent && Clock::now() - posted < std::chrono::seconds(2))
                std::this_thread::sleep_for(std::chrono::microseconds(20));
            if (arrived < sent)
                break;
            latencies.push_back(std::chrono::duration<double>(Clock::now() - posted).count());
            if (sent % 500 == 0)
                QMetaObject::invokeMethod(transmit, "clear", Qt::QueuedConnection);
        }
        typing = false;
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    typist.join();
    writer.join();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    reader.join();
    form.receiveWindow()->viewport()->removeEventFilter(&painted);

    if (latencies.empty()) {
        std::printf("no key reached the wire during the flood\n");
        return 1;
    }
    std::sort(latencies.begin(), latencies.end());
    const auto at = [&](double q) {
        return latencies[static_cast<std::size_t>(q * (latencies.size() - 1))] * 1e3;
    };
    std::printf("flood of %.0f MB at %.1f MB/s; %zu keys: median %.2f ms, 99%% %.2f ms, "
                "slowest %.2f ms; receive window painted %.0f times a second\n",
                megabytes, megabytes / seconds, latencies.size(), at(0.5), at(0.99), at(1.0),
                painted.paints / seconds);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    double floodMb = 0;
    if (argc == 3 && std::strcmp(argv[1], "--flood") == 0) {
        floodMb = std::atof(argv[2]);
        if (floodMb <= 0) {
            std::fprintf(stderr, "usage: key_latency --flood MB\n");
            return 2;
        }
        argc = 1;
    }
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
    // The first paint and the start-up work the first turns of the event loop bring are
    // done before anything is timed: keys in a flood wait for the flood, not for those.
    QEventLoop settle;
    QTimer::singleShot(300, &settle, &QEventLoop::quit);
    settle.exec();
    mainWindow.core().stopTimers(); // no status requests in the measurement
    // What the start-up sent is not part of the measurement.
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    char drain[4096];
    while (::read(master, drain, sizeof drain) > 0) {
    }

    if (floodMb > 0) {
        slaveFd = slave;
        mainWindow.core().startTimers(); // as in use: status requests and all
        const int status = floodLatency(floodMb, mainWindow);
        ::close(slave);
        ::close(master);
        return status;
    }

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    ::close(slave);
    ::close(master);
    return 0;
}
