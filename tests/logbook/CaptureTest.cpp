// The capture file and Save B. on the fake port: what reaches the file, in order, what
// the file-exists dialog was asked, what the captions show, and what the operator is
// told when a file cannot be written.

#include "CoreHarness.h"
#include "StationDir.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <optional>

namespace {

using Answer = FileExistsQuestion::Answer;

class CaptureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        station().ProgramDir = dir.path() + QLatin1Char('/');
        h.settings().MaxRxLength = 30000; // the window keeps what it shows
        MessageTexts& texts = h.texts();
        texts.Warningtext = QStringLiteral("Warning");
        texts.DeleteText = QStringLiteral("Delete the file and start a new one");
        texts.AppendText = QStringLiteral("Add to the end of the file");
        texts.OpenLogText = QStringLiteral("Open Log");
        texts.CloseLogFileText = QStringLiteral("Close Log");
        // The dialog answers what the test queued; nothing queued is the close box.
        h.modal.onDialog = [this](Dialog dialog) {
            ASSERT_EQ(dialog, Dialog::FileExists);
            asked.push_back(capture.fileExists);
            if (!answers.empty()) {
                capture.fileExists.answer = answers.front();
                answers.erase(answers.begin());
            }
        };
    }

    Station& station() { return h.station(); }
    void openLog(const QString& path, std::optional<Answer> answer = std::nullopt)
    {
        if (answer)
            answers.push_back(*answer);
        h.modal.queueFileName(path);
        h.core.actions.run(Name::OpenLogFile);
    }
    QString caption(QLatin1StringView name) const { return h.view.caption(name); }
    // Open and closed as every control shows it.
    void expectCaptureShown(bool on)
    {
        const QString next = on ? QStringLiteral("Close Log") : QStringLiteral("Open Log");
        EXPECT_EQ(station().CaptureOn, on);
        EXPECT_EQ(caption(Name::OpenLogFile), next);
        EXPECT_EQ(caption(Name::PopUpOpenLogFile1), next);
        EXPECT_EQ(h.view.component(Name::MenuOpenLogFile).enabled, !on);
        EXPECT_EQ(h.view.component(Name::MenuCloseLogFile).enabled, on);
        EXPECT_EQ(h.view.component(Name::logLed).fill, on ? Colors::Red : Colors::Lime);
    }

    CoreHarness h;
    Capture& capture = h.core.capture;
    StationDir dir;
    std::vector<Answer> answers;
    std::vector<FileExistsQuestion> asked;
};

} // namespace

