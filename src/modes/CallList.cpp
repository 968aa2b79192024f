#include "modes/CallList.h"

#include "base/Cp437.h"

#include <QFileInfo>

namespace CallList {

QStringList parse(const QByteArray& bytes)
{
    QStringList entries;
    QByteArray normalised = bytes;
    normalised.replace("\r\n", "\n");
    normalised.replace('\r', '\n');
    for (const QByteArray& line : normalised.split('\n')) {
        const QString entry = Cp437::decode(line).trimmed();
        if (entry.isEmpty())
            continue;
        entries.append(entry.left(EntryLength));
        if (entries.size() == MaxEntries)
            break;
    }
    return entries;
}

QString find(const QString& folder)
{
    for (const char* name : {"Orvanti.CAL", "Orvanti.cal"}) {
        const QString path = folder + QLatin1String(name);
        if (QFileInfo::exists(path))
            return path;
    }
    return QString();
}

QString connectCall(const QString& entry)
{
    return entry.left(CallLength);
}

QString callOf(const QString& entry)
{
    return entry.section(QLatin1Char(','), 0, 0);
}

} // namespace CallList
