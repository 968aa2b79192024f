#pragma once

// The station folder: where Orvanti.ini, the language files and the operator's files
// live. The program ships a complete set of data files inside itself, with sample CQ
// texts and a sample call list among them.

#include <QString>
#include <QStringList>

struct CopyReport {
    QStringList copied;
    QStringList kept; // already there, left alone
};

// What the operator reads when `folder` holds no "Orvanti.ini".
QString settingsMissingText(const QString& folder);

// The names of the data files shipped with the program.
QStringList shippedDataFiles();

// Copies every shipped data file into `directory`, keeping files that are already
// there (a call list also under its older name "Orvanti.cal"). False with the reason
// in *error when a file cannot be written.
bool copyShippedFiles(const QString& directory, CopyReport* report, QString* error);
