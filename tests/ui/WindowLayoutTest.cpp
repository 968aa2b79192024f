// The main window's layout on the real window (offscreen): button and tab strip sizes
// for two tab fonts, the transmit bar dragged with the mouse and moved with the keys,
// and the bar's place kept in the settings and found again by a new window.

#include "WindowOnFakes.h"
#include "base/ComponentNames.h"
#include "base/Modal.h"
#include "ui/THoofdForm.h"
#include "ui/TRzPanel.h"
#include "ui/TTransmitMemo.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct WindowLayout : WindowOnFakes {
    explicit WindowLayout(const QList<QByteArray>& edits = {}) : WindowOnFakes(edits)
    {
        window->resize(803, 600);
        window->show();
        settle();
    }

    // Layouts and geometry changes arrive as posted events.
    static void settle() { QApplication::sendPostedEvents(); }

    int barTop() const { return named("Transmitbalk")->y(); }
    int clientHeight() const { return window->height() - window->centralWidget()->y(); }
    quint16 share() { return window->core().settings.TransmitScreenHeight; }

    // A press on the bar's caption, as the pointer mostly finds it; the moves go to
    // where the pointer is over the bar as it follows.
    void drag(int dy)
    {
        QWidget* caption = named<TRzPanel>("Transmitbalk")->captionLabel();
        QWidget* top = window.get();
        const QPoint start = caption->mapTo(top, QPoint(caption->width() / 2, 3));
        const auto at = [&](int y) { return caption->mapFrom(top, start + QPoint(0, y)); };
        QTest::mousePress(caption, Qt::LeftButton, {}, at(0));
        QTest::mouseMove(caption, at(dy / 2)); // in two steps, as a hand would
        QTest::mouseMove(caption, at(dy));
        QTest::mouseRelease(caption, Qt::LeftButton, {}, at(dy));
        settle();
    }
};

} // namespace

TEST(WindowLayout, ButtonsAndTabStripFollowTheTabFont)
{
    WindowLayout w;
    const struct {
        int points;
        int height;
        int strip;
        int connect;  // "Connect"
        int xmitFile; // "Xmit File", on the general button bar
    } fonts[] = {{8, 21, 73, 63, 81}, {10, 25, 85, 77, 99}};
    for (const auto& f : fonts) {
        SCOPED_TRACE(f.points);
        // Through the tab font menu: the tab and button fonts, then a new layout.
        w.modal.queueFont(FontChoice{QStringLiteral("Monospace"), f.points});
        w.window->core().actions.run(Name::MenuTabs);
        WindowLayout::settle();
        EXPECT_EQ(w.named("PageControl")->height(), f.strip);
        for (const char* name :
             {"PactorStandby", "PactorDisconnect", "OpenLogFile", "SpeedTxClear"})
            EXPECT_EQ(w.named(name)->height(), f.height) << name;
        EXPECT_EQ(w.named("PactorConnect")->width(), f.connect);
        EXPECT_EQ(w.named("XmitFile")->width(), f.xmitFile);
        EXPECT_LT(w.named("PactorDisconnect")->width(), f.connect / 2) << "keeps its own";
        // The buttons a page holds stay inside it, in rows of the button height.
        QWidget* page = w.named("PSK31");
        w.named<QTabWidget>("PageControl")->setCurrentWidget(page);
        WindowLayout::settle();
        for (QAbstractButton* button : page->findChildren<QAbstractButton*>()) {
            if (button->isHidden())
                continue;
            EXPECT_TRUE(
                page->rect().contains(QRect(button->mapTo(page, QPoint(0, 0)), button->size())))
                << button->objectName().toStdString();
        }
        w.named<QTabWidget>("PageControl")->setCurrentIndex(0);
        // All nine mode tabs in the strip, none behind a scroll arrow.
        const QTabBar* tabs = w.named<QTabWidget>("PageControl")->tabBar();
        EXPECT_LE(tabs->tabRect(tabs->count() - 1).right(), tabs->width());
    }
    EXPECT_EQ(w.named("KnoppenBalk")->width(), 267);
    EXPECT_EQ(w.named("KnoppenBalk")->x(), 536);
    EXPECT_EQ(w.named("PageControl")->width(), 536);
}

TEST(WindowLayout, TheDraggedBarIsStoredAndANewWindowPutsItThere)
{
    int stored = 0;
    int top = 0;
    {
        WindowLayout w;
        const int height = w.clientHeight();
        EXPECT_EQ(w.barTop(), height - (height * 300 + 500) / 1000);
        const int before = w.barTop();
        w.wire.clear();
        w.drag(-60);
        EXPECT_NEAR(w.barTop(), before - 60, 1);
        EXPECT_EQ(w.share(), (height - (before - 60)) * 1000 / height);
        EXPECT_EQ(w.named("TransmitWindow")->y(), w.barTop() + w.named("Transmitbalk")->height());
        EXPECT_EQ(w.named("ReceiveStack")->geometry().bottom() + 1, w.barTop());
        stored = w.share();
        top = w.barTop();
        EXPECT_TRUE(w.wire.writtenText().isEmpty()) << "the bar is no key";
    }
    WindowLayout again({"Program/Transmitscreen Height=" + QByteArray::number(stored)});
    EXPECT_EQ(again.barTop(), top);
}

TEST(WindowLayout, ABarDraggedPastALimitLandsInsideIt)
{
    WindowLayout w;
    const int windowHeight = w.window->height();
    const int upper = windowHeight / 6 + w.named("PageControl")->height();
    w.drag(-(w.barTop() - upper) - 40);
    EXPECT_NEAR(w.barTop(), upper + 5, 1);
    EXPECT_EQ(w.share(), (w.clientHeight() - (upper + 5)) * 1000 / w.clientHeight());

    w.drag(windowHeight);
    EXPECT_NEAR(w.barTop(), windowHeight - windowHeight / 4 - 15, 1);
}

TEST(WindowLayout, CtrlShiftUpAndDownMoveTheBarByAStep)
{
    WindowLayout w;
    w.window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.window.get()));
    w.wire.clear();
    const int before = w.barTop();
    const int step = w.clientHeight() * 5 / 100;
    QTest::keyClick(w.window->transmitWindow(), Qt::Key_Up,
                    Qt::ControlModifier | Qt::ShiftModifier);
    WindowLayout::settle();
    EXPECT_NEAR(w.barTop(), before - step, 1);
    EXPECT_EQ(w.share(), (w.clientHeight() - (before - step)) * 1000 / w.clientHeight());
    QTest::keyClick(w.window->transmitWindow(), Qt::Key_Down,
                    Qt::ControlModifier | Qt::ShiftModifier);
    WindowLayout::settle();
    EXPECT_NEAR(w.barTop(), before, 1);
    // Down to the lower limit and no further.
    for (int i = 0; i < 20; ++i)
        QTest::keyClick(w.window->transmitWindow(), Qt::Key_Down,
                        Qt::ControlModifier | Qt::ShiftModifier);
    WindowLayout::settle();
    EXPECT_NEAR(w.barTop(), w.window->height() - w.window->height() / 4 - 15, 1);
    EXPECT_TRUE(w.wire.writtenText().isEmpty());
    EXPECT_TRUE(w.window->transmitWindow()->toPlainText().isEmpty());
}
