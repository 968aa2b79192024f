// The settings file: what is read, what is written back, and that nothing else of the
// file is lost on the way.

#include "base/Settings.h"
#include "StationDir.h"

#include <QFile>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <tuple>

namespace {

Settings readFrom(const StationDir& dir, const QByteArray& text)
{
    dir.write(QStringLiteral("Orvanti.ini"), text);
    Settings settings;
    EXPECT_TRUE(ReadIniFile(dir.file(QStringLiteral("Orvanti.ini")), settings));
    return settings;
}

Settings readShippedWith(const StationDir& dir, const QList<QByteArray>& edits)
{
    return readFrom(dir, shippedSettingsWith(edits));
}

} // namespace

// What the start shows of the port, call, font and language is tried in LifecycleTest.
TEST(SettingsReader, ReadsTheKeysOfTheShippedFile)
{
    StationDir dir;
    const Settings s = readShippedWith(dir, {});
    EXPECT_EQ(s.RxFontSize, 10);
    EXPECT_EQ(s.RxWindowColor, Colors::White);
    EXPECT_EQ(s.SystemTextColor, Colors::Blue);
    EXPECT_EQ(s.DelayTextColor, Colors::Red);
    EXPECT_EQ(s.TxWindowColor, Colors::Silver);
    EXPECT_EQ(s.TabFontSize, 8);
    EXPECT_EQ(s.ButtonFlareColor, Colors::Red);
    EXPECT_EQ(s.ReceiveBarColor, Colors::Silver);
    EXPECT_EQ(s.TransmitBarColor, Colors::Silver)
        << "the transmit bar takes the receive bar colour";
    EXPECT_EQ(s.WrapMin, 60);
    EXPECT_EQ(s.WrapMax, 70);
    EXPECT_EQ(s.HintsSetting, QStringLiteral("On"));
    EXPECT_EQ(s.MaxRxLength, 30000);
    EXPECT_EQ(s.TransmitScreenHeight, 300);
    EXPECT_EQ(s.AudioCenterQrg, 800);
}

TEST(SettingsReader, OnOffCountsOnlyExactUpperCaseOnInTheFirstThreeCharacters)
{
    StationDir dir;
    for (const auto& [edit, on] : {std::pair{"Program/Maildrop=on", false},
                                   {"Program/Maildrop=On", false},
                                   {"Program/Maildrop=ON", true},
                                   {"Program/Maildrop=ONX", false},
                                   {"Program/Maildrop", false}}) // missing means off
        EXPECT_EQ(readShippedWith(dir, {edit}).MaildropOn, on) << edit;
    EXPECT_FALSE(readShippedWith(dir, {"Program/Messages On Screen"}).MessagesOnScreen);
}

TEST(SettingsReader, NavtexAmtexOnaSetsBothFlagsAndIsWrittenBack)
{
    StationDir dir;
    for (const auto& [value, navtex, amtex] :
         {std::tuple{"ON", true, false}, {"ona", false, false}, {"ONA", true, true}}) {
        const Settings s =
            readShippedWith(dir, {QByteArray("PtcParameters/Navtex/Amtex=") + value});
        EXPECT_EQ(std::pair(s.NavtexActive, s.AmtexActive), std::pair(navtex, amtex)) << value;
        QString error;
        ASSERT_TRUE(WriteIniFile(dir.file(QStringLiteral("Orvanti.ini")), s, &error));
    }
    EXPECT_TRUE(dir.read(QStringLiteral("Orvanti.ini")).contains("Navtex/Amtex=ONA\n"));
}

TEST(SettingsReader, NumbersKeepOnlyTheBitsOfTheirWidthAndInvalidOnesTheDefault)
{
    StationDir dir;
    const Settings s = readShippedWith(
        dir, {"ReceiveScreen/FontSize=300", "Program/Transmitscreen Height=70000",
              "Program/Max Length Recv Buffer=-5", "PtcParameters/Center QRG=$10000"});
    EXPECT_EQ(s.RxFontSize, 44) << "a byte keeps 300 & 255";
    EXPECT_EQ(s.TransmitScreenHeight, 70000 & 0xffff) << "a word keeps the low 16 bits";
    EXPECT_EQ(s.MaxRxLength, -5) << "an int keeps all 32 bits";
    EXPECT_EQ(s.AudioCenterQrg, 0);

    Settings kept;
    kept.MaxRxLength = 1234; // the value before reading is the default
    kept.RxFontSize = 9;
    dir.write(QStringLiteral("Orvanti.ini"), "[Program]\nMax Length Recv Buffer=12abc\n"
                                             "[ReceiveScreen]\nFontSize=99999999999999\n");
    ASSERT_TRUE(ReadIniFile(dir.file(QStringLiteral("Orvanti.ini")), kept));
    EXPECT_EQ(kept.MaxRxLength, 1234);
    EXPECT_EQ(kept.RxFontSize, 9);
}

