// How fast controller output gets from the port to painted text: the real main window
// (offscreen) on an in-memory port that hands over blocks of up to 2048 bytes, with
// mixed-class traffic, messages shown and the window trimmed at 65500 characters. Each
// run is done without and with a capture file.
//
//   receive_throughput [--mb N] [--drive poll|direct|both] [--paint-every N] [--rounds N]
//                      [--only plain|capture]
//
// "poll" lets the program's own poll loop read the port from the event loop, as it
// does on a serial port; "direct" calls the poll handler in a loop and forces a
// repaint of the receive window every N blocks. The runs without and with capture
// alternate, --rounds times each, and the fastest of each is compared; --only runs
// one side (for a profiler).

#include "BenchSupport.h"
#include "FakeClock.h"
#include "FakePort.h"
#include "QueuedModal.h"
#include "StationDir.h"
#include "WireLog.h"
#include "app/OrvantiCore.h"
#include "ui/THoofdForm.h"
#include "ui/TQvRichEdit.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int MaxRxLength = 65500;
constexpr int ReadSize = 2048; // the most one read hands over, as on the serial driver

// Feeds the port from the pattern a few blocks ahead of the reader, so the run holds
// little input in memory however long it is, and the backlog stays over the XOFF mark
// until the end, as a controller flooding the line keeps it.
class PatternFeed {
public:
    PatternFeed(FakePort& port, const QByteArray& pattern, qint64 total)
        : port_(port), pattern_(pattern), total_(pattern.isEmpty() ? 0 : total)
    {
    }
    void topUp()
    {
        while (port_.BytesWaiting() < 4 * ReadSize && fed_ < total_) {
            const qsizetype at = static_cast<qsizetype>(fed_ % pattern_.size());
            const qsizetype piece = static_cast<qsizetype>(
                std::min<qint64>({total_ - fed_, pattern_.size() - at, 4 * ReadSize}));
            port_.feed(pattern_.mid(at, piece));
            fed_ += piece;
        }
    }
    qint64 served() const { return fed_ - port_.BytesWaiting(); }
    qint64 remaining() const { return total_ - served(); }

private:
    FakePort& port_;
    const QByteArray& pattern_;
    qint64 total_;
    qint64 fed_ = 0;
};

struct Options {
    double megabytes = 64;
    bool poll = true;
    bool direct = true;
    int paintEvery = 8;
    int rounds = 2;
    bool plain = true;
    bool capture = true;
};

struct Result {
    double seconds = 0;
    double cpuSeconds = 0;     // the process's CPU time: a busy machine stretches only the wall
    double mainCpuSeconds = 0; // the CPU time of the thread that decodes and paints
    qint64 bytes = 0;
    qint64 blocks = 0;
    qint64 paints = 0;
    int maxLength = 0;
    int endLength = 0;
    qint64 captured = 0;        // bytes the capture file holds
    qint64 expectedCapture = 0; // what it should hold, by the reference reading
    int xoffs = 0;
    int xons = 0;
    qint64 peakRssKib = 0;
    bool complete = false;
};

double threadCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

