#include "logbook/BackgroundWriter.h"

#include <QFile>
#include <utility>

BackgroundWriter::BackgroundWriter(QFile& file, std::function<bool()> stillOurs)
    : file_(file), stillOurs_(std::move(stillOurs))
{
}

BackgroundWriter::~BackgroundWriter()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable())
        thread_.join();
}

void BackgroundWriter::append(QByteArray bytes)
{
    if (bytes.isEmpty())
        return;
    std::unique_lock lock(mutex_);
    if (!thread_.joinable())
        thread_ = std::thread([this] { run(); }); // started at the first batch
    // A disk slower than the line: the decoder waits rather than the queue growing.
    settled_.wait(lock, [this] { return queuedBytes_ <= MaxQueuedBytes; });
    if (!failure_.isEmpty())
        return; // the file is given up; the owner hears of it from failure()
    queuedBytes_ += bytes.size();
    queue_.push_back(std::move(bytes));
    lock.unlock();
    wake_.notify_one();
}

void BackgroundWriter::drain()
{
    std::unique_lock lock(mutex_);
    settled_.wait(lock, [this] { return queue_.empty() && !busy_; });
}

QString BackgroundWriter::failure() const
{
    std::lock_guard lock(mutex_);
    return failure_;
}

void BackgroundWriter::reset()
{
    drain();
    std::lock_guard lock(mutex_);
    failure_.clear();
}

void BackgroundWriter::run()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
        if (queue_.empty())
            return; // stopping, nothing left
        QByteArray bytes = std::move(queue_.front());
        queue_.pop_front();
        busy_ = true;
        lock.unlock();

        QString reason;
        if (!stillOurs_()) {
            reason = QStringLiteral("the file was removed or replaced");
        } else if (file_.write(bytes.constData(), bytes.size()) != bytes.size()) {
            reason = file_.errorString();
            if (reason.isEmpty() || file_.error() == QFileDevice::NoError)
                reason = QStringLiteral("only part of the text was written (is the disk full?)");
        }

        lock.lock();
        busy_ = false;
        queuedBytes_ -= bytes.size();
        if (!reason.isEmpty()) {
            failure_ = reason;
            // What comes after a failed write is not written later either.
            for (const QByteArray& dropped : queue_)
                queuedBytes_ -= dropped.size();
            queue_.clear();
        }
        settled_.notify_all();
    }
}
