#pragma once

// The whole program against the simulated controller: the simulator on a
// pseudo-terminal, the real main window (offscreen) on its device with the real serial
// driver, in a station folder of its own, and real time.

#include "EventWait.h"
#include "PtySimulator.h"
#include "QueuedModal.h"
#include "StationDir.h"
#include "app/OrvantiCore.h"
#include "base/ComponentNames.h"
#include "ui/THoofdForm.h"

#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

struct WindowOnSimulator {
    // Starts the simulator, then the program on its device as far as the first
    // activation. The settings file must be written first.
    void startSimulator(const ptcsim::Options& options)
    {
        startSimulatorOnly(options);
        openWindow(devicePath());
    }

    void startSimulatorOnly(const ptcsim::Options& options)
    {
        simulator = std::make_unique<ptcsim::PtySimulator>(options);
        std::string error;
        ASSERT_TRUE(simulator->open(&error)) << error;
        simulator->start();
    }
    QString devicePath() const { return QString::fromStdString(simulator->devicePath()); }

    void openWindow(const QString& port)
    {
        createWindow(port);
        window->show();
        // Activated or not, the window sends the start-up commands once events run.
        ASSERT_TRUE(waitFor([this] { return window->firstActivationHandled(); }));
    }

    void createWindow(const QString& port)
    {
        MainWindowOptions options;
        options.stationFolder = dir.path();
        options.portOverride = port;
        options.modal = &modal;
        window = std::make_unique<THoofdForm>(options);
        window->createDialogs();
    }

    StationDir dir;
    QueuedModal modal;
    std::unique_ptr<ptcsim::PtySimulator> simulator;
    std::unique_ptr<THoofdForm> window;
};
