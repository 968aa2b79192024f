#include "CoreHarness.h"

#include <gtest/gtest.h>

void CoreHarness::behaveLikeController(const QByteArray& version)
{
    port.answer("Version\r", version + "cmd: ");
    port.answer("\r", "cmd: ");
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
