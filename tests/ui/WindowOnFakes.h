#pragma once

// The real main window on the offscreen platform, wired to the fake port, clock and
// modal answers, in a station folder of its own.

#include "CoreHarness.h"
#include "StationDir.h"
#include "app/OrvantiCore.h"
#include "ui/THoofdForm.h"

#include <QTest>
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

    OrvantiCore& core() { return window->core(); }
    // A component of the window by its name (a Name:: or a literal).
    template <typename T = QWidget, typename N> T* named(const N& name) const
    {
        return window->findChild<T*>(QString(QLatin1StringView(name)));
    }
    // Shortcuts act in the active window only.
    bool showActive()
    {
        window->show();
        window->activateWindow();
        return QTest::qWaitForWindowActive(window.get());
    }

    StationDir dir;
    WireLog wire;
    FakeClock clock{wire};
    FakePort port{wire, clock};
    QueuedModal modal;
    std::unique_ptr<THoofdForm> window;
};
