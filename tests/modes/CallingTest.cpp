// Calling a station, the call list, CQ in each mode, automatic CQ and the own call: what
// goes over the wire, in order, and what the dialogs take or refuse.

#include "CoreHarness.h"
#include "StationDir.h"
#include "modes/CallList.h"

#include <QDir>
#include <QFileInfo>
#include <functional>
#include <gtest/gtest.h>
#include <optional>

namespace {

class CallingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        h.port.OpenPort();
        h.station().FormReady = true;
        h.station().PtcType = PtcModel::II;
        h.station().ProgramDir = dir.path() + QLatin1Char('/');
        h.settings().MyCall = QStringLiteral("PA0XYZ");
        h.texts().FileNotFoundText = QStringLiteral("File not found");
        h.texts().GiveHisCallText = QStringLiteral("Give his call");
        h.texts().EndOfAutoText = QStringLiteral("End of automatic CQ");
        coreSender = calling.sendFile;
        // The file sender's part is only noted on the wire: {file name}.
        calling.sendFile = [this](const QString& path) {
            EXPECT_TRUE(h.station().CqSending);
            h.wire.write('{' + QFileInfo(path).fileName().toLatin1() + '}');
            h.station().CqSending = false;
        };
    }
    void inMode(const char* mode, bool connected = false, bool sending = false)
    {
        h.station().ModeId = modeNamed(mode);
        h.station().Connected = connected;
        h.station().Transmitting = sending;
    }
    // The connect dialog answers `call`; null is Cancel.
    void answerConnect(const char* call)
    {
        h.modal.onDialog = [this, call](Dialog dialog) {
            ASSERT_EQ(dialog, Dialog::Connect);
            EXPECT_TRUE(h.station().ReceiveHold) << "the poll waits while the dialog is open";
            shownInput = calling.connectInput;
            shownLabel = calling.connectLabel();
            call ? calling.ConnectOkKnopClick(QLatin1String(call))
                 : calling.ConnectCancelKnopClick();
        };
    }
    void answerList(std::optional<int> row)
    {
        h.modal.onDialog = [this, row](Dialog dialog) {
            ASSERT_EQ(dialog, Dialog::ListConnect);
            EXPECT_TRUE(h.station().ReceiveHold);
            row ? calling.ListOkKnopClick(*row) : calling.ListCancelKnopClick();
        };
    }

    StationDir dir;
    CoreHarness h;
    Calling& calling = h.core.calling;
    std::function<void(const QString&)> coreSender;
    QString shownInput;
    QString shownLabel;
};

QStringList strings(std::initializer_list<const char*> texts)
{
    QStringList list;
    for (const char* text : texts)
        list.append(QLatin1String(text));
    return list;
}

} // namespace

TEST(CallListTest, KeepsTheFirstFortyLinesThatAreNotBlankCutTo17)
{
    QByteArray file = "DL1ABC,DB0XYZ\r\n"
                      "\r\n"
                      "   \r\n"
                      "PA0ZZZ\n"                 // a line feed alone ends a line too
                      "DL2ABC,DB0ABC-DB0XYZ\r\n" // 20 characters
                      "ON4AAA\r";
    for (int i = 5; i <= 45; ++i)
        file += "G" + QByteArray::number(i) + "AA\r\n";
    const QStringList entries = CallList::parse(file);
    ASSERT_EQ(entries.size(), 40);
    EXPECT_EQ(entries.mid(0, 5),
              strings({"DL1ABC,DB0XYZ", "PA0ZZZ", "DL2ABC,DB0ABC-DB0", "ON4AAA", "G5AA"}));
    EXPECT_EQ(entries.last(), QStringLiteral("G40AA")) << "lines after the 40th are left";

    EXPECT_EQ(CallList::connectCall(entries[2]), QStringLiteral("DL2ABC,DB0ABC-DB"));
    EXPECT_EQ(CallList::callOf(entries[2]), QStringLiteral("DL2ABC"));
    EXPECT_EQ(CallList::callOf(entries[1]), QStringLiteral("PA0ZZZ"));
    EXPECT_TRUE(CallList::parse("\r\n\r\n").isEmpty());
}

