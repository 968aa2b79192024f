#pragma once

// The status request twice a second, the 713 ms housekeeping, the lamps and the two
// small helpers every subsystem uses (Warning, ZetTransmitbalkTerug).

#include "app/Color.h"

#include <QString>

class Modal;
class PortLink;
class ReceiveView;
class View;
struct MessageTexts;
struct Settings;
struct Station;

class StatusDisplay {
public:
    StatusDisplay(Station& station, Settings& settings, const MessageTexts& texts, PortLink& link,
                  View& view, ReceiveView& receiveWindow, Modal& modal);

    // Every 500 ms: the status request byte 30, unless something must not be disturbed.
    void StatusAanvraagTimer();
    // Every 713 ms: housekeeping.
    void ErrorTimer();
    // 0: the disk lamp lime, 1: red; other values change nothing.
    void DiskLed(int state);
    void Warning(const QString& text);
    // The transmit bar as it was at the last layout, in the bar colour.
    void ZetTransmitbalkTerug();

    // The bar caption kept at the last layout.
    QString TransmitbalkCaption;

private:
    Station& station_;
    Settings& settings_;
    const MessageTexts& texts_;
    PortLink& link_;
    View& view_;
    ReceiveView& receiveWindow_;
    Modal& modal_;
};
