#include "link/TransmitKeys.h"

#include "base/ComponentNames.h"
#include "base/Cp437.h"
#include "base/Station.h"
#include "base/View.h"
#include "link/PortLink.h"

namespace {

constexpr quint8 Backspace = 8;
constexpr quint8 LineFeed = 10;
constexpr quint8 CarriageReturn = 13;
constexpr quint8 Escape = 27;
constexpr quint8 Xon = 17;
constexpr quint8 Xoff = 19;

enum class KeyAction { Control, Character, Nothing };

KeyAction actionFor(quint8 key)
{
    if ((key >= 1 && key <= 7) || (key >= 14 && key <= 20) || (key >= 23 && key <= 26))
        return KeyAction::Control;
    if ((key >= 8 && key <= 13) || key == Escape || key >= 32)
        return KeyAction::Character;
    return KeyAction::Nothing; // 0, 21, 22, 28-31
}

} // namespace

TransmitKeys::TransmitKeys(Station& station, PortLink& link, View& view, ReceiveView& receiveWindow,
                           TransmitView& transmitWindow)
    : station_(station), link_(link), view_(view), receiveWindow_(receiveWindow),
      transmitWindow_(transmitWindow)
{
}

void TransmitKeys::send(quint8 key)
{
    link_.ZendNaarPtc(QByteArray(1, static_cast<char>(key)));
}

bool TransmitKeys::wordOutActive() const
{
    const Mode mode = station_.ModeId;
    return station_.WordOut &&
           (mode == Mode::Amtor || mode == Mode::Rtty || mode == Mode::Cw || mode == Mode::Psk31);
}

void TransmitKeys::TransmitWindowKeyPress(quint8 key)
{
    station_.MenuHold = false;
    // A backspace must not join the line to the one before.
    if (key == Backspace && transmitWindow_.text().endsWith(QLatin1Char('\n')))
        transmitWindow_.appendLine(QString());
    receiveWindow_.scrollToEnd();
    if (station_.ScrollBack && key == Escape) {
        link_.ScrollNaarEnd();
        return;
    }
    if (key == Escape && escapeStopsSending && escapeStopsSending())
        return;
    if (wordOutActive()) {
        if (key == Backspace) {
            station_.TypeAhead.chop(1);
            return;
        }
        station_.TypeAhead.append(static_cast<char>(key));
        if (key == ' ' || key == CarriageReturn || key == LineFeed) {
            const QByteArray word = station_.TypeAhead;
            station_.TypeAhead.clear();
            link_.ZendNaarPtc(word);
        }
        return;
    }
    switch (actionFor(key)) {
    case KeyAction::Control:
        SendCTRL(key);
        break;
    case KeyAction::Character: {
        const QString selection =
            key == CarriageReturn ? transmitWindow_.selectedText() : QString();
        if (!selection.isEmpty()) {
            // The controller ends lines with CR.
            QString lines = selection;
            lines.replace(QLatin1Char('\n'), QLatin1Char('\r'));
            link_.ZendNaarPtc(QByteArray(Cp437::encode(lines) + '\r'));
            transmitWindow_.appendLine(selection);
        } else if (station_.ConvMode && !station_.Transmitting) {
            station_.TypeAhead.append(static_cast<char>(key));
        } else {
            send(key);
        }
        break;
    }
    case KeyAction::Nothing:
        break;
    }
}

bool TransmitKeys::TransmitWindowKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    station_.MenuHold = false;
    const Qt::KeyboardModifiers shift =
        modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (shift == Qt::ControlModifier && key == Qt::Key_PageUp) {
        station_.ScrollBack = true;
        receiveWindow_.scrollPages(-1);
        return true;
    }
    if (shift == Qt::ControlModifier && key == Qt::Key_Insert) {
        if (copyReceiveSelection())
            receiveWindow_.scrollToEnd();
        return true;
    }
    if (shift == Qt::ShiftModifier && key == Qt::Key_Insert) {
        transmitWindow_.insertAtCaret(view_.clipboardText());
        return true;
    }
    if (shift == Qt::ControlModifier && key == Qt::Key_K) {
        // The conversation-mode switch; it types nothing in any mode.
        const Mode mode = station_.ModeId;
        if (mode == Mode::Pactor || mode == Mode::Amtor)
            station_.ConvMode = !station_.ConvMode;
        return true;
    }
    return false;
}

bool TransmitKeys::copyReceiveSelection()
{
    const QString selection = receiveWindow_.selectedText();
    if (selection.isEmpty())
        return false;
    view_.setClipboardText(selection);
    station_.HisCall.clear();
    return true;
}

