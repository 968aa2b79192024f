#pragma once

// Runs a SimEngine on the master side of a pseudo-terminal in its own thread. The
// program under test opens devicePath() like any serial device. Every byte the
// program sends is kept (with its arrival time) and, with a log path, written to a
// file as it arrives; every line that goes over the air is kept as well.

#include "SimEngine.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace ptcsim {

struct ReceivedByte {
    std::uint8_t byte;
    std::int64_t atMs; // milliseconds since start()
};

class PtySimulator {
public:
    explicit PtySimulator(Options options, std::string logPath = {});
    ~PtySimulator(); // stops the thread and closes the pseudo-terminal

    PtySimulator(const PtySimulator&) = delete;
    PtySimulator& operator=(const PtySimulator&) = delete;

    // Creates the pseudo-terminal (raw mode). False with a reason when it cannot.
    bool open(std::string* error);
    const std::string& devicePath() const { return devicePath_; }

    void start(); // serves the engine in a thread until stop()
    void stop();

    // Simulates the cable being pulled: closes the master side for good.
    void closeMaster();

    // Everything received so far.
    std::string received() const;
    std::vector<ReceivedByte> receivedWithTimes() const;
    void clearReceived();

    // Runs fn on the engine under the simulator's lock (to inject text, go silent...).
    void withEngine(const std::function<void(SimEngine&, std::int64_t nowMs)>& fn);

    std::int64_t nowMs() const;

    // Called in the simulator's thread, under its lock, with each run of bytes read from
    // the program, as it arrives (before the engine sees it). Set before start().
    std::function<void(const std::uint8_t* data, std::size_t count)> onReceived;

    // Called in the simulator's thread, under its lock, with each run of bytes the
    // pseudo-terminal accepted, in order: what the program can read. Set before start().
    std::function<void(const char* data, std::size_t count)> onSent;

    // The lines the controller sent over the air so far, oldest first.
    std::vector<TransmittedLine> transmittedLines() const;
    // Called in the simulator's thread, under its lock, with each line as it goes over
    // the air: what the far station read. Set before start().
    std::function<void(const TransmittedLine& line)> onTransmittedLine;

private:
    void run();
    int serviceOutput(bool* wantWrite);
    void readInput();
    void drainWake();
    void wake();

    Options options_;
    std::string logPath_;
    SimEngine engine_;
    int masterFd_ = -1;
    int slaveFd_ = -1; // kept open so the program may close and reopen the device
    int wakeFd_[2] = {-1, -1};
    std::string devicePath_;
    std::thread thread_;
    bool running_ = false;
    mutable std::mutex mutex_;
    std::vector<ReceivedByte> received_;
    // steady_clock nanoseconds at start(); atomic because nowMs() takes no lock.
    std::atomic<std::int64_t> startNs_;
    bool started_ = false;
    int logFd_ = -1;
    // Output taken from the engine but not yet accepted by the pseudo-terminal.
    std::string control_; // our own XON/XOFF, never held back
    std::string data_;    // held while the program has sent XOFF
    std::size_t dataPos_ = 0;
};

} // namespace ptcsim
