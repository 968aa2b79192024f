// Language files: how a value splits for each kind of component, what a file hands the
// windows, and the shipped files against the index table. Switching at run time is
// tried on the real window (LanguageWindowTest).

#include "CoreHarness.h"
#include "base/LanguageFile.h"
#include "base/MessageTexts.h"
#include "base/ProfileFile.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString Long60 = QString(60, QLatin1Char('x'));
const QString Cut50 = QString(50, QLatin1Char('x'));

// Every text a file gave, one "window.name caption|hint" line each (null shows as ~).
QString listed(const WindowTexts& windows)
{
    QStringList lines;
    for (const ComponentText& text : windows.components)
        lines << QString(text.window) + QLatin1Char('.') + QString(text.name) + QLatin1Char(' ') +
                     (text.caption.isNull() ? QStringLiteral("~") : text.caption) +
                     QLatin1Char('|') + (text.hint.isNull() ? QStringLiteral("~") : text.hint);
    return lines.join(QLatin1Char('\n'));
}

QByteArray shipped(const QString& name)
{
    QFile file(QStringLiteral(":/data/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(LanguageValues, EachKindTakesItsPartOfTheValue)
{
    struct Case {
        TextKind kind;
        QString value;
        QString caption; // null: left alone
        QString hint;
    };
    const QString null;
    const Case cases[] = {
        {TextKind::CaptionHint, u"Listen/Listen Mode"_s, u"Listen"_s, u"Listen Mode"_s},
        {TextKind::CaptionHint, u"Xmit/"_s + Long60, u"Xmit"_s, Cut50},
        {TextKind::CaptionHint, u"Auto/fix/Toggle"_s, u"Auto"_s, u"fix/Toggle"_s}, // the first "/"
        {TextKind::CaptionHint, u"&Connect/"_s, u"&Connect"_s, u""_s},
        {TextKind::CaptionHint, u"Connect"_s, u"Connect"_s, null}, // no "/": the hint stays
        {TextKind::CaptionHint, u"Li\tsten/Listen\x01 Mode\r"_s, u"Listen"_s, u"Listen Mode"_s},
        {TextKind::Caption, u"Receive/Transmit"_s, u"Receive/Transmit"_s, null},
        {TextKind::Caption, u"&Pactor"_s, u"&Pactor"_s, null},
        {TextKind::Caption, Long60, Cut50, null},
        {TextKind::Hint, u"x/PTC Mode"_s, null, u"PTC Mode"_s},
        {TextKind::Hint, u"/"_s + Long60, null, Cut50},
        {TextKind::Hint, Long60, null, Cut50}, // no "/": all of it is the hint, cut too
        {TextKind::StateCaptionHint, u"Xon/State of Xoff/Xon"_s, null, u"State of Xoff/Xon"_s},
        {TextKind::StateOwned, u"Open Log/Open Log File"_s, null, null},
        {TextKind::Unused, u"30/x"_s, null, null},
    };
    for (const Case& c : cases) {
        const SplitText split = splitText(c.kind, c.value);
        EXPECT_EQ(split.caption, c.caption) << c.value.toStdString();
        EXPECT_EQ(split.caption.isNull(), c.caption.isNull()) << c.value.toStdString();
        EXPECT_EQ(split.hint, c.hint) << c.value.toStdString();
        EXPECT_EQ(split.hint.isNull(), c.hint.isNull()) << c.value.toStdString();
    }
}

TEST(LanguageFile, ReadsTheTableKeysOfItsOwnLanguageOnly)
{
    const QByteArray file = "[MainButtons_FR]\n"
                            "25=Appel/Appel CQ\n"
                            "26=Connexion\n"
                            "24=Unpro/Unpro\n"
                            "21=Not a button/x\n" // 21 is no button's key
                            "99999=Far away/x\n"  // beyond the window
                            "[MainButtons_EN]\n"  // another language in the same file
                            "23=Listen/Listen\n"
                            "[MainMenu_FR]\n"
                            "162=Anglais/GB\n"
                            "[StatusLine_FR]\n"
                            "2=ignored/Mode du PTC\n"
                            "[Bars_FR]\n"
                            "14=Xon/Etat\n"
                            "[Connect_FR]\n"
                            "1=Connexion avec:\n"
                            "2=&Ok/Valider\n"
                            "4=DL1ABC\n" // the call field takes no text
                            "[Text_FR]\n"
                            "CloseText=Quitter ?\n";
    WindowTexts windows;
    MessageTexts texts;
    readLanguageFile(file, QStringLiteral("FR"), windows, texts);
    EXPECT_EQ(listed(windows), QStringLiteral("HoofdForm.PactorUnpro Unpro|Unpro\n"
                                              "HoofdForm.PactorCQ Appel|Appel CQ\n"
                                              "HoofdForm.PactorConnect Connexion|~\n"
                                              "HoofdForm.English Anglais/GB|~\n"
                                              "HoofdForm.Pane1 ~|Mode du PTC\n"
                                              "HoofdForm.XOnLed ~|Etat\n"
                                              "ConnectForm.Label1 Connexion avec:|~\n"
                                              "ConnectForm.ConnectOkKnop &Ok|Valider"));
    EXPECT_EQ(texts.CloseText, QStringLiteral("Quitter ?"));
    EXPECT_EQ(texts.Warningtext, QStringLiteral("ERROR"));
}

TEST(LanguageFile, BinaryBytesAndFloodsOfKeysGiveOnlyTableComponents)
{
    QByteArray flood = "[MainButtons_EN]\n";
    for (int key = 0; key < 20000; ++key)
        flood += QByteArray::number(key) + "=B" + QByteArray::number(key) + "/\x02hint\n";
    QByteArray binary(64 * 1024, '\0');
    QRandomGenerator random(7);
    for (char& byte : binary)
        byte = static_cast<char>(random.bounded(256));
    for (const QByteArray& bytes : {flood, binary, QByteArray(binary + flood)}) {
        WindowTexts windows;
        MessageTexts texts;
        readLanguageFile(bytes, QStringLiteral("EN"), windows, texts);
        for (const ComponentText& text : windows.components) {
            EXPECT_EQ(text.window, MainWindowName);
            EXPECT_FALSE(text.hint.contains(QChar(2)));
        }
        EXPECT_LE(windows.components.size(), textSections()[0].components.size());
        EXPECT_EQ(texts.CloseText, QStringLiteral("ERROR"));
    }
    WindowTexts windows;
    MessageTexts texts;
    readLanguageFile(flood, QStringLiteral("EN"), windows, texts);
    // Every button but the log button, whose caption and hint show the capture's state.
    ASSERT_EQ(windows.components.size(), textSections()[0].components.size() - 1);
    EXPECT_EQ(windows.components[0].caption, QStringLiteral("B22"));
    EXPECT_EQ(windows.components[0].hint, QStringLiteral("hint"));
}

// Every shipped language file holds every key of the index table that English holds,
// with a "/" and an "&" wherever English has one, so a missing or broken translation
// shows up here rather than as a neighbour's text on the screen.
TEST(ShippedLanguageFiles, HoldEveryKeyOfTheTableAsEnglishDoes)
{
    ProfileFile english;
    english.load(shipped(QStringLiteral("Orvanti_EN.ini")));
    for (const TextSection& section : textSections()) {
        const QByteArray name = QByteArray(section.stem.data(), section.stem.size()) + "EN";
        for (const TextComponent& component : section.components) {
            const auto value =
                english.value(name.constData(), QByteArray::number(component.key).constData());
            ASSERT_TRUE(value) << name.constData() << " lacks " << component.key;
            // Buttons, bars and panes take "caption/hint" whether or not the program
            // lets the file set them.
            const bool split = component.kind == TextKind::CaptionHint ||
                               component.kind == TextKind::StateCaptionHint ||
                               component.kind == TextKind::Hint ||
                               section.stem == QLatin1String("MainButtons_") ||
                               section.stem == QLatin1String("Bars_");
            EXPECT_EQ(value->contains(QLatin1Char('/')) || !split, true)
                << name.constData() << " " << component.key << " has no \"/\"";
        }
    }

    const QStringList files =
        QDir(QStringLiteral(":/data")).entryList({QStringLiteral("Orvanti_*.ini")});
    ASSERT_TRUE(files.contains(QStringLiteral("Orvanti_EN.ini")));
    for (const QString& file : files) {
        const QByteArray code = file.mid(8, file.size() - 12).toLatin1();
        ProfileFile language;
        language.load(shipped(file));
        for (const TextSection& section : textSections()) {
            const QByteArray stem(section.stem.data(), section.stem.size());
            for (const TextComponent& component : section.components) {
                const QByteArray key = QByteArray::number(component.key);
                const QString base =
                    english.value(QByteArray(stem + "EN").constData(), key.constData())
                        .value_or(QString());
                const auto value =
                    language.value(QByteArray(stem + code).constData(), key.constData());
                ASSERT_TRUE(value)
                    << file.toStdString() << " " << stem.constData() << " lacks " << component.key;
                for (QLatin1Char mark : {QLatin1Char('/'), QLatin1Char('&')})
                    EXPECT_FALSE(base.contains(mark) && !value->contains(mark))
                        << file.toStdString() << " " << stem.constData() << component.key
                        << " lost its " << char(mark.unicode());
            }
        }
        MessageTexts texts;
        WindowTexts windows;
        readLanguageFile(shipped(file), QString::fromLatin1(code), windows, texts);
        EXPECT_NE(texts.CloseText, QStringLiteral("ERROR")) << file.toStdString();
        EXPECT_NE(texts.ShowLogHeaderText, QStringLiteral("ERROR")) << file.toStdString();
    }
}
