#include "link/ReceiveDecoder.h"

#include "app/Settings.h"
#include "app/Station.h"
#include "app/View.h"
#include "link/Cp437.h"

namespace {
constexpr quint8 StatusCode = 30;
}

ReceiveDecoder::ReceiveDecoder(Station& station, Settings& settings, ReceiveView& receiveWindow)
    : station_(station), settings_(settings), receiveWindow_(receiveWindow)
{
}

void ReceiveDecoder::V24Schryf()
{
    if (station_.ReceiveHold || station_.RxChunk.isEmpty())
        return;
    station_.DecoderBusy = true;
    const QByteArray& block = station_.RxChunk;
    QString text;
    text.reserve(block.size());
    for (qsizetype i = 0; i < block.size(); ++i) {
        const auto b = static_cast<quint8>(block[i]);
        if (b == StatusCode) {
            ++i; // the status byte is not text
            continue;
        }
        if (b == 10 && i > 0 && block[i - 1] == '\r')
            continue;
        if (b == 13 || b == 10)
            text.append(QLatin1Char('\n'));
        else if (b >= 32)
            text.append(Cp437::toUnicode(b));
    }
    if (!settings_.MaildropOn && !text.isEmpty()) {
        receiveWindow_.insertText(text, settings_.ReceiveTextColor);
        // The window never holds much more than its limit: the oldest tenth goes.
        const int length = receiveWindow_.length();
        if (settings_.MaxRxLength > 0 && length > settings_.MaxRxLength)
            receiveWindow_.trimFront(length / 10);
    }
    station_.DecoderBusy = false;
    station_.RxCount = 0;
}
