#include "BenchSupport.h"

#include <QFile>
#include <algorithm>
#include <random>

QByteArray mixedTraffic(qsizetype size, quint32 seed)
{
    static const char* const words[] = {
        "the",     "radio",  "signal",  "band",    "antenna",   "report", "weather",
        "station", "mail",   "message", "over",    "copy",      "thanks", "power",
        "noise",   "fading", "log",     "contact", "good",      "fine",   "here",
        "rig",     "dipole", "storm",   "nach",    "und",       "mit",    "der",
        "Wetter",  "heute",  "gut",     "schon",   "CQ",        "DE",     "QSL",
        "73",      "RST",    "599",     "QTH",     "frequency", "Gruss",  "bulletin"};
    static const char germanCodes[] = {14, 15, 16, 20, 21, 22, 23};
    // Status bytes a controller sends: mode in the high nibble, traffic below.
    static const quint8 statusBytes[] = {0x00, 0x03, 0x0a, 0x12, 0x22, 0x2b, 0x42,
                                         0x4b, 0x50, 0x60, 0x63, 0x70, 0x7f};
    std::mt19937 random(seed);
    QByteArray out;
    out.reserve(size + 128);
    int column = 0;
    int wordsLeftInClass = 0;
    while (out.size() < size) {
        if (wordsLeftInClass-- <= 0) {
            out.append(static_cast<char>(1 + random() % 4));
            wordsLeftInClass = 2 + static_cast<int>(random() % 5);
        }
        const std::uint32_t pick = random();
        const QByteArray word = words[pick % std::size(words)];
        out.append(word);
        column += static_cast<int>(word.size());
        const std::uint32_t extra = (pick >> 8) % 100;
        if (extra < 6) {
            out.append(germanCodes[(pick >> 16) % std::size(germanCodes)]);
            ++column;
        } else if (extra == 6) {
            out.append(static_cast<char>('a' + (pick >> 16) % 26));
            out.append('\b');
        }
        if ((pick >> 24) % 64 == 0) {
            out.append(static_cast<char>(30));
            out.append(static_cast<char>(statusBytes[(pick >> 12) % std::size(statusBytes)]));
        }
        if (column > 40 + static_cast<int>((pick >> 4) % 40)) {
            out.append("\r\n");
            column = 0;
        } else {
            out.append(' ');
            ++column;
        }
    }
    return out;
}

QByteArray capturedText(QByteArrayView block)
{
    QByteArray text;
    text.reserve(block.size());
    for (qsizetype i = 0; i < block.size(); ++i) {
        const auto b = static_cast<quint8>(block[i]);
        switch (b) {
        case 10:
            if (i == 0 || block[i - 1] != '\r')
                text.append('\n');
            break;
        case 13:
            text.append('\r');
            break;
        case 14:
            text.append(static_cast<char>(132));
            break;
        case 15:
            text.append(static_cast<char>(148));
            break;
        case 16:
            text.append(static_cast<char>(129));
            break;
        case 20:
            text.append(static_cast<char>(142));
            break;
        case 21:
            text.append(static_cast<char>(153));
            break;
        case 22:
            text.append(static_cast<char>(154));
            break;
        case 23:
            text.append(static_cast<char>(225));
            break;
        case 30:
            ++i; // its status byte; past the end it belongs to the next block
            break;
        default:
            if (b >= 32)
                text.append(static_cast<char>(b));
            break;
        }
    }
    return text;
}

qint64 peakRssKib()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

void resetPeakRss()
{
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
}
