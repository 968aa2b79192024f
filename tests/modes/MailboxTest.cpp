// The MailBox menu on the fake port: what goes over the wire, in order, what reaches the
// backup file, and what the operator is told when a transfer is cut short.

#include "CoreHarness.h"
#include "StationDir.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

using Answer = FileExistsQuestion::Answer;

class MailboxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        h.port.OpenPort();
        station().ProgramDir = dir.path() + QLatin1Char('/');
        station().FormReady = true;
        station().PtcType = PtcModel::II;
        station().MyCallField = QStringLiteral("DL0XX");
        h.settings().MessagesOnScreen = true;
        h.settings().WrapMin = 60;
        h.settings().WrapMax = 80;
        h.settings().MaxRxLength = 30000;
        MessageTexts& texts = h.texts();
        texts.Warningtext = QStringLiteral("Warning");
        texts.Maildroptext = QStringLiteral("MAILDROP ON");
        texts.NotForZ80Text = QStringLiteral("Not with the Z80");
        texts.BackupMailboxText = QStringLiteral("Backup running");
        texts.MailboxWritingText = QStringLiteral("Mailbox written");
        texts.ReloadText = QStringLiteral("Reload running");
        texts.NotaBackupText = QStringLiteral("Not a backup");
        texts.FileNotFoundText = QStringLiteral("File not found");
        h.core.status.TransmitbalkCaption = QStringLiteral("Rx/Tx");
        h.core.status.ZetTransmitbalkTerug();
        h.core.files.processEvents = [this](bool) {
            if (betweenLines)
                betweenLines();
        };
        h.modal.onDialog = [this](Dialog dialog) {
            ASSERT_EQ(dialog, Dialog::FileExists);
            asked.push_back(h.core.capture.fileExists);
            if (answer)
                h.core.capture.fileExists.answer = *answer;
        };
    }

    Station& station() { return h.station(); }
    void run(QLatin1StringView name) { ASSERT_TRUE(h.core.actions.run(name)); }
    // Everything written since the last "RELO" CR.
    QByteArray afterRelo() const
    {
        const QByteArray all = h.wire.written();
        const qsizetype at = all.lastIndexOf("RELO\r");
        return at < 0 ? QByteArray() : all.mid(at + 5);
    }
    void startBackup(const QString& path)
    {
        h.modal.queueFileName(path);
        run(Name::MenuBackupMailbox);
    }
    void expectIdle()
    {
        EXPECT_FALSE(station().MailboxBackupRequested);
        EXPECT_FALSE(station().MailboxBackupActive);
        EXPECT_FALSE(station().MailboxReloadActive);
        EXPECT_FALSE(station().ReloadPending);
        EXPECT_EQ(h.view.caption(Name::Transmitbalk), QStringLiteral("Rx/Tx"));
        EXPECT_EQ(h.view.component(Name::ReceiveWindow).cursor, CursorShape::Arrow);
    }

    CoreHarness h;
    StationDir dir;
    std::optional<Answer> answer; // the file-exists dialog's; none is its close box
    std::vector<FileExistsQuestion> asked;
    std::function<void()> betweenLines;
};

TEST_F(MailboxTest, MaildropToggledTwiceSwitchesOnThenOffAndLeavesTheBarAsItWas)
{
    run(Name::MenuToggleMaildrop);
    EXPECT_EQ(h.wire.writtenText(), QStringLiteral("<ESC>REM 1<CR><ESC>CM 1<CR><ESC>Box 1<CR>"));
    EXPECT_TRUE(h.settings().MaildropOn);
    EXPECT_TRUE(h.view.isChecked(Name::MenuToggleMaildrop));
    EXPECT_EQ(h.view.caption(Name::Transmitbalk), QStringLiteral("MAILDROP ON"));
    EXPECT_EQ(h.view.component(Name::Transmitbalk).fill, Colors::Red);

    h.wire.clear();
    run(Name::MenuToggleMaildrop);
    EXPECT_EQ(h.wire.writtenText(), QStringLiteral("<ESC>REM 0<CR><ESC>CM 0<CR><ESC>Box 0<CR>"));
    EXPECT_FALSE(h.settings().MaildropOn);
    EXPECT_FALSE(h.view.isChecked(Name::MenuToggleMaildrop));
    EXPECT_EQ(h.view.caption(Name::Transmitbalk), QStringLiteral("Rx/Tx"));
    EXPECT_EQ(h.view.component(Name::Transmitbalk).fill, h.settings().ReceiveBarColor);
    EXPECT_FALSE(station().ReceiveHold);
}

