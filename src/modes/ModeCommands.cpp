#include "modes/ModeCommands.h"

#include "base/Clock.h"
#include "base/ComponentNames.h"
#include "base/Cp437.h"
#include "base/MessageTexts.h"
#include "base/Modal.h"
#include "base/Settings.h"
#include "base/Station.h"
#include "base/View.h"
#include "link/PortLink.h"
#include "link/StatusDisplay.h"
#include "modes/ModeSwitch.h"

namespace {
const QString ProgramName = QStringLiteral("Orvanti");
constexpr char CtrlC = 3;
constexpr char CtrlD = 4;
constexpr char CtrlY = 25;
} // namespace

QString notAValidNumberMessage(const QString& text)
{
    return QLatin1Char('\'') + text + QStringLiteral("' is not a valid integer value");
}

bool parseWord(const QString& text, quint16* value)
{
    bool ok = false;
    const uint number = text.trimmed().toUInt(&ok);
    if (!ok || number > 0xFFFF)
        return false;
    *value = static_cast<quint16>(number);
    return true;
}

ModeCommands::ModeCommands(Station& station, Settings& settings, const MessageTexts& texts,
                           PortLink& link, StatusDisplay& status, ModeSwitch& modes, View& view,
                           ReceiveView& receiveWindow, TransmitView& transmitWindow, Modal& modal,
                           Clock& clock)
    : station_(station), settings_(settings), texts_(texts), link_(link), status_(status),
      modes_(modes), view_(view), receiveWindow_(receiveWindow), transmitWindow_(transmitWindow),
      modal_(modal), clock_(clock)
{
}

void ModeCommands::send(const QByteArray& bytes)
{
    link_.ZendNaarPtc(bytes);
}

void ModeCommands::sendControl(quint8 code)
{
    send(QByteArray(1, static_cast<char>(code)));
}

QString ModeCommands::commandArgument(const QString& answer)
{
    QString cleaned;
    cleaned.reserve(answer.size());
    for (QChar c : answer) {
        if (c.unicode() >= 32 && c.unicode() != 127)
            cleaned.append(c);
    }
    return cleaned;
}

// Action menu ---------------------------------------------------------------------------

void ModeCommands::unprotoClick(int number)
{
    send(QByteArray("U " + QByteArray::number(number) + '\r'));
}

void ModeCommands::MenuAmtorFecClick()
{
    if (!station_.modeIs(Mode::Amtor))
        return;
    if (station_.TrafficState != QLatin1String("FEC")) {
        send("\x1b"
             "FEC\r");
        link_.ScrollNaarEnd();
    } else {
        send("\x1b"
             "DD\r");
    }
}

void ModeCommands::MenuBaudotTransmitClick()
{
    if (station_.modeIs(Mode::Rtty))
        sendControl(CtrlY);
}

void ModeCommands::MenuDisconnectClick()
{
    if (!station_.Transmitting)
        MenuChangeOverClick();
    if (station_.PtcType == PtcModel::Z80)
        sendControl(CtrlD);
    else
        send("\x1b"
             "D\r");
    link_.ScrollNaarEnd();
}

void ModeCommands::MenuHardDisconnectClick()
{
    send("\x1b"
         "DD\r");
    link_.ScrollNaarEnd();
}

void ModeCommands::MenuChangeOverClick()
{
    if (station_.Connected) {
        if (station_.modeIs(Mode::Amtor)) {
            // In AMTOR the sending side hands over with the "+?" sign.
            if (station_.Transmitting)
                send("+?");
            else
                sendControl(CtrlY);
        } else {
            send(QByteArray("\r") + CtrlY + '\r');
        }
    }
    if (station_.modeIs(Mode::Rtty))
        RttyReceiveClick();
    else if (station_.modeIs(Mode::Psk31))
        PskTransmitClick();
    transmitWindow_.appendLine(QString());
}

QString ModeCommands::myPart() const
{
    return settings_.IdString.isEmpty() ? settings_.MyCall : settings_.IdString;
}

bool ModeCommands::hisDeMySendsDirectly(bool acceptFec) const
{
    return station_.Connected || station_.modeIs(Mode::Rtty) || station_.modeIs(Mode::Cw) ||
           station_.modeIs(Mode::Psk31) ||
           station_.TrafficState.left(5) == QLatin1String("UNPRO") ||
           (acceptFec && station_.TrafficState == QLatin1String("FEC"));
}

void ModeCommands::MenuSendHiscalldeMycallClick()
{
    const QString line = station_.HisCall + QStringLiteral(" de ") + myPart();
    if (hisDeMySendsDirectly(true)) {
        const QByteArray tail =
            station_.modeIs(Mode::Pactor) ? QByteArray(" =>\r") : QByteArray("\r");
        send(QByteArray('\r' + Cp437::encode(line) + tail));
    }
    transmitWindow_.appendLine(line);
}

