// NAVTEX reception through the whole program against the simulated controller: the
// toolbar switches it on, the type dialog's Ok sends the types, and the messages the
// controller then passes on show in the receive window; "Nav-Amt Off" ends them.

#include "WindowOnSimulator.h"
#include "ui/TQvRichEdit.h"
#include "ui/TRzPanel.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QTabWidget>
#include <gtest/gtest.h>

namespace {

class NavtexReception : public ::testing::Test, public WindowOnSimulator {
protected:
    void SetUp() override
    {
        dir.writeSettings({"Program/Messages On Screen=ON"});
        ptcsim::Options options;
        options.navtexIntervalMs = 300;
        startSimulator(options);
        ASSERT_TRUE(waitFor([this] { return window->core().station.PtcType == PtcModel::II; }));
    }

    QString receiveText() const { return window->receiveWindow()->toPlainText(); }
    template <typename T> T* named(const char* name) const
    {
        return window->findChild<T*>(QLatin1String(name));
    }
};

} // namespace

TEST_F(NavtexReception, NavtexOnShowsTheControllersMessagesAndOffEndsThem)
{
    named<QAction>("MenuNavtex")->trigger();
    ASSERT_EQ(window->findChild<QTabWidget*>()->currentIndex(), 7);
    // The number question answered 2; in the type dialog C and E checked, then Ok.
    modal.queueInput(QStringLiteral("2"));
    modal.onDialog = [this](Dialog dialog) {
        ASSERT_EQ(dialog, Dialog::Navtex);
        auto* form = named<QDialog>("NavtexForm");
        ASSERT_NE(form, nullptr);
        for (const char* letter : {"C", "E"})
            form->findChild<QCheckBox*>(QLatin1String(letter))->click();
        form->findChild<QAbstractButton*>(QStringLiteral("NavtexOkKnop"))->click();
    };
    named<QAbstractButton>("NavtexOn")->click();

    // The last bytes are still on their way through the pseudo-terminal.
    EXPECT_TRUE(waitFor([this] {
        return receivedText().contains("\x1bPd 0\rNAVTEX AMTEX 0\rNav CE\rNav 2\r");
    })) << receivedText().toStdString();
    EXPECT_TRUE(window->core().settings.NavtexActive);
    ASSERT_TRUE(waitFor([this] { return receiveText().contains(QStringLiteral("NNNN")); }));
    const QString shown = receiveText();
    EXPECT_TRUE(shown.contains(QStringLiteral("ZCZC EC01\n"))) << shown.toStdString();
    EXPECT_LT(shown.indexOf(QStringLiteral("ZCZC EC01")), shown.indexOf(QStringLiteral("NNNN")));
    ASSERT_TRUE(waitFor([this] { return named<QWidget>("NavtexLed")->isVisible(); }));
    EXPECT_EQ(named<TRzPanel>("NavtexLed")->captionLabel()->text(), QStringLiteral("Navtex"));

    named<QAbstractButton>("NavtexOff")->click();
    EXPECT_TRUE(waitFor([this] {
        return !fromEngine([](const ptcsim::SimEngine& e) { return e.navtexReceiving(); });
    }));
    EXPECT_EQ(window->findChild<QTabWidget*>()->currentIndex(), 0);
    EXPECT_FALSE(window->core().settings.NavtexActive);
}
