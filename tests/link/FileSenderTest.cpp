// Sending files and prepared texts on the fake port: what goes over the wire, in
// order, what the transmit window echoes, and what the operator is told. The event
// loop between lines is the test's own function, so a test acts "between two lines".

#include "CoreHarness.h"
#include "StationDir.h"

#include <QDir>
#include <QFile>
#include <functional>
#include <gtest/gtest.h>

namespace {

class FileSenderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        h.port.OpenPort();
        h.settings().WrapMin = 0;
        h.settings().WrapMax = 0; // no wrap: exactly the file's lines
        station().ProgramDir = dir.path() + QLatin1Char('/');
        station().Connected = true;
        MessageTexts& texts = h.texts();
        texts.Warningtext = QStringLiteral("Warning");
        texts.NotAllowedtext = QStringLiteral("Not allowed now");
        texts.FileNotFoundText = QStringLiteral("File not found");
        texts.FileReadingText = QStringLiteral("Sending file");
        texts.EndOfAutoText = QStringLiteral("End of automatic CQ");
        texts.MailboxWritingText = QStringLiteral("Writing the mailbox");
        files.processEvents = [this](bool mayWait) {
            waits.append(mayWait);
            if (betweenLines)
                betweenLines(static_cast<int>(waits.size()));
        };
    }

    Station& station() { return h.station(); }
    QString sent() const { return h.wire.writtenText(); }
    void sendText(int number, const QByteArray& bytes)
    {
        dir.write(FileSender::preparedTextName(number), bytes);
        files.TransmitTextFile(number);
    }

    CoreHarness h;
    FileSender& files = h.core.files;
    StationDir dir;
    QList<bool> waits;                          // one per turn of the event loop
    std::function<void(int turn)> betweenLines; // runs in turn n, before line n
};

} // namespace

TEST_F(FileSenderTest, WhoMaySendAndWhenTheLinesAreEchoed)
{
    struct Case {
        const char* state;
        std::function<void(Station&, RecordingView&)> set;
        bool allowed;
        bool echoed;
    };
    const Case cases[] = {
        {"PACTOR standby", [](Station&, RecordingView&) {}, false, false},
        {"connected", [](Station& s, RecordingView&) { s.Connected = true; }, true, true},
        {"transmitting", [](Station& s, RecordingView&) { s.Transmitting = true; }, true, true},
        {"CW", [](Station& s, RecordingView&) { s.ModeId = Mode::Cw; }, true, true},
        {"tools page", [](Station& s, RecordingView&) { s.ModeId = Mode::Dumb; }, true, false},
        {"dumb terminal",
         [](Station& s, RecordingView&) {
             s.ModeId = Mode::Dumb;
             s.DumbMode = true;
         },
         true, true},
        {"packet standby", [](Station& s, RecordingView&) { s.ModeId = Mode::Packet; }, false,
         false},
        {"maildrop check",
         [](Station&, RecordingView& v) {
             v.setChecked(QStringLiteral("MenuMaildropCheck"), true);
         },
         true, true},
    };
    for (const Case& c : cases) {
        CoreHarness k;
        k.port.OpenPort();
        k.core.station.ProgramDir = dir.path() + QLatin1Char('/');
        k.core.texts.NotAllowedtext = QStringLiteral("Not allowed now");
        k.core.files.processEvents = [](bool) {};
        c.set(k.core.station, k.view);
        dir.write(QStringLiteral("Orvanti.tx5"), "one\r\ntwo\r\n");
        k.core.files.TransmitTextFile(5);
        const bool maildrop = k.view.isChecked(QStringLiteral("MenuMaildropCheck"));
        EXPECT_EQ(k.wire.writtenText(), !c.allowed ? QString()
                                        : maildrop ? QStringLiteral("one<CR>two<CR><ESC>")
                                                   : QStringLiteral("one<CR>two<CR>"))
            << c.state;
        EXPECT_EQ(k.view.transmitText(), c.echoed ? QStringLiteral("one\ntwo\n") : QString())
            << c.state;
        EXPECT_EQ(k.modal.shown.size(), c.allowed ? 0 : 1) << c.state;
        if (!c.allowed) {
            EXPECT_EQ(k.modal.shown.last().text, QStringLiteral("Not allowed now")) << c.state;
        }
    }
}

