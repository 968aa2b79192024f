#pragma once

// The %% macros of prepared texts and sent files: a macro word runs from "%%" to the
// next space, CR, LF or the end of the line, and is compared in upper case on its
// first letters ("%%MYCALL" is MYC). Pure: what the macros stand for comes in a
// context, so tests and the fuzz target choose the date, the time and the calls.

#include <QByteArray>
#include <functional>

struct MacroContext {
    // Asked only when a line holds the macro, so a file without it costs nothing.
    std::function<QByteArray()> date;
    std::function<QByteArray()> time;
    QByteArray myCall;
    QByteArray hisCall;
    QByteArray hisName;
    QByteArray position;
    QByteArray nmeaPosition;
};

struct ExpandedLine {
    QByteArray line;
    // Control characters to send (through SendCTRL) before the line: from %%ASC.
    QByteArray controlBytes;
};

// Replaces every macro word of `line` once, left to right. Inserted text is never
// looked at again, so a name or a position holding "%%" goes out as it stands. An
// %%ASC word makes the whole line a single space and, when characters 8 and 9 of the
// word are two digits giving 1..31, sends that control character.
ExpandedLine expandMacros(const QByteArray& line, const MacroContext& context);
