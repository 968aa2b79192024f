#include "trx/PositionQuery.h"

#include "app/Clock.h"
#include "link/Port.h"
#include "link/PortLink.h"

namespace {
constexpr int AnswerPauseMs = 200;
constexpr int PromptLength = 20;
constexpr int MaxReads = 256; // a controller that never stops talking ends the query too
} // namespace

QByteArray positionFromAnswer(const QByteArray& block)
{
    QByteArray position = block;
    const qsizetype eot = position.indexOf('\x04');
    if (eot >= 0)
        position.remove(eot, PromptLength);
    return position;
}

QByteArray ReadPosition(PositionFormat format, PortLink& link, Port& port, Clock& clock)
{
    link.ZendNaarPtc(format == PositionFormat::Plain ? QByteArray("POS\r")
                                                     : QByteArray("POS NMEA\r"));
    clock.sleep(AnswerPauseMs);
    // Without an answer the position is empty, not whatever an earlier drain left.
    QByteArray block;
    for (int reads = 0; reads < MaxReads && port.BytesWaiting() > 0; ++reads) {
        QByteArray read;
        quint16 count = 0;
        port.ReadText(read, count);
        if (read.isEmpty())
            break;
        block = read;
    }
    if (!block.isEmpty())
        link.DrainText = block;
    return positionFromAnswer(block);
}
