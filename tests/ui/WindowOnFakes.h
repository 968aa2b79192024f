#pragma once

// The real main window on the offscreen platform, wired to the fake port, clock and
// modal answers, in a station folder of its own.

#include "CoreHarness.h"
#include "StationDir.h"
#include "ui/THoofdForm.h"

#include <memory>

struct WindowOnFakes {
    explicit WindowOnFakes(const QList<QByteArray>& settingsEdits)
    {
        dir.writeSettings(settingsEdits);
        port.answer("Version\r", "PTC-II v4.1\rcmd: ");
        port.answer("\r", "cmd: ");
        MainWindowOptions options;
        options.stationFolder = dir.path();
        options.port = &port;
        options.clock = &clock;
        options.modal = &modal;
        window = std::make_unique<THoofdForm>(options);
    }

    StationDir dir;
    WireLog wire;
    FakeClock clock{wire};
    FakePort port{wire, clock};
    QueuedModal modal;
    std::unique_ptr<THoofdForm> window;
};
