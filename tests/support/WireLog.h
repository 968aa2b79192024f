#pragma once

// What went over the fake wire and when the handlers paused, in order, so a test can
// assert "sent Pt CR, paused 500 ms, sent AM CR" as one readable string.

#include <QByteArray>
#include <QString>
#include <vector>

struct WireEvent {
    enum class Kind { Write, Pause } kind;
    QByteArray bytes; // Write
    int ms = 0;       // Pause
};

class WireLog {
public:
    void write(const QByteArray& bytes);
    void pause(int ms);
    void clear() { events_.clear(); }

    // Everything written, in order.
    QByteArray written() const;
    // Writes and pauses as text: bytes with control codes named (<CR>, <ESC>, <30>),
    // consecutive writes joined, pauses as [200ms] (consecutive pauses summed).
    QString transcript() const;
    // The same without the pauses.
    QString writtenText() const;

    const std::vector<WireEvent>& events() const { return events_; }

private:
    std::vector<WireEvent> events_;
};

// <CR>, <ESC>, <LF> and <n> for other control bytes; printable bytes as they are.
QString describeBytes(const QByteArray& bytes);
// The reverse, for tables of input: "<2>abc<8><CR>" is the bytes 2, a, b, c, 8, 13.
QByteArray bytesOf(const char* described);
