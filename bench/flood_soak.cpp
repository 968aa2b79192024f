// The whole program against the simulator's flood at full pseudo-terminal speed: the
// real main window (offscreen), the real serial driver on the simulator's device, the
// program's own poll loop and timers, and the program's capture file.
//
//   flood_soak [SECONDS]      (default 60)
//
// Checked while it runs:
//  - every byte the simulator put on the pseudo-terminal reaches the decoder, in
//    order (the simulator reports what the terminal accepted);
//  - the capture gets exactly the text bytes of each block the decoder was handed, and
//    the capture file holds them all;
//  - how late a 10 ms timer fires: the worst stall of the event loop.
// Exits non-zero when a byte went missing or the capture differs.

#include "BenchSupport.h"
#include "EventWait.h"
#include "PtySimulator.h"
#include "QueuedModal.h"
#include "SimulatorWindow.h"
#include "StationDir.h"
#include "app/OrvantiCore.h"
#include "ui/THoofdForm.h"
#include "ui/TQvRichEdit.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace {

// Bytes the simulator sent and the program has not been matched against yet.
struct Wire {
    std::mutex mutex;
    bool armed = false;
    QByteArray pending;
    qint64 sent = 0;
};

struct Tally {
    qint64 read = 0;     // bytes the decoder was handed
    qint64 matched = 0;  // of those, compared equal to what was sent
    qint64 captured = 0; // bytes the capture received
    qint64 expected = 0; // bytes it should have received
    qint64 blocks = 0;
    qint64 firstWireMismatch = -1;
    qint64 firstCaptureMismatch = -1;
    int maxLength = 0;
    QByteArray unmatched; // read but not yet sent, as far as the wire knows
};

// Compares what the program read so far with what the simulator sent so far.
void matchWire(Wire& wire, Tally& tally)
{
    std::lock_guard lock(wire.mutex);
    const qsizetype n = std::min(wire.pending.size(), tally.unmatched.size());
    if (n == 0)
        return;
    if (tally.firstWireMismatch < 0) {
        const auto difference = std::mismatch(tally.unmatched.cbegin(),
                                              tally.unmatched.cbegin() + n, wire.pending.cbegin());
        if (difference.first != tally.unmatched.cbegin() + n)
            tally.firstWireMismatch = tally.matched + (difference.first - tally.unmatched.cbegin());
    }
    tally.matched += n;
    wire.pending.remove(0, n);
    tally.unmatched.remove(0, n);
}

} // namespace

