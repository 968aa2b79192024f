// The capture file through the whole program: a line the simulated station sends lands
// in the log file byte for byte, as the controller's code page has it.

#include "WindowOnSimulator.h"
#include "link/ReceiveDecoder.h"
#include "ui/TQvRichEdit.h"

#include <QAbstractButton>

#include <gtest/gtest.h>

namespace {

// The bytes the capture holds for what the station sent: corrections are not text, the
// controller's umlaut codes are code-page letters.
QByteArray asCaptured(const std::string& sent)
{
    QByteArray bytes;
    for (char c : sent) {
        const auto b = static_cast<quint8>(c);
        if (b == '\b')
            continue;
        const quint8 letter = germanLetter(b);
        bytes.append(static_cast<char>(letter ? letter : b));
    }
    return bytes;
}

} // namespace

TEST(CaptureOnSimulator, ALineFromTheOtherStationIsCapturedByteForByte)
{
    WindowOnSimulator w;
    w.dir.writeSettings({"Program/Messages On Screen=ON"});
    ptcsim::Options options;
    options.replyDelayMs = 200;
    w.startSimulator(options);
    OrvantiCore& core = w.window->core();
    const QString log = w.dir.file(QStringLiteral("Orvanti.log"));
    w.modal.queueFileName(log);
    core.actions.run(Name::OpenLogFile);
    ASSERT_TRUE(core.station.CaptureOn);

    w.type(QStringLiteral("C DL2XYZ"));
    ASSERT_TRUE(waitFor([&] { return core.station.Connected; }));
    const std::string before = w.lastRemoteText();
    w.type(QStringLiteral("hello"));
    ASSERT_TRUE(waitFor([&] { return w.lastRemoteText() != before; }));
    const std::string reply = w.lastRemoteText();
    // Its first line, ended by the CR that the capture keeps.
    const QByteArray line = asCaptured(reply).trimmed().split('\r').value(0) + '\r';
    ASSERT_GT(line.size(), 1);
    ASSERT_TRUE(waitFor([&] { return w.dir.read(QStringLiteral("Orvanti.log")).contains(line); }))
        << line.toStdString();

    core.actions.run(Name::MenuCloseLogFile);
    EXPECT_FALSE(core.station.CaptureOn);
    // The window shows the caption with the next batch of received text.
    auto* button = w.window->findChild<QAbstractButton*>(QString(Name::OpenLogFile));
    EXPECT_TRUE(waitFor([&] { return button->text() == core.texts.OpenLogText; }));
    EXPECT_TRUE(w.modal.shown.isEmpty());
}
