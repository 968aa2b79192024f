#include "modes/Calling.h"

#include "base/ComponentNames.h"
#include "base/Cp437.h"
#include "base/FileIo.h"
#include "base/MessageTexts.h"
#include "base/Modal.h"
#include "base/Settings.h"
#include "base/Station.h"
#include "base/View.h"
#include "link/PortLink.h"
#include "link/StatusDisplay.h"
#include "modes/CallList.h"
#include "modes/ModeCommands.h"
#include "modes/ModeSwitch.h"
#include "modes/Navtex.h"

#include <QFileInfo>
#include <QTimer>

namespace {
const QString ProgramName = QStringLiteral("Orvanti");

// A typed text as it may go into a command: control characters, which would end the
// command early or start another, are dropped, and so are blanks around it.
QString commandText(const QString& typed)
{
    QString cleaned;
    cleaned.reserve(typed.size());
    for (QChar c : typed)
        if (c.unicode() >= 32 && c.unicode() != 127)
            cleaned.append(c);
    return cleaned.trimmed().toUpper();
}
} // namespace

QString autoCqFieldError(const QString& what, const QString& text, quint8* value)
{
    bool ok = false;
    const int number = text.trimmed().toInt(&ok);
    if (!ok || number < 1 || number > 255)
        return QStringLiteral("%1 must be a whole number from 1 to 255; '%2' is not.")
            .arg(what, text);
    *value = static_cast<quint8>(number);
    return QString();
}

struct Calling::CqText {
    const char* file;
    const char* button; // shown pressed while the CQ goes out; null for none
    bool redraw;        // painted at once, before the file takes the window's time
    bool evenWhileSending;
    void (*start)(ModeCommands&); // the start of the transmission
};

Calling::Calling(Station& station, Settings& settings, const MessageTexts& texts, PortLink& link,
                 StatusDisplay& status, ModeSwitch& modes, ModeCommands& commands, Navtex& navtex,
                 View& view, Modal& modal, QTimer& cqTimer)
    : station_(station), settings_(settings), texts_(texts), link_(link), status_(status),
      modes_(modes), commands_(commands), navtex_(navtex), view_(view), modal_(modal),
      cqTimer_(cqTimer)
{
}

// Calling a station ---------------------------------------------------------------------

QString Calling::connectLabel() const
{
    // Where no link is made the dialog only tells the program the other station's call.
    if (station_.modeIs(Mode::Rtty) || station_.modeIs(Mode::Cw) || station_.modeIs(Mode::Psk31) ||
        (station_.modeIs(Mode::Amtor) && station_.Connected))
        return texts_.GiveHisCallText;
    return listConnectLabel;
}

void Calling::MenuCallAstationClick()
{
    connectInput = station_.LastCalled;
    resultCall.clear();
    link_.StopTimers();
    modal_.runDialog(Dialog::Connect);
    station_.HisCall = resultCall;
    if (station_.HisCall.isEmpty() || station_.modeIs(Mode::Rtty) || station_.modeIs(Mode::Cw) ||
        station_.modeIs(Mode::Psk31))
        return;
    station_.LastCalled = station_.HisCall;
    link_.purge();
    connectTo(station_.HisCall);
}

void Calling::ConnectOkKnopClick(const QString& call)
{
    resultCall = commandText(call);
    link_.StartTimers();
}

void Calling::ConnectCancelKnopClick()
{
    resultCall.clear();
    link_.StartTimers();
}

void Calling::connectTo(const QString& call)
{
    const QByteArray command = "C " + Cp437::encode(call) + '\r';
    if (station_.Connected) {
        link_.ZendNaarPtc(command);
    } else {
        link_.ScrollNaarEnd();
        // What was read but not shown belongs to the time before the call.
        station_.RxChunk.clear();
        station_.RxCount = 0;
        link_.ZendNaarPtc('\x1b' + command);
    }
    station_.TrafficState = QStringLiteral("CALLING");
    if (station_.modeIs(Mode::Packet))
        view_.setEnabled(Name::PacketDisconnect, true);
}

// The call list ------------------------------------------------------------------------

void Calling::MenuCallAListStationClick()
{
    const QString path = CallList::find(station_.ProgramDir);
    if (path.isEmpty()) {
        status_.Warning(QStringLiteral("%1: %2").arg(
            texts_.FileNotFoundText, station_.ProgramDir + QStringLiteral("Orvanti.CAL")));
        return;
    }
    QByteArray bytes;
    QString error;
    if (!readWholeFile(path, &bytes, &error)) {
        status_.Warning(error);
        return;
    }
    callList = CallList::parse(bytes);
    link_.purge();
    link_.StopTimers();
    resultCall.clear();
    modal_.runDialog(Dialog::ListConnect);

    const QString result = resultCall;
    station_.LastCalled = result;
    station_.HisCall = CallList::callOf(result);
    if (result.isEmpty())
        return;
    link_.purge();
    connectTo(result);
}

void Calling::ListOkKnopClick(int row)
{
    resultCall =
        row >= 0 && row < callList.size() ? CallList::connectCall(callList[row]) : QString();
    link_.StartTimers();
}

void Calling::ListCancelKnopClick()
{
    resultCall.clear();
    link_.StartTimers();
}

// CQ -----------------------------------------------------------------------------------

