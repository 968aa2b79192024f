// The command line and the shipped data files that --init puts in place.

#include "app/CommandLine.h"
#include "StationDir.h"
#include "app/StationFolder.h"
#include "base/Settings.h"
#include "modes/CallList.h"

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

TEST(CommandLine, ReadsEachOptionAndRefusesWhatItCannotUse)
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
    for (const auto& [option, flag] : {std::pair{"--demo", &CommandLineOptions::demo},
                                       {"--init", &CommandLineOptions::init},
                                       {"--version", &CommandLineOptions::version},
                                       {"-h", &CommandLineOptions::help}}) {
        o = parse({QLatin1String(option)}, &ok, &error);
        EXPECT_TRUE(ok && o.*flag) << option;
    }

    for (const char* refused :
         {"--colour", "--port", "--port= --demo", "--demo --port /dev/ttyS0", "stray"}) {
        error.clear();
        parse(QString::fromLatin1(refused).split(QLatin1Char(' ')), &ok, &error);
        EXPECT_FALSE(ok) << refused;
        EXPECT_FALSE(error.isEmpty()) << refused;
    }
}

// The operator's own files survive an --init, the call list under its older name too
// (the program would read the shipped sample in its place); the rest arrive as shipped.
TEST(StationFolder, InitCopiesTheShippedFilesAndKeepsExistingOnes)
{
    StationDir dir;
    const struct {
        const char* name;
        QByteArray bytes;
    } own[] = {
        {"Orvanti.ini", "[Port]\nPortnumber=/dev/ttyUSB0\n"},
        {"Orvanti.CQP", "CQ de PA3OWN\r\n"},
        {"Orvanti.cal", "PA3OWN\r\n"},
    };
    for (const auto& file : own)
        dir.write(QLatin1String(file.name), file.bytes);
    CopyReport report;
    QString error;
    ASSERT_TRUE(copyShippedFiles(dir.path(), &report, &error)) << error.toStdString();
    report.kept.sort();
    EXPECT_EQ(report.kept,
              (QStringList{QStringLiteral("Orvanti.CAL"), QStringLiteral("Orvanti.CQP"),
                           QStringLiteral("Orvanti.ini")}));
    for (const auto& file : own)
        EXPECT_EQ(dir.read(QLatin1String(file.name)), file.bytes) << file.name;
    EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("Orvanti.CAL"))));

    EXPECT_EQ(report.copied.size() + report.kept.size(), shippedDataFiles().size());
    for (const QString& name : {QStringLiteral("Orvanti_EN.ini"), QStringLiteral("Orvanti.CQA"),
                                QStringLiteral("Orvanti.CQB"), QStringLiteral("Orvanti.CQC"),
                                QStringLiteral("Orvanti.CPS")}) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_TRUE(report.copied.contains(name));
        QFile shipped(QStringLiteral(":/data/") + name);
        ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
        EXPECT_EQ(dir.read(name), shipped.readAll());
    }
}

// The samples are what the CQ keys and the call list read: lines in CR LF, the own call
// as a macro, calls the list takes.
TEST(StationFolder, TheShippedSamplesAreReadyToSend)
{
    for (const char* name :
         {"Orvanti.CQP", "Orvanti.CQA", "Orvanti.CQB", "Orvanti.CQC", "Orvanti.CPS"}) {
        SCOPED_TRACE(name);
        QFile file(QStringLiteral(":/data/") + QLatin1String(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        EXPECT_TRUE(text.endsWith("\r\n"));
        EXPECT_EQ(text.count('\n'), text.count("\r\n"));
        EXPECT_TRUE(text.contains("%%MYCALL"));
    }
    QFile list(QStringLiteral(":/data/Orvanti.CAL"));
    ASSERT_TRUE(list.open(QIODevice::ReadOnly));
    const QStringList calls = CallList::parse(list.readAll());
    ASSERT_GE(calls.size(), 2);
    for (const QString& entry : calls)
        EXPECT_FALSE(CallList::callOf(entry).isEmpty()) << entry.toStdString();
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
