// The window's action table: every name does something of its own, and the names that
// share a handler do exactly the same thing.

#include "CoreHarness.h"
#include "StationDir.h"

#include <QSet>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

// Names that run one handler between them: from the same start they leave the same
// trace. Any other two names must leave different traces.
const std::vector<const char*> Aliases[] = {
    {"MenuStandby", "PactorStandby", "AmtorStandby"},
    {"MenuToggleListen", "PactorListen", "AmtorListen"},
    {"MenuDisconnect", "PactorDisconnect", "AmtorDisConnect", "PopUpDisconnect"},
    {"MenuHardDisconnect", "PactorHardDisconnect", "AmtorHardDisconnect"},
    {"MenuAmtorFec", "AmtorFec"},
    {"Sub_MenuPacketPort1", "PacketPort1"},
    {"Sub_MenuPacketPort2", "PacketPort2"},
    {"Sub_Menu100BdFSK", "PactorUnpro"},
    {"MenuChangeOver", "PopupCho", "SpeedCho"},
    {"MenuSendHiscalldeMycall", "PopUpHisdeMy", "SpeedHiscall"},
    {"MenuSendHiscalldeMycallCho", "PopUpHisdeMyCHO"},
    {"MenuClearTxScreen", "PopUpClearTxScreen", "SpeedTxClear"},
    {"PopUpClearRxScreen1", "SpeedRxClear"},
    {"AmtorWout", "RttyWout", "CwWout", "PskWout"},
    {"MenuAudioCW", "AudioConfig"},
    {"CwRxAuto", "PskReset"},        // both Ctrl-F
    {"Swedish", "Norwegian"},        // no texts of their own: only the mark is set again
    {"rttyTransmit", "PskTransmit"}, // the same change-over byte
    {"MenuTransmitFile", "XmitFile"},
    {"MenuCallAstation", "PactorConnect", "AmtorConnect", "PacketConnect", "RttyHisCall",
     "CwHisCall", "PskHisCall", "PopUpCallaStation"},
    {"MenuCallAListStation", "PactorListConnect", "AmtorListConnect", "PacketListConnect",
     "PopUpCallfromList"},
    {"MenuCallCQ", "PactorCQ"}, // F8 in PACTOR
    {"MenuOpenLogFile", "OpenLogFile", "PopUpOpenLogFile1"},
    {"PopUpSaveReceiveBuffer1", "SaveBuffer"},
    {"AmtexOn", "MenuAmtexOn"},
    {"NavtexOn", "MenuNavtexOn"},
    {"NavtexOff", "MenuNavtexOff"},
    {"NavtexMsgType", "MenuNavtexMsgType"},
    {"NavtexArea", "MenuNavtexArea"},
    {"NavtexTime", "MenuNavtexTime"},
};

// Where an action starts when the common start (PACTOR, no link) would leave it idle.
struct Start {
    const char* mode;
    bool connected;
    std::vector<const char*> names;
};
const Start Starts[] = {
    {"AMTOR", false, {"MenuAmtorFec", "AmtorFec", "MenuPactor"}},
    {"RTTY", false, {"MenuBaudotTransmit"}},
    {"PACTOR",
     true,
     {"MenuSendHiscalldeMycall", "PopUpHisdeMy", "SpeedHiscall", "MenuSendHiscalldeMycallCho",
      "PopUpHisdeMyCHO", "MenuTransmitFile", "XmitFile", "MenuTransmitText1", "MenuTransmitText2",
      "MenuTransmitText3", "MenuTransmitText4", "MenuTransmitText5", "MenuTransmitText6",
      "MenuTransmitText7", "MenuTransmitText8", "MenuTransmitText9"}},
};

// A station folder with the prepared texts 1..9, each saying its number.
QString preparedTextsFolder()
{
    static StationDir dir;
    static const QString folder = []() -> QString {
        for (int n = 1; n <= 9; ++n)
            dir.write(FileSender::preparedTextName(n), "text " + QByteArray::number(n) + "\r\n");
        return dir.path() + QLatin1Char('/');
    }();
    return folder;
}