TEST_F(MailboxTest, ANewLayoutLeavesMaildropOnAndSaysSo)
{
    run(Name::MenuToggleMaildrop);
    h.wire.clear();
    h.core.lifecycle.FormResize(); // the window was resized, or the tab font changed
    EXPECT_TRUE(h.settings().MaildropOn);
    EXPECT_EQ(h.view.caption(Name::Transmitbalk), QStringLiteral("MAILDROP ON"));
    EXPECT_EQ(h.view.component(Name::Transmitbalk).fill, Colors::Red);
    EXPECT_FALSE(h.wire.writtenText().contains(QStringLiteral("REM 0")));
}

TEST_F(MailboxTest, MaildropCheckListsTheMailboxUntilTheModeChanges)
{
    struct Case {
        PtcModel model;
        Mode mode;
        const char* wireEnd;
    };
    const Case cases[] = {
        {PtcModel::II, Mode::Pactor, "L 0<CR><ESC>LI<CR>"},
        {PtcModel::Z80, Mode::Pactor, "L 0<CR><ESC>DIR<CR>"},
        // Out of PACKET first; the check survives that page change.
        {PtcModel::II, Mode::Packet, "Pt<CR>L 0<CR><ESC>LI<CR>"},
    };
    for (const Case& c : cases) {
        CoreHarness k;
        k.port.OpenPort();
        k.core.station.FormReady = true;
        k.core.station.PtcType = c.model;
        k.core.station.ModeId = c.mode;
        k.core.station.PageIndex = k.core.station.LastPageIndex = static_cast<int>(c.mode);
        k.core.settings.MessagesOnScreen = false;
        ASSERT_TRUE(k.core.actions.run(Name::MenuMaildropCheck));
        EXPECT_TRUE(k.wire.writtenText().endsWith(QLatin1String(c.wireEnd)))
            << k.wire.writtenText().toStdString();
        EXPECT_TRUE(k.view.isChecked(Name::MenuMaildropCheck));
        EXPECT_EQ(k.core.station.ModeId, Mode::Pactor);
        EXPECT_TRUE(k.core.settings.MessagesOnScreen) << "forced on for the listing";
        EXPECT_TRUE(k.core.station.MessagesForced);
        // A file now ends with ESC; readying the controller for a mode takes the check off.
        k.core.modes.MenuAmtorClick();
        EXPECT_FALSE(k.view.isChecked(Name::MenuMaildropCheck));
        EXPECT_FALSE(k.core.settings.MessagesOnScreen);
    }
}

TEST_F(MailboxTest, BackupOverAnExistingFileOffersDeleteOrCancelAndCancelSendsNothing)
{
    dir.write(QStringLiteral("Mailbox.bac"), "old backup");
    for (const std::optional<Answer> a :
         {std::optional<Answer>{}, std::optional(Answer::Cancel), std::optional(Answer::Append)}) {
        answer = a;
        startBackup(dir.file(QStringLiteral("Mailbox.bac")));
    }
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[0].caption, QStringLiteral("Mailbox.bac"));
    EXPECT_FALSE(asked[0].appendEnabled);
    EXPECT_TRUE(asked[0].label1.isEmpty() && asked[0].label2.isEmpty());
    EXPECT_EQ(h.wire.writtenText(), QString());
    EXPECT_EQ(dir.read(QStringLiteral("Mailbox.bac")), QByteArray("old backup"));
    EXPECT_TRUE(h.settings().MessagesOnScreen);
    expectIdle();
}

