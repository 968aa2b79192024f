#pragma once

#include <QString>

inline const QString ProgramName = QStringLiteral("Orvanti");
inline const QString ProgramVersion = QStringLiteral("10.34");
