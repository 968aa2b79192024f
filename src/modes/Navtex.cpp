#include "modes/Navtex.h"

#include "base/Cp437.h"
#include "base/MessageTexts.h"
#include "base/Modal.h"
#include "base/Settings.h"
#include "base/Station.h"
#include "link/PortLink.h"
#include "modes/ModeCommands.h"
#include "modes/ModeSwitch.h"

namespace {

const QString ProgramName = QStringLiteral("Orvanti");

// A command with the operator's answer as its argument: control characters are dropped
// so a typed ESC or CR cannot start a command of its own.
QByteArray command(const char* head, const QString& answer)
{
    return QByteArray(head) + Cp437::encode(ModeCommands::commandArgument(answer)) + '\r';
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

std::optional<int> Navtex::askFileCount()
{
    const QString answer =
        modal_.inputBox(ProgramName, texts_.NumberOfNavtexFilesText, station_.NavtexFiles)
            .trimmed();
    if (answer.isEmpty())
        return std::nullopt; // backed out: reception stays as it is
    bool ok = false;
    const int count = answer.toInt(&ok);
    if (!ok) {
        modal_.message(ProgramName, notAValidNumberMessage(answer));
        return std::nullopt;
    }
    if (count < 0 || count > MaxNavtexFiles) {
        modal_.message(
            ProgramName,
            QStringLiteral("The number of files must be between 0 and %1").arg(MaxNavtexFiles));
        return std::nullopt;
    }
    station_.NavtexFiles = QString::number(count);
    return count;
}

void Navtex::switchOn(bool amtex)
{
    // Asked before anything goes out: an answer the controller would refuse (or take
    // for type letters) must neither reach it nor light the lamp.
    const std::optional<int> count = askFileCount();
    if (!count)
        return;
    link_.ZendNaarPtc("\x1bPd 0\r");
    station_.DuplexOn = false;
    // The kind set here picks the type dialog below.
    if (amtex) {
        settings_.AmtexActive = true;
    } else {
        settings_.NavtexActive = true;
        settings_.AmtexActive = false;
    }
    link_.ZendNaarPtc(amtex ? "NAVTEX AMTEX 1\r" : "NAVTEX AMTEX 0\r");
    link_.DummiRead();
    NavtexMsgTypeClick();
    link_.DummiRead();
    link_.ZendNaarPtc("Nav " + QByteArray::number(*count) + '\r');
    settings_.NavtexActive = !amtex && *count >= 1;
    settings_.AmtexActive = amtex && *count >= 1;
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
    link_.ZendNaarPtc(
        command("Nav AREA ", modal_.inputBox(ProgramName, texts_.NavtexAreaText, QString())));
}

void Navtex::NavtexTimeClick()
{
    link_.ZendNaarPtc(
        command("Nav days ", modal_.inputBox(ProgramName, texts_.LatencyText, QString())));
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
