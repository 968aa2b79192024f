#pragma once

// How the benchmarks that drive the whole program start it: the simulator on a
// pseudo-terminal, and the real main window's options pointing at it.

#include "PtySimulator.h"
#include "StationDir.h"
#include "base/Modal.h"
#include "ui/THoofdForm.h"

#include <cstdio>
#include <string>

// Opens and starts the simulator; false, with the reason printed, when there is no
// pseudo-terminal.
inline bool startSimulator(ptcsim::PtySimulator& simulator)
{
    std::string error;
    if (!simulator.open(&error)) {
        std::fprintf(stderr, "no pseudo-terminal: %s\n", error.c_str());
        return false;
    }
    simulator.start();
    return true;
}

inline MainWindowOptions windowOnSimulator(const ptcsim::PtySimulator& simulator,
                                           const StationDir& station, Modal& modal)
{
    MainWindowOptions options;
    options.portOverride = QString::fromStdString(simulator.devicePath());
    options.stationFolder = station.path();
    options.modal = &modal;
    return options;
}
