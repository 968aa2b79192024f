#pragma once

// What a key typed in the transmit window does. In character mode each key goes to the
// controller at once.

#include <QtGlobal>

class PortLink;
struct Station;

class TransmitKeys {
public:
    TransmitKeys(Station& station, PortLink& link);

    void TransmitWindowKeyPress(quint8 key);

private:
    Station& station_;
    PortLink& link_;
};
