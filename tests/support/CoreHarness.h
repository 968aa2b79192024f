#pragma once

// The core wired to fakes: a fake port and clock sharing one wire log, a recording view
// and queued modal answers.

#include "FakeClock.h"
#include "FakePort.h"
#include "QueuedModal.h"
#include "RecordingView.h"
#include "WireLog.h"
#include "app/OrvantiCore.h"
#include "base/ComponentNames.h"

struct CoreHarness {
    WireLog wire;
    FakeClock clock{wire};
    FakePort port{wire, clock};
    RecordingView view;
    QueuedModal modal;
    OrvantiCore core{port, clock, view, view, view.transmit(), modal};

    Station& station() { return core.station; }
    Settings& settings() { return core.settings; }
    MessageTexts& texts() { return core.texts; }
    // Answers like an idle PTC-II: a prompt for every CR, its version for "Version".
    void behaveLikeController(const QByteArray& version = "PTC-II v4.1\r");
    // A block from the controller, through the poll's decode step.
    void receive(const QByteArray& block);
};

// The mode the status bar shows as `text` ("PACTOR", ...), for tables that name modes.
Mode modeNamed(const char* text);
