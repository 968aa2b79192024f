#pragma once

// The call list file: the stations the operator calls often, one a line, each a call
// optionally followed by a comma and a routing or a remark.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace CallList {

inline constexpr int MaxEntries = 40;
inline constexpr int EntryLength = 17; // what the list shows of a line
inline constexpr int CallLength = 16;  // what a connect command carries of an entry

// The entries of the file's bytes, in file order: each line that is not blank, cut to
// EntryLength characters, the first MaxEntries of them. Lines end in CR LF, LF or CR.
QStringList parse(const QByteArray& bytes);

// The path of the call list in `folder` (which ends in a separator): "Orvanti.CAL", else
// "Orvanti.cal", the name it has in older station folders where names differ by case;
// empty when neither is there.
QString find(const QString& folder);

// What a connect to `entry` carries.
QString connectCall(const QString& entry);
// The call of an entry: what stands before its first comma.
QString callOf(const QString& entry);

} // namespace CallList