TEST_F(FileSenderTest, LineEndsNulAndControlBytesAndUtf8)
{
    struct Case {
        QByteArray file;
        QByteArray wire;
    };
    const Case cases[] = {
        {"a\r\nb\nc\rd", "a\rb\rc\rd\r"}, // every line end, no end at the last
        {"\r\n\r\n", "\r\r"},             // empty lines stay
        {"a\r\r\nb\n\n", "a\r\rb\r\r"},
        {QByteArray("x\0y\0", 4), "xy\r"}, // NUL never reaches the wire
        {"tab\there\x04\x1b\x13\x1e!", "tab\there!\r"},
        {"Gr\xc3\xbc\xc3\x9f"
         "e",
         "Gr\x81\xe1"
         "e\r"}, // UTF-8 goes out in code page 437
        {"Gr\x81\xe1"
         "e \xff",
         "Gr\x81\xe1"
         "e \xff\r"}, // not UTF-8: already 437
        {"", ""},
    };
    for (const Case& c : cases) {
        h.wire.clear();
        sendText(1, c.file);
        EXPECT_EQ(h.wire.written(), c.wire) << c.file.toHex().toStdString();
    }
}

TEST_F(FileSenderTest, ALineLongerThanAPieceGoesOutWhole)
{
    QByteArray line;
    for (int i = 0; i < 200000; ++i)
        line.append(static_cast<char>('a' + i % 26));
    sendText(2, line + "\r\nend");
    EXPECT_EQ(h.wire.written(), line + "\rend\r");
}

TEST_F(FileSenderTest, BinaryInputSendsOnlyText)
{
    QByteArray bytes;
    for (int round = 0; round < 40; ++round)
        for (int b = 0; b < 256; ++b)
            bytes.append(static_cast<char>((b * 37 + round) & 0xff));
    sendText(3, bytes);
    for (char c : h.wire.written()) {
        const auto b = static_cast<quint8>(c);
        EXPECT_TRUE(b >= 32 || b == '\r' || b == '\t') << int(b);
    }
    EXPECT_FALSE(files.sending());
}

TEST_F(FileSenderTest, MacrosAreReplacedAndAscSendsItsControlCharacter)
{
    station().MyCallField = QStringLiteral("DL1ABC");
    station().HisName = QStringLiteral("%%MYC");
    sendText(4, "73 de %%MYCALL %%hisname\r\n%%ASCII04\r\nk\r\n");
    EXPECT_EQ(sent(), QStringLiteral("73 de DL1ABC %%MYC<CR><4> <CR>k<CR>"));
    EXPECT_EQ(h.view.transmitText(), QStringLiteral("73 de DL1ABC %%MYC\nCTRL-D\n \nk\n"));
}

TEST_F(FileSenderTest, StopSendingEndsAfterTheLineGoingOutAndClearsTheBuffer)
{
    const std::pair<const char*, std::function<void()>> stops[] = {
        {"menu entry", [this] { h.core.actions.run(QStringLiteral("MenuStopSending")); }},
        {"Escape key", [this] { h.core.keys.TransmitWindowKeyPress(27); }},
    };
    for (const auto& [how, stop] : stops) {
        h.wire.clear();
        waits.clear();
        const int beeps = h.modal.beeps;
        bool enabledWhileSending = false;
        betweenLines = [&, &stop = stop](int turn) {
            enabledWhileSending = h.view.component(QStringLiteral("MenuStopSending")).enabled;
            if (turn == 3)
                stop();
        };
        sendText(6, "l1\r\nl2\r\nl3\r\nl4\r\n");
        EXPECT_EQ(sent(), QStringLiteral("l1<CR>l2<CR><ESC>CLR<CR>")) << how;
        EXPECT_EQ(h.modal.beeps, beeps + 1) << how;
        EXPECT_TRUE(enabledWhileSending) << how;
        EXPECT_FALSE(h.view.component(QStringLiteral("MenuStopSending")).enabled) << how;
        EXPECT_FALSE(station().AbortRequested) << how;
    }
    // With nothing going out, Escape is a character for the controller again.
    h.wire.clear();
    h.core.keys.TransmitWindowKeyPress(27);
    EXPECT_EQ(sent(), QStringLiteral("<ESC>"));
}

