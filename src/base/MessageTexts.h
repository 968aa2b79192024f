#pragma once

// The named message texts of the language file (section "Text_" and the language code),
// each "ERROR" when its key is missing and empty until the first load.

#include <QString>

struct MessageTexts {
    QString NotAllowedtext, Warningtext, Filtertext, Callingtext, Maildroptext, Squelchtext1,
        Squelchtex2, TransmitText, MailboxWritingText, YourcallText, YourSelCallText, CwSpeedText,
        FileNotFoundText, NotaBackupText, FileReadingText, EndOfAutoText, DeleteText, AppendText,
        CloseLogFileText, CloseText, OpenLogText, NotForZ80Text, BackupMailboxText, ReloadText,
        MaxlengthText, BetweenText, NoChangeText, NumberOfNavtexFilesText, NavtexAreaText,
        LatencyText, BaudrateText, GiveHisCallText, ShowLogHeaderText;
};

// "Orvanti_" + code + ".ini".
QString languageFileName(const QString& languageCode);

class ProfileFile;

// Reads the texts of `languageCode` from a language file already parsed.
void readMessageTexts(const ProfileFile& file, const QString& languageCode, MessageTexts& texts);
