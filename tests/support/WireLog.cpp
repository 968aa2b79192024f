#include "WireLog.h"

void WireLog::write(const QByteArray& bytes)
{
    if (!events_.empty() && events_.back().kind == WireEvent::Kind::Write)
        events_.back().bytes += bytes;
    else
        events_.push_back({WireEvent::Kind::Write, bytes, 0});
}

void WireLog::pause(int ms)
{
    if (!events_.empty() && events_.back().kind == WireEvent::Kind::Pause)
        events_.back().ms += ms;
    else
        events_.push_back({WireEvent::Kind::Pause, {}, ms});
}

QByteArray WireLog::written() const
{
    QByteArray all;
    for (const WireEvent& event : events_) {
        if (event.kind == WireEvent::Kind::Write)
            all += event.bytes;
    }
    return all;
}

QString describeBytes(const QByteArray& bytes)
{
    QString text;
    for (char c : bytes) {
        const auto b = static_cast<quint8>(c);
        if (b == 13)
            text += QStringLiteral("<CR>");
        else if (b == 10)
            text += QStringLiteral("<LF>");
        else if (b == 27)
            text += QStringLiteral("<ESC>");
        else if (b < 32 || b >= 127)
            text += QStringLiteral("<%1>").arg(b);
        else
            text += QLatin1Char(c);
    }
    return text;
}

QString WireLog::transcript() const
{
    QString text;
    for (const WireEvent& event : events_) {
        if (event.kind == WireEvent::Kind::Write)
            text += describeBytes(event.bytes);
        else
            text += QStringLiteral("[%1ms]").arg(event.ms);
    }
    return text;
}

QString WireLog::writtenText() const
{
    return describeBytes(written());
}
