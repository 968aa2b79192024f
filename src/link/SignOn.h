#pragma once

// What the controller's sign-on and version texts reveal: its model, whether it runs
// its BIOS, and whether it has a second packet port.

#include "base/Station.h"

#include <QByteArray>

// A fixed piece of the Z80 PTC's sign-on text that no later model shows.
inline constexpr char Z80SignOnMarker[] = "Z80 PTC";

struct SignOnFindings {
    bool biosMode = false;
    PtcModel ptcType = PtcModel::Unknown; // Unknown: earlier findings stand
    bool port2Absent = false;
};

// Plain case-sensitive substring search, in the order that lets "PTC-IIpro" override
// "PTC-II" and keeps "PTC-IIe" from counting as "PTC-II".
SignOnFindings recogniseSignOn(const QByteArray& text);