TEST_F(CaptureTest, AnExistingLogFileIsDeletedAppendedToOrLeftAlone)
{
    const struct {
        const char* name;
        std::optional<Answer> answer; // none: the dialog's close box
        bool open;
        QByteArray file;
    } cases[] = {
        {"Append", Answer::Append, true, "old\rnew\r"},
        {"Delete", Answer::Delete, true, "new\r"},
        {"Cancel", Answer::Cancel, false, "old\r"},
        {"close box", std::nullopt, false, "old\r"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        h.modal.shown.clear();
        asked.clear();
        dir.write(QStringLiteral("Orvanti.log"), "old\r");
        openLog(dir.file(QStringLiteral("Orvanti.log")), c.answer);
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_EQ(asked[0].caption, QStringLiteral("Orvanti.log"));
        EXPECT_EQ(asked[0].label1, h.texts().DeleteText);
        EXPECT_EQ(asked[0].label2, h.texts().AppendText);
        EXPECT_TRUE(asked[0].appendEnabled);
        expectCaptureShown(c.open);
        EXPECT_FALSE(station().ReceiveHold);
        h.receive("\x02new\r");
        h.core.actions.run(Name::MenuCloseLogFile);
        EXPECT_EQ(dir.read(QStringLiteral("Orvanti.log")), c.file);
        EXPECT_TRUE(h.modal.shown.isEmpty());
    }
}

TEST_F(CaptureTest, OpenLogTwiceOpensThenClosesAndTheBytesGoInAsDecoded)
{
    const QString path = dir.file(QStringLiteral("new.log"));
    openLog(path); // not there yet: made without asking
    EXPECT_TRUE(asked.empty());
    expectCaptureShown(true);
    EXPECT_EQ(h.view.component(Name::logLed).hint,
              QStringLiteral("Log File: ") + QDir::toNativeSeparators(path));

    // Every text byte of every class, in order; status replies and backspaces are not
    // text, German letters go in as the code page has them.
    h.receive("\x01*** CONNECTED to DL2XYZ\r\x02hallo \x0e\x0f\x16x\x08!\r");
    h.receive("\x1e\x08\x03"
              "echo\r\n"); // a status reply; LF after CR is dropped
    const QByteArray expected = QByteArray("*** CONNECTED to DL2XYZ\rhallo \x84\x94\x9a"
                                           "x!\r") +
                                "echo\r";
    EXPECT_EQ(dir.read(QStringLiteral("new.log")), expected) << "written through, before the close";

    h.core.actions.run(Name::OpenLogFile);
    expectCaptureShown(false);
    EXPECT_EQ(h.view.component(Name::logLed).hint, QStringLiteral("Log File"));
    h.receive("\x02not captured\r");
    EXPECT_EQ(dir.read(QStringLiteral("new.log")), expected);

    // The pop-up item does the same, and a cancelled file dialog changes nothing.
    h.modal.queueFileName(QString());
    h.core.actions.run(Name::PopUpOpenLogFile1);
    expectCaptureShown(false);
    h.modal.queueFileName(path);
    answers.push_back(Answer::Append);
    h.core.actions.run(Name::PopUpOpenLogFile1);
    expectCaptureShown(true);
    EXPECT_TRUE(h.modal.shown.isEmpty());
}

TEST_F(CaptureTest, AFileThatCannotBeOpenedIsReportedAndTheCaptureStaysClosed)
{
    QDir(dir.path()).mkdir(QStringLiteral("folder"));
    openLog(dir.file(QStringLiteral("good.log")));
    h.core.actions.run(Name::MenuCloseLogFile);
    const struct {
        const char* name;
        QString path;
        const char* reason;
    } cases[] = {
        {"a folder", dir.file(QStringLiteral("folder")), "it is a folder"},
        {"in a missing folder", dir.file(QStringLiteral("gone/Orvanti.log")), "No such file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        h.modal.shown.clear();
        openLog(c.path);
        ASSERT_EQ(h.modal.shown.size(), 1);
        EXPECT_EQ(h.modal.shown[0].caption, QStringLiteral("Warning"));
        EXPECT_TRUE(h.modal.shown[0].text.contains(QDir::toNativeSeparators(c.path)));
        EXPECT_TRUE(h.modal.shown[0].text.contains(QLatin1String(c.reason)))
            << h.modal.shown[0].text.toStdString();
        expectCaptureShown(false);
        EXPECT_FALSE(station().ReceiveHold);
    }
}

TEST_F(CaptureTest, AFailedWriteClosesTheCaptureWithOneMessageAndKeepsWhatWasWritten)
{
    const struct {
        const char* name;
        const char* path;
        std::function<void(StationDir&)> spoil; // after the first block
        const char* reason;
        QByteArray kept; // in moved.log
    } cases[] = {
        {"moved away", "Orvanti.log",
         [](StationDir& d) {
             QFile::rename(d.file(QStringLiteral("Orvanti.log")),
                           d.file(QStringLiteral("moved.log")));
         },
         "removed or replaced", "first\r"},
        {"its folder removed",
         "sub/Orvanti.log",
         [](StationDir& d) { QDir(d.file(QStringLiteral("sub"))).removeRecursively(); },
         "removed or replaced",
         {}},
        {"disk full", "/dev/full", [](StationDir&) {}, "No space left", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        h.modal.shown.clear();
        QDir(dir.path()).mkpath(QStringLiteral("sub"));
        const QString path = QString::fromLatin1(c.path).startsWith(QLatin1Char('/'))
                                 ? QString::fromLatin1(c.path)
                                 : dir.file(QLatin1String(c.path));
        openLog(path, Answer::Append);
        ASSERT_TRUE(station().CaptureOn);
        if (!QString::fromLatin1(c.path).startsWith(QLatin1Char('/')))
            h.receive("\x02"
                      "first\r");
        c.spoil(dir);
        h.receive("\x02second\r");
        h.receive("\x02third\r"); // no second message
        expectCaptureShown(false);
        ASSERT_EQ(h.modal.texts().size(), 1)
            << h.modal.texts().join(QLatin1Char('|')).toStdString();
        EXPECT_TRUE(h.modal.texts()[0].contains(QDir::toNativeSeparators(path)));
        EXPECT_TRUE(h.modal.texts()[0].contains(QLatin1String(c.reason)))
            << h.modal.texts()[0].toStdString();
        if (!c.kept.isEmpty()) {
            EXPECT_EQ(dir.read(QStringLiteral("moved.log")), c.kept);
        }
        // The window shows the block that failed and what came after.
        EXPECT_TRUE(h.view.receiveText().endsWith(QStringLiteral("second\nthird\n")))
            << h.view.receiveText().toStdString();
    }
}

TEST_F(CaptureTest, APollTurnsBlocksGoInTogetherAndNothingHeldIsLost)
{
    const QString name = QStringLiteral("turn.log");
    openLog(dir.file(name));
    capture.holdWrites();
    h.receive("\x02one\r");
    h.receive("\x02two\r");
    EXPECT_EQ(dir.read(name), QByteArray()) << "held until the turn ends";
    capture.releaseWrites();
    ASSERT_TRUE(capture.flush());
    EXPECT_EQ(dir.read(name), QByteArray("one\rtwo\r"));

    // Closed in the middle of a turn: what the turn held goes in first.
    capture.holdWrites();
    h.receive("\x02three\r");
    h.core.actions.run(Name::MenuCloseLogFile);
    capture.releaseWrites();
    EXPECT_EQ(dir.read(name), QByteArray("one\rtwo\rthree\r"));

    // A full disk shows once the writer met it, once.
    openLog(QStringLiteral("/dev/full"), Answer::Append);
    capture.holdWrites();
    h.receive("\x02four\r");
    h.receive("\x02five\r");
    capture.releaseWrites();
    EXPECT_FALSE(capture.flush());
    capture.reportFailure();
    capture.reportFailure();
    expectCaptureShown(false);
    ASSERT_EQ(h.modal.texts().size(), 1);
    EXPECT_TRUE(h.modal.texts()[0].contains(QLatin1String("No space left")));

    // The exit closes a capture left open, with what its last turn held.
    openLog(dir.file(name), Answer::Append);
    capture.holdWrites();
    h.receive("\x02six\r");
    station().FormReady = true;
    h.modal.queueConfirm(true);
    ASSERT_TRUE(h.core.lifecycle.FormCloseQuery());
    EXPECT_FALSE(station().CaptureOn);
    EXPECT_EQ(dir.read(name), QByteArray("one\rtwo\rthree\rsix\r"));
}

TEST_F(CaptureTest, TimeStampsStartEachCapturedLineWhenSwitchedOn)
{
    QTime now(23, 59, 58);
    capture.utcTime = [&now] { return now; };
    const QString path = dir.file(QStringLiteral("stamped.log"));
    dir.write(QStringLiteral("stamped.log"), "half a line");
    h.core.actions.run(Name::MenuCaptureTimestamps);
    EXPECT_TRUE(h.settings().CaptureTimestamps);
    EXPECT_TRUE(h.view.isChecked(Name::MenuCaptureTimestamps));
    openLog(path, Answer::Append);
    h.receive("\x02 ends\rnext"); // the appended file stopped inside a line
    now = now.addSecs(3);
    h.receive("\x02 line\r");
    h.receive("\x02\n\rlast\r"); // empty lines get no stamp
    h.core.actions.run(Name::MenuCaptureTimestamps);
    h.receive("\x02plain\r");
    EXPECT_FALSE(h.settings().CaptureTimestamps);
    EXPECT_EQ(dir.read(QStringLiteral("stamped.log")),
              QByteArray("half a line ends\r23:59:58 next line\r\n\r00:00:01 last\rplain\r"));
}

TEST_F(CaptureTest, SaveBufferWritesTheWindowsLinesOnlyOverAFileTheOperatorGaveUp)
{
    const struct {
        const char* name;
        const char* existing; // nullptr: no file there
        std::optional<Answer> answer;
        QByteArray file;
    } cases[] = {
        {"new file", nullptr, std::nullopt, "line one\r\nz\x84hler\r\n"},
        {"Delete", "old", Answer::Delete, "line one\r\nz\x84hler\r\n"},
        {"Cancel", "old", Answer::Cancel, "old"},
        {"close box", "old", std::nullopt, "old"},
        {"Append is no answer here", "old", Answer::Append, "old"},
    };
    h.receive("\x02line one\rz\x0ehler\r");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        asked.clear();
        QFile::remove(dir.file(QStringLiteral("Orvanti.buf")));
        if (c.existing)
            dir.write(QStringLiteral("Orvanti.buf"), c.existing);
        if (c.answer)
            answers.push_back(*c.answer);
        h.modal.queueFileName(dir.file(QStringLiteral("Orvanti.buf")));
        h.core.actions.run(Name::SaveBuffer);
        EXPECT_EQ(dir.read(QStringLiteral("Orvanti.buf")), c.file);
        ASSERT_EQ(asked.size(), c.existing ? 1u : 0u);
        if (c.existing) {
            EXPECT_FALSE(asked[0].appendEnabled);
            EXPECT_TRUE(asked[0].label1.isEmpty());
            EXPECT_TRUE(asked[0].label2.isEmpty());
        }
        EXPECT_FALSE(station().ReceiveHold);
        EXPECT_TRUE(h.modal.shown.isEmpty());
    }

    // A folder, or a folder that is not there, is reported with the reason.
    QDir(dir.path()).mkdir(QStringLiteral("folder"));
    for (const QString& path :
         {dir.file(QStringLiteral("folder")), dir.file(QStringLiteral("gone/x.buf"))}) {
        h.modal.shown.clear();
        h.modal.queueFileName(path);
        h.core.actions.run(Name::PopUpSaveReceiveBuffer1);
        ASSERT_EQ(h.modal.shown.size(), 1);
        EXPECT_TRUE(h.modal.shown[0].text.contains(QDir::toNativeSeparators(path)))
            << h.modal.shown[0].text.toStdString();
        EXPECT_FALSE(station().ReceiveHold);
    }
}

TEST_F(CaptureTest, TheEditorStartsWithoutArgumentsAndAFailureIsReported)
{
    QStringList started;
    bool starts = false;
    capture.startProgram = [&](const QString& program) {
        started.append(program);
        return starts;
    };
    h.modal.queueFileName(dir.file(QStringLiteral("myedit")));
    h.core.actions.run(Name::MenuInstallEditor);
    EXPECT_EQ(h.settings().EditorPath, dir.file(QStringLiteral("myedit")));

    h.core.actions.run(Name::MenuEditaFile);
    ASSERT_EQ(h.modal.shown.size(), 1);
    EXPECT_TRUE(h.modal.shown[0].text.contains(
        QDir::toNativeSeparators(dir.file(QStringLiteral("myedit")))));
    EXPECT_FALSE(station().ClipboardMailArmed);

    starts = true;
    h.core.actions.run(Name::MenuEditaFile);
    EXPECT_EQ(started, QStringList(2, dir.file(QStringLiteral("myedit"))));
    EXPECT_EQ(h.modal.shown.size(), 1);
    EXPECT_TRUE(station().ClipboardMailArmed);

    // Cancel keeps the editor.
    h.modal.queueFileName(QString());
    h.core.actions.run(Name::MenuInstallEditor);
    EXPECT_EQ(h.settings().EditorPath, dir.file(QStringLiteral("myedit")));
}

TEST(CaptureSettings, TheTimeStampSwitchIsOffWhenOlderFilesLackItAndIsWrittenBack)
{
    StationDir dir;
    const QString path = dir.file(QStringLiteral("Orvanti.ini"));
    dir.write(QStringLiteral("Orvanti.ini"), shippedSettingsWith({"Program/Capture Timestamps"}));
    Settings settings;
    ReadBuildInParameters(settings);
    settings.CaptureTimestamps = true;
    ReadBuildInParameters(settings);
    ASSERT_TRUE(ReadIniFile(path, settings));
    EXPECT_FALSE(settings.CaptureTimestamps);

    settings.CaptureTimestamps = true;
    QString error;
    ASSERT_TRUE(WriteIniFile(path, settings, &error)) << error.toStdString();
    EXPECT_TRUE(dir.read(QStringLiteral("Orvanti.ini")).contains("Capture Timestamps=ON"));
    Settings reread;
    ReadBuildInParameters(reread);
    ASSERT_TRUE(ReadIniFile(path, reread));
    EXPECT_TRUE(reread.CaptureTimestamps);
}
