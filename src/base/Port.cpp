#include "base/Port.h"

bool parseComPortName(const QString& name, int* number)
{
    if (name.size() != 4 || !name.startsWith(QLatin1String("COM")) || !name[3].isDigit() ||
        name[3] == QLatin1Char('0'))
        return false;
    *number = name[3].digitValue();
    return true;
}

int baudRateValue(BaudRate speed)
{
    return BaudRateValues[static_cast<int>(speed)];
}

bool baudRateFromValue(int value, BaudRate* speed)
{
    for (int i = 0; i < 6; ++i) {
        if (BaudRateValues[i] == value) {
            *speed = static_cast<BaudRate>(i);
            return true;
        }
    }
    return false;
}
