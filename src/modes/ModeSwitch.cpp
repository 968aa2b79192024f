#include "modes/ModeSwitch.h"

#include "app/Clock.h"
#include "app/MessageTexts.h"
#include "app/Station.h"
#include "app/View.h"
#include "link/PortLink.h"
#include "link/StatusDisplay.h"

namespace {
const QString PageControl = QStringLiteral("PageControl");
constexpr int ModeEntryPauseMs = 500;
} // namespace

ModeSwitch::ModeSwitch(Station& station, const MessageTexts& texts, PortLink& link,
                       StatusDisplay& status, View& view, Clock& clock)
    : station_(station), texts_(texts), link_(link), status_(status), view_(view), clock_(clock)
{
}

void ModeSwitch::send(const QByteArray& bytes)
{
    link_.ZendNaarPtc(bytes);
}

void ModeSwitch::MenuPactorClick()
{
    if (station_.ModeId != QLatin1String("PACTOR"))
        ZetTabNaar(ModePage::Pactor);
}

void ModeSwitch::ZetTabNaar(ModePage page)
{
    view_.setCurrentPage(PageControl, static_cast<int>(page));
    PageControlChange(static_cast<int>(page));
}

void ModeSwitch::PageControlChange(int pageIndex)
{
    if (!station_.FormReady)
        return;
    if (station_.Connected || station_.Transmitting || station_.MailboxBackupActive ||
        station_.MailboxReloadActive) {
        if (!station_.MailboxBackupActive && !station_.MailboxReloadActive)
            status_.Warning(texts_.NoChangeText);
        view_.setCurrentPage(PageControl, station_.LastPageIndex);
        return;
    }
    ZetPtcKlaar();
    switch (static_cast<ModePage>(pageIndex)) {
    case ModePage::Pactor:
        if (station_.ModeId != QLatin1String("PACTOR"))
            SwitchToPactor();
        break;
    default:
        break; // the other modes' sequences come with their toolbars
    }
    station_.LastPageIndex = pageIndex;
}

void ModeSwitch::ZetPtcKlaar()
{
    SwitchListenOff();
    station_.DumbMode = false;
    const QString& mode = station_.ModeId;
    if (mode == QLatin1String("PACKET"))
        send("PAC MON 0\r");
    if (mode == QLatin1String("PACKET") || mode == QLatin1String("AUDIO") ||
        mode == QLatin1String("CW") || mode == QLatin1String("RTTY") ||
        mode == QLatin1String("PSK31"))
        send("\x1bQ\r");
    link_.DummiRead();
    station_.ConvMode = false;
}

void ModeSwitch::SwitchListenOn()
{
    station_.TrafficState = QStringLiteral("LISTEN");
    const QString& mode = station_.ModeId;
    if (mode == QLatin1String("PACTOR"))
        send("L 1\r");
    else if (mode == QLatin1String("AMTOR"))
        send("\x1b MON\r");
    else if (mode == QLatin1String("PACKET"))
        send("\x1bMON 5\r");
}

void ModeSwitch::SwitchListenOff()
{
    station_.TrafficState = QStringLiteral("STANDBY");
    const QString& mode = station_.ModeId;
    if (mode == QLatin1String("PACTOR")) {
        send("L 0\r");
    } else if (mode == QLatin1String("AMTOR")) {
        if (station_.PtcType == PtcModel::Z80)
            send("\x1bPt\r");
        send("Q\r");
    } else if (mode == QLatin1String("PACKET")) {
        send("\x1bMON 0\r");
    }
    link_.DummiRead();
}

void ModeSwitch::SwitchToPactor()
{
    link_.ScrollNaarEnd();
    link_.StartTimers();
    if (station_.PtcType == PtcModel::Z80) {
        send("\x1b");
        link_.DummiRead();
    }
    send("Pt\r");
    clock_.sleep(ModeEntryPauseMs);
    station_.ModeId = QStringLiteral("PACTOR");
    view_.setEnabled(QStringLiteral("MenuUnpro"), true);
    view_.setEnabled(QStringLiteral("MenuAmtorFec"), false);
    view_.setEnabled(QStringLiteral("MenuBaudotTransmit"), false);
    view_.setCaption(QStringLiteral("MenuYourcall"), texts_.YourcallText);
}
