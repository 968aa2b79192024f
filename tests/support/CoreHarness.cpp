#include "CoreHarness.h"

void CoreHarness::behaveLikeController(const QByteArray& version)
{
    port.answer("Version\r", version + "cmd: ");
    port.answer("\r", "cmd: ");
}
