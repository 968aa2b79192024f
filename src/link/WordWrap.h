#pragma once

// Column counting for the word wrap, the same rule in both directions: after a byte is
// counted, a break falls due at a space once the column has reached WrapMin, and at
// the latest when the column passes WrapMax. A WrapMax of 0 means no wrapping (a file
// without the keys would otherwise break the line after every character).

#include <QString>

enum class WrapDirection { Received = 1, Transmitted = 2 };

struct WrapLimits {
    quint8 wrapMin = 0;
    quint8 wrapMax = 0;
};

// "Determine the number of characters": counts byte `b` on `column` (an 8-bit counter) and says
// whether a break is due; the column restarts at 0 when it is. A carriage return restarts it
// without a break. Transmitted control bytes other than CR do not take a column; received ones do.
bool BepaalAantalKarakters(WrapDirection direction, quint8 b, quint8& column, WrapLimits limits);

// The word-wrap dialog's two entries. Both must be whole numbers: the wrap length 0 to
// 245 and the line length 0 to 255, so that the line length can always be kept at
// least 10 above the wrap length (it is raised to that when lower). On a bad entry
// returns false with the reason in *error and leaves `limits` alone.
bool parseWrapEntries(const QString& wrapLength, const QString& lineLength, WrapLimits* limits,
                      QString* error);
