// The settings file: what is read, what is written back, and that nothing else of the
// file is lost on the way.

#include "base/Settings.h"
#include "StationDir.h"

#include <QFile>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

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

TEST(SettingsReader, ReadsEveryKeyOfTheShippedFile)
{
    StationDir dir;
    const Settings s = readShippedWith(dir, {});
    EXPECT_EQ(s.SettingPortName, QStringLiteral("COM1"));
    EXPECT_EQ(s.SettingBaudRate, 9600);
    EXPECT_EQ(s.RxFontName, QStringLiteral("Courier New"));
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
    EXPECT_EQ(s.MyCall, QStringLiteral("NOCALL"));
    EXPECT_TRUE(s.MessagesOnScreen);
    EXPECT_FALSE(s.MaildropOn);
    EXPECT_EQ(s.LanguageIndex, 1);
}

TEST(SettingsReader, OnOffCountsOnlyExactUpperCaseOnInTheFirstThreeCharacters)
{
    StationDir dir;
    EXPECT_FALSE(readShippedWith(dir, {"Program/Maildrop=on"}).MaildropOn);
    EXPECT_FALSE(readShippedWith(dir, {"Program/Maildrop=On"}).MaildropOn);
    EXPECT_TRUE(readShippedWith(dir, {"Program/Maildrop=ON"}).MaildropOn);
    EXPECT_FALSE(readShippedWith(dir, {"Program/Maildrop=ONX"}).MaildropOn)
        << "three characters 'ONX' are not exactly ON";
    EXPECT_FALSE(readShippedWith(dir, {"Program/Maildrop"}).MaildropOn) << "missing means off";
    EXPECT_FALSE(readShippedWith(dir, {"Program/Messages On Screen"}).MessagesOnScreen);
}

TEST(SettingsReader, NavtexAmtexOnaSetsBothFlagsAndIsWrittenBack)
{
    StationDir dir;
    Settings s = readShippedWith(dir, {"PtcParameters/Navtex/Amtex=ONA"});
    EXPECT_TRUE(s.NavtexActive);
    EXPECT_TRUE(s.AmtexActive);

    QString error;
    ASSERT_TRUE(WriteIniFile(dir.file(QStringLiteral("Orvanti.ini")), s, &error))
        << error.toStdString();
    EXPECT_TRUE(dir.read(QStringLiteral("Orvanti.ini")).contains("Navtex/Amtex=ONA\n"));

    s = readShippedWith(dir, {"PtcParameters/Navtex/Amtex=ON"});
    EXPECT_TRUE(s.NavtexActive);
    EXPECT_FALSE(s.AmtexActive);
    s = readShippedWith(dir, {"PtcParameters/Navtex/Amtex=ona"});
    EXPECT_FALSE(s.NavtexActive);
    EXPECT_FALSE(s.AmtexActive);
}

TEST(SettingsReader, NumbersKeepOnlyTheBitsOfTheirWidth)
{
    StationDir dir;
    const Settings s = readShippedWith(
        dir, {"ReceiveScreen/FontSize=300", "Program/Transmitscreen Height=70000",
              "Program/Max Length Recv Buffer=-5", "PtcParameters/Center QRG=$10000"});
    EXPECT_EQ(s.RxFontSize, 44) << "a byte keeps 300 & 255";
    EXPECT_EQ(s.TransmitScreenHeight, 70000 & 0xffff) << "a word keeps the low 16 bits";
    EXPECT_EQ(s.MaxRxLength, -5) << "an int keeps all 32 bits";
    EXPECT_EQ(s.AudioCenterQrg, 0);
}

TEST(SettingsReader, InvalidOrHugeNumbersKeepTheDefault)
{
    StationDir dir;
    Settings s;
    s.MaxRxLength = 1234; // the value before reading is the default
    s.RxFontSize = 9;
    dir.write(QStringLiteral("Orvanti.ini"), "[Program]\nMax Length Recv Buffer=12abc\n"
                                             "[ReceiveScreen]\nFontSize=99999999999999\n");
    ASSERT_TRUE(ReadIniFile(dir.file(QStringLiteral("Orvanti.ini")), s));
    EXPECT_EQ(s.MaxRxLength, 1234);
    EXPECT_EQ(s.RxFontSize, 9);
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
    EXPECT_EQ(readShippedWith(dir, {"Program/Language=FR"}).LanguageIndex, 4);
    EXPECT_EQ(readShippedWith(dir, {"Program/Language=PT"}).LanguageIndex, 9);
    EXPECT_EQ(readShippedWith(dir, {"Program/Language=XX"}).LanguageIndex, 0);
    EXPECT_EQ(readShippedWith(dir, {"Program/Language=fr"}).LanguageIndex, 0);
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
}

