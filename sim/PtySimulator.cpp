#include "PtySimulator.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace ptcsim {

namespace {

constexpr std::size_t kWriteChunk = 4096;

void closeFd(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

bool setFlags(int fd, bool nonBlocking)
{
    if (::fcntl(fd, F_SETFD, FD_CLOEXEC) < 0)
        return false;
    if (!nonBlocking)
        return true;
    const int flags = ::fcntl(fd, F_GETFL);
    return flags >= 0 && ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) >= 0;
}

// Writes as much of bytes[pos..] as the descriptor takes now; false on a hard error.
bool writeSome(int fd, const std::string& bytes, std::size_t& pos)
{
    while (pos < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + pos, bytes.size() - pos);
        if (n > 0) {
            pos += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
    }
    return true;
}

void writeAll(int fd, const char* data, std::size_t count)
{
    while (count > 0) {
        const ssize_t n = ::write(fd, data, count);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return; // a log that cannot be written must not stop the simulator
        data += n;
        count -= static_cast<std::size_t>(n);
    }
}

std::int64_t steadyNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

int pollTimeout(std::int64_t nextMs, std::int64_t nowMs)
{
    if (nextMs < 0)
        return -1;
    return static_cast<int>(std::clamp<std::int64_t>(nextMs - nowMs, 0, INT_MAX));
}

} // namespace

PtySimulator::PtySimulator(Options options, std::string logPath)
    : options_(options), logPath_(std::move(logPath)), engine_(options), startNs_(steadyNs())
{
    engine_.setTransmittedLineHandler([this](const TransmittedLine& line) {
        if (onTransmittedLine)
            onTransmittedLine(line);
    });
}

PtySimulator::~PtySimulator()
{
    stop();
    closeFd(masterFd_);
    closeFd(slaveFd_);
    closeFd(wakeFd_[0]);
    closeFd(wakeFd_[1]);
    closeFd(logFd_);
}

