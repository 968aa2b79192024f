#include "link/StatusDisplay.h"

#include "base/ComponentNames.h"
#include "base/MessageTexts.h"
#include "base/Modal.h"
#include "base/Settings.h"
#include "base/Station.h"
#include "base/View.h"
#include "link/PortLink.h"

namespace {

constexpr char StatusRequest = 30;
constexpr int TransmitWindowLimit = 4000;

const QString Calling = QStringLiteral("CALLING");
// The components a status reply sets; made once, as replies come with every block.
const QString Pane1 = Name::Pane1;
const QString Pane2 = Name::Pane2;
const QString Pane3 = Name::Pane3;
const QString Pane4 = Name::Pane4;
const QString Pane5 = Name::Pane5;
const QString LogLed = Name::logLed;
const QString Receivebar = Name::Receivebar;
const QString SpeedHiscall = Name::SpeedHiscall;
const QString AmtorFec = Name::AmtorFec;
const QString AmtorListen = Name::AmtorListen;
const QString AmtorStandby = Name::AmtorStandby;
const QString PactorListen = Name::PactorListen;
const QString PactorStandby = Name::PactorStandby;
const QString PactorUnpro = Name::PactorUnpro;
const QString RttyReceive = Name::RttyReceive;
const QString rttyTransmit = Name::rttyTransmit;

QString bitsAsText(quint8 statusByte, int highBit)
{
    QString digits;
    for (int bit = highBit; bit > highBit - 3; --bit)
        digits.append(statusByte & (1u << bit) ? QLatin1Char('1') : QLatin1Char('0'));
    return digits;
}

} // namespace

QString modeField(quint8 statusByte)
{
    return bitsAsText(statusByte, 6);
}

QString trafficField(quint8 statusByte)
{
    return bitsAsText(statusByte, 2);
}

StatusDisplay::StatusDisplay(Station& station, Settings& settings, const MessageTexts& texts,
                             PortLink& link, View& view, ReceiveView& receiveWindow,
                             TransmitView& transmitWindow, Modal& modal)
    : station_(station), settings_(settings), texts_(texts), link_(link), view_(view),
      receiveWindow_(receiveWindow), transmitWindow_(transmitWindow), modal_(modal)
{
}

void StatusDisplay::StatusAanvraagTimer()
{
    // From the backup's request on: a status reply inside the dump is no mailbox text.
    if (station_.DecoderBusy || station_.MailboxBackupRequested || station_.MailboxBackupActive ||
        station_.MailboxReloadActive || station_.ScrollBack || station_.ReceiveHold)
        return;
    if (clipboardMail && clipboardMail())
        return;
    if (station_.modeIs(Mode::Packet))
        return;
    // A request while bytes wait would pile answers onto unread text. It is kept for
    // the moment they are read, so a steady trickle of echo cannot starve the status
    // line for as long as the controller sends.
    requestDeferred_ = link_.bytesWaiting() > 0;
    if (!requestDeferred_)
        link_.ZendNaarPtc(QByteArray(1, StatusRequest));
}

void StatusDisplay::sendDeferredRequest()
{
    if (requestDeferred_)
        StatusAanvraagTimer();
}

void StatusDisplay::showStatusByte(quint8 statusByte)
{
    takeStatusByte(statusByte);
    StatusLine();
}

void StatusDisplay::takeStatusByte(quint8 statusByte)
{
    station_.Transmitting = (statusByte & 0x08) != 0;
    station_.ModeText = MakeModeStatus(modeField(statusByte));
    station_.TrafficState = station_.ModeText;
    station_.TrafficText = MakeTrafficStatus(trafficField(statusByte));
}

QString StatusDisplay::MakeModeStatus(const QString& field)
{
    if (station_.modeIs(Mode::Audio)) {
        const QString& filter = station_.AudioFilterName;
        if (filter == QLatin1String("CWFILTER"))
            return QStringLiteral("CW FILTER");
        if (filter == QLatin1String("THROUGH"))
            return texts_.Filtertext;
        if (filter == QLatin1String("NOTCH"))
            return QStringLiteral("NOTCH FILTER");
        if (filter == QLatin1String("PEAK"))
            return QStringLiteral("PEAK FILTER");
        return QString();
    }
    const bool pactor = station_.modeIs(Mode::Pactor);
    const bool amtor = station_.modeIs(Mode::Amtor);
    const auto press = [this](const QString& button, bool pressed) {
        view_.setChecked(button, pressed);
    };
    if (field == QLatin1String("000")) {
        station_.Connected = false;
        if (station_.TrafficState == Calling) {
            view_.setCaption(Pane2, texts_.Callingtext);
            return Calling;
        }
        return QStringLiteral("STANDBY");
    }
    if (field == QLatin1String("001") || field == QLatin1String("010")) {
        station_.Connected = true;
        station_.AutoCqRunning = false;
        station_.AutoCqCount = 0;
        return QStringLiteral("CONNECT");
    }
    station_.Connected = false;
    if (field == QLatin1String("011")) {
        press(AmtorFec, true);
        press(AmtorStandby, false);
        press(AmtorListen, false);
        return QStringLiteral("FEC");
    }
    if (field == QLatin1String("100")) {
        press(PactorUnpro, true);
        press(PactorStandby, false);
        press(PactorListen, false);
        return QStringLiteral("UNPRO(L)");
    }
    if (field == QLatin1String("101")) {
        const bool sending = station_.Transmitting;
        press(RttyReceive, !sending);
        view_.setEnabled(RttyReceive, sending);
        press(rttyTransmit, sending);
        view_.setEnabled(rttyTransmit, !sending);
        return QStringLiteral(" ");
    }
    station_.HisCall.clear();
    if (field == QLatin1String("110")) {
        if (pactor) {
            press(PactorUnpro, false);
            press(PactorStandby, false);
            press(PactorListen, true);
        } else if (amtor) {
            press(AmtorFec, false);
            press(AmtorStandby, false);
            press(AmtorListen, true);
        }
        return QStringLiteral("LISTEN");
    }
    // "111"
    if (pactor)
        press(PactorStandby, true);
    else if (amtor)
        press(AmtorStandby, true);
    return QStringLiteral("STANDBY");
}