TEST(SettingsReader, AnUnreadableFileIsReportedAsAFailure)
{
    StationDir dir;
    Settings s;
    EXPECT_FALSE(ReadIniFile(dir.file(QStringLiteral("missing.ini")), s));
}

TEST(SettingsWriter, RoundTripKeepsEveryValue)
{
    StationDir dir;
    Settings s = readShippedWith(dir, {});
    s.ComPortName = QStringLiteral("/dev/serial/by-id/usb-PTC");
    s.ComBaudRate = 115200;
    s.RxFontStyle = 4;
    s.TxFontColor = 32768;
    s.MyCall = QStringLiteral("DL1ABC");
    s.IdString = QStringLiteral("de DL1ABC in JO31");
    s.MaxScreen = true;
    s.LeavePtcActive = true;
    s.LanguageIndex = 3;
    s.WrapMin = 50;
    s.WrapMax = 75;
    s.MaxRxLength = 65500;
    s.TransmitScreenHeight = 412;
    s.StartupCommands[4] = QStringLiteral("TONES 2");
    s.ShutdownCommands[0] = QStringLiteral("QRT");

    QString error;
    ASSERT_TRUE(WriteIniFile(dir.file(QStringLiteral("Orvanti.ini")), s, &error))
        << error.toStdString();
    Settings back;
    ASSERT_TRUE(ReadIniFile(dir.file(QStringLiteral("Orvanti.ini")), back));
    EXPECT_EQ(back.SettingPortName, s.ComPortName) << "the port in use is what is saved";
    EXPECT_EQ(back.SettingBaudRate, 115200);
    EXPECT_EQ(back.RxFontStyle, 4);
    EXPECT_EQ(back.TxFontColor, 32768);
    EXPECT_EQ(back.MyCall, s.MyCall);
    EXPECT_EQ(back.IdString, s.IdString);
    EXPECT_TRUE(back.MaxScreen);
    EXPECT_TRUE(back.LeavePtcActive);
    EXPECT_EQ(back.LanguageIndex, 3);
    EXPECT_EQ(back.WrapMin, 50);
    EXPECT_EQ(back.WrapMax, 75);
    EXPECT_EQ(back.MaxRxLength, 65500);
    EXPECT_EQ(back.TransmitScreenHeight, 412);
    EXPECT_EQ(back.StartupCommands[4], QStringLiteral("TONES 2"));
    EXPECT_EQ(back.ShutdownCommands[0], QStringLiteral("QRT"));
    EXPECT_TRUE(back.StartupCommands[5].isEmpty());
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

TEST(SettingsWriter, LanguageZeroIsWrittenAsEnglish)
{
    StationDir dir;
    Settings s;
    QString error;
    ASSERT_TRUE(WriteIniFile(dir.file(QStringLiteral("Orvanti.ini")), s, &error));
    EXPECT_TRUE(dir.read(QStringLiteral("Orvanti.ini")).contains("Language=EN"));
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

TEST(SettingsBuildIn, TheBuiltInSetIsUsable)
{
    Settings s;
    ReadBuildInParameters(s);
    EXPECT_EQ(s.ComBaudRate, 9600);
    EXPECT_EQ(s.MaxRxLength, 30000);
    EXPECT_EQ(s.TransmitScreenHeight, 300);
    EXPECT_EQ(s.MyCall, QStringLiteral("Hello"));
    EXPECT_TRUE(s.MessagesOnScreen);
    EXPECT_EQ(s.DelayTextColor, Colors::Red);
}

TEST(SettingsIntegers, DecimalAndHexFormsAndNothingElse)
{
    qint32 value = 0;
    EXPECT_TRUE(parseSettingsInteger(QStringLiteral(" -42 "), &value));
    EXPECT_EQ(value, -42);
    EXPECT_TRUE(parseSettingsInteger(QStringLiteral("$FF"), &value));
    EXPECT_EQ(value, 255);
    EXPECT_TRUE(parseSettingsInteger(QStringLiteral("0xFFFFFFFF"), &value));
    EXPECT_EQ(value, -1);
    EXPECT_FALSE(parseSettingsInteger(QStringLiteral("2147483648"), &value));
    EXPECT_FALSE(parseSettingsInteger(QStringLiteral(""), &value));
    EXPECT_FALSE(parseSettingsInteger(QStringLiteral("1e3"), &value));
}
