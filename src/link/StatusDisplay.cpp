#include "link/StatusDisplay.h"

#include "app/MessageTexts.h"
#include "app/Modal.h"
#include "app/Settings.h"
#include "app/Station.h"
#include "app/View.h"
#include "link/PortLink.h"

namespace {
constexpr char StatusRequest = 30;
}

StatusDisplay::StatusDisplay(Station& station, Settings& settings, const MessageTexts& texts,
                             PortLink& link, View& view, ReceiveView& receiveWindow, Modal& modal)
    : station_(station), settings_(settings), texts_(texts), link_(link), view_(view),
      receiveWindow_(receiveWindow), modal_(modal)
{
}

void StatusDisplay::StatusAanvraagTimer()
{
    if (station_.DecoderBusy || station_.MailboxBackupActive || station_.MailboxReloadActive ||
        station_.ScrollBack || station_.ReceiveHold)
        return;
    // A request while bytes wait would pile answers onto unread text.
    if (station_.ModeId != QLatin1String("PACKET") && link_.bytesWaiting() == 0)
        link_.ZendNaarPtc(QByteArray(1, StatusRequest));
}

void StatusDisplay::ErrorTimer()
{
    receiveWindow_.setFrozenCopyInFront(station_.MenuHold);
}

void StatusDisplay::DiskLed(int state)
{
    if (state != 0 && state != 1)
        return;
    const QString led = QStringLiteral("LeesLed");
    view_.setLamp(led, state == 1);
    view_.redraw(led);
}

void StatusDisplay::Warning(const QString& text)
{
    modal_.message(texts_.Warningtext, text);
}

void StatusDisplay::ZetTransmitbalkTerug()
{
    const QString bar = QStringLiteral("Transmitbalk");
    view_.setCaption(bar, TransmitbalkCaption);
    view_.setColors(bar, settings_.ReceiveBarColor, Colors::Black);
    view_.redraw(bar);
    settings_.MaildropOn = false;
}
