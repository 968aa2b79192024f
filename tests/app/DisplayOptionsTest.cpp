// The Configuration menu's fonts, colours and receive buffer length against the fakes:
// what the window shows after each dialog, and what is stored for the exit.

#include "CoreHarness.h"

#include <gtest/gtest.h>
#include <optional>
#include <tuple>

namespace {

class DisplayOptionsTest : public ::testing::Test {
protected:
    DisplayOptionsTest() { ReadBuildInParameters(h.settings()); }

    void run(const QString& name) { ASSERT_TRUE(h.core.actions.run(name)) << name.toStdString(); }

    CoreHarness h;
    Settings& s = h.settings();
};

FontChoice font(const char* family, int points, bool bold, bool italic, Color color = 0)
{
    return FontChoice{QLatin1String(family), points, bold, italic, color};
}

// Every stored font as "rx family points style; tx ...".
QString storedFonts(const Settings& s)
{
    const auto one = [](const char* what, const QString& family, int points, int style) {
        return QStringLiteral("%1 %2 %3 %4; ")
            .arg(QLatin1String(what), family)
            .arg(points)
            .arg(style);
    };
    return one("rx", s.RxFontName, s.RxFontSize, s.RxFontStyle) +
           one("tx", s.TxFontName, s.TxFontSize, s.TxFontStyle) +
           one("tab", s.TabFontName, s.TabFontSize, s.TabFontStyle) +
           one("status", s.StatusFontName, s.StatusFontSize, s.StatusFontStyle) +
           one("log", s.LogBookFontName, s.LogBookFontSize, s.LogBookFontStyle);
}

} // namespace

// Each font item: the choice on its component and in its settings, the size held to the
// item's limits, with the style code (4: bold italic). Cancel changes nothing; the
// transmit and tab fonts lay the window out again all the same.
TEST_F(DisplayOptionsTest, EachFontItemShowsAndStoresTheChoice)
{
    const struct {
        QLatin1StringView item, component; // no component: only stored
        FontChoice chosen;
        const char* stored;
        int layouts; // per dialog
    } cases[] = {
        {Name::MenuRxWindowFont, Name::ReceiveWindow, font("Mono A", 20, true, true),
         "rx Mono A 16 4", 0},
        {Name::MenuTxWindowFont, Name::TransmitWindow, font("Sans", 11, false, false),
         "tx Sans 11 1", 1},
        {Name::MenuTabs, Name::PageControl, font("Mono B", 5, true, false), "tab Mono B 7 3", 1},
        {Name::MenuStatusLineFont, Name::Statusbalk, font("Sans C", 9, false, true),
         "status Sans C 9 2", 0},
        {Name::MenuLogBookFont, {}, font("Mono D", 14, false, false), "log Mono D 14 1", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item.data());
        CoreHarness h;
        ReadBuildInParameters(h.settings());
        int layouts = 0;
        h.core.display.formResize = [&] { ++layouts; };
        const QString before = storedFonts(h.settings());
        h.modal.queueFont(std::nullopt);
        ASSERT_TRUE(h.core.actions.run(c.item));
        EXPECT_EQ(storedFonts(h.settings()), before);
        EXPECT_EQ(h.view.buttonFonts().changes, 0);

        h.modal.queueFont(c.chosen);
        ASSERT_TRUE(h.core.actions.run(c.item));
        EXPECT_TRUE(storedFonts(h.settings()).contains(QLatin1String(c.stored)))
            << storedFonts(h.settings()).toStdString();
        if (!c.component.isEmpty()) {
            const ComponentState& shown = h.view.component(c.component);
            EXPECT_TRUE(QLatin1String(c.stored).endsWith(QStringLiteral("%1 %2 %3")
                                                             .arg(shown.fontName)
                                                             .arg(shown.fontSize)
                                                             .arg(shown.fontStyle)));
        }
        EXPECT_EQ(h.modal.fontRequests.front().withColor, c.item == Name::MenuTxWindowFont);
        EXPECT_EQ(layouts, 2 * c.layouts);
    }
}

