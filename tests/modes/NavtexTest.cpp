// NAVTEX and AMTEX reception from the toolbar: what each button and type dialog sends,
// in order, and the reception flags that the lamp and the settings file carry on.

#include "CoreHarness.h"
#include "StationDir.h"

#include <functional>
#include <gtest/gtest.h>
#include <optional>

namespace {

class NavtexTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        h.port.OpenPort();
        h.station().FormReady = true;
        h.station().PtcType = PtcModel::II;
        h.station().ModeId = Mode::Navtex;
        h.texts().NumberOfNavtexFilesText = QStringLiteral("Number of files");
        h.texts().NavtexAreaText = QStringLiteral("Area");
        h.texts().LatencyText = QStringLiteral("Days");
        // The type dialog "opens" with these letters checked and is left with Ok, or
        // with Cancel when `typesOk` is false.
        h.modal.onDialog = [this](Dialog dialog) {
            ASSERT_TRUE(dialog == Dialog::Navtex || dialog == Dialog::Amtex);
            const bool amtex = dialog == Dialog::Amtex;
            const QByteArray letters = amtex ? AmtexLetters : NavtexLetters;
            for (int i = 0; i < letters.size(); ++i) {
                const bool checked = types.contains(letters[i]);
                (amtex ? navtex.amtexBoxes[i] : navtex.navtexBoxes[i]) = checked;
            }
            if (!typesOk)
                return;
            if (amtex)
                navtex.AmtexOkKnopClick();
            else
                navtex.NavtexOkKnopClick();
        };
    }

    CoreHarness h;
    Navtex& navtex = h.core.navtex;
    QByteArray types;
    bool typesOk = true;
};

struct SwitchOnCase {
    const char* name;
    bool amtex;
    bool navtexBefore;             // NAVTEX reception already on
    std::optional<QString> answer; // nullopt: the number question cancelled
    const char* types;             // letters checked in the dialog
    const char* transcript;
    bool navtexAfter;
    bool amtexAfter;
    const char* message = nullptr; // told to the operator
};

} // namespace

TEST_F(NavtexTest, SwitchingOnSendsTheCountTheTypesAndSetsTheFlagByTheCount)
{
    const SwitchOnCase cases[] = {
        {"navtex 3 files, B and D", false, false, QStringLiteral("3"), "BD",
         "<ESC>Pd 0<CR>NAVTEX AMTEX 0<CR>[200ms]Nav BD<CR>[200ms]Nav 3<CR>", true, false},
        {"0 files: the dialog, then off", false, false, QStringLiteral("0"), "A",
         "<ESC>Pd 0<CR>NAVTEX AMTEX 0<CR>[200ms]Nav A<CR>[200ms]Nav 0<CR>", false, false},
        {"the count as a number", false, false, QStringLiteral(" 0255 "), "",
         "<ESC>Pd 0<CR>NAVTEX AMTEX 0<CR>[200ms]Nav <CR>[200ms]Nav 255<CR>", true, false},
        {"amtex 2 files, E and P", true, false, QStringLiteral("2"), "EP",
         "<ESC>Pd 0<CR>NAVTEX AMTEX 1<CR>[200ms]Nav EP<CR>[200ms]Nav 2<CR>", false, true},
        {"amtex ends navtex", true, true, QStringLiteral("12"), "EGKPSX",
         "<ESC>Pd 0<CR>NAVTEX AMTEX 1<CR>[200ms]Nav EGKPSX<CR>[200ms]Nav 12<CR>", false, true},
        // Answers that start nothing: nothing goes out, reception stays as it was.
        {"empty answer", false, false, QStringLiteral("  "), "A", "", false, false},
        {"cancelled with nothing offered", true, true, std::nullopt, "E", "", true, false},
        {"letters are no count", false, true, QStringLiteral("AB"), "A", "", true, false,
         "'AB' is not a valid integer value"},
        {"above the most files", true, false, QStringLiteral("256"), "E", "", false, false,
         "The number of files must be between 0 and 255"},
        {"negative", false, false, QStringLiteral("-1"), "A", "", false, false,
         "The number of files must be between 0 and 255"},
    };
    for (const SwitchOnCase& c : cases) {
        SCOPED_TRACE(c.name);
        h.wire.clear();
        h.modal.dialogs.clear();
        h.modal.shown.clear();
        h.station().DuplexOn = true;
        h.station().NavtexFiles.clear();
        h.settings().NavtexActive = c.navtexBefore;
        h.settings().AmtexActive = false;
        types = c.types;
        h.modal.queueInput(c.answer);
        if (c.amtex)
            navtex.AmtexOnClick();
        else
            navtex.NavtexOnClick();
        const bool started = *c.transcript != 0;
        EXPECT_EQ(h.wire.transcript(), QLatin1String(c.transcript));
        EXPECT_EQ(h.settings().NavtexActive, c.navtexAfter);
        EXPECT_EQ(h.settings().AmtexActive, c.amtexAfter);
        EXPECT_EQ(h.station().DuplexOn, !started);
        ASSERT_EQ(h.modal.dialogs.size(), started ? 1 : 0);
        if (started) {
            EXPECT_EQ(h.modal.dialogs.first(), c.amtex ? Dialog::Amtex : Dialog::Navtex);
        }
        EXPECT_EQ(h.modal.shown.size(), c.message ? 1 : 0);
        if (c.message) {
            EXPECT_EQ(h.modal.shown.value(0).text, QLatin1String(c.message));
        }
        EXPECT_EQ(h.modal.inputs.last().caption, QStringLiteral("Orvanti"));
        EXPECT_EQ(h.modal.inputs.last().text, QStringLiteral("Number of files"));
    }
}

