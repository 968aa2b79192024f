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

namespace {

bool parseEntry(const QString& text, int max, const QString& label, int* value, QString* error)
{
    bool ok = false;
    const int number = text.trimmed().toInt(&ok);
    if (!ok || number < 0 || number > max) {
        *error = QStringLiteral("%1 must be a whole number from 0 to %2.").arg(label).arg(max);
        return false;
    }
    *value = number;
    return true;
}

} // namespace

bool parseWrapEntries(const QString& wrapLength, const QString& lineLength, WrapLimits* limits,
                      QString* error)
{
    constexpr int MinimumGap = 10;
    int wrapMin = 0;
    int wrapMax = 0;
    if (!parseEntry(wrapLength, 255 - MinimumGap, QStringLiteral("The wordwrap length"), &wrapMin,
                    error) ||
        !parseEntry(lineLength, 255, QStringLiteral("The maximum line length"), &wrapMax, error))
        return false;
    limits->wrapMin = static_cast<quint8>(wrapMin);
    limits->wrapMax = static_cast<quint8>(qMax(wrapMax, wrapMin + MinimumGap));
    return true;
}