TEST(CallListTest, EitherSpellingIsFoundAndTheCapitalOneWins)
{
    StationDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    EXPECT_EQ(CallList::find(folder), QString());
    dir.write(QStringLiteral("Orvanti.cal"), "PA0ZZZ\r\n");
    EXPECT_EQ(CallList::find(folder), folder + QStringLiteral("Orvanti.cal"));
    dir.write(QStringLiteral("Orvanti.CAL"), "PA0ZZZ\r\n");
    EXPECT_EQ(CallList::find(folder), folder + QStringLiteral("Orvanti.CAL"));
}

TEST_F(CallingTest, ConnectSendsTheCallInTheFormTheLinkNeeds)
{
    const struct {
        const char* mode;
        bool connected;
        const char* typed; // null for Cancel
        const char* wire;
        const char* hisCall;
        const char* lastCalled;
        const char* label;
    } rows[] = {
        {"PACTOR", false, "dl1abc ", "<ESC>C DL1ABC<CR>", "DL1ABC", "DL1ABC", "Connect To:"},
        {"PACTOR", true, "DL1ABC", "C DL1ABC<CR>", "DL1ABC", "DL1ABC", "Connect To:"},
        {"AMTOR", true, "DL1A", "C DL1A<CR>", "DL1A", "DL1A", "Give his call"},
        {"PACKET", false, "DB0XYZ", "<ESC>C DB0XYZ<CR>", "DB0XYZ", "DB0XYZ", "Connect To:"},
        // Cancel forgets the other station; only the modes without links take a call
        // without calling.
        {"PACTOR", false, nullptr, "", "", "PREVIOUS", "Connect To:"},
        {"RTTY", false, "DL1ABC", "", "DL1ABC", "PREVIOUS", "Give his call"},
        {"CW", false, "DL1ABC", "", "DL1ABC", "PREVIOUS", "Give his call"},
        {"PSK31", false, "DL1ABC", "", "DL1ABC", "PREVIOUS", "Give his call"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.mode) + " " + row.wire);
        h.wire.clear();
        const int purges = h.port.purges();
        inMode(row.mode, row.connected);
        h.station().HisCall = QStringLiteral("OLD");
        h.station().LastCalled = QStringLiteral("PREVIOUS");
        h.station().TrafficState = QStringLiteral("STANDBY");
        h.station().RxChunk = "read, not shown";
        answerConnect(row.typed);
        calling.MenuCallAstationClick();

        EXPECT_EQ(shownInput, QStringLiteral("PREVIOUS"));
        EXPECT_EQ(shownLabel, QLatin1String(row.label));
        EXPECT_EQ(h.wire.transcript(), QLatin1String(row.wire));
        EXPECT_EQ(h.station().HisCall, QLatin1String(row.hisCall));
        EXPECT_EQ(h.station().LastCalled, QLatin1String(row.lastCalled));
        EXPECT_FALSE(h.station().ReceiveHold);
        const bool called = *row.wire != '\0';
        EXPECT_EQ(h.port.purges() - purges, called ? 1 : 0);
        EXPECT_EQ(h.station().TrafficState, QLatin1String(called ? "CALLING" : "STANDBY"));
        // Bytes read before an ESC call are not shown after it.
        EXPECT_EQ(h.station().RxChunk.isEmpty(), called && !row.connected);
    }
    EXPECT_TRUE(h.view.component(QStringLiteral("PacketDisconnect")).enabled);
}

TEST_F(CallingTest, TheListCallsTheWholeEntryAndKnowsTheCallBeforeTheComma)
{
    dir.write(QStringLiteral("Orvanti.CAL"), "DL1ABC,DB0XYZ\r\n"
                                             "\r\n"
                                             "PA0ZZZ\r\n"
                                             "DL2ABC,DB0ABC-DB0XYZ\r\n");
    const struct {
        std::optional<int> row;
        bool connected;
        const char* wire;
        const char* hisCall;
        const char* lastCalled;
    } rows[] = {
        {0, false, "<ESC>C DL1ABC,DB0XYZ<CR>", "DL1ABC", "DL1ABC,DB0XYZ"},
        {1, true, "C PA0ZZZ<CR>", "PA0ZZZ", "PA0ZZZ"},
        {2, false, "<ESC>C DL2ABC,DB0ABC-DB<CR>", "DL2ABC", "DL2ABC,DB0ABC-DB"},
        {-1, false, "", "", ""}, // Ok with nothing picked
        {std::nullopt, false, "", "", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.wire);
        h.wire.clear();
        const int purges = h.port.purges();
        inMode("PACTOR", row.connected);
        answerList(row.row);
        calling.MenuCallAListStationClick();
        EXPECT_EQ(calling.callList, strings({"DL1ABC,DB0XYZ", "PA0ZZZ", "DL2ABC,DB0ABC-DB0"}));
        EXPECT_EQ(h.wire.transcript(), QLatin1String(row.wire));
        EXPECT_EQ(h.station().HisCall, QLatin1String(row.hisCall));
        EXPECT_EQ(h.station().LastCalled, QLatin1String(row.lastCalled));
        EXPECT_EQ(h.port.purges() - purges, *row.wire ? 2 : 1);
        EXPECT_FALSE(h.station().ReceiveHold);
    }
    EXPECT_TRUE(h.modal.shown.isEmpty());
}

