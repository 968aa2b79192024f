#include "base/Settings.h"

#include "base/FileIo.h"
#include "base/Port.h"
#include "base/ProfileFile.h"

#include <QFileInfo>
#include <functional>
#include <limits>
#include <vector>

namespace {

const char* const LanguageCodes[] = {"EN", "DL", "NL", "FR", "IT", "ES", "SW", "NO", "PT"};

using Raw = std::optional<QString>; // a key's text, nothing when the key is absent

// One key of the file: how it is read into the settings and what is written back.
struct Key {
    const char* section;
    const char* name;
    std::function<void(Settings&, const Raw&)> read;
    std::function<QString(const Settings&)> write;
};

template <typename T> std::function<void(Settings&, const Raw&)> readNumber(T Settings::*field)
{
    return [field](Settings& s, const Raw& raw) {
        qint32 value = 0;
        if (raw && parseSettingsInteger(*raw, &value))
            s.*field = static_cast<T>(value); // keeps the low bits of the key's width
    };
}

template <typename T> std::function<QString(const Settings&)> writeNumber(T Settings::*field)
{
    return [field](const Settings& s) { return QString::number(s.*field); };
}

std::function<void(Settings&, const Raw&)> readText(QString Settings::*field)
{
    return [field](Settings& s, const Raw& raw) {
        if (raw)
            s.*field = *raw;
    };
}

std::function<QString(const Settings&)> writeText(QString Settings::*field)
{
    return [field](const Settings& s) { return s.*field; };
}

// Only the first three characters count, and only exactly "ON" means on; a missing
// key means off.
bool readsOn(const Raw& raw)
{
    return raw && raw->left(3) == QStringLiteral("ON");
}

std::function<void(Settings&, const Raw&)> readOnOff(bool Settings::*field)
{
    return [field](Settings& s, const Raw& raw) { s.*field = readsOn(raw); };
}

std::function<QString(const Settings&)> writeOnOff(bool Settings::*field)
{
    return [field](const Settings& s) {
        return s.*field ? QStringLiteral("ON") : QStringLiteral("OFF");
    };
}

#define NUMBER(section, key, field)                                                                \
    Key                                                                                            \
    {                                                                                              \
        section, key, readNumber(&Settings::field), writeNumber(&Settings::field)                  \
    }
#define TEXT(section, key, field)                                                                  \
    Key                                                                                            \
    {                                                                                              \
        section, key, readText(&Settings::field), writeText(&Settings::field)                      \
    }
#define ONOFF(section, key, field)                                                                 \
    Key                                                                                            \
    {                                                                                              \
        section, key, readOnOff(&Settings::field), writeOnOff(&Settings::field)                    \
    }

// Every key, in the order the reader reads them (the order matters: the button style
// defaults to the tab style read just before it).
std::vector<Key> keyTable()
{
    std::vector<Key> keys = {
        // The port is read into the file's values and written from the ones in use.
        Key{"Port", "Portnumber", readText(&Settings::SettingPortName),
            writeText(&Settings::ComPortName)},
        Key{"Port", "BaudRate",
            [](Settings& s, const Raw& raw) {
                qint32 value = 0;
                BaudRate rate{};
                if (!raw)
                    return;
                if (parseSettingsInteger(*raw, &value) && baudRateFromValue(value, &rate))
                    s.SettingBaudRate = value;
                else
                    s.RejectedBaudRate = *raw;
            },
            writeNumber(&Settings::ComBaudRate)},
        TEXT("Program", "Editor", EditorPath),
        TEXT("ReceiveScreen", "Fontname", RxFontName),
        NUMBER("ReceiveScreen", "FontSize", RxFontSize),
        NUMBER("ReceiveScreen", "Color", RxWindowColor),
        NUMBER("ReceiveScreen", "FontStyle", RxFontStyle),
        NUMBER("ReceiveScreen", "SystemTextColor", SystemTextColor),
        NUMBER("ReceiveScreen", "ReceiveTextColor", ReceiveTextColor),
        NUMBER("ReceiveScreen", "DelayTextColor", DelayTextColor),
        NUMBER("ReceiveScreen", "PromptColor", PromptColor),
        TEXT("TransmitScreen", "Fontname", TxFontName),
        NUMBER("TransmitScreen", "FontSize", TxFontSize),
        NUMBER("TransmitScreen", "Color", TxWindowColor),
        NUMBER("TransmitScreen", "FontStyle", TxFontStyle),
        NUMBER("TransmitScreen", "FontColor", TxFontColor),
        TEXT("PageControl", "Fontname", TabFontName),
        NUMBER("PageControl", "Fontsize", TabFontSize),
        NUMBER("PageControl", "FontStyle", TabFontStyle),
        TEXT("Buttons", "Fontname", ButtonFontName),
        NUMBER("Buttons", "FontSize", ButtonFontSize),
        Key{"Buttons", "FontStyle",
            [](Settings& s, const Raw& raw) {
                s.ButtonFontStyle = s.TabFontStyle; // the default when the key is absent
                readNumber (&Settings::ButtonFontStyle)(s, raw);
            },
            // No menu changes the button style: the tab style is what the bar shows.
            writeNumber(&Settings::TabFontStyle)},
        NUMBER("Button Colors", "BaseColor", ButtonBaseColor),
        NUMBER("Button Colors", "FlareColor", ButtonFlareColor),
        NUMBER("Button Colors", "ClickColor", ButtonClickColor),
        TEXT("StatusBar", "Fontname", StatusFontName),
        NUMBER("StatusBar", "FontSize", StatusFontSize),
        NUMBER("StatusBar", "FontStyle", StatusFontStyle),
        TEXT("Logbook", "Fontname", LogBookFontName),
        NUMBER("Logbook", "FontSize", LogBookFontSize),
        NUMBER("Logbook", "FontStyle", LogBookFontStyle),
        Key{"Recv. and Transm. Bar Color", "ReceiveBar.Color",
            [](Settings& s, const Raw& raw) {
                readNumber (&Settings::ReceiveBarColor)(s, raw);
                s.TransmitBarColor = s.ReceiveBarColor;
            },
            writeNumber(&Settings::ReceiveBarColor)},
        NUMBER("Program", "WrapLineLength", WrapMin),
        NUMBER("Program", "MaxLineLength", WrapMax),
        Key{"Program", "Hints",
            [](Settings& s, const Raw& raw) {
                if (raw)
                    s.HintsSetting = raw->left(3);
            },
            writeText(&Settings::HintsSetting)},
        NUMBER("Program", "Max Length Recv Buffer", MaxRxLength),
        NUMBER("Program", "Transmitscreen Height", TransmitScreenHeight),
        NUMBER("PtcParameters", "Bandwidth", AudioBandwidth),
        NUMBER("PtcParameters", "Center QRG", AudioCenterQrg),
        NUMBER("PtcParameters", "Tx CW Speed", CwTxSpeed),
        TEXT("PtcParameters", "Call", MyCall),
        TEXT("PtcParameters", "SelCall", SelCall),
        ONOFF("Program", "Messages On Screen", MessagesOnScreen),
        ONOFF("Program", "Maildrop", MaildropOn),
        ONOFF("Program", "Max Screen", MaxScreen),
        ONOFF("Program", "LogBook", LogBookOn),
        TEXT("Program", "ID String", IdString),
        ONOFF("Program", "Capture Timestamps", CaptureTimestamps),
        ONOFF("PtcParameters", "Leave Ptc Active", LeavePtcActive),
        Key{"PtcParameters", "Navtex/Amtex",
            [](Settings& s, const Raw& raw) {
                const QString value = raw.value_or(QString());
                s.NavtexActive = value == QStringLiteral("ON") || value == QStringLiteral("ONA");
                s.AmtexActive = value == QStringLiteral("ONA");
            },
            [](const Settings& s) {
                if (s.AmtexActive)
                    return QStringLiteral("ONA");
                return s.NavtexActive ? QStringLiteral("ON") : QStringLiteral("OFF");
            }},
        Key{"Program", "Language",
            [](Settings& s, const Raw& raw) {
                const QString code = raw.value_or(QStringLiteral("Error"));
                for (int i = 0; i < 9; ++i) {
                    if (code == QLatin1String(LanguageCodes[i])) {
                        s.LanguageIndex = i + 1;
                        break;
                    }
                }
            },
            [](const Settings& s) { return languageCode(s.LanguageIndex); }},
    };
    return keys;
}

// The writer's order, which decides where keys missing from the file are added.
const char* const WriteOrder[][2] = {
    {"Port", "Portnumber"},
    {"Port", "BaudRate"},
    {"ReceiveScreen", "Color"},
    {"ReceiveScreen", "Fontname"},
    {"ReceiveScreen", "FontSize"},
    {"ReceiveScreen", "FontStyle"},
    {"ReceiveScreen", "SystemTextColor"},
    {"ReceiveScreen", "ReceiveTextColor"},
    {"ReceiveScreen", "DelayTextColor"},
    {"ReceiveScreen", "PromptColor"},
    {"TransmitScreen", "Color"},
    {"TransmitScreen", "Fontname"},
    {"TransmitScreen", "FontSize"},
    {"TransmitScreen", "FontStyle"},
    {"TransmitScreen", "FontColor"},
    {"Recv. and Transm. Bar Color", "ReceiveBar.Color"},
    {"PageControl", "Fontname"},
    {"PageControl", "Fontsize"},
    {"PageControl", "FontStyle"},
    {"Buttons", "Fontname"},
    {"Buttons", "FontSize"},
    {"Buttons", "FontStyle"},
    {"Button Colors", "BaseColor"},
    {"Button Colors", "FlareColor"},
    {"Button Colors", "ClickColor"},
    {"StatusBar", "Fontname"},
    {"StatusBar", "FontSize"},
    {"StatusBar", "FontStyle"},
    {"Logbook", "Fontname"},
    {"Logbook", "FontSize"},
    {"Logbook", "FontStyle"},
    {"PtcParameters", "Call"},
    {"PtcParameters", "SelCall"},
    {"PtcParameters", "Center QRG"},
    {"PtcParameters", "Bandwidth"},
    {"PtcParameters", "Tx CW Speed"},
    {"PtcParameters", "Leave Ptc Active"},
    {"PtcParameters", "Navtex/Amtex"},
    {"Program", "Editor"},
    {"Program", "Language"},
    {"Program", "Messages On Screen"},
    {"Program", "Maildrop"},
    {"Program", "Max Screen"},
    {"Program", "LogBook"},
    {"Program", "Hints"},
    {"Program", "WrapLineLength"},
    {"Program", "MaxLineLength"},
    {"Program", "Max Length Recv Buffer"},
    {"Program", "Transmitscreen Height"},
    {"Program", "ID String"},
    {"Program", "Capture Timestamps"},
};

QByteArray commandKey(const char* stem, int number)
{
    return QByteArray(stem) + QByteArray::number(number);
}

} // namespace