TEST(SettingsReader, ButtonStyleDefaultsToTheTabStyleAndIsWrittenFromIt)
{
    StationDir dir;
    Settings s = readShippedWith(dir, {"PageControl/FontStyle=3", "Buttons/FontStyle"});
    EXPECT_EQ(s.ButtonFontStyle, 3);

    QString error;
    ASSERT_TRUE(WriteIniFile(dir.file(QStringLiteral("Orvanti.ini")), s, &error));
    const QByteArray written = dir.read(QStringLiteral("Orvanti.ini"));
    const qsizetype buttons = written.indexOf("[Buttons]");
    ASSERT_GE(buttons, 0);
    EXPECT_TRUE(written.mid(buttons).contains("FontStyle=3"));
}

TEST(SettingsReader, NamesMatchWithoutRegardToCaseAndBlanksAroundValuesAreIgnored)
{
    StationDir dir;
    const Settings s = readFrom(dir, "[port]\nPORTNUMBER =  /dev/ttyUSB0  \n"
                                     "[ptcparameters]\ncall=PA0XYZ\n");
    EXPECT_EQ(s.SettingPortName, QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(s.MyCall, QStringLiteral("PA0XYZ"));
}

TEST(SettingsReader, LanguageCodeSelectsItsIndexAndAnUnknownCodeLeavesItAlone)
{
    StationDir dir;
    for (const auto& [code, index] : {std::pair{"FR", 4}, {"PT", 9}, {"XX", 0}, {"fr", 0}})
        EXPECT_EQ(readShippedWith(dir, {QByteArray("Program/Language=") + code}).LanguageIndex,
                  index)
            << code;
}

TEST(SettingsReader, CommandListsAreReadByNumberAndEmptyOnesStayEmpty)
{
    StationDir dir;
    const Settings s =
        readShippedWith(dir, {"Startup Commands/Startup_2=MYLEVEL 3",
                              "ShutDown Commands/ShutDown_16=QRT", "Startup Commands/Startup_1"});
    EXPECT_TRUE(s.StartupCommands[0].isEmpty());
    EXPECT_EQ(s.StartupCommands[1], QStringLiteral("MYLEVEL 3"));
    EXPECT_EQ(s.ShutdownCommands[15], QStringLiteral("QRT"));
}

TEST(SettingsReader, GarbageAndBinaryJunkGiveDefaultsNotACrash)
{
    StationDir dir;
    QByteArray junk;
    for (int i = 0; i < 4096; ++i)
        junk.append(static_cast<char>((i * 7919) & 0xff));
    junk += "\n[Program\n=====\n[]\nMax Length Recv Buffer\n[Port]\nBaudRate=\xff\xfe\n";
    Settings s;
    s.SettingBaudRate = 4800;
    dir.write(QStringLiteral("Orvanti.ini"), junk);
    EXPECT_TRUE(ReadIniFile(dir.file(QStringLiteral("Orvanti.ini")), s));
    EXPECT_EQ(s.SettingBaudRate, 4800);
    EXPECT_FALSE(s.MaildropOn);
    EXPECT_FALSE(ReadIniFile(dir.file(QStringLiteral("missing.ini")), s));
}

// Written, read back and written again, the file comes out the same: every value
// written is read back as it was.
TEST(SettingsWriter, RoundTripKeepsEveryValue)
{
    StationDir dir;
    const QString path = dir.file(QStringLiteral("Orvanti.ini"));
    Settings s = readShippedWith(dir, {});
    s.ComPortName = QStringLiteral("/dev/serial/by-id/usb-PTC");
    s.ComBaudRate = 115200;
    s.RxFontStyle = 4;
    s.TxFontColor = 32768;
    s.IdString = QStringLiteral("de DL1ABC in JO31");
    s.MaxScreen = s.LeavePtcActive = true;
    s.LanguageIndex = 3;
    s.WrapMin = 50;
    s.WrapMax = 75;
    s.MaxRxLength = 65500;
    s.TransmitScreenHeight = 412;
    s.StartupCommands[4] = QStringLiteral("TONES 2");
    s.ShutdownCommands[0] = QStringLiteral("QRT");
    QString error;
    ASSERT_TRUE(WriteIniFile(path, s, &error)) << error.toStdString();
    const QByteArray first = dir.read(QStringLiteral("Orvanti.ini"));
    Settings back;
    ASSERT_TRUE(ReadIniFile(path, back));
    EXPECT_EQ(back.SettingPortName, s.ComPortName) << "the port in use is what is saved";
    EXPECT_EQ(back.SettingBaudRate, 115200);
    back.ComPortName = back.SettingPortName;
    back.ComBaudRate = back.SettingBaudRate;
    ASSERT_TRUE(WriteIniFile(path, back, &error));
    EXPECT_EQ(dir.read(QStringLiteral("Orvanti.ini")), first);
    const auto chosen = [](const Settings& x) {
        return std::tuple(x.RxFontStyle, x.TxFontColor, x.IdString, x.MaxScreen, x.LeavePtcActive,
                          x.LanguageIndex, x.WrapMin, x.WrapMax, x.MaxRxLength,
                          x.TransmitScreenHeight, x.StartupCommands[4], x.ShutdownCommands[0]);
    };
    EXPECT_EQ(chosen(back), chosen(s));

    // No language chosen is written as English.
    ASSERT_TRUE(WriteIniFile(path, Settings(), &error));
    EXPECT_TRUE(dir.read(QStringLiteral("Orvanti.ini")).contains("Language=EN"));
}

TEST(SettingsWriter, UnknownKeysSectionsAndCommentsSurvive)
{
    StationDir dir;
    dir.write(QStringLiteral("Orvanti.ini"), "; my station\n"
                                             "[Port]\n"
                                             "; the USB adapter\n"
                                             "Portnumber=COM2\n"
                                             "Remark=keep this\n"
                                             "[My Own]\n"
                                             "Antenna=dipole\n"
                                             "; the very last comment\n");
    Settings s;
    ASSERT_TRUE(ReadIniFile(dir.file(QStringLiteral("Orvanti.ini")), s));
    s.ComPortName = QStringLiteral("COM3");
    QString error;
    ASSERT_TRUE(WriteIniFile(dir.file(QStringLiteral("Orvanti.ini")), s, &error));

    const QByteArray written = dir.read(QStringLiteral("Orvanti.ini"));
    EXPECT_TRUE(written.contains("; my station"));
    EXPECT_TRUE(written.contains("; the USB adapter\nPortnumber=COM3"));
    EXPECT_TRUE(written.contains("Remark=keep this"));
    EXPECT_TRUE(written.contains("[My Own]\nAntenna=dipole"));
    EXPECT_TRUE(written.contains("; the very last comment"));
    EXPECT_FALSE(written.contains("COM2"));
}

// A write that runs out of room (here: a file size limit, which binds root too) must
// leave the old file exactly as it was.
TEST(SettingsWriter, AnInterruptedWriteLeavesTheOldFileIntact)
{
    StationDir dir;
    dir.copyShippedFiles();
    const QString path = dir.file(QStringLiteral("Orvanti.ini"));
    const QByteArray before = dir.read(QStringLiteral("Orvanti.ini"));
    Settings s;
    ASSERT_TRUE(ReadIniFile(path, s));
    s.MyCall = QString(5000, QLatin1Char('X')); // larger than the limit below

    struct rlimit old {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    QString error;
    const bool written = WriteIniFile(path, s, &error);
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(dir.read(QStringLiteral("Orvanti.ini")), before);
}

TEST(SettingsIntegers, DecimalAndHexFormsAndNothingElse)
{
    for (const auto& [text, ok, expected] : {std::tuple{" -42 ", true, -42},
                                             {"$FF", true, 255},
                                             {"0xFFFFFFFF", true, -1},
                                             {"2147483648", false, 0},
                                             {"", false, 0},
                                             {"1e3", false, 0}}) {
        qint32 value = 0;
        EXPECT_EQ(parseSettingsInteger(QLatin1String(text), &value), ok) << text;
        EXPECT_EQ(value, expected) << text;
    }
}