TEST_F(CallingTest, EachModesCqStartsItsTransmissionUnlessItIsOnAndSendsItsText)
{
    for (const char* file :
         {"Orvanti.CQP", "Orvanti.CQA", "Orvanti.CQB", "Orvanti.CQC", "Orvanti.CPS"})
        dir.write(QLatin1String(file), "CQ CQ de %%MYCALL\r\n");
    const struct {
        const char* mode;
        bool sending;
        const char* wire;
        const char* pressed;
    } rows[] = {
        {"PACTOR", false, "U 1<CR>{Orvanti.CQP}", "PactorUnpro"},
        {"PACTOR", true, "{Orvanti.CQP}", "PactorUnpro"},
        {"AMTOR", false, "<ESC>FEC<CR>{Orvanti.CQA}", "AmtorFec"},
        {"AMTOR", true, "{Orvanti.CQA}", "AmtorFec"},
        {"RTTY", false, "<25>{Orvanti.CQB}", "rttyTransmit"},
        {"RTTY", true, "{Orvanti.CQB}", "rttyTransmit"},
        {"CW", true, "<25>[1000ms]<25>{Orvanti.CQC}", nullptr}, // CW keys up each time
        {"PSK31", false, "<25>{Orvanti.CPS}", "PskTransmit"},
        {"PSK31", true, "{Orvanti.CPS}", "PskTransmit"},
        {"PACKET", false, "", nullptr},
        {"AUDIO", false, "", nullptr},
        {"DUMB", false, "", nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.mode) + (row.sending ? " sending" : ""));
        h.wire.clear();
        inMode(row.mode, false, row.sending);
        h.station().TrafficState = QStringLiteral("STANDBY");
        calling.MenuCallCQClick(); // F8: the CQ of the mode
        EXPECT_EQ(h.wire.transcript(), QLatin1String(row.wire));
        if (row.pressed) {
            EXPECT_TRUE(h.view.component(QLatin1String(row.pressed)).checked);
            h.view.setChecked(QLatin1String(row.pressed), false);
        }
        EXPECT_FALSE(h.station().CqSending);
    }
    EXPECT_TRUE(h.modal.shown.isEmpty());
}

TEST_F(CallingTest, AMissingOrUnreadableFileIsReportedAndNothingIsSent)
{
    const struct {
        const char* file;
        std::function<void(Calling&)> action;
    } rows[] = {
        {"Orvanti.CAL", [](Calling& c) { c.MenuCallAListStationClick(); }},
        {"Orvanti.CQP", [](Calling& c) { c.PactorCQClick(); }},
        {"Orvanti.CQA", [](Calling& c) { c.AmtorCQClick(); }},
        {"Orvanti.CQB", [](Calling& c) { c.RttyCQClick(); }},
        {"Orvanti.CQC", [](Calling& c) { c.CwCQClick(); }},
        {"Orvanti.CPS", [](Calling& c) { c.PskCQClick(); }},
    };
    answerList(0);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.file);
        const QString name = QLatin1String(row.file);
        row.action(calling);
        EXPECT_EQ(h.modal.lastText(), QStringLiteral("File not found: ") + dir.file(name));
        ASSERT_TRUE(QDir(dir.path()).mkdir(name)); // there, but no file to read
        row.action(calling);
        EXPECT_TRUE(h.modal.lastText().startsWith(QStringLiteral("Cannot read ") + dir.file(name)))
            << h.modal.lastText().toStdString();
    }
    EXPECT_EQ(h.modal.shown.size(), 12);
    EXPECT_TRUE(h.modal.dialogs.isEmpty());
    EXPECT_TRUE(h.wire.events().empty());
    EXPECT_EQ(h.port.purges(), 0);
    EXPECT_FALSE(h.station().CqSending);
    EXPECT_FALSE(h.view.component(QStringLiteral("PactorUnpro")).checked);
}