QString StatusDisplay::MakeTrafficStatus(const QString& field)
{
    struct Traffic {
        const char* field;
        const char* text;
        Color fill;
        Color textColor;
        bool recolour;
    };
    static const Traffic table[] = {
        {"000", "ERROR", Colors::Red, Colors::White, true},
        {"001", "REQUEST", Colors::Yellow, Colors::Black, true},
        {"010", "TRAFFIC", Colors::Lime, Colors::Black, true},
        {"011", "IDLE", Colors::Lime, Colors::Black, true},
        {"100", "OVER", 0, 0, false},
        {"101", "PHASE", 0, 0, false},
        {"110", "SYNC", 0, 0, false},
    };
    for (const Traffic& row : table) {
        if (field != QLatin1String(row.field))
            continue;
        if (row.recolour)
            view_.setColors(Pane4, row.fill, row.textColor);
        return QLatin1String(row.text);
    }
    view_.setFillColor(Pane4, Colors::Silver);
    return QString();
}

void StatusDisplay::StatusLine()
{
    const bool calling = station_.TrafficState == Calling;
    if (!station_.modeIs(Mode::Cw) && !calling) {
        view_.setCaption(Pane2, station_.ModeText);
        if (station_.Connected)
            view_.setColors(Pane2, Colors::Red, Colors::White);
        else
            view_.setColors(Pane2, Colors::Silver, Colors::Black);
        view_.redraw(Pane2);
    }
    if (station_.modeIs(Mode::Psk31)) {
        view_.setCaption(Pane2, station_.SquelchOn ? texts_.Squelchtex2 : texts_.Squelchtext1);
        view_.setCaption(Pane1, modeText(station_.ModeId) + station_.PskSubMode);
    } else {
        view_.setCaption(Pane1, modeText(station_.ModeId));
    }

    const bool rttyOrPsk = station_.modeIs(Mode::Rtty) || station_.modeIs(Mode::Psk31);
    const bool linkUp = station_.Connected || calling || rttyOrPsk;
    if (!linkUp) {
        view_.setTextColor(Pane2, Colors::Black);
        view_.setCaption(Pane3, QString());
    } else {
        view_.setCaption(Pane3, station_.HisCall);
    }
    enableConnectedControls(linkUp);

    view_.setCaption(Pane4, station_.TrafficText);
    view_.redraw(Pane4);

    if (station_.Transmitting) {
        view_.setCaption(Pane5, texts_.TransmitText);
        view_.setColors(Pane5, Colors::Red, Colors::White);
    } else if (station_.TrafficState != QLatin1String("LISTEN") && !station_.Connected &&
               !station_.modeIs(Mode::Rtty)) {
        view_.setCaption(Pane5, QString());
    } else {
        view_.setCaption(Pane5, view_.caption(Receivebar));
        view_.setColors(Pane5, Colors::Lime, Colors::Black);
    }
    if (!sendingProgress.isEmpty())
        view_.setCaption(Pane5, sendingProgress);

    view_.setLamp(LogLed, station_.CaptureOn);

    if (station_.modeIs(Mode::Packet)) {
        if (station_.Connected) {
            view_.setColors(Pane2, Colors::Red, Colors::White);
            if (station_.PacketState != QLatin1String("MONITOR")) {
                const QString& port = station_.PacketPortName;
                view_.setCaption(Pane2, QStringLiteral("Connect P ") +
                                            (port.size() > 5 ? QString(port[5]) : QString()));
            }
        } else {
            view_.setCaption(Pane2, station_.PacketState);
        }
    }
    view_.redraw(Pane5);
}

