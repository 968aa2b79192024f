#include "link/WordWrap.h"

bool BepaalAantalKarakters(WrapDirection direction, quint8 b, quint8& column, WrapLimits limits)
{
    if (b == 13) {
        column = 0;
        return false;
    }
    if (direction == WrapDirection::Received || b > 31)
        ++column;
    if (limits.wrapMax == 0)
        return false;
    if ((column >= limits.wrapMin && b == ' ') || column > limits.wrapMax) {
        column = 0;
        return true;
    }
    return false;
}
