#include "PtySimulator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <iterator>
#include <poll.h>
#include <string>
#include <unistd.h>

using ptcsim::Options;
using ptcsim::PtySimulator;
using ptcsim::SimEngine;

namespace {

using Clock = std::chrono::steady_clock;

// The program's side of the device: the slave opened like a serial port.
class Port {
public:
    explicit Port(const std::string& path)
        : fd_(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC))
    {
    }
    ~Port()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Port(const Port&) = delete;
    Port& operator=(const Port&) = delete;

    bool isOpen() const { return fd_ >= 0; }

    bool write(const std::string& bytes)
    {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
            if (n > 0) {
                done += static_cast<std::size_t>(n);
            } else if (n < 0 && errno == EAGAIN) {
                pollfd pfd{fd_, POLLOUT, 0};
                ::poll(&pfd, 1, 100);
            } else {
                return false;
            }
        }
        return true;
    }

    // Reads whatever arrives within timeoutMs of silence; stops early once until holds.
    std::string readUntil(const std::function<bool(const std::string&)>& until, int timeoutMs)
    {
        std::string got;
        const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
        while (!until(got)) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (left.count() <= 0)
                break;
            pollfd pfd{fd_, POLLIN, 0};
            if (::poll(&pfd, 1, static_cast<int>(left.count())) <= 0)
                break;
            char buffer[65536];
            const ssize_t n = ::read(fd_, buffer, sizeof buffer);
            if (n <= 0)
                break;
            got.append(buffer, static_cast<std::size_t>(n));
        }
        return got;
    }

    std::string readFor(int ms)
    {
        return readUntil([](const std::string&) { return false; }, ms);
    }

    // Reads until nothing has come for quietMs; bounded by limitMs overall.
    std::string drainUntilQuiet(int quietMs, int limitMs)
    {
        std::string got;
        const auto deadline = Clock::now() + std::chrono::milliseconds(limitMs);
        char buffer[65536];
        while (Clock::now() < deadline) {
            pollfd pfd{fd_, POLLIN, 0};
            if (::poll(&pfd, 1, quietMs) <= 0)
                return got;
            const ssize_t n = ::read(fd_, buffer, sizeof buffer);
            if (n <= 0)
                return got;
            got.append(buffer, static_cast<std::size_t>(n));
        }
        ADD_FAILURE() << "output never went quiet";
        return got;
    }

private:
    int fd_;
};

auto endsWithPrompt(int count)
{
    return [count](const std::string& text) {
        int seen = 0;
        for (auto at = text.find("cmd: "); at != std::string::npos; at = text.find("cmd: ", at + 1))
            ++seen;
        return seen >= count;
    };
}

// Waits with short bounded polls until predicate holds or the time is up.
bool waitFor(const std::function<bool()>& predicate, int timeoutMs)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!predicate()) {
        if (Clock::now() >= deadline)
            return false;
        ::poll(nullptr, 0, 2);
    }
    return true;
}

std::string tempPath()
{
    char path[] = "/tmp/ptcsim-test-XXXXXX";
    const int fd = ::mkstemp(path);
    if (fd >= 0)
        ::close(fd);
    return path;
}

class PtySimulatorTest : public ::testing::Test {
protected:
    void open(Options options = {}, std::string logPath = {})
    {
        create(options, std::move(logPath));
        start();
    }
    void create(Options options = {}, std::string logPath = {})
    {
        sim_ = std::make_unique<PtySimulator>(options, std::move(logPath));
    }
    void start()
    {
        std::string error;
        ASSERT_TRUE(sim_->open(&error)) << error;
        ASSERT_TRUE(sim_->devicePath().starts_with("/dev/pts/")) << sim_->devicePath();
        sim_->start();
    }

    std::unique_ptr<PtySimulator> sim_;
};

TEST_F(PtySimulatorTest, EveryByteValueIsReceivedHookedAndLogged)
{
    const std::string log = tempPath();
    std::string hooked;
    create({}, log);
    sim_->onReceived = [&](const std::uint8_t* data, std::size_t count) {
        hooked.append(reinterpret_cast<const char*>(data), count);
    };
    start();
    Port port(sim_->devicePath());
    ASSERT_TRUE(port.isOpen());

    std::string all;
    for (int i = 0; i < 256; ++i)
        all.push_back(static_cast<char>(i));
    ASSERT_TRUE(port.write(all));
    ASSERT_TRUE(waitFor([&] { return sim_->received().size() >= all.size(); }, 2000));
    EXPECT_EQ(sim_->received(), all);

    const auto times = sim_->receivedWithTimes();
    ASSERT_EQ(times.size(), all.size());
    for (std::size_t i = 0; i < times.size(); ++i) {
        EXPECT_EQ(times[i].byte, static_cast<std::uint8_t>(i));
        EXPECT_GE(times[i].atMs, i > 0 ? times[i - 1].atMs : 0);
    }

    std::ifstream file(log, std::ios::binary);
    const std::string logged{std::istreambuf_iterator<char>(file), {}};
    EXPECT_EQ(logged, all);
    ::unlink(log.c_str());
    sim_->stop();
    EXPECT_EQ(hooked, all);

    sim_->clearReceived();
    EXPECT_EQ(sim_->received(), "");
}

