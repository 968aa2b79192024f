#include "base/MessageTexts.h"

#include "base/ProfileFile.h"

namespace {

struct NamedText {
    const char* key;
    QString MessageTexts::*field;
};

// In the order the loader reads them.
const NamedText Texts[] = {
    {"NotAllowedtext", &MessageTexts::NotAllowedtext},
    {"Warningtext", &MessageTexts::Warningtext},
    {"Filtertext", &MessageTexts::Filtertext},
    {"Callingtext", &MessageTexts::Callingtext},
    {"Maildroptext", &MessageTexts::Maildroptext},
    {"Squelchtext1", &MessageTexts::Squelchtext1},
    {"Squelchtex2", &MessageTexts::Squelchtex2},
    {"TransmitText", &MessageTexts::TransmitText},
    {"MailboxWritingText", &MessageTexts::MailboxWritingText},
    {"YourcallText", &MessageTexts::YourcallText},
    {"YourSelCallText", &MessageTexts::YourSelCallText},
    {"CwSpeedText", &MessageTexts::CwSpeedText},
    {"FileNotFoundText", &MessageTexts::FileNotFoundText},
    {"NotaBackupText", &MessageTexts::NotaBackupText},
    {"FileReadingText", &MessageTexts::FileReadingText},
    {"EndOfAutoText", &MessageTexts::EndOfAutoText},
    {"DeleteText", &MessageTexts::DeleteText},
    {"AppendText", &MessageTexts::AppendText},
    {"CloseLogFileText", &MessageTexts::CloseLogFileText},
    {"CloseText", &MessageTexts::CloseText},
    {"OpenLogText", &MessageTexts::OpenLogText},
    {"NotForZ80Text", &MessageTexts::NotForZ80Text},
    {"BackupMailboxText", &MessageTexts::BackupMailboxText},
    {"ReloadText", &MessageTexts::ReloadText},
    {"MaxlengthText", &MessageTexts::MaxlengthText},
    {"BetweenText", &MessageTexts::BetweenText},
    {"NoChangeText", &MessageTexts::NoChangeText},
    {"NumberOfNavtexFilesText", &MessageTexts::NumberOfNavtexFilesText},
    {"NavtexAreaText", &MessageTexts::NavtexAreaText},
    {"LatencyText", &MessageTexts::LatencyText},
    {"BaudrateText", &MessageTexts::BaudrateText},
    {"GiveHisCallText", &MessageTexts::GiveHisCallText},
    {"ShowLogHeaderText", &MessageTexts::ShowLogHeaderText},
};

} // namespace

QString languageFileName(const QString& languageCode)
{
    return QStringLiteral("Orvanti_") + languageCode + QStringLiteral(".ini");
}

void readMessageTexts(const ProfileFile& profile, const QString& languageCode, MessageTexts& texts)
{
    const QByteArray section = "Text_" + languageCode.toLatin1();
    for (const NamedText& text : Texts)
        texts.*(text.field) =
            profile.value(section.constData(), text.key).value_or(QStringLiteral("ERROR"));
}