TEST_F(NavtexTest, TheLastCountIsOfferedAgainAndCancelTakesIt)
{
    types = "L";
    h.modal.queueInput(QStringLiteral("4"));
    navtex.NavtexOnClick();
    h.wire.clear();
    h.modal.queueInput(std::nullopt); // Cancel answers the default
    typesOk = false;                  // and the type dialog is cancelled: nothing for it
    navtex.NavtexOnClick();
    EXPECT_EQ(h.wire.transcript(),
              QStringLiteral("<ESC>Pd 0<CR>NAVTEX AMTEX 0<CR>[400ms]Nav 4<CR>"));
    EXPECT_TRUE(h.settings().NavtexActive);
    // A refused answer is not offered again: the last count sent is.
    h.modal.queueInput(QStringLiteral("many"));
    navtex.NavtexOnClick();
    EXPECT_EQ(h.station().NavtexFiles, QStringLiteral("4"));
}

TEST_F(NavtexTest, OffEndsBothReceptionsAndReturnsToPactorAndItsPage)
{
    h.behaveLikeController();
    for (const bool amtex : {false, true}) {
        SCOPED_TRACE(amtex ? "amtex" : "navtex");
        h.wire.clear();
        h.station().ModeId = Mode::Navtex;
        h.settings().NavtexActive = !amtex;
        h.settings().AmtexActive = amtex;
        navtex.NavtexOffClick();
        EXPECT_EQ(h.wire.writtenText(), QStringLiteral("Nav Amtex 0<CR>Nav 0<CR>Pt<CR>L 0<CR>"));
        EXPECT_FALSE(h.settings().NavtexActive);
        EXPECT_FALSE(h.settings().AmtexActive);
        EXPECT_EQ(h.station().ModeId, Mode::Pactor);
        EXPECT_EQ(h.view.component(Name::PageControl).page, 0);
    }
}

