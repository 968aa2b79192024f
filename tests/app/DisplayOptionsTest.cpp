// The Configuration menu's fonts, colours and receive buffer length against the fakes:
// what each dialog was asked, what the window shows after it, what is stored for the exit.

#include "CoreHarness.h"

#include <array>
#include <functional>
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

} // namespace

// Each font item: the dialog's start and limits, then the chosen font on its component
// (size held to the limits) and in its settings, with the style code of bold and italic.
TEST_F(DisplayOptionsTest, EachFontItemAsksWithinItsLimitsAndStoresTheChoice)
{
    struct Case {
        QLatin1StringView item;
        QLatin1StringView component; // empty: only stored
        const char* startFamily;
        int minPoints, maxPoints;
        bool fixedPitch;
        FontChoice chosen;
        int points, styleCode; // as shown and stored
        std::function<std::tuple<QString, int, int>(const Settings&)> stored;
    };
    const Case cases[] = {
        {Name::MenuRxWindowFont, Name::ReceiveWindow, "Courier New", 6, 16, false,
         font("Mono A", 20, true, true), 16, 4,
         [](const Settings& s) {
             return std::tuple{s.RxFontName, int(s.RxFontSize), int(s.RxFontStyle)};
         }},
        {Name::MenuTabs, Name::PageControl, "arial", 7, 12, true, font("Mono B", 5, true, false), 7,
         3,
         [](const Settings& s) {
             return std::tuple{s.TabFontName, int(s.TabFontSize), int(s.TabFontStyle)};
         }},
        {Name::MenuStatusLineFont, Name::Statusbalk, "arial", 6, 11, false,
         font("Sans C", 9, false, true), 9, 2,
         [](const Settings& s) {
             return std::tuple{s.StatusFontName, int(s.StatusFontSize), int(s.StatusFontStyle)};
         }},
        {Name::MenuLogBookFont,
         {},
         "Courier new",
         6,
         72,
         true,
         font("Mono D", 14, false, false),
         14,
         1,
         [](const Settings& s) {
             return std::tuple{s.LogBookFontName, s.LogBookFontSize, int(s.LogBookFontStyle)};
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item.data());
        CoreHarness h;
        ReadBuildInParameters(h.settings());
        h.modal.queueFont(c.chosen);
        ASSERT_TRUE(h.core.actions.run(c.item));

        ASSERT_EQ(h.modal.fontRequests.size(), 1);
        const FontRequest& asked = h.modal.fontRequests.front();
        EXPECT_EQ(asked.start.family, QLatin1String(c.startFamily));
        EXPECT_EQ(asked.minPoints, c.minPoints);
        EXPECT_EQ(asked.maxPoints, c.maxPoints);
        EXPECT_EQ(asked.fixedPitchOnly, c.fixedPitch);
        EXPECT_FALSE(asked.withColor);
        EXPECT_EQ(asked.textWindow, c.item == Name::MenuRxWindowFont);

        EXPECT_EQ(c.stored(h.settings()), std::tuple(c.chosen.family, c.points, c.styleCode));
        if (!c.component.isEmpty()) {
            const ComponentState& shown = h.view.component(c.component);
            EXPECT_EQ(shown.fontName, c.chosen.family);
            EXPECT_EQ(shown.fontSize, c.points);
            EXPECT_EQ(shown.fontStyle, c.styleCode);
        }
    }
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
        EXPECT_EQ(h.settings().RxFontName,
                  confirmed ? QStringLiteral("Mono") : QStringLiteral("Courier New"));
        EXPECT_EQ(h.view.focus(), confirmed ? QString(Name::TransmitWindow) : QString());
    }
}

TEST_F(DisplayOptionsTest, ATransmitFontInGreenTurnsTheTextGreenAndRelaysTheWindowOut)
{
    int layouts = 0;
    h.core.display.formResize = [&] { ++layouts; };
    h.modal.queueFont(font("Sans", 11, false, false, Colors::Green));
    run(Name::MenuTxWindowFont);
    const FontRequest& asked = h.modal.fontRequests.front();
    EXPECT_TRUE(asked.withColor);
    EXPECT_TRUE(asked.textWindow);
    EXPECT_EQ(asked.start.color, Colors::Black);
    EXPECT_EQ(h.view.component(Name::TransmitWindow).text, Colors::Green);
    EXPECT_EQ(s.TxFontColor, Colors::Green);
    EXPECT_EQ(s.TxFontName, QStringLiteral("Sans"));
    EXPECT_EQ(s.TxFontSize, 11);
    EXPECT_EQ(layouts, 1);

    // Cancelled: nothing changes, the layout runs all the same (also for the tab font).
    h.modal.queueFont(std::nullopt);
    run(Name::MenuTxWindowFont);
    h.modal.queueFont(std::nullopt);
    run(Name::MenuTabs);
    EXPECT_EQ(s.TxFontColor, Colors::Green);
    EXPECT_EQ(h.view.buttonFonts().changes, 0);
    EXPECT_EQ(layouts, 3);
}

TEST_F(DisplayOptionsTest, TheTabFontGoesToEveryButtonWithTheThreeColours)
{
    s.ButtonBaseColor = 1;
    s.ButtonFlareColor = 2;
    s.ButtonClickColor = 3;
    h.modal.queueFont(font("Mono", 10, false, true));
    run(Name::MenuTabs);
    const ButtonFonts& buttons = h.view.buttonFonts();
    EXPECT_EQ(buttons.family, QStringLiteral("Mono"));
    EXPECT_EQ(buttons.points, 10);
    EXPECT_EQ(buttons.styleCode, 2);
    EXPECT_EQ((std::array{buttons.base, buttons.flare, buttons.click}), (std::array{1, 2, 3}));
    EXPECT_EQ(s.TabFontStyle, 2);
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
    h.texts().MaxlengthText = QStringLiteral("Length of the receive buffer");
    h.texts().BetweenText = QStringLiteral("between 10000 and 65500");
    h.texts().Warningtext = QStringLiteral("Warning");
    struct Case {
        std::optional<QString> answer;
        int stored;
        const char* message; // empty: none
    };
    const Case cases[] = {
        {QStringLiteral("9999"), 30000, "Warning: between 10000 and 65500"},
        {QStringLiteral("10000"), 10000, ""},
        {QStringLiteral(" 65500 "), 65500, ""},
        {QStringLiteral("65501"), 30000, "Warning: between 10000 and 65500"},
        {QStringLiteral("abc"), 30000, "Orvanti: 'abc' is not a valid integer value"},
        {std::nullopt, 30000, ""}, // Cancel answers the preset
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer.value_or(QStringLiteral("<cancel>")).toStdString());
        s.MaxRxLength = 30000;
        h.station().MenuHold = true;
        h.modal.shown.clear();
        h.modal.inputs.clear();
        h.modal.queueInput(c.answer);
        run(Name::MenuMaxLengthReceivebuffer);
        ASSERT_EQ(h.modal.inputs.size(), 1);
        EXPECT_EQ(h.modal.inputs[0].caption, QStringLiteral("Length of the receive buffer"));
        EXPECT_EQ(h.modal.inputs[0].text, QStringLiteral("max 65500"));
        EXPECT_EQ(s.MaxRxLength, c.stored);
        QString shown;
        for (const ShownMessage& m : h.modal.shown)
            shown += m.caption + QStringLiteral(": ") + m.text;
        EXPECT_EQ(shown, QLatin1String(c.message));
        EXPECT_FALSE(h.station().MenuHold);
    }
}
