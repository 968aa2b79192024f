// libFuzzer target for the %% macros and the cleaning of file lines before them.
//
// Input layout: 7 header bytes, the length (0..47) of each context text, taken in
// order from the bytes after the header: own call, other call, other name, position,
// NMEA position, date, time. What is left is the line.
//
// Checks: it ends (the fuzzer's time-out catches a loop); at most one control
// character, 1..31, and only with a line of a single space; a line without "%%" comes
// back as it was; the text before the first "%%" is kept; the line grows at most by
// the longest replacement for every two bytes of input; a cleaned file line holds no
// control character but the tab.

#include "link/FileSender.h"
#include "link/Macros.h"

#include <QCoreApplication>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "macro_fuzz: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    constexpr std::size_t Header = 7;
    if (size < Header)
        return 0;
    const char* bytes = reinterpret_cast<const char*>(data);
    std::size_t at = Header;
    qsizetype longest = 0;
    const auto take = [&](int field) {
        const std::size_t length = std::min<std::size_t>(data[field] % 48, size - at);
        const QByteArray text(bytes + at, static_cast<qsizetype>(length));
        at += length;
        longest = std::max(longest, text.size());
        return text;
    };
    MacroContext context;
    context.myCall = take(0);
    context.hisCall = take(1);
    context.hisName = take(2);
    context.position = take(3);
    context.nmeaPosition = take(4);
    const QByteArray date = take(5);
    const QByteArray time = take(6);
    context.date = [date] { return date; };
    context.time = [time] { return time; };
    const QByteArray line(bytes + at, static_cast<qsizetype>(size - at));

    const ExpandedLine out = expandMacros(line, context);
    check(out.controlBytes.size() <= 1, "more than one control character");
    if (!out.controlBytes.isEmpty()) {
        const auto control = static_cast<quint8>(out.controlBytes[0]);
        check(control >= 1 && control <= 31, "a control character outside 1..31");
        check(out.line == " ", "a control character without the single space");
    }
    const qsizetype first = line.indexOf("%%");
    if (first < 0)
        check(out.line == line && out.controlBytes.isEmpty(), "a line without macros changed");
    else if (out.line != " ")
        check(out.line.startsWith(line.left(first)), "the text before the first macro changed");
    check(out.line.size() <= line.size() + line.size() / 2 * longest,
          "the line grew beyond its replacements");

    for (char c : wireText(line)) {
        const auto b = static_cast<quint8>(c);
        check(b >= 32 || b == '\t', "a control character in a cleaned line");
    }
    return 0;
}
