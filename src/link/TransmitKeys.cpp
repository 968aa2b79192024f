#include "link/TransmitKeys.h"

#include "app/Station.h"
#include "link/PortLink.h"

TransmitKeys::TransmitKeys(Station& station, PortLink& link) : station_(station), link_(link) {}

void TransmitKeys::TransmitWindowKeyPress(quint8 key)
{
    station_.MenuHold = false;
    link_.ScrollNaarEnd();
    const bool sent = (key >= 8 && key <= 13) || key == 27 || key >= 32;
    if (sent)
        link_.ZendNaarPtc(QByteArray(1, static_cast<char>(key)));
}