TEST_F(DisplayOptionsTest, TheTransmitFontTakesItsColourAndTheTabFontGoesToEveryButton)
{
    h.modal.queueFont(font("Sans", 11, false, false, Colors::Green));
    run(Name::MenuTxWindowFont);
    EXPECT_EQ(h.modal.fontRequests.front().start.color, Colors::Black);
    EXPECT_EQ(h.view.component(Name::TransmitWindow).text, Colors::Green);
    EXPECT_EQ(s.TxFontColor, Colors::Green);

    s.ButtonBaseColor = 1;
    s.ButtonFlareColor = 2;
    s.ButtonClickColor = 3;
    h.modal.queueFont(font("Mono", 10, false, true));
    run(Name::MenuTabs);
    const ButtonFonts& b = h.view.buttonFonts();
    EXPECT_EQ(std::tuple(b.family, b.points, b.styleCode, b.base, b.flare, b.click),
              std::tuple(QStringLiteral("Mono"), 10, 2, 1, 2, 3));
}

TEST_F(DisplayOptionsTest, TheReceiveFontClearsTheMenuHoldAndMarksTheScrollRangeEvenWhenCancelled)
{
    for (const bool confirmed : {true, false}) {
        SCOPED_TRACE(confirmed);
        CoreHarness h;
        ReadBuildInParameters(h.settings());
        QList<bool> housekeeping;
        h.core.display.holdHousekeeping = [&](bool hold) { housekeeping.append(hold); };
        h.station().MenuHold = true;
        h.modal.queueFont(confirmed ? std::optional(font("Mono", 12, false, false)) : std::nullopt);
        h.core.display.MenuRxWindowFontClick();
        EXPECT_EQ(housekeeping, (QList<bool>{true, false}));
        EXPECT_TRUE(h.station().FontChanged);
        EXPECT_FALSE(h.station().MenuHold);
        EXPECT_EQ(h.view.focus(), confirmed ? QString(Name::TransmitWindow) : QString());
    }
}

// Each colour item: the dialog starts at the setting, the choice goes to the setting
// and shows where it belongs; Cancel changes nothing.
TEST_F(DisplayOptionsTest, EachColourItemStoresTheChoiceAndShowsItAtOnce)
{
    struct Case {
        QLatin1StringView item;
        Color Settings::*setting;
        QLatin1StringView filled; // the component painted in it, if any
    };
    const Case cases[] = {
        {Name::SubMenu_Color_RxWindow, &Settings::RxWindowColor, Name::ReceiveWindow},
        {Name::SubMenu_Color_TxWindow, &Settings::TxWindowColor, Name::TransmitWindow},
        {Name::Sub_SubMenuColor_SystemTekst, &Settings::SystemTextColor, {}},
        {Name::Sub_SubMenuColor_ReceivedText, &Settings::ReceiveTextColor, {}},
        {Name::Sub_SubMenuColor_DelayedTransmittedText, &Settings::DelayTextColor, {}},
        {Name::SubMenuPromptColor, &Settings::PromptColor, {}},
        {Name::SubMenu_Color_ReceiveandTransmitbar, &Settings::ReceiveBarColor, Name::Receivebar},
        {Name::Sub_SubMenuNormalColor, &Settings::ButtonBaseColor, {}},
        {Name::Sub_SubMenuMouseOnColor, &Settings::ButtonFlareColor, {}},
        {Name::Sub_SubMenuClickColor, &Settings::ButtonClickColor, {}},
    };
    constexpr Color Chosen = 0x00ABCDEF;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item.data());
        CoreHarness h;
        ReadBuildInParameters(h.settings());
        const Color before = h.settings().*c.setting;
        // The receive timer is held while the dialog is open, and only then.
        QList<bool> heldWhileOpen;
        h.modal.onChooser = [&] { heldWhileOpen.append(h.station().ReceiveHold); };
        h.modal.queueColor(std::nullopt);
        ASSERT_TRUE(h.core.actions.run(c.item));
        EXPECT_EQ(h.settings().*c.setting, before);
        h.modal.queueColor(Chosen);
        ASSERT_TRUE(h.core.actions.run(c.item));

        EXPECT_EQ(heldWhileOpen, (QList<bool>{true, true}));
        EXPECT_FALSE(h.station().ReceiveHold);
        EXPECT_EQ(h.modal.colorStarts, (QList<Color>{before, before}));
        EXPECT_EQ(h.settings().*c.setting, Chosen);
        if (!c.filled.isEmpty())
            EXPECT_EQ(h.view.component(c.filled).fill, Chosen);
        const bool buttonColour = c.item.startsWith(QLatin1String("Sub_SubMenu")) &&
                                  c.item.endsWith(QLatin1String("Color"));
        EXPECT_EQ(h.view.buttonFonts().changes, buttonColour ? 1 : 0);
    }
}

