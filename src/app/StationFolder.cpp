#include "app/StationFolder.h"

#include "base/FileIo.h"
#include "modes/CallList.h"

#include <QDir>
#include <QFile>

namespace {
const QString ShippedRoot = QStringLiteral(":/data");

// The operator's own file is there: under its name, or, for the call list, under the
// older spelling the program reads when the shipped name is missing.
bool operatorHas(const QDir& folder, const QString& name)
{
    if (QFile::exists(folder.filePath(name)))
        return true;
    return name == QLatin1String("Orvanti.CAL") &&
           !CallList::find(folder.path() + QLatin1Char('/')).isEmpty();
}
} // namespace

QString settingsMissingText(const QString& folder)
{
    return QStringLiteral("File Orvanti.ini NOT found\n\n"
                          "Run  orvanti --init  in %1 to copy the shipped settings and language "
                          "files there, or start Orvanti in your station folder (--dir DIR).")
        .arg(folder);
}

QStringList shippedDataFiles()
{
    return QDir(ShippedRoot).entryList(QDir::Files, QDir::Name);
}

bool copyShippedFiles(const QString& directory, CopyReport* report, QString* error)
{
    const QDir target(directory);
    if (!target.exists()) {
        *error = QStringLiteral("The folder %1 does not exist").arg(directory);
        return false;
    }
    const QStringList files = shippedDataFiles();
    if (files.isEmpty()) {
        *error = QStringLiteral("This build carries no data files");
        return false;
    }
    for (const QString& name : files) {
        const QString destination = target.filePath(name);
        if (operatorHas(target, name)) {
            report->kept.append(name);
            continue;
        }
        QByteArray bytes;
        if (!readWholeFile(ShippedRoot + QLatin1Char('/') + name, &bytes, error) ||
            !writeFileAtomically(destination, bytes, error))
            return false;
        report->copied.append(name);
    }
    return true;
}