TEST_F(MailboxTest, BackupStoresTheDumpFromItsFirstHashToTheBellWhileTheCaptureGoesOn)
{
    const QString log = dir.file(QStringLiteral("Orvanti.log"));
    h.modal.queueFileName(log);
    run(Name::OpenLogFile);
    ASSERT_TRUE(station().CaptureOn);
    dir.write(QStringLiteral("Mailbox.bac"), "an older backup, much longer than the new one");
    answer = Answer::Delete;
    startBackup(dir.file(QStringLiteral("Mailbox.bac")));
    EXPECT_TRUE(h.wire.writtenText().endsWith(QLatin1String("BAK<CR><CR>")))
        << h.wire.writtenText().toStdString();
    EXPECT_EQ(station().ModeId, Mode::Dumb);
    EXPECT_EQ(h.view.caption(Name::Transmitbalk), QStringLiteral("Backup running"));
    EXPECT_EQ(h.view.component(Name::ReceiveWindow).cursor, CursorShape::Hourglass);
    EXPECT_FALSE(h.settings().MessagesOnScreen) << "the dump does not flood the window";

    // The banner split over two blocks; text before the first "#" is not the dump; class
    // codes, a status reply and the LF are not text; the controller's umlaut is a letter.
    h.receive(bytesOf("<1>Backup Ut"));
    h.receive(bytesOf("ility.<CR>Press any key<CR>"));
    h.receive(bytesOf("<1>no hash here<CR>### MAILBOX<CR>#1 DL1ABC Gr<14>") + "\x1e\x25" +
              bytesOf("<2>sse<CR><LF>  100%% ok<CR>"));
    EXPECT_EQ(h.modal.beeps, 0);
    h.receive(bytesOf("#2 end<CR><7><4>cmd: "));

    EXPECT_EQ(dir.read(QStringLiteral("Mailbox.bac")),
              QByteArray("### MAILBOX\r#1 DL1ABC Gr\x84sse\r\n  100%% ok\r#2 end\r"));
    EXPECT_EQ(h.modal.beeps, 2);
    EXPECT_EQ(station().ModeId, Mode::Pactor);
    EXPECT_TRUE(h.settings().MessagesOnScreen);
    expectIdle();
    // The capture kept every text byte, the dump's among them, and is still open.
    ASSERT_TRUE(station().CaptureOn);
    EXPECT_EQ(dir.read(QStringLiteral("Orvanti.log")),
              QByteArray("Backup Utility.\rPress any key\rno hash here\r### MAILBOX\r#1 DL1ABC "
                         "Gr\x84sse\r  100%% ok\r#2 end\rcmd: "));
}

TEST_F(MailboxTest, ABackupThatFallsSilentForAMinuteEndsIncompleteAndKeepsWhatCame)
{
    startBackup(dir.file(QStringLiteral("Mailbox.bac")));
    h.receive(bytesOf("<1>Backup Utility.<CR>### MAILBOX<CR>#1 half a me"));
    h.clock.advance(Mailbox::BackupSilenceMs - 1);
    h.core.mailbox.checkBackupSilence();
    EXPECT_TRUE(station().MailboxBackupActive);
    h.receive("ssage"); // heard again: the minute starts anew
    h.clock.advance(Mailbox::BackupSilenceMs - 1);
    h.core.mailbox.checkBackupSilence();
    EXPECT_TRUE(station().MailboxBackupActive);
    h.clock.advance(1);
    h.core.mailbox.checkBackupSilence();

    EXPECT_EQ(dir.read(QStringLiteral("Mailbox.bac")),
              QByteArray("### MAILBOX\r#1 half a message"));
    const QString said = h.view.receiveText();
    EXPECT_TRUE(said.contains(QLatin1String("Mailbox backup INCOMPLETE: nothing came from the "
                                            "PTC for 60 seconds")))
        << said.toStdString();
    EXPECT_TRUE(said.contains(QLatin1String("The 29 bytes")));
    EXPECT_EQ(h.modal.beeps, 0) << "never the beeps of a finished backup";
    EXPECT_FALSE(h.view.caption(Name::Transmitbalk).contains(QLatin1String("written")));
    EXPECT_EQ(station().ModeId, Mode::Pactor);
    EXPECT_TRUE(h.settings().MessagesOnScreen);
    expectIdle();
    // A late end changes nothing.
    h.receive(bytesOf("<CR><7>"));
    EXPECT_EQ(h.modal.beeps, 0);
    EXPECT_EQ(dir.read(QStringLiteral("Mailbox.bac")).size(), 29);
}

