#include "StationDir.h"

#include "Misuse.h"
#include "app/StationFolder.h"

#include <QDir>
#include <QFile>

StationDir::StationDir()
{
    if (!dir_.isValid())
        reportMisuse("cannot make a temporary folder");
}

void StationDir::write(const QString& name, const QByteArray& bytes) const
{
    QFile file(dir_.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        reportMisuse("cannot write " + name.toStdString());
}

QByteArray StationDir::read(const QString& name) const
{
    QFile file(dir_.filePath(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void StationDir::copyShippedFiles() const
{
    CopyReport report;
    QString error;
    if (!::copyShippedFiles(dir_.path(), &report, &error))
        reportMisuse(error.toStdString());
}

void StationDir::writeSettings(const QList<QByteArray>& edits) const
{
    copyShippedFiles();
    write(QStringLiteral("Orvanti.ini"), shippedSettingsWith(edits));
}

QByteArray shippedSettingsWith(const QList<QByteArray>& edits)
{
    QFile shipped(QStringLiteral(":/data/Orvanti.ini"));
    if (!shipped.open(QIODevice::ReadOnly))
        reportMisuse("no shipped settings");
    QList<QByteArray> lines = shipped.readAll().split('\n');
    for (const QByteArray& edit : edits) {
        const qsizetype equals = edit.indexOf('=');
        const bool remove = equals < 0;
        const QByteArray target = remove ? edit : edit.left(equals);
        const qsizetype slash = target.indexOf('/');
        const QByteArray section = '[' + target.left(slash) + ']';
        const QByteArray key = target.mid(slash + 1);
        const QByteArray value = remove ? QByteArray() : edit.mid(equals + 1);
        qsizetype sectionAt = -1;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (lines[i].trimmed().compare(section, Qt::CaseInsensitive) == 0)
                sectionAt = i;
        }
        if (sectionAt < 0) {
            lines.append(section);
            sectionAt = lines.size() - 1;
        }
        qsizetype keyAt = -1;
        for (qsizetype i = sectionAt + 1; i < lines.size() && !lines[i].startsWith('['); ++i) {
            if (lines[i].left(lines[i].indexOf('=')).trimmed().compare(key, Qt::CaseInsensitive) ==
                0)
                keyAt = i;
        }
        if (remove) {
            if (keyAt >= 0)
                lines.removeAt(keyAt);
        } else if (keyAt >= 0) {
            lines[keyAt] = key + '=' + value;
        } else {
            lines.insert(sectionAt + 1, key + '=' + value);
        }
    }
    return lines.join('\n');
}
