#pragma once

#include <QtGlobal>

// Colours as the settings file stores them: red in the lowest byte, green in the
// next, blue in the third, written as signed decimal text.
using Color = qint32;

namespace Colors {
constexpr Color Black = 0;
constexpr Color Red = 255;
constexpr Color Green = 32768;
constexpr Color Lime = 65280;
constexpr Color Yellow = 65535;
constexpr Color Blue = 16711680;
constexpr Color Aqua = 16776960;
constexpr Color Silver = 12632256;
constexpr Color White = 16777215;

constexpr int red(Color c)
{
    return c & 0xff;
}
constexpr int green(Color c)
{
    return (c >> 8) & 0xff;
}
constexpr int blue(Color c)
{
    return (c >> 16) & 0xff;
}
constexpr Color fromRgb(int r, int g, int b)
{
    return (r & 0xff) | ((g & 0xff) << 8) | ((b & 0xff) << 16);
}
} // namespace Colors