TEST_F(MailboxTest, ABackupFileThatCannotBeWrittenIsNamedWithItsReason)
{
    struct Case {
        QString path;
        bool started; // "BAK" went out
        const char* said;
    };
    const Case cases[] = {
        {dir.path(), false, "cannot be written to %1: it is a folder."},
        {dir.file(QStringLiteral("gone/Mailbox.bac")), false, "cannot be written to %1: "},
        {QStringLiteral("/dev/full"), true, "%1 cannot be written: No space left on device"},
    };
    answer = Answer::Delete;
    for (const Case& c : cases) {
        h.wire.clear();
        h.modal.shown.clear();
        h.view.clear();
        station().ModeId = Mode::Pactor;
        station().PageIndex = station().LastPageIndex = 0;
        startBackup(c.path);
        h.receive(bytesOf("<1>Backup Utility.<CR>### MAILBOX<CR>"));
        const QString said = QString::fromLatin1(c.said).arg(QDir::toNativeSeparators(c.path));
        const QString told = h.modal.texts().join(QLatin1Char('\n')) + h.view.receiveText();
        EXPECT_TRUE(told.contains(said)) << told.toStdString();
        EXPECT_EQ(h.wire.writtenText().contains(QLatin1String("BAK<CR>")), c.started);
        EXPECT_TRUE(h.settings().MessagesOnScreen);
        expectIdle();
    }
}

TEST_F(MailboxTest, ReloadSendsEachLineOfTheFileExactlyAndEndsWithPlus)
{
    const QByteArray longLine(200, 'x');
    struct Case {
        const char* what;
        QByteArray file;
        QByteArray wire; // after "RELO" CR
    };
    const Case cases[] = {
        {"macros and a long line stay as they are",
         "### backup\r\n100%% sure %%MYCALL\r\n" + longLine + "\r\n\x81\xe1\r\n",
         "### backup\r100%% sure %%MYCALL\r" + longLine + "\r\x81\xe1\r+\r"},
        {"CR line ends", "### a\rb\r\rc", "### a\rb\r\rc\r+\r"},
        {"NUL bytes do not cut a line", QByteArray("###\r\na\0b\r\n\0\r\n", 13), "###\rab\r\r+\r"},
    };
    for (const Case& c : cases) {
        dir.write(QStringLiteral("in.bac"), c.file);
        h.modal.queueFileName(dir.file(QStringLiteral("in.bac")));
        run(Name::MenuReloadMailbox);
        EXPECT_EQ(describeBytes(afterRelo()), describeBytes(c.wire)) << c.what;
        EXPECT_TRUE(station().MailboxReloadActive) << c.what;
        EXPECT_EQ(station().ModeId, Mode::Dumb);
        EXPECT_EQ(h.view.transmitText(), QString()) << "a reload is not echoed";
        // The controller's standby prompt ends it; a ">" before it does not.
        h.receive(bytesOf("<1>>> more<CR><CR>*** ST"));
        EXPECT_TRUE(station().MailboxReloadActive) << c.what;
        h.receive(bytesOf("BY<CR><4>cmd:"));
        EXPECT_TRUE(station().MailboxReloadActive) << c.what;
        h.receive(">");
        EXPECT_EQ(station().ModeId, Mode::Pactor) << c.what;
        expectIdle();
    }
    EXPECT_EQ(h.modal.beeps, 9) << "one at the start and two at the end of each";
    EXPECT_TRUE(h.modal.texts().isEmpty()) << h.modal.texts().join(QLatin1Char('\n')).toStdString();
}

TEST_F(MailboxTest, ReloadOfABigFileSendsEveryLine)
{
    QByteArray file = "### big\r\n";
    const QByteArray line = QByteArray(98, 'm') + "\r\n";
    while (file.size() < 20 * 1024 * 1024)
        file += line;
    dir.write(QStringLiteral("big.bac"), file);
    h.modal.queueFileName(dir.file(QStringLiteral("big.bac")));
    run(Name::MenuReloadMailbox);
    QByteArray expected = file;
    expected.replace("\r\n", "\r");
    EXPECT_TRUE(afterRelo() == expected + "+\r") << afterRelo().size();
}