// One action run on a core of its own, from the same start for every name; none for an
// empty name.
QString traceOf(const QString& name)
{
    auto h = std::make_unique<CoreHarness>();
    h->behaveLikeController();
    h->port.OpenPort();
    h->station().FormReady = true;
    h->station().PtcType = PtcModel::II;
    h->station().ModeId = Mode::Pactor;
    for (const Start& start : Starts)
        for (const char* starter : start.names)
            if (name == QLatin1String(starter)) {
                h->station().ModeId = modeNamed(start.mode);
                h->station().Connected = start.connected;
            }
    // The Z80 model answers Rtty "Receive" with its own byte.
    if (name == Name::RttyReceive)
        h->station().PtcType = PtcModel::Z80;
    h->station().HisCall = QStringLiteral("DL1ABC");
    // Reading back, so going to the end before a clear shows.
    h->station().ScrollBack = true;
    h->settings().MyCall = QStringLiteral("PA0XYZ");
    h->view.receiveSelection = QStringLiteral("DL2XYZ");
    h->view.setTransmitSelection(QStringLiteral("hello"));
    h->view.setClipboardText(QStringLiteral("clip"));
    h->view.appendLine(QStringLiteral("received"));
    h->view.transmit().appendLine(QStringLiteral("typed"));
    if (name == Name::MenuCloseLogFile) { // it closes only an open capture
        static StationDir captures;
        h->modal.queueFileName(captures.path() + QStringLiteral("/Orvanti.log"));
        h->core.capture.MenuOpenLogFileClick();
    }
    h->modal.queueInput(QStringLiteral("45"));
    h->modal.queueFileName(QString()); // Cancel
    h->modal.queueFont(FontChoice{QStringLiteral("Mono"), 9, true, false, 0x123456});
    h->modal.queueColor(0x654321);
    if (name.startsWith(QLatin1String("MenuTransmit")) || name == QLatin1String("XmitFile"))
        h->station().ProgramDir = preparedTextsFolder();
    const QString before = h->view.describe();
    const QString wireBefore = h->wire.transcript();

    if (name == QLatin1String("MenuStopSending")) {
        // It acts only while a file goes out: between the lines of one.
        h->station().Connected = true;
        h->station().ProgramDir = preparedTextsFolder();
        h->core.files.processEvents = [&h, &name](bool) { EXPECT_TRUE(h->core.actions.run(name)); };
        h->core.files.TransmitTextFile(1);
    } else if (!name.isEmpty()) {
        EXPECT_TRUE(h->core.actions.run(name)) << "no action named " << name.toStdString();
    }

    QString trace = h->wire.transcript().mid(wireBefore.size()) + QLatin1Char('\n');
    if (h->view.describe() != before)
        trace += h->view.describe();
    for (const ShownMessage& shown : h->modal.shown)
        trace += QStringLiteral("message ") + shown.text + QLatin1Char('\n');
    for (const Dialog dialog : h->modal.dialogs)
        trace += QStringLiteral("dialog %1\n").arg(int(dialog));
    for (const QString& folder : h->modal.fileDialogFolders)
        trace += QStringLiteral("file dialog in ") + folder + QLatin1Char('\n');
    for (const ShownMessage& input : h->modal.inputs)
        trace += QStringLiteral("input ") + input.text + QLatin1Char('\n');
    for (const FontRequest& font : h->modal.fontRequests)
        trace += QStringLiteral("font dialog from %1 %2 to %3 pt\n")
                     .arg(font.start.family)
                     .arg(font.minPoints)
                     .arg(font.maxPoints);
    const Settings& s = h->settings();
    trace +=
        QStringLiteral("fonts %1 %2 %3 %4 %5 colours %6 %7 %8 %9 %10 %11 %12\n")
            .arg(s.RxFontName, s.TxFontName, s.TabFontName, s.StatusFontName, s.LogBookFontName)
            .arg(s.SystemTextColor)
            .arg(s.ReceiveTextColor)
            .arg(s.DelayTextColor)
            .arg(s.PromptColor)
            .arg(s.RxWindowColor)
            .arg(s.TxWindowColor)
            .arg(s.ReceiveBarColor);
    trace += QStringLiteral("his name ") + h->station().HisName;
    trace += QStringLiteral(" squelch %1 cw speed %2 filter %3")
                 .arg(h->station().SquelchOn)
                 .arg(h->settings().CwTxSpeed)
                 .arg(h->station().AudioFilter);
    trace += QStringLiteral(" own-call dialog id %1").arg(h->core.calling.YourIdMode);
    return trace;
}

} // namespace

TEST(ActionTableTest, EveryNameDoesItsOwnWorkAndAliasesTheSame)
{
    CoreHarness idle;
    EXPECT_FALSE(idle.core.actions.run(QStringLiteral("MenuNoSuchItem")));
    const QString nothing = traceOf(QString());

    QHash<QString, QString> aliasOf; // name -> first name of its group
    for (const auto& group : Aliases)
        for (const char* name : group) {
            EXPECT_TRUE(idle.core.actions.contains(QLatin1String(name))) << name;
            aliasOf.insert(QLatin1String(name), QLatin1String(group.front()));
        }

    QHash<QString, QString> byTrace; // trace -> first name that left it
    for (const QString& name : idle.core.actions.names()) {
        const QString trace = traceOf(name);
        EXPECT_TRUE(trace != nothing) << name.toStdString() << " did nothing";
        const QString group = aliasOf.value(name, name);
        const auto seen = byTrace.constFind(trace);
        if (seen == byTrace.constEnd())
            byTrace.insert(trace, name);
        else
            EXPECT_TRUE(aliasOf.value(*seen, *seen) == group)
                << name.toStdString() << " does what " << seen->toStdString() << " does";
    }
    // Each alias group left one trace, every other name one of its own.
    QSet<QString> groups;
    for (const QString& name : idle.core.actions.names())
        groups.insert(aliasOf.value(name, name));
    EXPECT_EQ(byTrace.size(), groups.size()) << "an alias group left traces of its own";
}