void ModeCommands::MenuSendHiscalldeMycallChoClick()
{
    const QString line = station_.HisCall + QStringLiteral(" de ") + myPart();
    if (hisDeMySendsDirectly(false)) {
        QByteArray tail = station_.modeIs(Mode::Pactor) ? QByteArray(" =>") : QByteArray();
        tail += CtrlY;
        tail += '\r';
        send(QByteArray('\r' + Cp437::encode(line) + tail));
    }
    transmitWindow_.appendLine(line);
}

// PACTOR --------------------------------------------------------------------------------

void ModeCommands::PactorDuplexClick()
{
    if (station_.DuplexOn) {
        send("\x1b"
             "Pd 0\r");
        station_.DuplexOn = false;
    } else {
        send("\x1b"
             "Pd 1\r");
        station_.DuplexOn = true;
    }
    view_.setChecked(Name::PactorDuplex, station_.DuplexOn);
}

void ModeCommands::Pactor3ButtonClick()
{
    const QString button = Name::Pactor3Button;
    if (!station_.Pactor3On) {
        send("TO 3\r");
        send("Myl 3\r");
        station_.Pactor3On = true;
        view_.setCaption(button, QStringLiteral("Pt II"));
        view_.setHint(button, QStringLiteral("Switch to Pactor 2"));
    } else {
        send("TO 0\r");
        send("Myl 2\r");
        station_.Pactor3On = false;
        view_.setCaption(button, QStringLiteral("Pt III"));
        view_.setHint(button, QStringLiteral("Switch to Pactor 3"));
    }
}

// PACKET --------------------------------------------------------------------------------

void ModeCommands::PacketMonitorClick()
{
    link_.StopTimers();
    if (!station_.Connected)
        view_.setColors(Name::Pane2, Colors::Silver, Colors::Black);
    if (station_.PacketState != QLatin1String("MONITOR")) {
        send("\x1b"
             "Mon 6\r");
        send("\x1b"
             "MC 6\r");
        link_.DummiRead();
        station_.PacketState = QStringLiteral("MONITOR");
    } else {
        send("\x1b"
             "Mon 0\r");
        send("\x1b"
             "MC 0\r");
        link_.DummiRead();
        station_.PacketState = QStringLiteral("STANDBY");
    }
    link_.StartTimers();
    status_.StatusLine();
}

void ModeCommands::PacketDisConnectClick()
{
    send("\x1b"
         "D\r");
    link_.ScrollNaarEnd();
}

// RTTY ----------------------------------------------------------------------------------

void ModeCommands::RttyReceiveClick()
{
    sendControl(station_.PtcType == PtcModel::Z80 ? CtrlD : CtrlY);
    link_.ScrollNaarEnd();
}

void ModeCommands::RttyTransmitClick()
{
    sendControl(CtrlY);
    link_.ScrollNaarEnd();
}

void ModeCommands::RttyBaudClick()
{
    const QString answer =
        commandArgument(modal_.inputBox(ProgramName, texts_.BaudrateText, station_.RttyBaudText));
    station_.RttyBaudText = answer;
    send(QByteArray("\x1b"
                    "BAU " +
                    Cp437::encode(answer) + '\r'));
}

// CW ------------------------------------------------------------------------------------

void ModeCommands::CWTransmitClick()
{
    sendControl(CtrlY);
    clock_.sleep(ModeSwitch::CwChangeOverPauseMs);
    sendControl(CtrlY);
    link_.ScrollNaarEnd();
}

void ModeCommands::CwTxSpeedClick()
{
    const QString answer = commandArgument(modal_.inputBox(ProgramName, texts_.CwSpeedText, {}));
    if (answer.isEmpty())
        return;
    send(QByteArray("\x1b"
                    "CWS " +
                    Cp437::encode(answer) + '\r'));
    if (!parseWord(answer, &settings_.CwTxSpeed))
        modal_.message(ProgramName, notAValidNumberMessage(answer));
}

// PSK31 ---------------------------------------------------------------------------------

void ModeCommands::PskSquelchClick()
{
    // The controller toggles too, so the same byte serves both ways.
    station_.SquelchOn = !station_.SquelchOn;
    sendControl(CtrlC);
}

void ModeCommands::PskTransmitClick()
{
    sendControl(CtrlY);
    link_.ScrollNaarEnd();
}

void ModeCommands::PskStandbyClick()
{
    send("\x1b"
         "DD\r");
    send("PSKT\r");
}

// Pop-up menu ---------------------------------------------------------------------------

void ModeCommands::PopUpMakeHiscallselectedtextClick()
{
    // Anything shorter or longer than a call sign is not taken for one.
    const QString selection = receiveWindow_.selectedText();
    if (selection.size() < 3 || selection.size() > 8)
        return;
    station_.HisCall = selection;
    status_.StatusLine();
}

void ModeCommands::PopUpMakeHisNameSelectedtextClick()
{
    station_.HisName = receiveWindow_.selectedText();
}