TEST_F(PtySimulatorTest, TimedOutputAndInjectedTextArriveWithoutInput)
{
    Options options;
    options.echoDelayMs = 30;
    open(options);
    Port port(sim_->devicePath());
    ASSERT_TRUE(port.write("\rTerm 4\rU\r"));
    port.readUntil(endsWithPrompt(3), 2000);

    // The echo is due some time after the write: the thread must wake for it.
    ASSERT_TRUE(port.write("hi"));
    const std::string echo = port.readUntil(
        [](const std::string& text) {
            return text.find("\x03hi") != std::string::npos || text == "\x03h\x03i";
        },
        2000);
    EXPECT_TRUE(echo == "\x03hi" || echo == "\x03h\x03i") << echo;

    sim_->withEngine(
        [](SimEngine& engine, std::int64_t now) { engine.injectRemoteText("from afar\r", now); });
    EXPECT_EQ(port.readUntil([](const std::string& text) { return text.size() >= 11; }, 2000),
              "\x02"
              "from afar\r");
}

TEST_F(PtySimulatorTest, SentLinesReachTheHookInOrder)
{
    std::vector<ptcsim::TransmittedLine> hooked;
    create();
    sim_->onTransmittedLine = [&](const ptcsim::TransmittedLine& line) { hooked.push_back(line); };
    start();
    Port port(sim_->devicePath());
    ASSERT_TRUE(port.write("\x1bTerm 4\rU 1\rhelo\bp\rqrt\x04"));
    port.readUntil([](const std::string& text) { return text.ends_with("STBY\r"); }, 3000);
    sim_->stop();
    const auto lines = sim_->transmittedLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].text + "," + lines[1].text, "help,qrt");
    EXPECT_EQ(hooked, lines);
}

TEST_F(PtySimulatorTest, IdleThreadDoesNotSpin)
{
    open();
    Port port(sim_->devicePath());
    ASSERT_TRUE(port.write("\r"));
    port.readUntil(endsWithPrompt(1), 2000);

    timespec before{};
    timespec after{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &before);
    EXPECT_EQ(port.readFor(300), "") << "an idle controller sends nothing";
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &after);
    const double usedMs = (after.tv_sec - before.tv_sec) * 1e3 +
                          static_cast<double>(after.tv_nsec - before.tv_nsec) / 1e6;
    EXPECT_LT(usedMs, 50.0);
}

TEST_F(PtySimulatorTest, FloodStopsForXoffAndLosesNothing)
{
    Options options;
    options.flood = true;
    options.seed = 99;
    open(options);
    Port port(sim_->devicePath());
    ASSERT_TRUE(port.write("\x1bTerm 4\r"));
    // The reader is slower than the simulator, so its writes keep hitting a full buffer.
    std::string got =
        port.readUntil([](const std::string& text) { return text.size() > 300000; }, 3000);
    ASSERT_GT(got.size(), 300000u);

    ASSERT_TRUE(port.write("\x13"));
    ASSERT_TRUE(waitFor(
        [&] {
            bool held = false;
            sim_->withEngine([&](SimEngine& engine, std::int64_t) { held = engine.programXoff(); });
            return held;
        },
        2000));
    got += port.drainUntilQuiet(100, 3000);
    EXPECT_EQ(port.readFor(150), "") << "output went on after XOFF";

    ASSERT_TRUE(port.write("\x11"));
    const std::size_t beforeXon = got.size();
    got += port.readUntil([&](const std::string& text) { return text.size() > 100000; }, 2000);
    EXPECT_GT(got.size() - beforeXon, 100000u);

    // Byte for byte what the engine alone produces: nothing dropped, doubled or reordered.
    SimEngine reference(options);
    reference.receive("\x1bTerm 4\r", 0);
    std::string expected;
    while (expected.size() < got.size())
        expected += reference.takeOutput(0, got.size() - expected.size());
    ASSERT_EQ(got.size(), expected.size());
    const auto mismatch = std::mismatch(got.begin(), got.end(), expected.begin());
    EXPECT_EQ(mismatch.first, got.end())
        << "streams differ at byte " << (mismatch.first - got.begin()) << " of " << got.size();
}

} // namespace
