// Readying the controller and the way back to PACTOR, with the refusal rule.

#include "CoreHarness.h"

#include <gtest/gtest.h>

namespace {

class ModeSwitchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        h.port.OpenPort();
        h.station().FormReady = true;
        h.texts().NoChangeText = QStringLiteral("Disconnect first");
        h.texts().YourcallText = QStringLiteral("&Your call");
    }

    CoreHarness h;
    ModeSwitch& modes = h.core.modes;
};

} // namespace

TEST_F(ModeSwitchTest, ReadyingFromEachModeSendsItsOwnWayOut)
{
    struct Case {
        const char* mode;
        quint8 ptcType;
        const char* transcript;
    };
    const Case cases[] = {
        {"PACTOR", PtcModel::II, "L 0<CR>[400ms]"},
        {"CW", PtcModel::II, "[200ms]<ESC>Q<CR>[200ms]"},
        {"RTTY", PtcModel::II, "[200ms]<ESC>Q<CR>[200ms]"},
        {"PACKET", PtcModel::II, "<ESC>MON 0<CR>[200ms]PAC MON 0<CR><ESC>Q<CR>[200ms]"},
        {"AMTOR", PtcModel::II, "Q<CR>[400ms]"},
        {"AMTOR", PtcModel::Z80, "<ESC>Pt<CR>Q<CR>[400ms]"},
        {"NAVTEX", PtcModel::II, "[400ms]"},
    };
    for (const Case& c : cases) {
        CoreHarness fresh;
        fresh.port.OpenPort();
        fresh.station().ModeId = QLatin1String(c.mode);
        fresh.station().PtcType = c.ptcType;
        fresh.station().ConvMode = true;
        fresh.station().DumbMode = true;
        fresh.core.modes.ZetPtcKlaar();
        EXPECT_EQ(fresh.wire.transcript(), QLatin1String(c.transcript)) << c.mode;
        EXPECT_FALSE(fresh.station().ConvMode);
        EXPECT_FALSE(fresh.station().DumbMode);
        EXPECT_EQ(fresh.station().TrafficState, QStringLiteral("STANDBY"));
    }
}

TEST_F(ModeSwitchTest, ChoosingPactorInPactorSendsNothing)
{
    modes.MenuPactorClick();
    EXPECT_TRUE(h.wire.events().empty());
}

TEST_F(ModeSwitchTest, BackToPactorReadiesThenEntersWithItsPause)
{
    h.station().ModeId = QStringLiteral("CW");
    h.station().LastPageIndex = 4;
    modes.MenuPactorClick();
    EXPECT_EQ(h.wire.transcript(), QStringLiteral("[200ms]<ESC>Q<CR>[200ms]Pt<CR>[500ms]"));
    EXPECT_EQ(h.station().ModeId, QStringLiteral("PACTOR"));
    EXPECT_EQ(h.station().LastPageIndex, 0);
    EXPECT_EQ(h.view.component(QStringLiteral("PageControl")).page, 0);
    EXPECT_TRUE(h.view.component(QStringLiteral("MenuUnpro")).enabled);
    EXPECT_FALSE(h.view.component(QStringLiteral("MenuAmtorFec")).enabled);
    EXPECT_FALSE(h.view.component(QStringLiteral("MenuBaudotTransmit")).enabled);
    EXPECT_EQ(h.view.caption(QStringLiteral("MenuYourcall")), QStringLiteral("&Your call"));
}

TEST_F(ModeSwitchTest, TheZ80NeedsAnEscapeAndADrainBeforePactor)
{
    h.station().PtcType = PtcModel::Z80;
    modes.SwitchToPactor();
    EXPECT_EQ(h.wire.transcript(), QStringLiteral("<ESC>[200ms]Pt<CR>[500ms]"));
}

TEST_F(ModeSwitchTest, APageChangeWhileLinkedIsRefusedWithAWarningAndNothingSent)
{
    h.station().ModeId = QStringLiteral("AMTOR");
    h.station().LastPageIndex = 1;
    h.station().Connected = true;
    modes.PageControlChange(0);
    EXPECT_TRUE(h.wire.events().empty());
    EXPECT_EQ(h.station().ModeId, QStringLiteral("AMTOR"));
    EXPECT_EQ(h.view.component(QStringLiteral("PageControl")).page, 1);
    ASSERT_EQ(h.modal.shown.size(), 1);
    EXPECT_EQ(h.modal.shown[0].text, QStringLiteral("Disconnect first"));

    h.station().Connected = false;
    h.station().Transmitting = true;
    modes.PageControlChange(0);
    EXPECT_TRUE(h.wire.events().empty());
    EXPECT_EQ(h.modal.shown.size(), 2);
}

TEST_F(ModeSwitchTest, AMailboxTransferRefusesThePageChangeSilently)
{
    h.station().ModeId = QStringLiteral("DUMB");
    h.station().MailboxBackupActive = true;
    modes.PageControlChange(0);
    EXPECT_TRUE(h.wire.events().empty());
    EXPECT_TRUE(h.modal.shown.isEmpty());
}

TEST_F(ModeSwitchTest, BeforeTheSettingsAreReadAPageChangeDoesNothing)
{
    h.station().FormReady = false;
    h.station().ModeId = QStringLiteral("CW");
    modes.PageControlChange(0);
    EXPECT_TRUE(h.wire.events().empty());
    EXPECT_EQ(h.station().ModeId, QStringLiteral("CW"));
}

TEST_F(ModeSwitchTest, ListenOnSendsTheCommandOfTheMode)
{
    modes.SwitchListenOn();
    h.station().ModeId = QStringLiteral("AMTOR");
    modes.SwitchListenOn();
    h.station().ModeId = QStringLiteral("PACKET");
    modes.SwitchListenOn();
    h.station().ModeId = QStringLiteral("RTTY");
    modes.SwitchListenOn();
    EXPECT_EQ(h.wire.writtenText(), QStringLiteral("L 1<CR><ESC> MON<CR><ESC>MON 5<CR>"));
    EXPECT_EQ(h.station().TrafficState, QStringLiteral("LISTEN"));
}