QString languageCode(int languageIndex)
{
    if (languageIndex >= 1 && languageIndex <= 9)
        return QLatin1String(LanguageCodes[languageIndex - 1]);
    return QStringLiteral("EN");
}

bool parseSettingsInteger(const QString& text, qint32* value)
{
    const QString trimmed = text.trimmed();
    bool ok = false;
    qint64 number = 0;
    if (trimmed.startsWith(QLatin1Char('$')))
        number = trimmed.mid(1).toLongLong(&ok, 16);
    else if (trimmed.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        number = trimmed.mid(2).toLongLong(&ok, 16);
    else
        number = trimmed.toLongLong(&ok, 10);
    if (!ok || number < std::numeric_limits<qint32>::min() ||
        number > std::numeric_limits<quint32>::max())
        return false;
    // Hex forms may name the full 32-bit pattern; decimal must fit a signed int.
    if (!trimmed.startsWith(QLatin1Char('$')) &&
        !trimmed.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) &&
        number > std::numeric_limits<qint32>::max())
        return false;
    *value = static_cast<qint32>(static_cast<quint32>(number));
    return true;
}

bool ReadIniFile(const QString& path, Settings& settings)
{
    QByteArray bytes;
    if (!readWholeFile(path, &bytes, nullptr))
        return false;
    ProfileFile profile;
    profile.load(bytes);

    for (const Key& key : keyTable())
        key.read(settings, profile.value(key.section, key.name));

    // Read interleaved, start-up n then shut-down n; absent keys are empty.
    for (int n = 1; n <= CommandListSize; ++n) {
        settings.StartupCommands[n - 1] =
            profile.value("Startup Commands", commandKey("Startup_", n).constData())
                .value_or(QString());
        settings.ShutdownCommands[n - 1] =
            profile.value("ShutDown Commands", commandKey("ShutDown_", n).constData())
                .value_or(QString());
    }
    return true;
}