int main(int argc, char** argv)
{
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
    if (seconds <= 0) {
        std::fprintf(stderr, "usage: flood_soak [SECONDS]\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    StationDir station;
    station.copyShippedFiles();

    ptcsim::Options simOptions;
    simOptions.model = ptcsim::Model::II;
    simOptions.flood = false; // switched on once the start-up is over
    ptcsim::PtySimulator simulator(simOptions);
    Wire wire;
    simulator.onSent = [&wire](const char* data, std::size_t count) {
        std::lock_guard lock(wire.mutex);
        if (!wire.armed)
            return;
        wire.pending.append(data, static_cast<qsizetype>(count));
        wire.sent += static_cast<qint64>(count);
    };
    if (!startSimulator(simulator))
        return 1;

    QueuedModal modal;
    MainWindowOptions windowOptions = windowOnSimulator(simulator, station, modal);
    THoofdForm window(windowOptions);
    window.show();
    window.activateWindow();
    runEventsFor(300);
    if (!window.isActiveWindow()) // the offscreen platform may not report activation
        window.core().lifecycle.FormActivate();
    runEventsFor(1500); // start-up answers and the first status replies
    OrvantiCore& core = window.core();
    TQvRichEdit* receive = window.receiveWindow();

    // The program's own capture, opened as the operator does; the bytes handed to it are
    // watched on their way, and the file is read back at the end.
    Tally tally;
    QByteArray captured;
    QCryptographicHash expectedFile(QCryptographicHash::Sha256);
    const QString capturePath = station.path() + QStringLiteral("/flood.log");
    modal.queueFileName(capturePath);
    core.capture.MenuOpenLogFileClick();
    if (!core.station.CaptureOn) {
        std::fprintf(stderr, "the capture did not open\n");
        return 1;
    }
    const auto write = core.decoder.captureWrite;
    core.decoder.captureWrite = [&](QByteArrayView bytes) {
        captured.append(bytes.data(), bytes.size());
        return write(bytes);
    };
    const std::function<void()> decode = core.link.decodeBlock;
    core.link.decodeBlock = [&] {
        const QByteArray block = core.station.RxChunk;
        decode();
        if (block.isEmpty())
            return;
        ++tally.blocks;
        tally.read += block.size();
        tally.unmatched.append(block);
        matchWire(wire, tally);
        const QByteArray expected = capturedText(block);
        tally.expected += expected.size();
        tally.captured += captured.size();
        if (tally.firstCaptureMismatch < 0 && captured != expected)
            tally.firstCaptureMismatch = tally.blocks;
        expectedFile.addData(expected);
        captured.clear();
        tally.maxLength = std::max(tally.maxLength, receive->length());
    };

    // Start counting at a moment when nothing is on its way: the simulator cannot write
    // while its lock is held, and the program has nothing waiting.
    bool armed = false;
    for (int tries = 0; tries < 200 && !armed; ++tries) {
        simulator.withEngine([&](ptcsim::SimEngine& engine, std::int64_t) {
            if (core.link.bytesWaiting() != 0)
                return;
            std::lock_guard lock(wire.mutex);
            wire.armed = true;
            armed = true;
            engine.setFlood(true);
        });
        if (!armed)
            runEventsFor(10);
    }
    if (!armed) {
        std::fprintf(stderr, "the line never went quiet before the flood\n");
        return 1;
    }
    const std::string before = simulator.received();
    resetPeakRss();

    // The event loop's responsiveness: how late a 10 ms timer fires.
    QElapsedTimer sinceTick;
    qint64 worstLateNs = 0;
    qint64 late50 = 0;
    qint64 ticks = 0;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    tick.setInterval(10);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 late = sinceTick.nsecsElapsed() - 10'000'000;
        sinceTick.start();
        ++ticks;
        worstLateNs = std::max(worstLateNs, late);
        if (late > 50'000'000)
            ++late50;
    });
    sinceTick.start();
    tick.start();

    QElapsedTimer elapsed;
    elapsed.start();
    for (int s = 0; s < seconds; ++s) {
        runEventsFor(1000);
        if ((s + 1) % 10 == 0) {
            std::printf("%3d s: %lld bytes read, window %d\n", s + 1,
                        static_cast<long long>(tally.read), receive->length());
            std::fflush(stdout);
        }
    }
    const double floodSeconds = elapsed.nsecsElapsed() / 1e9;
    tick.stop();
    simulator.withEngine([](ptcsim::SimEngine& engine, std::int64_t) { engine.setFlood(false); });

    // Let the program read what is still on its way.
    QDeadlineTimer drain(30000);
    int quietRounds = 0;
    while (!drain.hasExpired() && quietRounds < 20) {
        runEventsFor(25);
        matchWire(wire, tally);
        std::lock_guard lock(wire.mutex);
        const bool quiet =
            wire.pending.isEmpty() && tally.unmatched.isEmpty() && core.link.bytesWaiting() == 0;
        quietRounds = quiet ? quietRounds + 1 : 0;
    }
    const qint64 peakKib = peakRssKib();
    core.capture.MenuCloseLogFileClick();
    QFile file(capturePath);
    QCryptographicHash fileHash(QCryptographicHash::Sha256);
    const bool fileRead = file.open(QIODevice::ReadOnly) && fileHash.addData(&file);
    const bool fileRight =
        fileRead && fileHash.result() == expectedFile.result() && !core.station.CaptureOn;

    const std::string after = simulator.received();
    const std::string during = after.substr(std::min(before.size(), after.size()));
    const auto xoffs = std::count(during.begin(), during.end(), '\x13');
    const auto xons = std::count(during.begin(), during.end(), '\x11');
    const auto statusRequests = std::count(during.begin(), during.end(), '\x1e');
    qint64 sent = 0;
    qsizetype leftOnWire = 0;
    {
        std::lock_guard lock(wire.mutex);
        sent = wire.sent;
        leftOnWire = wire.pending.size();
    }
    const bool lost = tally.firstWireMismatch >= 0 || leftOnWire > 0 || tally.read != sent;
    const bool captureWrong =
        tally.firstCaptureMismatch >= 0 || tally.captured != tally.expected || !fileRight;

    std::printf("flood for %.1f s\n", floodSeconds);
    std::printf("sent by the simulator  %lld bytes (%.2f MB/s)\n", static_cast<long long>(sent),
                sent / 1e6 / floodSeconds);
    std::printf("read by the program    %lld bytes in %lld blocks\n",
                static_cast<long long>(tally.read), static_cast<long long>(tally.blocks));
    std::printf("matched byte for byte  %lld bytes; first difference %lld; unread %lld\n",
                static_cast<long long>(tally.matched),
                static_cast<long long>(tally.firstWireMismatch),
                static_cast<long long>(leftOnWire));
    std::printf("captured               %lld of %lld text bytes; first wrong block %lld\n",
                static_cast<long long>(tally.captured), static_cast<long long>(tally.expected),
                static_cast<long long>(tally.firstCaptureMismatch));
    std::printf("capture file           %lld bytes, %s\n", static_cast<long long>(file.size()),
                fileRight ? "equal to the text read" : "NOT equal to the text read");
    std::printf("event loop             %lld ticks of 10 ms; worst lateness %.1f ms; "
                "%lld ticks over 50 ms late\n",
                static_cast<long long>(ticks), worstLateNs / 1e6, static_cast<long long>(late50));
    std::printf("flow control           %lld XOFF, %lld XON, %lld status requests sent\n",
                static_cast<long long>(xoffs), static_cast<long long>(xons),
                static_cast<long long>(statusRequests));
    std::printf("receive window         %d characters at the end, at most %d (limit %d)\n",
                receive->length(), tally.maxLength, core.settings.MaxRxLength);
    std::printf("peak RSS               %lld MiB\n", static_cast<long long>(peakKib / 1024));
    std::printf("%s\n", lost           ? "LOST: the program did not read what was sent"
                        : captureWrong ? "WRONG: the capture differs from the text read"
                                       : "no byte lost");
    return lost || captureWrong ? 1 : 0;
}
