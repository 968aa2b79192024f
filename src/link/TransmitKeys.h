#pragma once

// The keyboard: what a key typed in the transmit window sends, the keys that read back
// in the receive window, the clipboard keys and the control characters. In character
// mode each key goes to the controller at once; word-out mode sends whole words and
// conversation mode holds text until the controller transmits.

#include <QtGlobal>
#include <functional>
#include <qnamespace.h>

class PortLink;
class ReceiveView;
class TransmitView;
class View;
struct Station;

// Where the pointer or the keyboard acts in the main window.
enum class WindowArea { ReceiveWindow, FrozenCopy, TransmitWindow, ReceiveBar };

class TransmitKeys {
public:
    TransmitKeys(Station& station, PortLink& link, View& view, ReceiveView& receiveWindow,
                 TransmitView& transmitWindow);

    // A character typed in the transmit window (its code-page-437 code).
    void TransmitWindowKeyPress(quint8 key);
    // A key pressed in the transmit window; true when it was a command key, which then
    // types nothing.
    bool TransmitWindowKeyDown(int key, Qt::KeyboardModifiers modifiers);
    // A key pressed while reading back (the keyboard then belongs to TempMemo).
    void tempMemoKeyDown(int key, Qt::KeyboardModifiers modifiers);
    // A key typed in the receive window.
    void ReceiveWindowKeyDown();
    void ReceiveWindowKeyPress();
    void ReceiveWindowMouseDown(bool rightButton);

    // Sends one control character and notes it in the transmit window.
    void SendCTRL(quint8 code);
    void ClearTransmitBufferClick();
    void MenuClearTxScreenClick();
    void MenuClearRxScreenClick();
    void PopUpClipClearClick();
    void TransmitWindowClick();
    // Clears the receive window after going to its end (pop-up item, Rx clear button).
    void PopUpClearRxScreen1Click();
    // The pop-up's clipboard items do what Ctrl+Ins and Shift+Ins do.
    void PopUpCtrlInsClick();
    void PopUpShiftInsClick();

    // The pointer moved over a text window or the receive bar: a menu's freeze ends.
    void areaMouseMove();
    void areaMouseDown(WindowArea area, bool rightButton);
    // A key pressed in the receive window or TempMemo (`printable` when it types a
    // character); true when it is taken here and the window must not see it.
    bool readingKeyDown(WindowArea area, int key, Qt::KeyboardModifiers modifiers, bool printable);
    // Escape typed: true when it stopped a file going out, and then it is not sent.
    std::function<bool()> escapeStopsSending;

    // End, Ctrl+End and Alt+End are the Action menu's, not the text windows'.
    static bool isMenuKey(int key) { return key == Qt::Key_End; }

private:
    void send(quint8 key);
    // Copies the receive window's selection to the clipboard; false when there is none.
    bool copyReceiveSelection();
    bool wordOutActive() const;

    Station& station_;
    PortLink& link_;
    View& view_;
    ReceiveView& receiveWindow_;
    TransmitView& transmitWindow_;
};