void TransmitKeys::tempMemoKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    const QString transmitWindow = Name::TransmitWindow;
    const bool onlyCtrl = (modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier |
                                        Qt::MetaModifier)) == Qt::ControlModifier;
    if (onlyCtrl && key == Qt::Key_Insert && copyReceiveSelection()) {
        receiveWindow_.scrollToEnd();
        view_.setFocus(transmitWindow);
    }
    switch (key) {
    case Qt::Key_Escape:
        receiveWindow_.scrollToEnd();
        view_.setFocus(transmitWindow);
        return;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        if (station_.ScrollBack)
            receiveWindow_.scrollPages(key == Qt::Key_PageUp ? -1 : 1);
        return;
    case Qt::Key_Home:
        if (station_.ScrollBack)
            receiveWindow_.caretToStart();
        return;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (station_.ScrollBack)
            receiveWindow_.scrollLines(key == Qt::Key_Up ? -1 : 1);
        return;
    default:
        if (receiveWindow_.selectedText().isEmpty()) {
            receiveWindow_.scrollToEnd();
            view_.setFocus(transmitWindow);
        }
        return;
    }
}

void TransmitKeys::ReceiveWindowKeyDown()
{
    station_.LogbookSelecting = false;
    view_.setFocus(Name::TransmitWindow);
}

void TransmitKeys::ReceiveWindowKeyPress()
{
    view_.setFocus(Name::TransmitWindow);
    link_.ScrollNaarEnd();
}

void TransmitKeys::ReceiveWindowMouseDown(bool rightButton)
{
    station_.MenuHold = false;
    // A click in the window releases a held display. (The logbook's selection comes
    // with the logbook.)
    if (!rightButton)
        station_.ReceiveHold = false;
    const bool selection = !receiveWindow_.selectedText().isEmpty();
    view_.setEnabled(Name::PopUpMakeHiscallselectedtext, selection);
    view_.setEnabled(Name::PopUpMakeHisNameSelectedtext, selection);
}

void TransmitKeys::SendCTRL(quint8 code)
{
    transmitWindow_.appendLine(QStringLiteral("CTRL-") + QChar(char16_t(code + 64)));
    send(code);
    if (code == Xoff) {
        station_.ReceiveHold = true;
        link_.showXonLed(true);
    } else if (code == Xon) {
        station_.ReceiveHold = false;
        link_.showXonLed(false);
    }
}

void TransmitKeys::ClearTransmitBufferClick()
{
    link_.ScrollNaarEnd();
    if (station_.ModeId != Mode::Audio)
        link_.ZendNaarPtc("\x1b"
                          "CLR\r");
}

void TransmitKeys::MenuClearTxScreenClick()
{
    transmitWindow_.clear();
}

void TransmitKeys::MenuClearRxScreenClick()
{
    receiveWindow_.clear();
    link_.StartTimers();
    receiveWindow_.setScrollPosition(0);
    station_.ScrollMaxPos = 0;
}

void TransmitKeys::PopUpClipClearClick()
{
    view_.setClipboardText(QString());
}

void TransmitKeys::TransmitWindowClick()
{
    view_.setFocus(Name::TransmitWindow);
    link_.ScrollNaarEnd();
}

void TransmitKeys::PopUpClearRxScreen1Click()
{
    link_.ScrollNaarEnd();
    MenuClearRxScreenClick();
}

void TransmitKeys::PopUpCtrlInsClick()
{
    TransmitWindowKeyDown(Qt::Key_Insert, Qt::ControlModifier);
}

void TransmitKeys::PopUpShiftInsClick()
{
    TransmitWindowKeyDown(Qt::Key_Insert, Qt::ShiftModifier);
}

void TransmitKeys::areaMouseMove()
{
    station_.MenuHold = false;
}

void TransmitKeys::areaMouseDown(WindowArea area, bool rightButton)
{
    switch (area) {
    case WindowArea::ReceiveWindow:
        ReceiveWindowMouseDown(rightButton);
        break;
    case WindowArea::TransmitWindow:
        station_.MenuHold = false;
        TransmitWindowClick();
        break;
    case WindowArea::FrozenCopy:
    case WindowArea::ReceiveBar:
        station_.MenuHold = false;
        break;
    }
}

bool TransmitKeys::readingKeyDown(WindowArea area, int key, Qt::KeyboardModifiers modifiers,
                                  bool printable)
{
    // While reading back the keyboard belongs to TempMemo, which the receive window
    // stands in for while it is in front.
    if (area == WindowArea::FrozenCopy || station_.ScrollBack) {
        tempMemoKeyDown(key, modifiers);
        return true;
    }
    ReceiveWindowKeyDown();
    if (printable)
        ReceiveWindowKeyPress();
    return false;
}
