// Help > Help: which file each language opens, from where, and what the operator is
// told when there is none or nothing shows it; and the shipped help files themselves.

#include "CoreHarness.h"
#include "StationDir.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace {

const QString BuiltIn = QStringLiteral(":/data/help");

enum class From { Nowhere, Cache, Station };

struct HelpCase {
    const char* what;
    int languageIndex;
    From from;
    const char* opened = nullptr;      // the file name handed to the viewer
    const char* message = nullptr;     // the warning's start; %1 station, %2 cache folder
    const char* stationCopy = nullptr; // a help file of the operator's own
    bool builtInPresent = true;
    bool viewerTakesIt = true;
    bool cacheBlocked = false; // a plain file where the cache folder should be
};

const char* const NoHelp = "File not found: there is no help in this language";
const HelpCase HelpCases[] = {
    {"English", 1, From::Cache, "Zavid_EN.html"},
    {"German", 2, From::Cache, "Zavid_DL.html"},
    {"Dutch", 3, From::Cache, "Zavid_NL.html"},
    {"French", 4, From::Cache, "Zavid_FR.html"},
    {"Italian reads English", 5, From::Cache, "Zavid_EN.html"},
    {"Spanish reads English", 6, From::Cache, "Zavid_EN.html"},
    {"Portuguese", 9, From::Cache, "Zavid_PT.html"},
    {"the operator's own copy wins", 2, From::Station, "Zavid_DL.html", nullptr, "Zavid_DL.html"},
    {"Italian's own copy is the English one", 5, From::Station, "Zavid_EN.html", nullptr,
     "Zavid_EN.html"},
    {"Swedish has none", 7, From::Nowhere, nullptr, NoHelp, "Zavid_EN.html"},
    {"Norwegian has none", 8, From::Nowhere, nullptr, NoHelp},
    {"no language has none", 0, From::Nowhere, nullptr, NoHelp},
    {"missing everywhere", 1, From::Nowhere, nullptr, "File not found: %1Zavid_EN.html", nullptr,
     false},
    {"the viewer does not start", 4, From::Cache, "Zavid_FR.html",
     "The help file %2Zavid_FR.html could not be shown", nullptr, true, false},
    {"the viewer refuses the operator's copy", 3, From::Station, "Zavid_NL.html",
     "The help file %1Zavid_NL.html could not be shown", "Zavid_NL.html", true, false},
    {"the cache cannot be made", 1, From::Nowhere, nullptr,
     "The help cannot be shown: Cannot make the folder", nullptr, true, true, true},
};