bool WriteIniFile(const QString& path, const Settings& settings, QString* error)
{
    QByteArray existing;
    if (QFileInfo::exists(path) && !readWholeFile(path, &existing, error))
        return false;
    ProfileFile profile;
    profile.load(existing);

    const std::vector<Key> keys = keyTable();
    for (const auto& [section, name] : WriteOrder) {
        for (const Key& key : keys) {
            if (qstrcmp(key.section, section) == 0 && qstrcmp(key.name, name) == 0) {
                profile.setValue(section, name, key.write(settings));
                break;
            }
        }
    }
    for (int n = 1; n <= CommandListSize; ++n) {
        profile.setValue("Startup Commands", commandKey("Startup_", n).constData(),
                         settings.StartupCommands[n - 1]);
        profile.setValue("ShutDown Commands", commandKey("ShutDown_", n).constData(),
                         settings.ShutdownCommands[n - 1]);
    }
    return writeFileAtomically(path, profile.save(), error);
}

void ReadBuildInParameters(Settings& s)
{
    s.ComPortName.clear();
    s.SettingBaudRate = 9600;
    s.ComBaudRate = 9600;
    s.ShownBaudRate = 9600;
    s.EditorPath = QStringLiteral("Scrivle.exe");
    s.CaptureTimestamps = false;
    s.RxFontName = QStringLiteral("Courier New");
    s.RxFontSize = 10;
    s.RxWindowColor = Colors::White;
    s.RxFontStyle = 1;
    s.SystemTextColor = Colors::Blue;
    s.ReceiveTextColor = Colors::Black;
    s.DelayTextColor = Colors::Red;
    // The shipped file's prompt and button colours and wrap lengths: left at zero they
    // would give a black prompt, black buttons and a break after every word sent.
    s.PromptColor = Colors::Green;
    s.ButtonFlareColor = Colors::Red;
    s.ButtonClickColor = Colors::Blue;
    s.WrapMin = 60;
    s.WrapMax = 70;
    s.TxFontName = QStringLiteral("arial");
    s.TxFontSize = 10;
    s.TxWindowColor = Colors::Silver;
    s.TxFontStyle = 1;
    s.TxFontColor = Colors::Black;
    s.TabFontName = QStringLiteral("arial");
    s.TabFontSize = 8;
    s.TabFontStyle = 1;
    s.ButtonFontName = QStringLiteral("arial");
    s.ButtonFontSize = 8;
    s.ButtonFontStyle = 1;
    s.StatusFontName = QStringLiteral("arial");
    s.StatusFontSize = 8;
    s.StatusFontStyle = 1;
    s.LogBookFontName = QStringLiteral("Courier new");
    s.LogBookFontSize = 10;
    s.LogBookFontStyle = 1;
    s.ReceiveBarColor = Colors::Silver;
    s.TransmitBarColor = Colors::Silver;
    s.MaxRxLength = 30000;
    s.TransmitScreenHeight = 300;
    s.AudioBandwidth = 300;
    s.AudioCenterQrg = 800;
    s.CwTxSpeed = 100;
    s.MyCall = QStringLiteral("Hello");
    s.SelCall = QStringLiteral("User");
    s.MessagesOnScreen = true;
    s.MaxScreen = true;
}
