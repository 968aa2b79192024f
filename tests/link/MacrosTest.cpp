// The %% macros as pure text: each of the original line's macro words replaced once,
// left to right, and the control character of %%ASC.

#include "link/Macros.h"

#include <QString>
#include <gtest/gtest.h>

namespace {

MacroContext context()
{
    MacroContext c;
    c.date = [] { return QByteArray("2024-05-17"); };
    c.time = [] { return QByteArray("14:03"); };
    c.myCall = "DL1ABC";
    c.hisCall = "PA3XYZ";
    c.hisName = "Jan";
    c.position = "5212.34N 00455.12E";
    c.nmeaPosition = "$GPGLL,5212.34,N";
    return c;
}

struct MacroCase {
    const char* line;
    const char* expected;
    QByteArray control;
};

} // namespace

TEST(Macros, EachWordOfTheLineIsReplacedOnce)
{
    const MacroCase cases[] = {
        {"73 de %%MYCALL %%hisname", "73 de DL1ABC Jan", {}},
        {"%%HISCALL de %%MyC k", "PA3XYZ de DL1ABC k", {}},
        {"%%DATE %%time UTC", "2024-05-17 14:03 UTC", {}},
        {"QTH %%POS / %%NMEA", "QTH 5212.34N 00455.12E / $GPGLL,5212.34,N", {}},
        {"call %%XYZ end", "call  end", {}}, // an unknown word goes
        {"a%%MYC,b c", "aDL1ABC c", {}},     // the word runs to the space
        {"%%MYC\r%%MYC\n%%MYC", "DL1ABC\rDL1ABC\nDL1ABC", {}},
        {"%%", "", {}},
        {"%%%%MYC x", " x", {}}, // one word, and no macro
        {"50%% off", "50 off", {}},
        {"50%%off", "50", {}},
        {"plain text, no macro", "plain text, no macro", {}},
        {"%%ASCII04", " ", "\x04"},
        {"first %%MYC then %%asc..31 more", " ", "\x1f"},
        {"%%ASCII4", " ", {}},  // one digit
        {"%%ASCII32", " ", {}}, // no control character
        {"%%ASCIIx4", " ", {}},
        {"%%ASCII00", " ", {}},      // NUL is never sent
        {"%%ASCII041", " ", "\x04"}, // characters 8 and 9 only
    };
    for (const MacroCase& c : cases) {
        const ExpandedLine out = expandMacros(c.line, context());
        EXPECT_EQ(out.line, QByteArray(c.expected)) << c.line;
        EXPECT_EQ(out.controlBytes, c.control) << c.line;
    }
}

TEST(Macros, InsertedTextIsNeverLookedAtAgain)
{
    MacroContext c = context();
    c.hisName = "%%MYC";
    c.position = "%%POS%%POS";
    c.myCall = "%%ASCII04";
    const ExpandedLine out = expandMacros("%%HISNAM %%POS %%MYC %%HISNAM", c);
    EXPECT_EQ(out.line, QByteArray("%%MYC %%POS%%POS %%ASCII04 %%MYC"));
    EXPECT_TRUE(out.controlBytes.isEmpty());
}

TEST(Macros, LinesOfAnyLengthAndMacrosBeyondTheirStart)
{
    const QByteArray head(300, 'x');
    const QByteArray tail(100000, 'y');
    const ExpandedLine out =
        expandMacros(head + QByteArray(" %%MYC ") + tail + QByteArray(" %%HISCALL"), context());
    EXPECT_EQ(out.line, head + QByteArray(" DL1ABC ") + tail + QByteArray(" PA3XYZ"));
}

TEST(Macros, TheClockIsAskedOnlyForItsOwnMacros)
{
    int asked = 0;
    MacroContext c = context();
    c.date = [&asked] { return QByteArray::number(++asked); };
    c.time = nullptr; // none given: the macro goes, nothing breaks
    EXPECT_EQ(expandMacros("%%MYC %%TIM", c).line, QByteArray("DL1ABC "));
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(expandMacros("%%DAT %%DAT", c).line, QByteArray("1 2"));
}