QByteArray builtInBytes(const QString& name)
{
    QFile file(BuiltIn + QLatin1Char('/') + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(HelpMenuTest, EachLanguageOpensItsFileOrSaysWhyNot)
{
    for (const HelpCase& row : HelpCases) {
        SCOPED_TRACE(row.what);
        StationDir station;
        StationDir cacheRoot;
        StationDir emptyBuiltIn;
        CoreHarness h;
        HelpMenu& help = h.core.help;
        const QString stationFolder = station.path() + QLatin1Char('/');
        const QString cacheFolder = cacheRoot.file(QStringLiteral("help"));
        h.station().ProgramDir = stationFolder;
        h.settings().LanguageIndex = row.languageIndex;
        h.texts().Warningtext = QStringLiteral("Warning");
        h.texts().FileNotFoundText = QStringLiteral("File not found");
        if (row.stationCopy)
            station.write(QLatin1String(row.stationCopy), "<html>own copy</html>");
        help.cacheFolder = cacheFolder;
        if (row.cacheBlocked)
            cacheRoot.write(QStringLiteral("help"), "in the way");
        if (!row.builtInPresent)
            help.builtInFolder = emptyBuiltIn.path();
        QStringList opened;
        help.openDocument = [&](const QString& path) {
            opened.append(path);
            return row.viewerTakesIt;
        };
        h.station().MenuHold = true;

        EXPECT_TRUE(h.core.actions.run(Name::MenuHelp));

        const QString folder =
            row.from == From::Station ? stationFolder : cacheFolder + QLatin1Char('/');
        EXPECT_EQ(opened.join(QLatin1Char(' ')).toStdString(),
                  row.opened ? QString(folder + QLatin1String(row.opened)).toStdString() : "");
        if (row.from == From::Cache) {
            QFile cached(opened.value(0));
            ASSERT_TRUE(cached.open(QIODevice::ReadOnly));
            EXPECT_EQ(cached.readAll(), builtInBytes(QLatin1String(row.opened)))
                << "the viewer gets the built-in help as it is";
        }
        if (row.message) {
            ASSERT_EQ(h.modal.shown.size(), 1);
            EXPECT_EQ(h.modal.shown[0].caption, QStringLiteral("Warning"));
            const QString expected =
                QString::fromUtf8(row.message)
                    .replace(QLatin1String("%1"), stationFolder)
                    .replace(QLatin1String("%2"), cacheFolder + QLatin1Char('/'));
            EXPECT_TRUE(h.modal.shown[0].text.startsWith(expected))
                << h.modal.shown[0].text.toStdString();
        } else {
            EXPECT_TRUE(h.modal.shown.isEmpty()) << h.modal.shown.value(0).text.toStdString();
        }
        EXPECT_FALSE(h.station().MenuHold) << "the menu lets the window go again";
        EXPECT_TRUE(h.wire.transcript().isEmpty()) << "help is none of the controller's business";
    }
}

// Each help file a language names is built in, parses as XML, has a title of its own and
// every link of its table of contents lands on an anchor; the translations keep the
// English one's anchors.
TEST(HelpMenuTest, TheShippedHelpFilesAreCompleteAndTheirLinksLand)
{
    QSet<QString> named;
    for (int language = 1; language <= 9; ++language)
        if (!helpFileName(language).isEmpty())
            named.insert(helpFileName(language));
    const QStringList builtIn = QDir(BuiltIn).entryList(QDir::Files);
    QStringList namedSorted(named.begin(), named.end());
    namedSorted.sort();
    EXPECT_EQ(builtIn.join(QLatin1Char(' ')).toStdString(),
              namedSorted.join(QLatin1Char(' ')).toStdString())
        << "a help file no language opens, or a language without its file";

    QSet<QString> englishAnchors;
    QString englishTitle;
    for (const QString& name : {QStringLiteral("Zavid_EN.html"), QStringLiteral("Zavid_DL.html"),
                                QStringLiteral("Zavid_NL.html"), QStringLiteral("Zavid_FR.html"),
                                QStringLiteral("Zavid_PT.html")}) {
        SCOPED_TRACE(name.toStdString());
        const QByteArray bytes = builtInBytes(name);
        ASSERT_FALSE(bytes.isEmpty());
        QXmlStreamReader xml(bytes);
        QString title;
        QSet<QString> anchors;
        QStringList links;
        int tocLinks = 0;
        bool inNav = false;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement()) {
                const auto attributes = xml.attributes();
                if (attributes.hasAttribute(QLatin1String("id")))
                    anchors.insert(attributes.value(QLatin1String("id")).toString());
                if (xml.name() == QLatin1String("nav"))
                    inNav = true;
                if (xml.name() == QLatin1String("a")) {
                    const QString href = attributes.value(QLatin1String("href")).toString();
                    EXPECT_TRUE(href.startsWith(QLatin1Char('#'))) << "no link leaves the file";
                    links.append(href.mid(1));
                    tocLinks += inNav ? 1 : 0;
                }
                if (xml.name() == QLatin1String("title"))
                    title = xml.readElementText();
                EXPECT_NE(xml.name(), QLatin1String("script"));
            } else if (xml.isEndElement() && xml.name() == QLatin1String("nav")) {
                inNav = false;
            }
        }
        ASSERT_FALSE(xml.hasError())
            << xml.errorString().toStdString() << " at line " << xml.lineNumber();
        EXPECT_FALSE(title.trimmed().isEmpty());
        EXPECT_GT(tocLinks, 20) << "a table of contents";
        for (const QString& link : links)
            EXPECT_TRUE(anchors.contains(link)) << "no anchor " << link.toStdString();
        if (englishTitle.isEmpty()) {
            englishTitle = title;
            englishAnchors = anchors;
        } else {
            EXPECT_NE(title, englishTitle) << "a title in its own language";
            EXPECT_EQ(anchors, englishAnchors);
        }
    }
}
