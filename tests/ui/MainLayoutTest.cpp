// The main window's sizes worked out without widgets: button and tab strip sizes from
// the tab font, the transmit bar's place from the stored share and back, the drag's
// limits, and the rows the toolbar buttons wrap into.

#include "ui/MainLayout.h"

#include <gtest/gtest.h>

using namespace MainLayout;

// 8 and 10 points are tried on the real window (WindowLayoutTest); here 12 points and
// the accelerator's "&", which counts.
TEST(MainLayout, ButtonsAndTabStripFollowTheTabFont)
{
    EXPECT_EQ(buttonHeight(12), 29);
    EXPECT_EQ(tabStripHeight(29), 97);
    EXPECT_EQ(buttonWidth(QStringLiteral("Connect"), 12), 91);
    for (const auto& [points, width] : {std::pair{8, 72}, {10, 88}, {12, 104}})
        EXPECT_EQ(buttonWidth(QStringLiteral("&Standby"), points), width) << points;
}

TEST(MainLayout, TheTransmitBarStandsAtItsShareButLeavesTheTransmitWindowSeventyPixels)
{
    const struct {
        int clientHeight;
        int thousandths;
        int top;
    } cases[] = {
        {400, 300, 280}, {100, 300, 30}, {1000, 300, 700}, {401, 500, 200}, // 200.5 rounds up
        {560, 999, 1},   {560, 1, 490},  {50, 300, 0},                      // never above the top
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.clientHeight << " " << c.thousandths);
        EXPECT_EQ(transmitTop(c.clientHeight, c.thousandths), c.top);
    }
    EXPECT_EQ(thousandthsAt(280, 400), 300);
    EXPECT_EQ(thousandthsAt(281, 400), 297) << "rounded down";
    EXPECT_EQ(thousandthsAt(10, 0), 0);
}

TEST(MainLayout, AStoredShareBringsTheBarBackWithinAPixel)
{
    for (int height = 100; height <= 1400; height += 13) {
        for (int top = 0; top <= height - 70; top += 7) {
            const int back = transmitTop(height, thousandthsAt(top, height));
            ASSERT_LE(std::abs(back - top), 1) << height << " " << top;
            if (height < 500) {
                ASSERT_EQ(back, top) << height;
            }
        }
    }
}

TEST(MainLayout, ADragStopsAtALimitAndTheReleaseLandsInsideIt)
{
    const SplitLimits limits = splitLimits(600, 73);
    EXPECT_EQ(limits.upper, 173);
    EXPECT_EQ(limits.lower, 450);
    const struct {
        const char* what;
        std::vector<int> moves;
        std::vector<bool> moved;
        int dropped;
    } drags[] = {
        {"inside the limits", {-30, -20, 10}, {true, true, true}, 260},
        {"past the upper limit", {-150, -50, 80}, {true, false, false}, 178},
        {"past the lower limit", {200, -100}, {true, false}, 435},
        {"up to the limit itself", {-127, -1, 1}, {true, true, false}, 178},
    };
    for (const auto& d : drags) {
        SCOPED_TRACE(d.what);
        SplitterDrag drag;
        EXPECT_FALSE(drag.move(10, limits)) << "no move before the press";
        drag.press(300);
        for (size_t i = 0; i < d.moves.size(); ++i)
            EXPECT_EQ(drag.move(d.moves[i], limits), d.moved[i]) << i;
        EXPECT_EQ(drag.release(limits, 600), d.dropped);
        EXPECT_FALSE(drag.dragging());
    }
    // The limit flags go with the drag: the next one starts clean.
    SplitterDrag drag;
    drag.press(300);
    drag.move(-200, limits);
    drag.release(limits, 600);
    drag.press(300);
    EXPECT_EQ(drag.release(limits, 600), 300);
}

TEST(MainLayout, ButtonsWrapOntoTheNextRowWhereTheToolbarEnds)
{
    const QList<QPoint> places = flowButtons({63, 54, 45, 120, 9}, 120, 21, 1);
    EXPECT_EQ(places, (QList<QPoint>{{0, 0}, {64, 0}, {0, 22}, {0, 44}, {0, 66}}));
    // A button wider than the toolbar still takes a row of its own, not none.
    EXPECT_EQ(flowButtons({200}, 120, 21, 1), QList<QPoint>{QPoint(0, 0)});
}

TEST(MainLayout, TheAreasStackFromTheTabStripToTheStatusBar)
{
    Input in;
    in.width = 803;
    in.clientHeight = 560;
    in.statusBarHeight = 20;
    in.receiveBarHeight = 19;
    in.tabFontPoints = 8;
    in.transmitTop = 392;
    Areas a = areas(in);
    EXPECT_EQ(a.pageControl, QRect(0, 1, 536, 73));
    EXPECT_EQ(a.buttonBar, QRect(536, 1, 267, 73));
    EXPECT_EQ(a.receiveBar, QRect(1, 73, 801, 19));
    EXPECT_EQ(a.receiveWindow, QRect(2, 92, 799, 300));
    EXPECT_EQ(a.transmitBar, QRect(1, 392, 801, 19));
    EXPECT_EQ(a.transmitWindow, QRect(2, 411, 799, 129));

    // A bar above the receive window's top waits below the receive bar.
    in.transmitTop = 40;
    in.tabFontPoints = 10;
    a = areas(in);
    EXPECT_EQ(a.receiveWindow.top(), 85 + 19);
    EXPECT_EQ(a.receiveWindow.height(), 0);
    EXPECT_EQ(a.transmitBar.top(), 85 + 19);
}
