#include "FakePort.h"

#include "FakeClock.h"
#include "WireLog.h"

FakePort::FakePort(WireLog& log, FakeClock& clock) : log_(log), clock_(clock)
{
    clock_.onAdvance = [this](qint64 now) { deliverDue(now); };
}

void FakePort::feed(const QByteArray& bytes)
{
    input_ += bytes;
}

void FakePort::feedAt(qint64 atMs, const QByteArray& bytes)
{
    if (atMs <= clock_.now())
        input_ += bytes;
    else
        scheduled_.push_back({atMs, bytes});
}

void FakePort::answer(const QByteArray& trigger, const QByteArray& reply, int delayMs)
{
    answers_.push_back({trigger, reply, delayMs});
}

void FakePort::deliverDue(qint64 now)
{
    for (auto it = scheduled_.begin(); it != scheduled_.end();) {
        if (it->atMs <= now) {
            input_ += it->bytes;
            it = scheduled_.erase(it);
        } else {
            ++it;
        }
    }
}

void FakePort::setComPort(quint8 comPort)
{
    if (!open_)
        device_ = QStringLiteral("COM%1").arg(comPort + 1);
}

void FakePort::setDevicePath(const QString& path)
{
    if (!open_)
        device_ = path;
}

bool FakePort::OpenPort()
{
    ++opens_;
    if (!openSucceeds) {
        portError_ = true;
        return false;
    }
    open_ = true;
    return true;
}

void FakePort::Purge(bool input, bool)
{
    ++purges_;
    if (input)
        input_.clear();
}

int FakePort::WriteBytes(const char* data, int count)
{
    if (!open_ || count < 1 || writesFail)
        return 0;
    const QByteArray bytes(data, count);
    log_.write(bytes);
    recent_ += bytes;
    for (const Answer& answer : answers_) {
        if (recent_.endsWith(answer.trigger)) {
            feedAt(clock_.now() + answer.delayMs, answer.reply);
            recent_.clear();
            break;
        }
    }
    if (recent_.size() > 4096)
        recent_ = recent_.right(256);
    return count;
}

bool FakePort::WriteText(const QByteArray& text)
{
    return WriteBytes(text.constData(), static_cast<int>(text.size())) == text.size();
}

int FakePort::BytesWaiting()
{
    return open_ ? static_cast<int>(input_.size()) : 0;
}

void FakePort::ReadText(QByteArray& text, quint16& count)
{
    text.clear();
    if (!open_ || input_.isEmpty())
        return;
    text = input_.left(maxReadSize);
    input_.remove(0, text.size());
    count = static_cast<quint16>(text.size());
}
