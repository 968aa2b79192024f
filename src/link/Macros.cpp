#include "link/Macros.h"

namespace {

bool endsWord(char c)
{
    return c == ' ' || c == '\r' || c == '\n';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The control character an %%ASC word names at its characters 8 and 9; 0 for none.
// NUL is no character a text may send.
char ascControl(const QByteArray& word)
{
    if (word.size() < 9 || !isDigit(word[7]) || !isDigit(word[8]))
        return 0;
    const int value = (word[7] - '0') * 10 + (word[8] - '0');
    return value < 32 ? static_cast<char>(value) : 0;
}

QByteArray replacement(const QByteArray& word, const MacroContext& context)
{
    const auto is = [&word](const char* name, qsizetype length) {
        return word.mid(2, length) == QByteArray(name, length);
    };
    const auto ask = [](const std::function<QByteArray()>& value) {
        return value ? value() : QByteArray();
    };
    if (is("POS", 3))
        return context.position;
    if (is("NMEA", 4))
        return context.nmeaPosition;
    if (is("DAT", 3))
        return ask(context.date);
    if (is("TIM", 3))
        return ask(context.time);
    if (is("MYC", 3))
        return context.myCall;
    if (is("HISCAL", 6))
        return context.hisCall;
    if (is("HISNAM", 6))
        return context.hisName;
    return {};
}

} // namespace

ExpandedLine expandMacros(const QByteArray& line, const MacroContext& context)
{
    qsizetype macro = line.indexOf("%%");
    if (macro < 0)
        return {line, {}};
    ExpandedLine result;
    qsizetype from = 0;
    while (macro >= 0) {
        result.line.append(line.constData() + from, macro - from);
        qsizetype end = macro + 2;
        while (end < line.size() && !endsWord(line[end]))
            ++end;
        const QByteArray word = line.mid(macro, end - macro).toUpper();
        if (word.mid(2, 3) == "ASC") {
            const char control = ascControl(word);
            if (control != 0)
                result.controlBytes.append(control);
            result.line = " ";
            return result;
        }
        result.line.append(replacement(word, context));
        from = end;
        macro = line.indexOf("%%", from);
    }
    result.line.append(line.constData() + from, line.size() - from);
    return result;
}
