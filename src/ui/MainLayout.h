#pragma once

// The main window's sizes in pixels, worked out from the window size, the tab font and
// the transmit area's share, without any widget: the window applies them.

#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

namespace MainLayout {

// The toolbar buttons' height (and each toolbar row's) for a tab font of `points`.
int buttonHeight(int tabFontPoints);
// The mode tab strip holds the tabs and two rows of buttons.
int tabStripHeight(int buttonHeight);
// A captioned button is as wide as its caption would be in a fixed-pitch font of the
// reference button's size; an accelerator's "&" takes its place too.
int buttonWidth(const QString& caption, int buttonFontPoints);
// The general button bar takes a third of the width, the tab strip the rest.
int buttonBarWidth(int windowWidth);
int tabStripWidth(int windowWidth);

// The transmit bar's top for a transmit area of `thousandths` of the client height,
// leaving the transmit window at least 70 pixels.
int transmitTop(int clientHeight, int thousandths);
// The share to store for a bar at `top` (rounded down, so it never grows).
int thousandthsAt(int top, int clientHeight);

// How far the bar may be dragged: not into the top sixth below the tab strip, not into
// the bottom quarter of the window.
struct SplitLimits {
    int upper;
    int lower;
};
SplitLimits splitLimits(int windowHeight, int tabStripHeight);

// A mouse drag of the transmit bar. A move that takes the bar past a limit leaves it
// there and stops it; the release puts it back a little inside that limit.
class SplitterDrag {
public:
    void press(int barTop);
    // `dy` is the pointer's position relative to the bar's top. Returns whether the
    // bar moved.
    bool move(int dy, SplitLimits limits);
    // Where the bar lands; the drag is over.
    int release(SplitLimits limits, int windowHeight);

    bool dragging() const { return dragging_; }
    int top() const { return top_; }

private:
    bool dragging_ = false;
    bool hitUpper_ = false;
    bool hitLower_ = false;
    int top_ = 0;
};

// Places buttons of the given widths in rows of `rowHeight` left to right, starting a
// new row where the next button would pass `rowWidth`. Returns each button's top left.
QList<QPoint> flowButtons(const QList<int>& widths, int rowWidth, int rowHeight, int spacing);

// The areas of the window's client area, top to bottom.
struct Input {
    int width = 0;        // client width
    int clientHeight = 0; // from below the menu bar to the bottom, status bar included
    int statusBarHeight = 0;
    int receiveBarHeight = 0; // the two bars have the same height
    int tabFontPoints = 8;
    int transmitTop = 0;
};
struct Areas {
    QRect pageControl;
    QRect buttonBar;
    QRect receiveBar;
    QRect receiveWindow;
    QRect transmitBar;
    QRect transmitWindow;
};
Areas areas(const Input& in);

} // namespace MainLayout
