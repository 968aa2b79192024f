// The command line and the shipped data files that --init puts in place.

#include "app/CommandLine.h"
#include "StationDir.h"
#include "app/StationFolder.h"
#include "base/Settings.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

CommandLineOptions parse(const QStringList& arguments, bool* ok, QString* error)
{
    CommandLineOptions options;
    *ok = parseCommandLine(QStringList{QStringLiteral("orvanti")} + arguments, &options, error);
    return options;
}

} // namespace

TEST(CommandLine, ReadsEachOption)
{
    bool ok = false;
    QString error;
    CommandLineOptions o = parse({QStringLiteral("--port"), QStringLiteral("/dev/ttyUSB0"),
                                  QStringLiteral("--dir"), QStringLiteral("/srv/station")},
                                 &ok, &error);
    ASSERT_TRUE(ok) << error.toStdString();
    EXPECT_EQ(o.port, QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(o.directory, QStringLiteral("/srv/station"));
    EXPECT_FALSE(o.demo);

    o = parse({QStringLiteral("--demo")}, &ok, &error);
    EXPECT_TRUE(ok && o.demo);
    o = parse({QStringLiteral("--init")}, &ok, &error);
    EXPECT_TRUE(ok && o.init);
    o = parse({QStringLiteral("--version")}, &ok, &error);
    EXPECT_TRUE(ok && o.version);
    o = parse({QStringLiteral("-h")}, &ok, &error);
    EXPECT_TRUE(ok && o.help);
}

TEST(CommandLine, RefusesWhatItCannotUse)
{
    bool ok = true;
    QString error;
    parse({QStringLiteral("--colour")}, &ok, &error);
    EXPECT_FALSE(ok);
    EXPECT_FALSE(error.isEmpty());
    parse({QStringLiteral("--port")}, &ok, &error);
    EXPECT_FALSE(ok);
    parse({QStringLiteral("--port="), QStringLiteral("--demo")}, &ok, &error);
    EXPECT_FALSE(ok);
    parse({QStringLiteral("--demo"), QStringLiteral("--port"), QStringLiteral("/dev/ttyS0")}, &ok,
          &error);
    EXPECT_FALSE(ok);
    parse({QStringLiteral("stray")}, &ok, &error);
    EXPECT_FALSE(ok);
}

TEST(StationFolder, InitCopiesTheShippedFilesAndKeepsExistingOnes)
{
    StationDir dir;
    dir.write(QStringLiteral("Orvanti.ini"), "[Port]\nPortnumber=/dev/ttyUSB0\n");
    CopyReport report;
    QString error;
    ASSERT_TRUE(copyShippedFiles(dir.path(), &report, &error)) << error.toStdString();
    EXPECT_EQ(report.kept, QStringList{QStringLiteral("Orvanti.ini")});
    EXPECT_TRUE(report.copied.contains(QStringLiteral("Orvanti_EN.ini")));
    EXPECT_EQ(dir.read(QStringLiteral("Orvanti.ini")),
              QByteArray("[Port]\nPortnumber=/dev/ttyUSB0\n"));
    QFile shipped(QStringLiteral(":/data/Orvanti_EN.ini"));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    EXPECT_EQ(dir.read(QStringLiteral("Orvanti_EN.ini")), shipped.readAll());
}

TEST(StationFolder, WithoutSettingsTheOperatorIsToldHowToGetThem)
{
    const QString text = settingsMissingText(QStringLiteral("/home/op/station"));
    EXPECT_TRUE(text.startsWith(QStringLiteral("File Orvanti.ini NOT found\n\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("orvanti --init")));
    EXPECT_TRUE(text.contains(QStringLiteral("/home/op/station")));
}

TEST(StationFolder, AFolderThatIsNotThereIsReported)
{
    CopyReport report;
    QString error;
    EXPECT_FALSE(copyShippedFiles(QStringLiteral("/nonexistent/station"), &report, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("/nonexistent/station")));
}

TEST(StationFolder, TheShippedSettingsCarryEveryKeyTheProgramWrites)
{
    // Writing the shipped file back must only change values, never add keys.
    StationDir dir;
    dir.copyShippedFiles();
    const QString path = dir.file(QStringLiteral("Orvanti.ini"));
    Settings s;
    ASSERT_TRUE(ReadIniFile(path, s));
    s.ComPortName = s.SettingPortName;
    s.ComBaudRate = s.SettingBaudRate;
    QString error;
    ASSERT_TRUE(WriteIniFile(path, s, &error));
    auto keys = [](const QByteArray& text) {
        QStringList found;
        for (const QByteArray& line : text.split('\n')) {
            if (line.contains('=') && !line.startsWith(';'))
                found.append(QString::fromUtf8(line.left(line.indexOf('='))));
        }
        found.sort();
        return found;
    };
    QFile shipped(QStringLiteral(":/data/Orvanti.ini"));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    EXPECT_EQ(keys(dir.read(QStringLiteral("Orvanti.ini"))), keys(shipped.readAll()));
}
