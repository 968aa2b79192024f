#pragma once

// Appends batches of bytes to an open file on a thread of its own. Copying a flood into
// the page cache costs about as much as decoding it; done beside the decoder, it no
// longer holds the receive path up.
//
// The file belongs to the writer from the first append() until drain() returns: only
// then may the owner write to it, close it or ask it anything. A write that fails (or
// a file removed or replaced under the writer) stops the writer; everything after it
// is dropped, and failure() says why.

#include <QByteArray>
#include <QString>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

class QFile;

class BackgroundWriter {
public:
    // `stillOurs` is asked before each write, on the writer's thread.
    BackgroundWriter(QFile& file, std::function<bool()> stillOurs);
    ~BackgroundWriter();
    BackgroundWriter(const BackgroundWriter&) = delete;
    BackgroundWriter& operator=(const BackgroundWriter&) = delete;

    // Queues `bytes`; waits only while more than MaxQueuedBytes are still unwritten.
    void append(QByteArray bytes);
    // Returns once everything queued is written or dropped.
    void drain();
    // Why writing stopped; empty while all is well. Cleared by reset().
    QString failure() const;
    // Drains, then forgets a failure: for the next file.
    void reset();

    static constexpr qsizetype MaxQueuedBytes = 8 << 20;

private:
    void run();

    QFile& file_;
    std::function<bool()> stillOurs_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;    // work queued, or the writer is to stop
    std::condition_variable settled_; // a batch is done
    std::deque<QByteArray> queue_;
    qsizetype queuedBytes_ = 0;
    bool busy_ = false; // a batch is being written
    bool stopping_ = false;
    QString failure_;
    std::thread thread_;
};
