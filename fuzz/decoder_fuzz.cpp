// libFuzzer target for the receive path: the poll handler reads blocks from a port and
// the real ReceiveDecoder, inside a real OrvantiCore, decodes them into a model window.
//
// Input layout: 8 header bytes, then the controller's bytes.
//   [0] mode                [1] switches (see below)   [2] WrapMin   [3] WrapMax
//   [4..5] MaxRxLength      [6] largest block          [7] block sizes, capture faults
// The bytes are cut into blocks of 1..largest bytes, one per poll.
//
// After every block: the decoder is idle and its count reset, the window holds no
// control character but line breaks, its length keeps to the trimming bound, the
// capture holds exactly the block's text bytes, a maildrop window never grows, and in
// PACTOR the other station's call is the one after "CONNECTED TO".

#include "FakeClock.h"
#include "FakePort.h"
#include "QueuedModal.h"
#include "RecordingView.h"
#include "WireLog.h"
#include "app/OrvantiCore.h"
#include "base/Cp437.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>

namespace {

void fail(const char* what)
{
    std::fprintf(stderr, "decoder_fuzz: %s\n", what);
    std::abort();
}

void check(bool condition, const char* what)
{
    if (!condition)
        fail(what);
}

const Mode Modes[] = {Mode::Pactor, Mode::Amtor, Mode::Packet, Mode::Rtty,
                      Mode::Cw,     Mode::Psk31, Mode::Audio,  Mode::Dumb};
const PtcModel Models[] = {PtcModel::Unknown, PtcModel::Z80, PtcModel::II, PtcModel::IIpro};

// The capture bytes of one block read on its own, worked out independently of the
// decoder: text bytes, umlaut codes as their code-page-437 letters; no class codes,
// status replies, backspaces or other control bytes; no line feed right after a
// carriage return of the same block.
QByteArray expectedCapture(const QByteArray& block)
{
    static const char umlauts[][2] = {{14, char(132)}, {15, char(148)}, {16, char(129)},
                                      {20, char(142)}, {21, char(153)}, {22, char(154)},
                                      {23, char(225)}};
    QByteArray out;
    for (qsizetype i = 0; i < block.size(); ++i) {
        const auto b = static_cast<quint8>(block[i]);
        if (b == 30) {
            ++i;
            continue;
        }
        if (b == 10 && i > 0 && block[i - 1] == '\r')
            continue;
        if (b >= 32 || b == 10 || b == 13) {
            out.append(static_cast<char>(b));
            continue;
        }
        for (const auto& pair : umlauts) {
            if (pair[0] == static_cast<char>(b))
                out.append(pair[1]);
        }
    }
    return out;
}

// The most the window can hold after `block`, starting from `length`: every byte may
// add a wrap break and a character, and a carriage return read as text (one not
// following a status code) trims a window over `maxLength` by a tenth.
qint64 lengthBound(qint64 length, const QByteArray& block, qint64 maxLength, bool trimsHappen)
{
    qint64 bound = length;
    for (qsizetype i = 0; i < block.size(); ++i) {
        ++bound; // a wrap break before the byte
        const bool text = block[i] == '\r' && (i == 0 || block[i - 1] != 30);
        if (trimsHappen && text && bound > maxLength)
            bound = std::max(maxLength, bound - bound / 10);
        ++bound; // the byte
    }
    return bound;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    constexpr std::size_t Header = 8;
    if (size < Header)
        return 0;
    const std::uint8_t switches = data[1];

    // The recording view stops the run on a control character reaching the window, a
    // negative trim or a component name the window lacks; the queued modal on any
    // confirmation.
    WireLog wire;
    FakeClock clock(wire);
    FakePort port(wire, clock);
    port.OpenPort();
    QueuedModal modal;
    RecordingView window;
    OrvantiCore core(port, clock, window, window, window.transmit(), modal);

    Station& station = core.station;
    Settings& settings = core.settings;
    station.ModeId = Modes[data[0] % std::size(Modes)];
    settings.MessagesOnScreen = switches & 0x01;
    station.DuplexOn = switches & 0x02;
    settings.MaildropOn = switches & 0x04;
    station.CaptureOn = switches & 0x08;
    const bool captureFaults = switches & 0x10;
    station.PtcType = Models[(switches >> 5) & 0x03];
    core.link.TxWrapped = switches & 0x80;
    settings.WrapMin = data[2];
    settings.WrapMax = data[3];
    settings.MaxRxLength = (data[4] | data[5] << 8) & 0x0fff;
    if (data[5] & 0x80)
        settings.MaxRxLength = -settings.MaxRxLength;
    const int largestBlock = 1 + data[6] * 8;

    QByteArray captured;
    int captureCalls = 0;
    int captureFailures = 0;
    core.decoder.captureWrite = [&](QByteArrayView bytes) {
        check(!bytes.isEmpty(), "an empty capture write");
        for (char c : bytes) {
            const auto b = static_cast<quint8>(c);
            check(b >= 32 || b == 10 || b == 13, "a control byte reached the capture");
        }
        ++captureCalls;
        if (captureFaults && (captureCalls + data[7]) % 7 == 0) {
            ++captureFailures;
            return false;
        }
        captured.append(bytes.data(), bytes.size());
        return true;
    };

    // Each block arrives just before the poll that reads it, so nothing the program
    // drains or purges on the way (a link coming up, a mode change) eats a later one.
    std::deque<QByteArray> blocks;
    std::uint32_t state = data[7] * 2654435761u + 1;
    for (std::size_t at = Header; at < size;) {
        state = state * 1664525u + 1013904223u;
        const std::size_t piece = std::min<std::size_t>(
            size - at, 1 + (state >> 8) % static_cast<unsigned>(largestBlock));
        blocks.emplace_back(reinterpret_cast<const char*>(data + at),
                            static_cast<qsizetype>(piece));
        at += piece;
    }

    for (; !blocks.empty(); blocks.pop_front()) {
        const QByteArray& block = blocks.front();
        port.feed(block);
        const qint64 before = window.length();
        const int failuresBefore = captureFailures;
        // A packet link coming up or going down ends the block at its first text byte.
        const bool endsEarly = station.ModeId == Mode::Packet &&
                               (block.contains("CONNECTED to") || block.contains("DISCONNECTED"));
        captured.clear();

        core.link.ReceiveTimer();
        station.RxChunk.clear();
        port.Purge(true, false); // a block the program held back is not read later

        check(!station.DecoderBusy, "the decoder is still busy after a block");
        check(station.RxCount == 0, "the read count was not reset");
        const bool cutShort = captureFailures != failuresBefore || endsEarly;
        check(window.length() <= lengthBound(before, block, settings.MaxRxLength, !cutShort),
              "the window outgrew its trimming bound");
        if (settings.MaildropOn)
            check(window.length() <= before, "the window grew in maildrop");
        if (station.CaptureOn && !cutShort)
            check(captured == expectedCapture(block), "the capture differs from the block's text");
        if (!station.CaptureOn)
            check(captured.isEmpty(), "captured with the capture off");
        // Without a status reply in the block nothing else touches the call.
        const qsizetype connected = block.indexOf("CONNECTED TO");
        if (station.ModeId == Mode::Pactor && connected >= 0 && !block.contains(30)) {
            QByteArray call = block.mid(connected + 13, 8);
            const qsizetype cr = call.indexOf('\r');
            if (cr >= 0)
                call.truncate(cr);
            check(station.HisCall == Cp437::decode(call),
                  "the PACTOR call is not the one after CONNECTED TO");
        }
    }
    return 0;
}
