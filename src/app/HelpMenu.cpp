#include "app/HelpMenu.h"

#include "base/FileIo.h"
#include "base/MessageTexts.h"
#include "base/Settings.h"
#include "base/Station.h"
#include "link/StatusDisplay.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

QString helpFileName(int languageIndex)
{
    // Italian and Spanish read the English help; Swedish and Norwegian have none.
    static const char* const Stems[] = {"EN", "DL", "NL", "FR", "EN", "EN", nullptr, nullptr, "PT"};
    if (languageIndex < 1 || languageIndex > 9 || !Stems[languageIndex - 1])
        return {};
    return QStringLiteral("Zavid_%1.html").arg(QLatin1String(Stems[languageIndex - 1]));
}

HelpMenu::HelpMenu(Station& station, const Settings& settings, const MessageTexts& texts,
                   StatusDisplay& status)
    : cacheFolder(QStandardPaths::writableLocation(QStandardPaths::CacheLocation) +
                  QStringLiteral("/help")),
      station_(station), settings_(settings), texts_(texts), status_(status)
{
}

void HelpMenu::Help1Click()
{
    const QString path = helpFilePath();
    if (!path.isEmpty() && !(openDocument && openDocument(path)))
        status_.Warning(QStringLiteral("The help file %1 could not be shown: the desktop has no "
                                       "program for HTML files. Open it in a web browser.")
                            .arg(QDir::toNativeSeparators(path)));
    station_.MenuHold = false;
}

QString HelpMenu::helpFilePath()
{
    const QString name = helpFileName(settings_.LanguageIndex);
    if (name.isEmpty()) {
        status_.Warning(QStringLiteral("%1: there is no help in this language. Choose English "
                                       "under Configuration > Helpfile Language.")
                            .arg(texts_.FileNotFoundText));
        return {};
    }
    const QString own = station_.ProgramDir + name;
    if (isRegularFile(own))
        return own;
    const QString builtIn = builtInFolder + QLatin1Char('/') + name;
    if (!QFile::exists(builtIn)) {
        status_.Warning(
            QStringLiteral("%1: %2").arg(texts_.FileNotFoundText, QDir::toNativeSeparators(own)));
        return {};
    }
    QByteArray bytes;
    QString error;
    const QString cached = QDir(cacheFolder).filePath(name);
    if (!QDir().mkpath(cacheFolder))
        error =
            QStringLiteral("Cannot make the folder %1").arg(QDir::toNativeSeparators(cacheFolder));
    else if (readWholeFile(builtIn, &bytes, &error) && writeFileAtomically(cached, bytes, &error))
        return cached;
    status_.Warning(QStringLiteral("The help cannot be shown: %1").arg(error));
    return {};
}
