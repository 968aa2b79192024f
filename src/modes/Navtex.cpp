#include "modes/Navtex.h"

#include "base/MessageTexts.h"
#include "base/Modal.h"
#include "base/Settings.h"
#include "base/Station.h"
#include "link/PortLink.h"
#include "modes/ModeSwitch.h"

namespace {

const QString ProgramName = QStringLiteral("Orvanti");

QByteArray line(const QString& text)
{
    return text.toLatin1() + '\r';
}

// The number of files asked for; text that is no number counts as none.
int fileCount(const QString& text)
{
    bool ok = false;
    const int count = text.trimmed().toInt(&ok);
    return ok ? count : 0;
}

} // namespace

Navtex::Navtex(Station& station, Settings& settings, const MessageTexts& texts, PortLink& link,
               ModeSwitch& modes, Modal& modal)
    : station_(station), settings_(settings), texts_(texts), link_(link), modes_(modes),
      modal_(modal)
{
}

void Navtex::NavtexOnClick()
{
    switchOn(false);
}

void Navtex::AmtexOnClick()
{
    switchOn(true);
}

void Navtex::switchOn(bool amtex)
{
    link_.ZendNaarPtc("\x1bPd 0\r");
    station_.DuplexOn = false;
    if (amtex) {
        settings_.AmtexActive = true;
    } else {
        settings_.NavtexActive = true;
        settings_.AmtexActive = false;
    }
    station_.NavtexFiles =
        modal_.inputBox(ProgramName, texts_.NumberOfNavtexFilesText, station_.NavtexFiles);
    link_.ZendNaarPtc(amtex ? "NAVTEX AMTEX 1\r" : "NAVTEX AMTEX 0\r");
    link_.DummiRead();
    // An empty answer leaves the flag on without a "Nav" count; "Nav/Amt Off" clears it.
    if (station_.NavtexFiles.isEmpty())
        return;
    NavtexMsgTypeClick();
    link_.DummiRead();
    link_.ZendNaarPtc(line(QStringLiteral("Nav ") + station_.NavtexFiles));
    const bool on = fileCount(station_.NavtexFiles) >= 1;
    settings_.NavtexActive = amtex ? false : on;
    settings_.AmtexActive = amtex ? on : false;
}

void Navtex::NavtexOffClick()
{
    link_.ZendNaarPtc("Nav Amtex 0\r");
    link_.ZendNaarPtc("Nav 0\r");
    link_.DummiRead();
    settings_.NavtexActive = false;
    settings_.AmtexActive = false;
    modes_.SwitchToPactor();
    modes_.ZetTabNaar(Mode::Pactor);
}

void Navtex::NavtexMsgTypeClick()
{
    modal_.runDialog(settings_.AmtexActive ? Dialog::Amtex : Dialog::Navtex);
}

void Navtex::NavtexAreaClick()
{
    const QString area = modal_.inputBox(ProgramName, texts_.NavtexAreaText, QString());
    link_.ZendNaarPtc(line(QStringLiteral("Nav AREA ") + area));
}

void Navtex::NavtexTimeClick()
{
    const QString days = modal_.inputBox(ProgramName, texts_.LatencyText, QString());
    link_.ZendNaarPtc(line(QStringLiteral("Nav days ") + days));
}

void Navtex::NavtexFormActivate()
{
    if (navtexAll)
        navtexBoxes.fill(true);
}

void Navtex::NavtexAllClick(bool checked)
{
    navtexAll = checked;
    if (checked)
        navtexBoxes.fill(true);
}

void Navtex::AmtexAllClick(bool checked)
{
    amtexAll = checked;
    if (checked)
        amtexBoxes.fill(true);
}

void Navtex::NavtexOkKnopClick()
{
    sendSelection(NavtexLetters, navtexBoxes);
}

void Navtex::AmtexOkKnopClick()
{
    sendSelection(AmtexLetters, amtexBoxes);
}

template <std::size_t N>
void Navtex::sendSelection(const char* letters, const std::array<bool, N>& boxes)
{
    link_.StopTimers();
    QByteArray selection;
    for (std::size_t i = 0; i < N; ++i)
        if (boxes[i])
            selection += letters[i];
    link_.StartTimers();
    link_.ZendNaarPtc("Nav " + selection + '\r');
}
