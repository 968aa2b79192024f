#pragma once

#include "base/Color.h"

#include <QColor>

inline QColor toQColor(Color c)
{
    return QColor(Colors::red(c), Colors::green(c), Colors::blue(c));
}

inline Color fromQColor(const QColor& c)
{
    return Colors::fromRgb(c.red(), c.green(), c.blue());
}
