#include "MisuseFailsTest.h"
#include "NoMissedComponentNames.h"
#include "XDisplay.h"

#include <QApplication>
#include <QProcess>
#include <QStandardPaths>
#include <csignal>
#include <gtest/gtest.h>
#include <memory>
#include <sys/prctl.h>

namespace {

QString unavailable = QStringLiteral("the X display was not started");

// A private X server and the application on it for the whole run; not set up when the
// tests are only listed.
class XEnvironment : public ::testing::Environment {
public:
    XEnvironment(int& argc, char** argv) : argc_(argc), argv_(argv) {}

    void SetUp() override
    {
        unavailable = startXvfb();
        if (!unavailable.isEmpty())
            return;
        qputenv("QT_QPA_PLATFORM", "xcb");
        app_ = std::make_unique<QApplication>(argc_, argv_);
    }

    void TearDown() override
    {
        app_.reset();
        xvfb_.terminate();
        if (!xvfb_.waitForFinished(5000))
            xvfb_.kill();
    }

private:
    // Starts Xvfb on a display number it picks itself and names once it takes
    // connections; the reason when it cannot.
    QString startXvfb()
    {
        const QString program = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (program.isEmpty())
            return QStringLiteral(
                "Xvfb is not installed (Debian package xvfb; ./test.sh installs it)");
        xvfb_.setProgram(program);
        xvfb_.setArguments({QStringLiteral("-displayfd"), QStringLiteral("1"),
                            QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                            QStringLiteral("-screen"), QStringLiteral("0"),
                            QStringLiteral("1280x1024x24")});
        xvfb_.setStandardErrorFile(QProcess::nullDevice());
        // It goes with the tests even when they crash.
        xvfb_.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
        xvfb_.start();
        while (!xvfb_.canReadLine()) {
            if (!xvfb_.waitForReadyRead(10000))
                return QStringLiteral("Xvfb did not come up: ") + xvfb_.errorString();
        }
        const QByteArray number = xvfb_.readLine().trimmed();
        if (number.isEmpty())
            return QStringLiteral("Xvfb named no display");
        qputenv("DISPLAY", ':' + number);
        return {};
    }

    int& argc_;
    char** argv_;
    QProcess xvfb_;
    std::unique_ptr<QApplication> app_;
};

} // namespace

const QString& xDisplayUnavailable()
{
    return unavailable;
}

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
    failTestsOnMisuse();
    ::testing::AddGlobalTestEnvironment(new XEnvironment(argc, argv));
    ::testing::AddGlobalTestEnvironment(new NoMissedComponentNames); // gtest owns both
    return RUN_ALL_TESTS();
}
