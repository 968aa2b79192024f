#include "trx/PositionQuery.h"

#include "base/Clock.h"
#include "link/PortLink.h"

namespace {
constexpr int AnswerPauseMs = 200;
constexpr int PromptLength = 20;
} // namespace

QByteArray positionFromAnswer(const QByteArray& block)
{
    QByteArray position = block;
    const qsizetype eot = position.indexOf('\x04');
    if (eot >= 0)
        position.remove(eot, PromptLength);
    return position;
}

QByteArray ReadPosition(PositionFormat format, PortLink& link, Clock& clock)
{
    link.ZendNaarPtc(format == PositionFormat::Plain ? QByteArray("POS\r")
                                                     : QByteArray("POS NMEA\r"));
    clock.sleep(AnswerPauseMs);
    // Without an answer the position is empty, not whatever an earlier drain left.
    return positionFromAnswer(link.readLastBlock());
}
