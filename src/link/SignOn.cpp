#include "link/SignOn.h"

#include "base/Station.h"

SignOnFindings recogniseSignOn(const QByteArray& text)
{
    SignOnFindings found;
    found.biosMode = text.contains("Systemtest");
    if (text.contains(Z80SignOnMarker))
        found.ptcType = PtcModel::Z80;
    if (text.contains("Plus"))
        found.ptcType = PtcModel::Plus;
    if (text.contains("PTC-IIe"))
        found.ptcType = PtcModel::IIe;
    else if (text.contains("PTC-II"))
        found.ptcType = PtcModel::II;
    if (text.contains("PTC-IIpro"))
        found.ptcType = PtcModel::IIpro;
    found.port2Absent = text.contains("Port 2: NO");
    return found;
}
