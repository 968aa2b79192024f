#pragma once

// How the operator starts contacts: calling a station typed into the connect dialog or
// picked from the call list, CQ with the prepared text of each mode, automatic CQ
// repeated by the Cq timer, and the own call, selective call and identification.
//
// The dialogs' widgets live in dialogs/; what they show and what their buttons do is
// here, so each dialog's Ok and Cancel is a call with the fields' texts.

#include <QString>
#include <QStringList>
#include <functional>

class ModeCommands;
class ModeSwitch;
class Modal;
class Navtex;
class PortLink;
class QTimer;
class StatusDisplay;
class View;
struct MessageTexts;
struct Settings;
struct Station;

class Calling {
public:
    Calling(Station& station, Settings& settings, const MessageTexts& texts, PortLink& link,
            StatusDisplay& status, ModeSwitch& modes, ModeCommands& commands, Navtex& navtex,
            View& view, Modal& modal, QTimer& cqTimer);

    // Sends a text file line by line; at the end of a CQ text (CqSending) it sends
    // Ctrl-D, counts the automatic calls down and clears CqSending.
    std::function<void(const QString& path)> sendFile;

    // Action menu, the Connect/HisCall buttons and the pop-up "Call a Station".
    void MenuCallAstationClick();
    // Action menu, the ListCall buttons and the pop-up "Call from List".
    void MenuCallAListStationClick();
    // F8: the CQ of the present mode; nothing in the modes without one.
    void MenuCallCQClick();
    void PactorCQClick();
    void AmtorCQClick();
    void RttyCQClick();
    void CwCQClick();
    void PskCQClick();
    // Configuration > "Auto CQ".
    void MenuAutoCQClick();
    // The Cq timer's tick: the next automatic CQ while the station is idle.
    void CqTimer();
    // The housekeeping tick: while automatic CQ is on, its timer runs.
    void keepCqTimerRunning();
    // Configuration > "Your call" (the own call; in AMTOR the selective call) and
    // "Your ID".
    void MenuYourcallClick();
    void MenuYourIDClick();

    // The connect dialog (TConnectForm).
    QString connectLabel() const; // on activation
    QString connectInput;         // the field's text when it opens
    void ConnectOkKnopClick(const QString& call);
    void ConnectCancelKnopClick();

    // The call list dialog (TListConnectForm).
    QString listConnectLabel = QStringLiteral("Connect To:");
    QStringList callList; // the entries shown, loaded when the dialog opens
    // `row` is the selected entry, -1 for none.
    void ListOkKnopClick(int row);
    void ListCancelKnopClick();

    // The automatic CQ dialog (TAutoCqForm): the fields as they were left.
    QString autoCqDelayText = QStringLiteral("30");
    QString autoCqRepeatText = QStringLiteral("3");
    // Takes the fields when both are in range; otherwise says why and changes nothing,
    // and the dialog stays open (false).
    bool CqOkKnopClick(bool on, const QString& delayText, const QString& repeatText);
    // "Off" stops the automatic calls at once.
    void AutoCqOffClick();

    // The own-call dialog (TYourcallForm).
    bool YourIdMode = false;
    QString yourcallLabel;
    QString yourcallFieldText() const; // on activation
    void YourcallOkKnopClick(const QString& text);
    void YourcallCancelKnopClick();

    // What the last connect or list dialog answered; empty for Cancel.
    QString resultCall;

private:
    struct CqText;
    void callCq(const CqText& cq);
    // Sends the connect command for `call` (ESC-prefixed unless a link is up).
    void connectTo(const QString& call);
    // Says why a file cannot be used; false then.
    bool checkReadable(const QString& path);

    Station& station_;
    Settings& settings_;
    const MessageTexts& texts_;
    PortLink& link_;
    StatusDisplay& status_;
    ModeSwitch& modes_;
    ModeCommands& commands_;
    Navtex& navtex_;
    View& view_;
    Modal& modal_;
    QTimer& cqTimer_;
};

// Why the automatic CQ dialog refuses `text` for the field `what` ("AutoCq Delay",
// "Repeat times"); empty when it is a number from 1 to 255.
QString autoCqFieldError(const QString& what, const QString& text, quint8* value);
