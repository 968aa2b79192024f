#pragma once

// The settings file "Orvanti.ini": one variable per key, read once at start and written
// once at a confirmed exit. Widths follow the file's rules: byte keys keep the low 8 bits
// of the number read, word keys the low 16, int keys all 32.

#include "base/Color.h"

#include <QString>
#include <array>

inline constexpr int CommandListSize = 16;
inline const QString SettingsFileName = QStringLiteral("Orvanti.ini");

struct Settings {
    // [Port]: as read from the file, and as in use (the COM port dialog changes the
    // latter; the exit writes the latter back).
    QString SettingPortName;
    qint32 SettingBaudRate = 0;
    QString ComPortName;
    qint32 ComBaudRate = 0;
    qint32 ShownBaudRate = 0; // what Pane8 shows
    // A BaudRate text in the file that is no serial rate; the built-in rate is used.
    QString RejectedBaudRate;

    QString EditorPath;
    bool CaptureTimestamps = false; // each captured line starts with the UTC time

    QString RxFontName;
    quint8 RxFontSize = 0;
    Color RxWindowColor = 0;
    quint8 RxFontStyle = 0;
    Color SystemTextColor = 0;
    Color ReceiveTextColor = 0;
    Color DelayTextColor = 0;
    Color PromptColor = 0;

    QString TxFontName;
    quint8 TxFontSize = 0;
    Color TxWindowColor = 0;
    quint8 TxFontStyle = 0;
    Color TxFontColor = 0;

    QString TabFontName;
    quint8 TabFontSize = 0;
    quint8 TabFontStyle = 0;

    QString ButtonFontName;
    quint8 ButtonFontSize = 0;
    quint8 ButtonFontStyle = 0;

    Color ButtonBaseColor = 0;
    Color ButtonFlareColor = 0;
    Color ButtonClickColor = 0;

    QString StatusFontName;
    quint8 StatusFontSize = 0;
    quint8 StatusFontStyle = 0;

    QString LogBookFontName;
    qint32 LogBookFontSize = 0;
    quint8 LogBookFontStyle = 0;

    Color ReceiveBarColor = 0;
    Color TransmitBarColor = 0;

    quint8 WrapMin = 0;   // WrapLineLength
    quint8 WrapMax = 0;   // MaxLineLength
    QString HintsSetting; // "On" or "Off", at most 3 characters
    qint32 MaxRxLength = 0;
    quint16 TransmitScreenHeight = 0; // thousandths of the client height

    quint16 AudioBandwidth = 0;
    quint16 AudioCenterQrg = 0;
    quint16 CwTxSpeed = 0;
    QString MyCall;
    QString SelCall;

    bool MessagesOnScreen = false;
    bool MaildropOn = false;
    bool MaxScreen = false;
    bool LogBookOn = false;
    QString IdString;

    bool LeavePtcActive = false;
    bool NavtexActive = false; // NAVTEX reception on; kept here as the ini key holds it
    bool AmtexActive = false;  // AMTEX reception on

    int LanguageIndex = 0; // 1..9 for EN DL NL FR IT ES SW NO PT; 0 means English

    std::array<QString, CommandListSize> StartupCommands;
    std::array<QString, CommandListSize> ShutdownCommands;
};

// The two-letter codes of LanguageIndex 1..9.
QString languageCode(int languageIndex); // "EN" for 0 and anything unknown

// Reads every key of the file into `settings`, each with the variable's current value
// as its default. False only when the file exists but cannot be read.
bool ReadIniFile(const QString& path, Settings& settings);

// Writes every key back, keeping keys, sections and comments the program does not know.
// The file is replaced atomically: a failure leaves the old file as it was. On failure
// returns false and puts the reason in *error.
bool WriteIniFile(const QString& path, const Settings& settings, QString* error);

// The built-in parameter set: what the variables hold before the file is read, so a key
// that is absent or no number keeps a usable value, and the values used when the reader
// reports failure.
void ReadBuildInParameters(Settings& settings);

// Parses an integer the way the settings file stores it (decimal, or hex with '$' or
// "0x"); false for anything else, including numbers beyond 32 bits.
bool parseSettingsInteger(const QString& text, qint32* value);