void StatusDisplay::enableConnectedControls(bool linkUp)
{
    // Enabled while a link is up (or in the modes without links).
    // Made once: this runs after every block.
    static const QString whileLinked[] = {Name::PactorDisconnect, Name::PactorHardDisconnect,
                                          Name::AmtorDisConnect,  Name::AmtorHardDisconnect,
                                          Name::SpeedCho,         Name::PopupCho,
                                          Name::PopUpHisdeMy,     Name::PopUpHisdeMyCHO,
                                          Name::PopUpDisconnect};
    // Enabled while no link is up: what starts one.
    static const QString whileFree[] = {
        Name::PactorUnpro, Name::PactorCQ, Name::PactorConnect,   Name::PactorListConnect,
        Name::AmtorFec,    Name::AmtorCq,  Name::AmtorListConnect};
    for (const QString& name : whileLinked)
        view_.setEnabled(name, linkUp);
    for (const QString& name : whileFree)
        view_.setEnabled(name, !linkUp);
    if (!linkUp) {
        view_.setEnabled(PactorListen, true);
        view_.setEnabled(AmtorListen, true);
    }
    const bool hisCallButton = linkUp || station_.modeIs(Mode::Cw) || station_.modeIs(Mode::Rtty) ||
                               station_.modeIs(Mode::Psk31);
    view_.setEnabled(SpeedHiscall, hisCallButton);
}

void StatusDisplay::ErrorTimer()
{
    receiveWindow_.setFrozenCopyInFront(station_.MenuHold);
    if (station_.DumbMode)
        return;
    checkScrollBack();
    if (transmitWindow_.text().size() > TransmitWindowLimit)
        transmitWindow_.clear();
    if (!station_.MailboxReloadActive && !station_.MailboxBackupActive)
        view_.setCursor(Name::ReceiveWindow,
                        settings_.LogBookOn ? CursorShape::PointingHand : CursorShape::Arrow);
    view_.setEnabled(Name::PopUpCtrlIns, !receiveWindow_.selectedText().isEmpty());
    const bool clipboardText = view_.clipboardHasText();
    view_.setEnabled(Name::PopUpShiftIns, clipboardText);
    view_.setEnabled(Name::PopUpClipClear, clipboardText);
    showNavtexLed();
    // Conversation mode: what was typed goes out once the controller transmits.
    if (!station_.TypeAhead.isEmpty() && station_.ConvMode && station_.Transmitting) {
        const QByteArray text = station_.TypeAhead;
        station_.TypeAhead.clear();
        link_.ZendNaarPtc(text);
    }
}

void StatusDisplay::checkScrollBack()
{
    const int position = receiveWindow_.scrollPosition();
    // After a font change the old furthest position may lie beyond the new bottom.
    if (station_.FontChanged)
        station_.ScrollMaxPos = qMin(station_.ScrollMaxPos, station_.LastScrollPos);
    station_.LastScrollPos = position;
    if (position >= station_.ScrollMaxPos) {
        station_.ScrollMaxPos = position;
        station_.ScrollBack = false;
        station_.FontChanged = false;
        view_.setFocus(Name::TransmitWindow);
        view_.setColors(Pane1, Colors::Silver, Colors::Black);
        return;
    }
    if (settings_.LogBookOn && station_.ScrollBack && station_.LogbookSelecting) {
        view_.setFocus(Name::ReceiveWindow);
        return;
    }
    view_.setFocus(Name::TempMemo);
    station_.ScrollBack = true;
    view_.setCaption(Pane1, QStringLiteral("SCROLL BACK"));
    view_.setColors(Pane1, Colors::Red, Colors::White);
}

void StatusDisplay::showNavtexLed()
{
    const QString led = Name::NavtexLed;
    QString caption;
    // AMTEX after NAVTEX: a settings file saying "ONA" sets both flags, and it means
    // AMTEX was on.
    if (settings_.NavtexActive)
        caption = QStringLiteral("Navtex");
    if (settings_.AmtexActive)
        caption = QStringLiteral("Amtex");
    if (station_.DuplexOn)
        caption = QStringLiteral("Duplex");
    if (station_.AutoCqRunning)
        caption = QStringLiteral("AutoCQ");
    if (station_.WordOut)
        caption = QStringLiteral("WOut");
    if (station_.ConvMode && (station_.modeIs(Mode::Pactor) || station_.modeIs(Mode::Amtor)))
        caption = QStringLiteral("Conv");
    if (!caption.isEmpty())
        view_.setCaption(led, caption);
    view_.setVisible(led, !caption.isEmpty());
}

void StatusDisplay::DiskLed(int state)
{
    if ((state != 0 && state != 1) || state == diskLed_)
        return;
    diskLed_ = state;
    const QString led = Name::LeesLed;
    view_.setLamp(led, state == 1);
    view_.redraw(led);
}

void StatusDisplay::Warning(const QString& text)
{
    modal_.message(texts_.Warningtext, text);
}

void StatusDisplay::ZetTransmitbalkTerug()
{
    const QString bar = Name::Transmitbalk;
    view_.setCaption(bar, TransmitbalkCaption);
    view_.setColors(bar, settings_.ReceiveBarColor, Colors::Black);
    view_.redraw(bar);
    settings_.MaildropOn = false;
}