TEST_F(CallingTest, TheAutoCqDialogRefusesValuesOutsideOneTo255AndKeepsTheLastGoodOnes)
{
    const QTimer& timer = h.core.cqTimer();
    const struct {
        const char* delay;
        const char* repeat;
        const char* field;
    } refused[] = {
        {"0", "3", "AutoCq Delay"},  {"256", "3", "AutoCq Delay"},   {"30s", "3", "AutoCq Delay"},
        {"", "3", "AutoCq Delay"},   {"-5", "3", "AutoCq Delay"},    {"30", "0", "Repeat times"},
        {"30", "x", "Repeat times"}, {"30", "1000", "Repeat times"},
    };
    for (const auto& row : refused) {
        SCOPED_TRACE(std::string(row.delay) + "/" + row.repeat);
        EXPECT_FALSE(
            calling.CqOkKnopClick(true, QLatin1String(row.delay), QLatin1String(row.repeat)));
        EXPECT_TRUE(h.modal.lastText().startsWith(QLatin1String(row.field)));
        EXPECT_TRUE(h.modal.lastText().contains(QStringLiteral("from 1 to 255")));
        EXPECT_FALSE(h.station().AutoCqOn);
        EXPECT_EQ(timer.interval(), 1000);
        EXPECT_EQ(calling.autoCqDelayText, QStringLiteral("30"));
    }

    EXPECT_TRUE(calling.CqOkKnopClick(true, QStringLiteral(" 255 "), QStringLiteral("1")));
    EXPECT_EQ(timer.interval(), 255000);
    EXPECT_EQ(h.station().AutoCqCount, 1);
    EXPECT_EQ(h.station().AutoCqRepeat, 1);
    EXPECT_EQ(calling.autoCqDelayText, QStringLiteral("255"));
    EXPECT_TRUE(h.station().AutoCqOn);
    EXPECT_TRUE(h.wire.events().empty()) << "the dialog itself sends nothing";
}

TEST_F(CallingTest, TheAutoCqMenuTakesTheControllerOutOfNavtexIntoPactor)
{
    h.behaveLikeController();
    inMode("RTTY");
    h.settings().NavtexActive = true;
    h.modal.onDialog = [](Dialog dialog) { ASSERT_EQ(dialog, Dialog::AutoCq); }; // Cancel
    calling.MenuAutoCQClick();
    // Reception off, PACTOR, the PACTOR page (which readies the controller), a drain.
    EXPECT_EQ(h.wire.transcript(), QStringLiteral("Nav Amtex 0<CR>Nav 0<CR>[200ms]Pt<CR>[500ms]"
                                                  "L 0<CR>[600ms]"));
    EXPECT_EQ(h.station().ModeId, Mode::Pactor);
    EXPECT_EQ(h.view.component(QStringLiteral("PageControl")).page, 0);
    EXPECT_FALSE(h.settings().NavtexActive);
    EXPECT_FALSE(h.station().AutoCqOn);
}

