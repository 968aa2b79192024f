#include "CoreHarness.h"

#include <gtest/gtest.h>

void CoreHarness::behaveLikeController(const QByteArray& version)
{
    port.answer("Version\r", version + "cmd: ");
    port.answer("\r", "cmd: ");
}

void CoreHarness::receive(const QByteArray& block)
{
    core.station.RxChunk = block;
    core.station.RxCount = static_cast<quint16>(block.size());
    core.link.decodeBlock();
}

Mode modeNamed(const char* text)
{
    for (int i = 0; i <= static_cast<int>(Mode::Dumb); ++i) {
        if (modeText(static_cast<Mode>(i)) == QLatin1String(text))
            return static_cast<Mode>(i);
    }
    ADD_FAILURE() << "no mode shows as " << text;
    return Mode::Pactor;
}
