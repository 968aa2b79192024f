#pragma once

// The application object: owns the shared state, creates the subsystem objects and
// wires them to each other and to the four injected seams (port, clock, view, modal
// interaction). It also owns the main window's timers.

#include "app/ActionTable.h"
#include "app/ConfigurationMenu.h"
#include "app/DisplayOptions.h"
#include "app/HeldView.h"
#include "app/HelpMenu.h"
#include "app/Lifecycle.h"
#include "base/MessageTexts.h"
#include "base/Settings.h"
#include "base/Station.h"
#include "link/FileSender.h"
#include "link/PortLink.h"
#include "link/ReceiveDecoder.h"
#include "link/StatusDisplay.h"
#include "link/TransmitKeys.h"
#include "logbook/Capture.h"
#include "modes/AudioConfig.h"
#include "modes/Calling.h"
#include "modes/Mailbox.h"
#include "modes/ModeCommands.h"
#include "modes/ModeSwitch.h"
#include "modes/Navtex.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class Clock;
class Modal;
class Port;
class ReceiveView;
class TransmitView;
class View;

class OrvantiCore : public QObject {
    Q_OBJECT
    // First: every handler below reaches the window through it.
    HeldView view_;
    // The Cq timer: the next automatic CQ. Off until the automatic CQ dialog sets it;
    // before the subsystems, which hold it.
    QTimer cqTimer_;

public:
    OrvantiCore(Port& port, Clock& clock, View& view, ReceiveView& receiveWindow,
                TransmitView& transmitWindow, Modal& modal, QObject* parent = nullptr);

    // Starts the Receive, StatusAanvraag and Error timers. Their work stays gated by
    // the hold flags, so they may run from the start.
    void startTimers();
    void stopTimers();

    // One poll now, and again as long as there is something to do.
    void pollSoon();

    const QTimer& cqTimer() const { return cqTimer_; }

    Station station;
    Settings settings;
    MessageTexts texts;
    PortLink link;
    StatusDisplay status;
    ReceiveDecoder decoder;
    TransmitKeys keys;
    FileSender files;
    ConfigurationMenu config;
    DisplayOptions display;
    ModeSwitch modes;
    ModeCommands commands;
    AudioConfig audio;
    Navtex navtex;
    Calling calling;
    Lifecycle lifecycle;
    Capture capture;
    Mailbox mailbox;
    HelpMenu help;
    // The window's menu items, toolbar buttons and pop-up items by name.
    ActionTable actions;

private:
    void receiveTick();
    void openShowBatch();
    void closeShowBatch();

    Port& port_;
    TransmitView& transmitWindow_;
    QTimer receiveTimer_;
    QTimer statusTimer_;
    QTimer errorTimer_;
    bool running_ = false;
    // Set while the poll holds text and pane changes back for one show.
    bool showBatchOpen_ = false;
    QElapsedTimer sinceShow_; // since the last show
    QTimer showTimer_;        // the show of input that stopped soon after the last show
};