TEST_F(DisplayOptionsTest, ANewTextColourTakesEffectWithTheNextTextAndOldTextKeepsItsOwn)
{
    s.MessagesOnScreen = true;
    const auto decode = [this](const QByteArray& block) {
        h.station().RxChunk = block;
        h.station().RxCount = static_cast<quint16>(block.size());
        h.core.decoder.V24Schryf();
    };
    decode("\x02"
           "old");
    h.modal.queueColor(Colors::Green);
    run(Name::Sub_SubMenuColor_ReceivedText);
    decode("new");
    const std::vector<TextRun> runs = h.view.receiveRuns();
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].text, QStringLiteral("old"));
    EXPECT_EQ(runs[0].color, Colors::Black);
    EXPECT_EQ(runs[1].text, QStringLiteral("new"));
    EXPECT_EQ(runs[1].color, Colors::Green);
}

TEST_F(DisplayOptionsTest, CancellingTheBarColourStillRepaintsTheTransmitBarAndTempMemo)
{
    s.ReceiveBarColor = Colors::Aqua;
    h.modal.queueColor(std::nullopt);
    run(Name::SubMenu_Color_ReceiveandTransmitbar);
    EXPECT_EQ(s.TransmitBarColor, Colors::Aqua);
    EXPECT_EQ(h.view.component(Name::Transmitbalk).fill, Colors::Aqua);
    EXPECT_EQ(h.view.component(Name::TempMemo).fill, Colors::Aqua);
    EXPECT_FALSE(h.view.has(Name::Receivebar));

    // While it announces the maildrop the transmit bar stays red.
    s.MaildropOn = true;
    h.view.setFillColor(Name::Transmitbalk, Colors::Red);
    h.modal.queueColor(Colors::Yellow);
    run(Name::SubMenu_Color_ReceiveandTransmitbar);
    EXPECT_EQ(h.view.component(Name::Transmitbalk).fill, Colors::Red);
    EXPECT_EQ(h.view.component(Name::Receivebar).fill, Colors::Yellow);
    EXPECT_EQ(s.TransmitBarColor, Colors::Yellow);
}

TEST_F(DisplayOptionsTest, ReceiveBufferLengthIsTakenOnlyFrom10000To65500)
{
    h.texts().BetweenText = QStringLiteral("between 10000 and 65500");
    h.texts().Warningtext = QStringLiteral("Warning");
    const struct {
        std::optional<QString> answer;
        int stored;
        const char* message; // empty: none
    } cases[] = {
        {QStringLiteral("9999"), 30000, "Warning: between 10000 and 65500"},
        {QStringLiteral("10000"), 10000, ""},
        {QStringLiteral(" 65500 "), 65500, ""},
        {QStringLiteral("65501"), 30000, "Warning: between 10000 and 65500"},
        {QStringLiteral("abc"), 30000, "Orvanti: 'abc' is not a valid integer value"},
        {std::nullopt, 30000, ""}, // Cancel answers the preset
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer.value_or(QStringLiteral("<cancel>")).toStdString());
        s.MaxRxLength = 30000;
        h.station().MenuHold = true;
        h.modal.shown.clear();
        h.modal.inputs.clear();
        h.modal.queueInput(c.answer);
        run(Name::MenuMaxLengthReceivebuffer);
        ASSERT_EQ(h.modal.inputs.size(), 1);
        EXPECT_EQ(s.MaxRxLength, c.stored);
        QString shown;
        for (const ShownMessage& m : h.modal.shown)
            shown += m.caption + QStringLiteral(": ") + m.text;
        EXPECT_EQ(shown, QLatin1String(c.message));
        EXPECT_FALSE(h.station().MenuHold);
    }
}