TEST_F(FileSenderTest, XoffHoldsTheLinesUntilXonWhileThePollGoesOn)
{
    betweenLines = [this](int turn) {
        if (turn == 1)
            h.port.feed("\x13"); // read right after the first line
        if (turn >= 2 && turn <= 4)
            h.core.status.StatusAanvraagTimer();
        if (turn == 4)
            h.port.feed("\x11");
    };
    sendText(7, "l1\r\nl2\r\nl3\r\n");
    EXPECT_EQ(sent(), QStringLiteral("l1<CR><30><30><30>l2<CR>l3<CR>"));
    EXPECT_EQ(waits, (QList<bool>{false, true, true, true, false, false, false}))
        << "the loop waits for events only while held";
    EXPECT_FALSE(station().XoffReceived);
    EXPECT_EQ(h.view.component(QStringLiteral("XOnLed")).caption, QStringLiteral("XOn"));
}

TEST_F(FileSenderTest, APortLostMidFileEndsTheTransmissionQuietly)
{
    station().CqSending = true;
    betweenLines = [this](int turn) {
        if (turn == 3)
            h.port.ClosePort();
    };
    sendText(8, QByteArray("line\r\n").repeated(1000));
    EXPECT_EQ(sent(), QStringLiteral("line<CR>line<CR>")) << "no Ctrl-D to a closed port";
    EXPECT_EQ(waits.size(), 3);
    EXPECT_TRUE(h.modal.shown.isEmpty());
    EXPECT_TRUE(h.view.receiveText().isEmpty()) << "the port's own line is the driver's";
    EXPECT_FALSE(files.sending());
    EXPECT_FALSE(station().CqSending);
}

TEST_F(FileSenderTest, MissingOrUnreadableTextsAreReportedAndNothingGoesOut)
{
    QDir(dir.path()).mkdir(QStringLiteral("Orvanti.tx2"));
    dir.write(QStringLiteral("Orvanti.tx3"), "secret\r\n");
    QFile::setPermissions(dir.file(QStringLiteral("Orvanti.tx3")), QFileDevice::WriteOwner);
    const bool rootReadsAnyway =
        QFile(dir.file(QStringLiteral("Orvanti.tx3"))).open(QIODevice::ReadOnly);

    files.TransmitTextFile(9);
    EXPECT_EQ(h.modal.lastText(), QStringLiteral("File not found"));
    files.TransmitTextFile(2);
    EXPECT_TRUE(
        h.modal.lastText().endsWith(QStringLiteral("Orvanti.tx2: it is not a regular file.")))
        << h.modal.lastText().toStdString();
    h.modal.queueFileName(dir.file(QStringLiteral("gone.txt")));
    files.MenuTransmitFileClick();
    EXPECT_TRUE(h.modal.lastText().endsWith(QStringLiteral("gone.txt: the file does not exist.")));
    EXPECT_EQ(h.modal.fileDialogFolders, QStringList{station().ProgramDir});
    if (!rootReadsAnyway) {
        files.TransmitTextFile(3);
        EXPECT_TRUE(
            h.modal.lastText().contains(QStringLiteral("Permission denied"), Qt::CaseInsensitive))
            << h.modal.lastText().toStdString();
    }
    EXPECT_TRUE(h.wire.written().isEmpty());
    for (const ShownMessage& shown : h.modal.shown)
        EXPECT_EQ(shown.caption, QStringLiteral("Warning"));

    // Cancel in the file dialog sends nothing and says nothing.
    const qsizetype before = h.modal.shown.size();
    h.modal.queueFileName(QString());
    files.MenuTransmitFileClick();
    EXPECT_EQ(h.modal.shown.size(), before);
}

TEST_F(FileSenderTest, ACqTextEndsWithCtrlDAndCountsTheAutomaticRounds)
{
    struct Case {
        bool autoOn;
        quint8 countBefore;
        quint8 countAfter;
        bool running;
        bool endShown;
    };
    const Case cases[] = {
        {false, 2, 2, false, false},
        {true, 3, 2, true, false},
        {true, 1, 5, false, true},
        {true, 0, 5, false, true}, // a count already at 0 ends the round, never 255
    };
    for (const Case& c : cases) {
        h.wire.clear();
        h.view.transmit().clear();
        station().CqSending = true;
        station().AutoCqOn = c.autoOn;
        station().AutoCqCount = c.countBefore;
        station().AutoCqRepeat = 5;
        station().AutoCqRunning = false;
        sendText(1, "CQ CQ de %%MYC\r\n");
        EXPECT_EQ(sent(), QStringLiteral("CQ CQ de <CR><4>")) << int(c.countBefore);
        EXPECT_EQ(station().AutoCqCount, c.countAfter) << int(c.countBefore);
        EXPECT_EQ(station().AutoCqRunning, c.running) << int(c.countBefore);
        EXPECT_EQ(h.view.transmitText().endsWith(QStringLiteral("End of automatic CQ\n")),
                  c.endShown)
            << int(c.countBefore);
        EXPECT_FALSE(station().CqSending);
    }
}

