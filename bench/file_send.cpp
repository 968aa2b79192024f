// How fast a file goes out: the real main window (offscreen) and serial driver against
// the simulator on a pseudo-terminal, on the tools page (where a file may go out
// without a link), with the simulator never asking for XOFF.
//
//   file_send [--mb N]      (default 2)
//
// Prints the bytes per second from the start of the transmission to the simulator
// holding the last byte, beside what a serial line at 9600 and 115200 bit/s carries
// (10 bits a byte), and the peak memory before and after, which must not grow with
// the file.

#include "BenchSupport.h"
#include "EventWait.h"
#include "PtySimulator.h"
#include "QueuedModal.h"
#include "SimulatorWindow.h"
#include "StationDir.h"
#include "app/OrvantiCore.h"
#include "ui/THoofdForm.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    qint64 megabytes = 2;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--mb") == 0)
            megabytes = std::max(1, std::atoi(argv[i + 1]));

    StationDir station;
    station.copyShippedFiles();
    // Lines of text as an operator's file has them, 60 to 80 characters.
    const QString path = station.file(QStringLiteral("big.txt"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
        const QByteArray words = "the quick brown fox jumps over the lazy dog 0123456789 ";
        QByteArray line;
        quint32 seed = 7;
        for (qint64 written = 0; written < megabytes * 1024 * 1024;) {
            seed = seed * 1664525u + 1013904223u;
            line = words.repeated(2).mid(seed % 20, 60 + (seed >> 8) % 21) + "\r\n";
            if (file.write(line) != line.size()) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
                return 1;
            }
            written += line.size();
        }
    }
    const qint64 fileBytes = QFile(path).size();

    ptcsim::Options options;
    options.model = ptcsim::Model::II;
    options.transmitHighWater = std::numeric_limits<std::size_t>::max();
    ptcsim::PtySimulator simulator(options);
    if (!startSimulator(simulator))
        return 1;

    QueuedModal modal;
    MainWindowOptions windowOptions = windowOnSimulator(simulator, station, modal);
    THoofdForm window(windowOptions);
    window.show();
    runEventsFor(300);
    window.findChild<QAction*>(QStringLiteral("MenuDumb"))->trigger();
    runEventsFor(300);
    simulator.clearReceived();
    resetPeakRss();
    const qint64 rssBefore = peakRssKib();

    // The simulator records every byte with its time (16 bytes each); counting and
    // dropping them as they come keeps that out of the memory figure.
    qint64 textBytes = 0;
    const auto count = [&simulator, &textBytes] {
        for (char c : simulator.received())
            textBytes += c != 30 && c != 17 && c != 19; // status requests, flow control
        simulator.clearReceived();
    };
    QTimer counter;
    QObject::connect(&counter, &QTimer::timeout, count);
    counter.start(50);

    QElapsedTimer timer;
    timer.start();
    window.core().files.SendFile(path);
    const double loopSeconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    qint64 lines = 0;
    {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            while (!file.atEnd())
                lines += file.readLine().endsWith('\n');
    }
    const qint64 wireBytes = fileBytes - lines; // each CR LF goes out as CR
    // The bytes still in the pseudo-terminal reach the simulator soon after.
    if (!waitFor(
            [&] {
                count();
                return textBytes >= wireBytes;
            },
            60000)) {
        std::fprintf(stderr, "the simulator got %lld of %lld bytes\n",
                     static_cast<long long>(textBytes), static_cast<long long>(wireBytes));
        return 1;
    }
    const double seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    const qint64 rssAfter = peakRssKib();
    const double rate = static_cast<double>(wireBytes) / seconds;
    std::printf("file: %lld bytes, %lld lines; on the wire: %lld bytes\n",
                static_cast<long long>(fileBytes), static_cast<long long>(lines),
                static_cast<long long>(wireBytes));
    std::printf("sending loop: %.2f s; last byte at the simulator after %.2f s\n", loopSeconds,
                seconds);
    std::printf("rate: %.0f bytes/s (a serial line carries 960 at 9600 bit/s, 11520 at "
                "115200 bit/s: %.1f times that)\n",
                rate, rate / 11520.0);
    std::printf("peak memory: %lld KiB before, %lld KiB after\n", static_cast<long long>(rssBefore),
                static_cast<long long>(rssAfter));
    simulator.stop();
    return rate >= 11520.0 ? 0 : 2;
}