bool PtySimulator::open(std::string* error)
{
    auto fail = [&](const std::string& what) {
        if (error)
            *error = what + ": " + std::strerror(errno);
        closeFd(masterFd_);
        closeFd(slaveFd_);
        closeFd(wakeFd_[0]);
        closeFd(wakeFd_[1]);
        closeFd(logFd_);
        return false;
    };
    if (masterFd_ >= 0)
        return true;
    if (!logPath_.empty()) {
        logFd_ = ::open(logPath_.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
        if (logFd_ < 0)
            return fail("cannot open log file " + logPath_);
    }
    if (::openpty(&masterFd_, &slaveFd_, nullptr, nullptr, nullptr) < 0)
        return fail("cannot create a pseudo-terminal");
    termios raw{};
    if (::tcgetattr(slaveFd_, &raw) < 0)
        return fail("cannot read the terminal settings");
    ::cfmakeraw(&raw);
    if (::tcsetattr(slaveFd_, TCSANOW, &raw) < 0)
        return fail("cannot set raw mode");
    char name[256];
    if (::ttyname_r(slaveFd_, name, sizeof name) != 0)
        return fail("cannot find the device name");
    devicePath_ = name;
    if (!setFlags(masterFd_, true) || !setFlags(slaveFd_, false))
        return fail("cannot set descriptor flags");
    if (::pipe2(wakeFd_, O_NONBLOCK | O_CLOEXEC) < 0)
        return fail("cannot create the wake pipe");
    return true;
}

std::int64_t PtySimulator::nowMs() const
{
    return (steadyNs() - startNs_.load()) / 1'000'000;
}

void PtySimulator::start()
{
    std::lock_guard lock(mutex_);
    if (running_ || masterFd_ < 0)
        return;
    if (!started_) {
        started_ = true;
        startNs_ = steadyNs();
    }
    running_ = true;
    thread_ = std::thread(&PtySimulator::run, this);
}

void PtySimulator::stop()
{
    {
        std::lock_guard lock(mutex_);
        running_ = false;
    }
    wake();
    if (thread_.joinable())
        thread_.join();
}

void PtySimulator::wake()
{
    if (wakeFd_[1] < 0)
        return;
    const char byte = 1;
    // A full pipe already means "wake up"; nothing else can go wrong worth reporting.
    [[maybe_unused]] const ssize_t n = ::write(wakeFd_[1], &byte, 1);
}

void PtySimulator::closeMaster()
{
    stop();
    std::lock_guard lock(mutex_);
    closeFd(masterFd_);
    closeFd(slaveFd_);
}

std::string PtySimulator::received() const
{
    std::lock_guard lock(mutex_);
    std::string bytes;
    bytes.reserve(received_.size());
    for (const auto& entry : received_)
        bytes.push_back(static_cast<char>(entry.byte));
    return bytes;
}

std::vector<ReceivedByte> PtySimulator::receivedWithTimes() const
{
    std::lock_guard lock(mutex_);
    return received_;
}

void PtySimulator::clearReceived()
{
    std::lock_guard lock(mutex_);
    received_.clear();
}

std::vector<TransmittedLine> PtySimulator::transmittedLines() const
{
    std::lock_guard lock(mutex_);
    const auto& lines = engine_.transmittedLines();
    return {lines.begin(), lines.end()};
}

void PtySimulator::withEngine(const std::function<void(SimEngine&, std::int64_t nowMs)>& fn)
{
    {
        std::lock_guard lock(mutex_);
        fn(engine_, nowMs());
    }
    wake(); // what fn did may have made output due or moved a timer
}

// One turn of the loop: bring the engine up to date and write what it has. Returns the
// poll timeout and sets wantWrite when the pseudo-terminal must tell us it has room.
int PtySimulator::serviceOutput(bool* wantWrite)
{
    const std::int64_t now = nowMs();
    engine_.advance(now);
    control_ += engine_.takeFlowControl();
    const bool held = engine_.programXoff();
    if (!held && dataPos_ == data_.size()) {
        data_ = engine_.takeOutput(now, kWriteChunk);
        dataPos_ = 0;
    }

    std::size_t controlPos = 0;
    bool ok = writeSome(masterFd_, control_, controlPos);
    if (onSent && controlPos > 0)
        onSent(control_.data(), controlPos);
    control_.erase(0, controlPos);
    if (ok && control_.empty() && !held) {
        const std::size_t from = dataPos_;
        ok = writeSome(masterFd_, data_, dataPos_);
        if (onSent && dataPos_ > from)
            onSent(data_.data() + from, dataPos_ - from);
    }
    if (!ok) {
        // The master only fails like this once it is gone; keep nothing we cannot send.
        control_.clear();
        data_.clear();
        dataPos_ = 0;
    }

    *wantWrite = !control_.empty() || (!held && dataPos_ < data_.size());
    // While a write is stuck, output the engine has ready is no reason to wake up.
    const std::int64_t next = *wantWrite ? engine_.nextTimerMs(now) : engine_.nextEventMs(now);
    return pollTimeout(next, now);
}

void PtySimulator::readInput()
{
    std::uint8_t buffer[4096];
    for (;;) {
        const ssize_t n = ::read(masterFd_, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        const auto count = static_cast<std::size_t>(n);
        if (onReceived)
            onReceived(buffer, count);
        const std::int64_t now = nowMs();
        for (std::size_t i = 0; i < count; ++i)
            received_.push_back(ReceivedByte{buffer[i], now});
        if (logFd_ >= 0)
            writeAll(logFd_, reinterpret_cast<const char*>(buffer), count);
        engine_.receive(buffer, count, now);
    }
}

void PtySimulator::drainWake()
{
    char buffer[64];
    while (::read(wakeFd_[0], buffer, sizeof buffer) > 0) {
    }
}

void PtySimulator::run()
{
    bool masterUsable = true;
    std::unique_lock lock(mutex_);
    while (running_) {
        bool wantWrite = false;
        const int timeout = masterUsable ? serviceOutput(&wantWrite) : -1;
        pollfd fds[2] = {};
        fds[0].fd = wakeFd_[0];
        fds[0].events = POLLIN;
        fds[1].fd = masterUsable ? masterFd_ : -1;
        fds[1].events = static_cast<short>(POLLIN | (wantWrite ? POLLOUT : 0));

        lock.unlock();
        const int ready = ::poll(fds, 2, timeout);
        lock.lock();

        if (ready <= 0)
            continue;
        if (fds[0].revents & POLLIN)
            drainWake();
        if (fds[1].revents & POLLIN)
            readInput();
        else if (fds[1].revents & (POLLHUP | POLLERR | POLLNVAL))
            masterUsable = false; // would wake us for ever; only stop() helps now
    }
}

} // namespace ptcsim