TEST_F(FileSenderTest, Pane5ShowsWhichFileAndHowFar)
{
    QStringList shown;
    betweenLines = [&](int) { shown.append(h.view.component(QStringLiteral("Pane5")).caption); };
    sendText(1, "aaaa\nbbbb\n");
    EXPECT_EQ(shown, (QStringList{QStringLiteral("Sending file Orvanti.tx1: 0%"),
                                  QStringLiteral("Sending file Orvanti.tx1: 50%"),
                                  QStringLiteral("Sending file Orvanti.tx1: 100%")}));
    EXPECT_FALSE(h.view.component(QStringLiteral("Pane5"))
                     .caption.startsWith(QStringLiteral("Sending file")));
    EXPECT_EQ(h.view.component(QStringLiteral("Pane5")).hint, QStringLiteral("Recv/Transm."));
}

TEST_F(FileSenderTest, ASecondFileWaitsForNoneAndIsRefused)
{
    dir.write(QStringLiteral("other.txt"), "other\r\n");
    betweenLines = [this](int turn) {
        if (turn == 2)
            files.SendFile(dir.file(QStringLiteral("other.txt")));
    };
    sendText(1, "l1\r\nl2\r\n");
    EXPECT_EQ(sent(), QStringLiteral("l1<CR>l2<CR>"));
    EXPECT_EQ(h.modal.beeps, 1);
}

TEST_F(FileSenderTest, AReloadSendsItsMarkerLineAndCannotBeStopped)
{
    station().ReloadPending = true;
    dir.write(QStringLiteral("box.txt"), "###\r\nmail 1\r\n");
    betweenLines = [this](int) { files.MenuStopSendingClick(); };
    files.SendFile(dir.file(QStringLiteral("box.txt")));
    EXPECT_EQ(sent(), QStringLiteral("###<CR>mail 1<CR>"));
    EXPECT_TRUE(station().MailboxReloadActive);
    EXPECT_FALSE(station().ReloadPending);
}

// The clipboard mail, on the status timer's tick.
TEST_F(FileSenderTest, ClipboardMailGoesIntoTheMailboxAndItsFileIsRemoved)
{
    station().ClipboardMailArmed = true;
    h.view.setClipboardText(QStringLiteral("MAIL\nDL1ABC\nTest\nFirst line\nSecond line\n"));
    h.core.status.StatusAanvraagTimer();
    EXPECT_EQ(h.wire.transcript(),
              QStringLiteral("Write DL1ABC Test<CR>[100ms]First line<CR>Second line<CR><ESC>"))
        << "no status request in this tick";
    EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("MailF.ile"))));
    EXPECT_TRUE(h.view.clipboardText().isEmpty());
    EXPECT_FALSE(station().ClipboardMailArmed);
    EXPECT_EQ(h.modal.beeps, 2);
    EXPECT_EQ(h.view.component(QStringLiteral("LeesLed")).fill, Colors::Lime);

    h.wire.clear();
    h.core.status.StatusAanvraagTimer();
    EXPECT_EQ(sent(), QStringLiteral("<30>"));
}

TEST_F(FileSenderTest, ClipboardTextThatIsNoMailStaysOffTheDisk)
{
    station().ClipboardMailArmed = true;
    h.view.setClipboardText(QStringLiteral(" mail\nDL1ABC\nsecret\n"));
    h.core.status.StatusAanvraagTimer();
    EXPECT_EQ(sent(), QStringLiteral("<30>"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{});
    EXPECT_TRUE(station().ClipboardMailArmed);
}

TEST_F(FileSenderTest, TheMailFileGoesEvenWhenThePortDid)
{
    station().ClipboardMailArmed = true;
    h.view.setClipboardText(QStringLiteral("mail\r\nDL1ABC\r\nTest\r\nbody\r\n"));
    h.port.ClosePort();
    h.core.status.StatusAanvraagTimer();
    EXPECT_TRUE(h.wire.written().isEmpty());
    EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("MailF.ile"))));
}