TEST_F(MailboxTest, AFileThatIsNoBackupIsRefusedAndTheControllerLeftWithQ)
{
    for (const QByteArray& file : {QByteArray("\r\n###\r\nmail\r\n"), QByteArray("## mail\r\n")}) {
        h.wire.clear();
        h.modal.shown.clear();
        dir.write(QStringLiteral("no.bac"), file);
        h.modal.queueFileName(dir.file(QStringLiteral("no.bac")));
        run(Name::MenuReloadMailbox);
        EXPECT_EQ(h.modal.texts(), QStringList{QStringLiteral("Not a backup")});
        EXPECT_TRUE(describeBytes(afterRelo()).startsWith(QLatin1String("Q<CR>")))
            << describeBytes(afterRelo()).toStdString();
        EXPECT_FALSE(afterRelo().contains("mail"));
        EXPECT_EQ(station().ModeId, Mode::Pactor);
        EXPECT_EQ(station().TrafficState, QStringLiteral("LISTEN"));
        expectIdle();
    }
}

TEST_F(MailboxTest, NotOnTheZ80AndNotWhileAnotherTransferRuns)
{
    station().PtcType = PtcModel::Z80;
    run(Name::MenuBackupMailbox);
    run(Name::MenuReloadMailbox);
    EXPECT_EQ(h.modal.texts(), (QStringList{QStringLiteral("Not with the Z80"),
                                            QStringLiteral("Not with the Z80")}));
    station().PtcType = PtcModel::II;
    startBackup(dir.file(QStringLiteral("Mailbox.bac")));
    h.wire.clear();
    run(Name::MenuReloadMailbox);
    run(Name::MenuBackupMailbox);
    EXPECT_EQ(h.wire.writtenText(), QString());
    EXPECT_EQ(h.modal.beeps, 2);
}

TEST_F(MailboxTest, APortLostInATransferSaysSoOnceAndLeavesTheProgramUsable)
{
    startBackup(dir.file(QStringLiteral("Mailbox.bac")));
    h.receive(bytesOf("<1>Backup Utility.<CR>### MAILBOX<CR>"));
    const int lines = h.view.receiveLines();
    h.port.ClosePort();
    h.port.onPortLost(QStringLiteral("the device was removed"));
    EXPECT_EQ(h.view.receiveLines(), lines + 1);
    const QString said = h.view.receiveText();
    EXPECT_TRUE(said.contains(QLatin1String("Serial Port lost: the device was removed. The "
                                            "mailbox backup is INCOMPLETE: the 12 bytes")))
        << said.toStdString();
    EXPECT_EQ(dir.read(QStringLiteral("Mailbox.bac")), QByteArray("### MAILBOX\r"));
    expectIdle();

    // The same for a reload cut off between two lines; "+" no longer goes out.
    h.port.OpenPort();
    station().ModeId = Mode::Pactor;
    station().PageIndex = station().LastPageIndex = 0;
    dir.write(QStringLiteral("in.bac"), "###\r\none\r\ntwo\r\nthree\r\n");
    int turn = 0;
    betweenLines = [&] {
        if (++turn == 3) {
            h.port.ClosePort();
            h.port.onPortLost(QStringLiteral("the device was removed"));
        }
    };
    h.modal.queueFileName(dir.file(QStringLiteral("in.bac")));
    run(Name::MenuReloadMailbox);
    EXPECT_EQ(describeBytes(afterRelo()), QStringLiteral("###<CR>one<CR>"));
    EXPECT_TRUE(h.view.receiveText().contains(QLatin1String("The mailbox reload was cut short")));
    expectIdle();
    EXPECT_TRUE(h.core.actions.run(Name::MenuBackupMailbox));
    EXPECT_TRUE(h.modal.texts().last().contains(QLatin1String("serial port is not open")));
}

} // namespace
