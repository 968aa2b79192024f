#pragma once

// The program's single-byte text is code page 437 throughout: what the controller sends
// and what the operator types go over the wire as these bytes.

#include <QByteArray>
#include <QString>

namespace Cp437 {
QChar toUnicode(quint8 byte);
QString decode(const QByteArray& bytes);
// Characters outside the code page become '?'.
QByteArray encode(const QString& text);
char encodeChar(QChar c);
} // namespace Cp437