class PaintCounter final : public QObject {
public:
    qint64 paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

Result run(const QByteArray& pattern, const Options& options, bool poll, bool capture)
{
    Result result;
    StationDir station;
    station.copyShippedFiles();
    WireLog wire;
    FakeClock clock(wire);
    FakePort port(wire, clock);
    port.maxReadSize = ReadSize;
    QueuedModal modal;
    MainWindowOptions windowOptions;
    windowOptions.stationFolder = station.path();
    windowOptions.port = &port;
    windowOptions.clock = &clock;
    windowOptions.modal = &modal;
    THoofdForm window(windowOptions);
    window.show();
    QCoreApplication::processEvents();
    OrvantiCore& core = window.core();
    core.stopTimers();
    core.settings.MaxRxLength = MaxRxLength;
    core.settings.MessagesOnScreen = true;
    core.settings.MaildropOn = false;
    core.station.DuplexOn = false;
    TQvRichEdit* receive = window.receiveWindow();
    PaintCounter counter;
    receive->viewport()->installEventFilter(&counter);

    // The program's own capture, opened as the operator does.
    const QString capturePath = station.path() + QStringLiteral("/capture.log");
    if (capture) {
        modal.queueFileName(capturePath);
        core.capture.MenuOpenLogFileClick();
        if (!core.station.CaptureOn)
            return result;
    }

    const auto total = static_cast<qint64>(options.megabytes * 1e6);
    PatternFeed feed(port, pattern, total);
    feed.topUp();
    wire.clear(); // only the flow control of the run itself is counted
    QEventLoop loop;
    const std::function<void()> decode = core.link.decodeBlock;
    // The reference reading of the capture is done after the clock stops, from the
    // block sizes, so that it does not count as the program's time.
    std::vector<int> blockSizes;
    blockSizes.reserve(static_cast<std::size_t>(total / 1024));
    core.link.decodeBlock = [&] {
        if (capture)
            blockSizes.push_back(static_cast<int>(core.station.RxChunk.size()));
        decode();
        feed.topUp();
        ++result.blocks;
        result.maxLength = std::max(result.maxLength, receive->length());
        if (poll && feed.remaining() == 0)
            loop.quit();
    };

    resetPeakRss();
    const std::clock_t cpuStart = std::clock();
    const double mainCpuStart = threadCpuSeconds();
    QElapsedTimer timer;
    timer.start();
    if (poll) {
        core.startTimers();
        QTimer::singleShot(0, &core, [&core] { core.pollSoon(); });
        loop.exec();
    } else {
        while (feed.remaining() > 0) {
            core.link.ReceiveTimer();
            core.station.RxChunk.clear();
            if (result.blocks % options.paintEvery == 0) {
                receive->viewport()->repaint();
                QCoreApplication::processEvents();
            }
        }
    }
    receive->viewport()->repaint();
    result.seconds = timer.nsecsElapsed() / 1e9;
    result.cpuSeconds = double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    result.mainCpuSeconds = threadCpuSeconds() - mainCpuStart;
    result.peakRssKib = peakRssKib();
    qint64 offset = 0;
    for (int size : blockSizes) {
        QByteArray block;
        block.reserve(size);
        for (int i = 0; i < size; ++i)
            block.append(pattern[(offset + i) % pattern.size()]);
        result.expectedCapture += capturedText(block).size();
        offset += size;
    }
    core.stopTimers();

    result.bytes = feed.served();
    result.endLength = receive->length();
    result.paints = counter.paints;
    const QByteArray written = wire.written();
    result.xoffs = static_cast<int>(written.count('\x13'));
    result.xons = static_cast<int>(written.count('\x11'));
    result.complete = feed.remaining() == 0;
    if (capture) {
        core.capture.MenuCloseLogFileClick();
        result.captured = QFileInfo(capturePath).size();
    }
    receive->viewport()->removeEventFilter(&counter);
    return result;
}

void print(const char* name, const Result& r)
{
    std::printf("%-16s %8.1f %7.2f %7.2f %8.2f %7lld %7lld %8d %8d %4d/%-4d %9lld", name,
                r.bytes / 1e6, r.seconds, r.cpuSeconds, r.bytes / 1e6 / r.seconds,
                static_cast<long long>(r.blocks), static_cast<long long>(r.paints), r.maxLength,
                r.endLength, r.xoffs, r.xons, static_cast<long long>(r.peakRssKib / 1024));
    if (r.expectedCapture > 0)
        std::printf("  capture %lld of %lld bytes", static_cast<long long>(r.captured),
                    static_cast<long long>(r.expectedCapture));
    std::printf("%s\n", r.complete ? "" : "  INCOMPLETE");
}

bool parse(int argc, char** argv, Options* options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--mb" && hasValue) {
            options->megabytes = std::atof(argv[++i]);
        } else if (arg == "--paint-every" && hasValue) {
            options->paintEvery = std::max(1, std::atoi(argv[++i]));
        } else if (arg == "--rounds" && hasValue) {
            options->rounds = std::max(1, std::atoi(argv[++i]));
        } else if (arg == "--only" && hasValue) {
            const std::string side = argv[++i];
            options->plain = side == "plain";
            options->capture = side == "capture";
            if (!options->plain && !options->capture)
                return false;
        } else if (arg == "--drive" && hasValue) {
            const std::string drive = argv[++i];
            options->poll = drive == "poll" || drive == "both";
            options->direct = drive == "direct" || drive == "both";
            if (!options->poll && !options->direct)
                return false;
        } else {
            return false;
        }
    }
    return options->megabytes > 0;
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!parse(argc, argv, &options)) {
        std::fprintf(stderr, "usage: receive_throughput [--mb N] [--drive poll|direct|both] "
                             "[--paint-every N] [--rounds N] [--only plain|capture]\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication app(qtArgc, argv);

    const QByteArray pattern = mixedTraffic(4 << 20, 20240607);
    std::printf("input: %.1f MB of mixed-class traffic cycling through a %.1f MB pattern; "
                "MaxRxLength %d; blocks of up to %d bytes\n",
                options.megabytes, pattern.size() / 1e6, MaxRxLength, ReadSize);
    std::printf("%-16s %8s %7s %7s %8s %7s %7s %8s %8s %9s %9s\n", "run", "MB", "s", "cpu s",
                "MB/s", "blocks", "paints", "maxlen", "endlen", "xoff/xon", "peakMiB");
    bool ok = true;
    auto both = [&](const char* plainName, const char* captureName, bool poll) {
        // Alternated and the fastest kept, so that neither side pays alone for a later
        // run's warmer or more fragmented heap, or for a busy moment of the machine.
        std::optional<Result> plain;
        std::optional<Result> captured;
        struct LeastCpu {
            double process = 0;
            double main = 0;
        } plainCpu, capturedCpu;
        const auto keep = [](std::optional<Result>& best, LeastCpu& least, const Result& r) {
            if (!best || r.seconds < best->seconds)
                best = r;
            if (least.process == 0 || r.cpuSeconds < least.process)
                least.process = r.cpuSeconds;
            if (least.main == 0 || r.mainCpuSeconds < least.main)
                least.main = r.mainCpuSeconds;
        };
        for (int round = 0; round < options.rounds; ++round) {
            if (options.plain) {
                const Result r = run(pattern, options, poll, false);
                print(plainName, r);
                keep(plain, plainCpu, r);
            }
            if (options.capture) {
                const Result r = run(pattern, options, poll, true);
                print(captureName, r);
                keep(captured, capturedCpu, r);
            }
        }
        if (plain && captured) {
            const double plainRate = plain->bytes / plain->seconds;
            const double captureRate = captured->bytes / captured->seconds;
            const auto more = [](double with, double without) {
                return 100.0 * (with - without) / without;
            };
            std::printf("%-16s capture costs %.1f%% of the rate (fastest of %d runs each); CPU "
                        "time %.1f%% more in all, %.1f%% more on the receive thread (least of "
                        "each)\n",
                        "", 100.0 * (plainRate - captureRate) / plainRate, options.rounds,
                        more(capturedCpu.process, plainCpu.process),
                        more(capturedCpu.main, plainCpu.main));
        }
        const auto sound = [](const Result& r) {
            return r.complete && r.maxLength <= MaxRxLength + ReadSize;
        };
        ok = ok && (!plain || sound(*plain)) &&
             (!captured || (sound(*captured) && captured->captured == captured->expectedCapture));
    };
    if (options.poll)
        both("poll", "poll+capture", true);
    if (options.direct) {
        std::printf("(direct: repaint every %d blocks)\n", options.paintEvery);
        both("direct", "direct+capture", false);
    }
    if (!ok)
        std::printf("FAILED: input left over, capture short, or window over its limit\n");
    return ok ? 0 : 1;
}