// The CQ text goes out through the core's own file sender here, which sends Ctrl-D at
// its end and counts the automatic calls down.
TEST_F(CallingTest, AutoCqWithRepeat3AndDelay30CallsTwiceMoreAtTheTicksThenStops)
{
    calling.sendFile = coreSender;
    Station& station = h.station();
    dir.write(QStringLiteral("Orvanti.CQP"), "CQ CQ CQ de PA0XYZ\r\n");
    const QTimer& timer = h.core.cqTimer();

    ASSERT_TRUE(calling.CqOkKnopClick(true, QStringLiteral("30"), QStringLiteral("3")));
    EXPECT_FALSE(timer.isActive());
    calling.keepCqTimerRunning(); // the housekeeping tick
    ASSERT_TRUE(timer.isActive());
    EXPECT_EQ(timer.interval(), 30000);

    const QString cq = QStringLiteral("U 1<CR>CQ CQ CQ de PA0XYZ<CR><4>");
    calling.PactorCQClick(); // the operator's
    EXPECT_EQ(h.wire.transcript(), cq);
    EXPECT_TRUE(station.AutoCqRunning);
    EXPECT_EQ(station.AutoCqCount, 2);

    // Not while this station sends or a link is up.
    h.wire.clear();
    station.Transmitting = true;
    calling.CqTimer();
    station.Transmitting = false;
    station.Connected = true;
    calling.CqTimer();
    station.Connected = false;
    EXPECT_TRUE(h.wire.events().empty());

    for (int tick = 1; tick <= 3; ++tick) {
        h.clock.advance(timer.interval());
        calling.CqTimer();
    }
    EXPECT_EQ(h.wire.transcript(), cq + cq) << "two more, the third tick finds it stopped";
    EXPECT_FALSE(station.AutoCqRunning);
    EXPECT_EQ(station.AutoCqCount, 3) << "ready for the next round";
    EXPECT_TRUE(h.view.transmitText().endsWith(QStringLiteral("End of automatic CQ\n")));

    // "Off" stops the timer at once, and housekeeping leaves it off.
    calling.AutoCqOffClick();
    calling.keepCqTimerRunning();
    EXPECT_FALSE(timer.isActive());
}

TEST_F(CallingTest, OwnCallSelCallAndIdGoWhereTheModeAndEntrySay)
{
    h.settings().SelCall = QStringLiteral("PXYZ");
    h.settings().IdString = QStringLiteral("PA0XYZ/P");
    h.view.setCaption(QStringLiteral("MenuYourcall"), QStringLiteral("&Your selcall"));
    h.view.setCaption(QStringLiteral("MenuYourID"), QStringLiteral("Your ID"));
    const struct {
        const char* mode;
        bool id;
        const char* typed; // null for Cancel
        const char* shown;
        const char* label;
        const char* wire;
        const char* myCall;
        const char* selCall;
        const char* idString;
    } rows[] = {
        {"AMTOR", false, "pabc", "PXYZ", "&Your selcall", "MYS PABC<CR>", "PA0XYZ", "PABC",
         "PA0XYZ/P"},
        {"PACTOR", false, "pa1abc", "PA0XYZ", "&Your selcall", "MYC PA1ABC<CR>", "PA1ABC", "PABC",
         "PA0XYZ/P"},
        {"RTTY", false, nullptr, "PA1ABC", "&Your selcall", "", "PA1ABC", "PABC", "PA0XYZ/P"},
        {"PACTOR", false, "", "PA1ABC", "&Your selcall", "", "PA1ABC", "PABC", "PA0XYZ/P"},
        {"AMTOR", true, "pa1abc/mm", "PA0XYZ/P", "Your ID", "", "PA1ABC", "PABC", "PA1ABC/MM"},
        {"PACTOR", true, nullptr, "PA1ABC/MM", "Your ID", "", "PA1ABC", "PABC", "PA1ABC/MM"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.mode) + (row.id ? " id" : " call"));
        h.wire.clear();
        inMode(row.mode);
        QString shown;
        QString label;
        h.modal.onDialog = [&](Dialog dialog) {
            ASSERT_EQ(dialog, Dialog::Yourcall);
            EXPECT_TRUE(h.station().ReceiveHold);
            shown = calling.yourcallFieldText();
            label = calling.yourcallLabel;
            row.typed ? calling.YourcallOkKnopClick(QLatin1String(row.typed))
                      : calling.YourcallCancelKnopClick();
        };
        row.id ? calling.MenuYourIDClick() : calling.MenuYourcallClick();
        EXPECT_EQ(shown, QLatin1String(row.shown));
        EXPECT_EQ(label, QLatin1String(row.label));
        EXPECT_EQ(h.wire.transcript(), QLatin1String(row.wire));
        EXPECT_EQ(h.settings().MyCall, QLatin1String(row.myCall));
        EXPECT_EQ(h.settings().SelCall, QLatin1String(row.selCall));
        EXPECT_EQ(h.settings().IdString, QLatin1String(row.idString));
        EXPECT_FALSE(h.station().ReceiveHold);
    }
    EXPECT_EQ(h.station().MyCallField, QStringLiteral("PA1ABC")) << "the %%MYCALL text follows";
}
