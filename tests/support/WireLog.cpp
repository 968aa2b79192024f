#include "WireLog.h"

#include <cstring>

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

QByteArray bytesOf(const char* described)
{
    QByteArray bytes;
    for (const char* c = described; *c;) {
        const char* close = *c == '<' ? std::strchr(c, '>') : nullptr;
        if (!close) {
            bytes += *c++;
            continue;
        }
        const QByteArray name(c + 1, close - c - 1);
        bool number = false;
        const int value = name.toInt(&number);
        if (name == "CR")
            bytes += '\r';
        else if (name == "LF")
            bytes += '\n';
        else if (name == "ESC")
            bytes += '\x1b';
        else if (number && value >= 0 && value < 256)
            bytes += static_cast<char>(value);
        else
            bytes += QByteArray(c, close - c + 1);
        c = close + 1;
    }
    return bytes;
}
