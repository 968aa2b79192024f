#include "XDisplay.h"

#include <QApplication>
#include <QStandardPaths>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <memory>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QString unavailable = QStringLiteral("the X display was not started");

QString systemError(const char* what)
{
    return QString::fromLatin1(what) + QStringLiteral(": ") +
           QString::fromLocal8Bit(std::strerror(errno));
}

// Reads the display number Xvfb writes once it takes connections.
bool readDisplayNumber(int fd, QString* number, QString* reason)
{
    constexpr int TimeoutMs = 10000;
    char c = 0;
    while (c != '\n') {
        pollfd wait{fd, POLLIN, 0};
        const int ready = poll(&wait, 1, TimeoutMs);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0) {
            *reason = systemError("waiting for Xvfb");
            return false;
        }
        if (ready == 0) {
            *reason = QStringLiteral("Xvfb did not come up within 10 s");
            return false;
        }
        const ssize_t got = read(fd, &c, 1);
        if (got < 0) {
            *reason = systemError("reading from Xvfb");
            return false;
        }
        if (got == 0) {
            *reason = QStringLiteral("Xvfb quit before taking connections");
            return false;
        }
        if (c >= '0' && c <= '9')
            number->append(QLatin1Char(c));
    }
    if (number->isEmpty())
        *reason = QStringLiteral("Xvfb named no display");
    return !number->isEmpty();
}

// A private X server for the whole run.
class XvfbDisplay {
public:
    // Starts Xvfb on a display number it picks itself; false with `reason` when there
    // is no Xvfb or it does not come up.
    bool start(QString* reason);
    void stop();
    QString name() const { return name_; } // ":N"

private:
    pid_t pid_ = -1;
    QString name_;
};

} // namespace

const QString& xDisplayUnavailable()
{
    return unavailable;
}

bool XvfbDisplay::start(QString* reason)
{
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (xvfb.isEmpty()) {
        *reason =
            QStringLiteral("Xvfb is not installed (Debian package xvfb; ./test.sh installs it)");
        return false;
    }
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) {
        *reason = systemError("pipe for Xvfb");
        return false;
    }
    const QByteArray program = xvfb.toLocal8Bit();
    pid_ = fork();
    if (pid_ < 0) {
        *reason = systemError("starting Xvfb");
        close(pipeFds[0]);
        close(pipeFds[1]);
        return false;
    }
    if (pid_ == 0) {
        // Xvfb picks a free display itself and names it on descriptor 3. It goes with
        // the tests even when they crash.
        if (prctl(PR_SET_PDEATHSIG, SIGTERM) != 0)
            _exit(126);
        const int devNull = open("/dev/null", O_RDWR);
        if (devNull < 0 || dup2(devNull, 1) < 0 || dup2(devNull, 2) < 0 || dup2(pipeFds[1], 3) < 0)
            _exit(126);
        if (pipeFds[1] == 3 && fcntl(3, F_SETFD, 0) != 0)
            _exit(126);
        execl(program.constData(), "Xvfb", "-displayfd", "3", "-nolisten", "tcp", "-screen", "0",
              "1280x1024x24", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeFds[1]);
    QString number;
    const bool up = readDisplayNumber(pipeFds[0], &number, reason);
    close(pipeFds[0]);
    if (!up) {
        stop();
        return false;
    }
    name_ = QLatin1Char(':') + number;
    return true;
}

void XvfbDisplay::stop()
{
    if (pid_ <= 0)
        return;
    if (kill(pid_, SIGTERM) != 0)
        std::fprintf(stderr, "cannot stop Xvfb: %s\n", std::strerror(errno));
    else if (waitpid(pid_, nullptr, 0) < 0)
        std::fprintf(stderr, "Xvfb did not stop: %s\n", std::strerror(errno));
    pid_ = -1;
}

namespace {

// The display and the application on it for the whole run; not set up when the tests
// are only listed.
class XEnvironment : public ::testing::Environment {
public:
    XEnvironment(int& argc, char** argv) : argc_(argc), argv_(argv) {}

    void SetUp() override
    {
        QString reason;
        if (!display_.start(&reason)) {
            unavailable = reason;
            return;
        }
        qputenv("DISPLAY", display_.name().toLocal8Bit());
        qputenv("QT_QPA_PLATFORM", "xcb");
        app_ = std::make_unique<QApplication>(argc_, argv_);
        unavailable.clear();
    }

    void TearDown() override
    {
        app_.reset();
        display_.stop();
    }

private:
    int& argc_;
    char** argv_;
    XvfbDisplay display_;
    std::unique_ptr<QApplication> app_;
};

} // namespace

#if defined(__SANITIZE_ADDRESS__)
// The X platform talks to the session bus through libdbus, which keeps a buffer for
// the life of the process.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libdbus-1.so\n";
}
#endif

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new XEnvironment(argc, argv));
    return RUN_ALL_TESTS();
}