bool Calling::checkReadable(const QString& path)
{
    if (!QFileInfo::exists(path)) {
        status_.Warning(QStringLiteral("%1: %2").arg(texts_.FileNotFoundText, path));
        return false;
    }
    QByteArray bytes;
    QString error;
    if (!readWholeFile(path, &bytes, &error)) {
        status_.Warning(error);
        return false;
    }
    return true;
}

void Calling::callCq(const CqText& cq)
{
    const QString path = station_.ProgramDir + QLatin1String(cq.file);
    if (!checkReadable(path))
        return;
    if (cq.button) {
        const QString button = QLatin1String(cq.button);
        view_.setChecked(button, true);
        if (cq.redraw)
            view_.redraw(button);
    }
    if (cq.evenWhileSending || !station_.Transmitting)
        cq.start(commands_);
    station_.CqSending = true;
    sendFile(path);
}

void Calling::PactorCQClick()
{
    callCq({"Orvanti.CQP", "PactorUnpro", false, false,
            [](ModeCommands& commands) { commands.unprotoClick(1); }});
}

void Calling::AmtorCQClick()
{
    callCq({"Orvanti.CQA", "AmtorFec", false, false,
            [](ModeCommands& commands) { commands.MenuAmtorFecClick(); }});
}

void Calling::RttyCQClick()
{
    callCq({"Orvanti.CQB", "rttyTransmit", true, false,
            [](ModeCommands& commands) { commands.MenuBaudotTransmitClick(); }});
}

void Calling::CwCQClick()
{
    // CW keys the transmitter for each CQ, sending or not.
    callCq({"Orvanti.CQC", nullptr, false, true,
            [](ModeCommands& commands) { commands.CWTransmitClick(); }});
}

void Calling::PskCQClick()
{
    callCq({"Orvanti.CPS", "PskTransmit", true, false,
            [](ModeCommands& commands) { commands.PskTransmitClick(); }});
}

void Calling::MenuCallCQClick()
{
    switch (station_.ModeId) {
    case Mode::Pactor:
        PactorCQClick();
        break;
    case Mode::Amtor:
        AmtorCQClick();
        break;
    case Mode::Rtty:
        RttyCQClick();
        break;
    case Mode::Cw:
        CwCQClick();
        break;
    case Mode::Psk31:
        PskCQClick();
        break;
    case Mode::Packet:
    case Mode::Audio:
    case Mode::Navtex:
    case Mode::Dumb:
        break;
    }
}

// Automatic CQ -------------------------------------------------------------------------

void Calling::MenuAutoCQClick()
{
    modal_.runDialog(Dialog::AutoCq);
    navtex_.NavtexOffClick();
    link_.DummiRead();
}

bool Calling::CqOkKnopClick(bool on, const QString& delayText, const QString& repeatText)
{
    quint8 delay = 0;
    quint8 repeat = 0;
    QString error =
        autoCqFieldError(QStringLiteral("AutoCq Delay (in seconds)"), delayText, &delay);
    if (error.isEmpty())
        error = autoCqFieldError(QStringLiteral("Repeat times"), repeatText, &repeat);
    if (!error.isEmpty()) {
        modal_.message(ProgramName, error);
        return false;
    }
    autoCqDelayText = delayText.trimmed();
    autoCqRepeatText = repeatText.trimmed();
    station_.AutoCqDelay = delay;
    cqTimer_.setInterval(delay * 1000);
    station_.AutoCqCount = repeat;
    station_.AutoCqRepeat = repeat;
    if (on)
        station_.AutoCqOn = true;
    else
        AutoCqOffClick();
    return true;
}

void Calling::AutoCqOffClick()
{
    cqTimer_.stop();
    station_.AutoCqOn = false;
    station_.AutoCqRunning = false;
}

void Calling::keepCqTimerRunning()
{
    if (station_.AutoCqOn && !station_.DumbMode && !cqTimer_.isActive())
        cqTimer_.start();
}

void Calling::CqTimer()
{
    if (!station_.Transmitting && !station_.Connected && station_.AutoCqRunning)
        MenuCallCQClick();
}

// Own call and identification -------------------------------------------------------

void Calling::MenuYourcallClick()
{
    link_.StopTimers();
    YourIdMode = false;
    yourcallLabel = view_.caption(Name::MenuYourcall);
    modal_.runDialog(Dialog::Yourcall);
}

void Calling::MenuYourIDClick()
{
    link_.StopTimers();
    YourIdMode = true;
    yourcallLabel = view_.caption(Name::MenuYourID);
    modal_.runDialog(Dialog::Yourcall);
}

QString Calling::yourcallFieldText() const
{
    if (YourIdMode)
        return settings_.IdString;
    return station_.modeIs(Mode::Amtor) ? settings_.SelCall : settings_.MyCall;
}

void Calling::YourcallOkKnopClick(const QString& text)
{
    link_.StartTimers();
    const QString entered = commandText(text);
    if (YourIdMode) {
        // Only the his-de-my texts use it; an empty one gives the call back to them.
        settings_.IdString = entered;
        return;
    }
    if (entered.isEmpty())
        return;
    if (station_.modeIs(Mode::Amtor)) {
        settings_.SelCall = entered;
        link_.ZendNaarPtc("MYS " + Cp437::encode(entered) + '\r');
    } else {
        settings_.MyCall = entered;
        station_.MyCallField = entered;
        link_.ZendNaarPtc("MYC " + Cp437::encode(entered) + '\r');
    }
}

void Calling::YourcallCancelKnopClick()
{
    link_.StartTimers();
}