TEST_F(NavtexTest, AreaAndTimeSendTheAnswerAsTypedAndCancelSendsItEmpty)
{
    struct Case {
        std::function<void(Navtex&)> click;
        std::optional<QString> answer;
        const char* prompt;
        const char* sent;
    };
    const auto area = [](Navtex& n) { n.NavtexAreaClick(); };
    const auto days = [](Navtex& n) { n.NavtexTimeClick(); };
    const Case cases[] = {
        {area, QStringLiteral("EFG"), "Area", "Nav AREA EFG<CR>"},
        {area, std::nullopt, "Area", "Nav AREA <CR>"},
        {days, QStringLiteral("3"), "Days", "Nav days 3<CR>"},
        {days, std::nullopt, "Days", "Nav days <CR>"},
        // A typed control character cannot end the line or start a command of its own.
        {days, QStringLiteral("3\x1b\rQ"), "Days", "Nav days 3Q<CR>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sent);
        h.wire.clear();
        h.modal.queueInput(c.answer);
        c.click(navtex);
        EXPECT_EQ(h.wire.transcript(), QLatin1String(c.sent));
        EXPECT_EQ(h.modal.inputs.last().text, QLatin1String(c.prompt));
    }
}

TEST_F(NavtexTest, AllChecksEveryTypeAndUncheckingItKeepsThem)
{
    // NAVTEX: "All" left checked checks every box again when the dialog opens.
    navtex.NavtexAllClick(true);
    navtex.navtexBoxes[3] = false;
    navtex.NavtexFormActivate();
    navtex.NavtexAllClick(false);
    navtex.NavtexOkKnopClick();
    // AMTEX: no opening rule, "All" checks the six, unchecking keeps them.
    navtex.amtexBoxes[1] = true;
    navtex.AmtexOkKnopClick();
    navtex.AmtexAllClick(true);
    navtex.AmtexAllClick(false);
    navtex.amtexBoxes[0] = false;
    navtex.AmtexOkKnopClick();
    navtex.amtexBoxes.fill(false);
    navtex.AmtexOkKnopClick();
    EXPECT_EQ(h.wire.transcript(),
              QStringLiteral("Nav ABCDEFGHIJKL<CR>Nav G<CR>Nav GKPSX<CR>Nav <CR>"));
    EXPECT_FALSE(h.station().ReceiveHold) << "the timers run again after Ok";
}

// The flags go to the settings file at exit as ONA, ON or OFF, and the next start takes
// them back and shows the lamp.
TEST(NavtexSettings, ExitWritesTheReceptionAndTheNextStartShowsIt)
{
    struct Case {
        const char* name;
        const char* before; // in the file at the first start
        std::function<void(Navtex&)> click;
        const char* written;
        bool navtex, amtex;
        const char* lamp; // nullptr: hidden
    };
    const auto navtexOn = [](Navtex& n) { n.NavtexOnClick(); };
    const auto amtexOn = [](Navtex& n) { n.AmtexOnClick(); };
    const auto off = [](Navtex& n) { n.NavtexOffClick(); };
    const Case cases[] = {
        {"navtex", "OFF", navtexOn, "Navtex/Amtex=ON\n", true, false, "Navtex"},
        {"amtex", "OFF", amtexOn, "Navtex/Amtex=ONA\n", true, true, "Amtex"},
        {"off", "ONA", off, "Navtex/Amtex=OFF\n", false, false, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StationDir dir;
        dir.writeSettings({QByteArray("PtcParameters/Navtex/Amtex=") + c.before});
        {
            CoreHarness h;
            h.behaveLikeController();
            ASSERT_EQ(h.core.lifecycle.FormCreate(dir.path()), CreateResult::Ready);
            h.modal.queueInput(QStringLiteral("1"));
            h.modal.onDialog = [](Dialog) {};
            c.click(h.core.navtex);
            h.modal.queueConfirm(true);
            ASSERT_TRUE(h.core.lifecycle.FormCloseQuery());
            EXPECT_TRUE(dir.read(QStringLiteral("Orvanti.ini")).contains(c.written));
        }
        CoreHarness h;
        h.behaveLikeController();
        ASSERT_EQ(h.core.lifecycle.FormCreate(dir.path()), CreateResult::Ready);
        EXPECT_EQ(h.settings().NavtexActive, c.navtex);
        EXPECT_EQ(h.settings().AmtexActive, c.amtex);
        // The first layout lights the lamp, and the housekeeping tick keeps it so.
        for (const bool tick : {false, true}) {
            if (tick)
                h.core.status.ErrorTimer();
            else
                h.core.lifecycle.FormResize();
            EXPECT_EQ(h.view.component(Name::NavtexLed).visible, c.lamp != nullptr);
            if (c.lamp) {
                EXPECT_EQ(h.view.caption(Name::NavtexLed), QLatin1String(c.lamp));
            }
        }
        // "Msg. type" offers the types of the reception that was on.
        h.core.navtex.NavtexMsgTypeClick();
        EXPECT_EQ(h.modal.dialogs.value(0), c.amtex ? Dialog::Amtex : Dialog::Navtex);
    }
}
