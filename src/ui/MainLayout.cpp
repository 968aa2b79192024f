#include "ui/MainLayout.h"

#include <algorithm>

namespace MainLayout {

namespace {

// The transmit window never shrinks below this.
constexpr int MinTransmitArea = 70;
// Where a drag that ran into a limit comes back to, inside it.
constexpr int BackFromUpper = 5;
constexpr int BackFromLower = 15;

} // namespace

int buttonHeight(int tabFontPoints)
{
    return tabFontPoints * 2 + 5;
}

int tabStripHeight(int buttonHeight)
{
    return buttonHeight * 3 + 10;
}

int buttonWidth(const QString& caption, int buttonFontPoints)
{
    return static_cast<int>(caption.size()) * (buttonFontPoints + 1);
}

int buttonBarWidth(int windowWidth)
{
    return windowWidth / 3;
}

int tabStripWidth(int windowWidth)
{
    return windowWidth - buttonBarWidth(windowWidth);
}

int transmitTop(int clientHeight, int thousandths)
{
    const qint64 area = (static_cast<qint64>(clientHeight) * thousandths + 500) / 1000;
    const int top = clientHeight - static_cast<int>(area);
    return std::max(0, std::min(top, clientHeight - MinTransmitArea));
}

int thousandthsAt(int top, int clientHeight)
{
    if (clientHeight <= 0)
        return 0;
    return static_cast<int>(static_cast<qint64>(clientHeight - top) * 1000 / clientHeight);
}

SplitLimits splitLimits(int windowHeight, int tabStripHeight)
{
    return {windowHeight / 6 + tabStripHeight, windowHeight - windowHeight / 4};
}

void SplitterDrag::press(int barTop)
{
    dragging_ = true;
    hitUpper_ = false;
    hitLower_ = false;
    top_ = barTop;
}

bool SplitterDrag::move(int dy, SplitLimits limits)
{
    if (!dragging_ || top_ < limits.upper || top_ > limits.lower)
        return false;
    top_ += dy;
    if (top_ < limits.upper)
        hitUpper_ = true;
    if (top_ > limits.lower)
        hitLower_ = true;
    return dy != 0;
}

int SplitterDrag::release(SplitLimits limits, int windowHeight)
{
    if (hitUpper_)
        top_ = limits.upper + BackFromUpper;
    else if (hitLower_)
        top_ = windowHeight - windowHeight / 4 - BackFromLower;
    dragging_ = false;
    hitUpper_ = false;
    hitLower_ = false;
    return top_;
}

QList<QPoint> flowButtons(const QList<int>& widths, int rowWidth, int rowHeight, int spacing)
{
    QList<QPoint> places;
    int x = 0;
    int y = 0;
    for (int width : widths) {
        if (x > 0 && x + width > rowWidth) {
            x = 0;
            y += rowHeight + spacing;
        }
        places.append(QPoint(x, y));
        x += width + spacing;
    }
    return places;
}

Areas areas(const Input& in)
{
    Areas a;
    const int strip = tabStripHeight(buttonHeight(in.tabFontPoints));
    const int barWidth = buttonBarWidth(in.width);
    a.pageControl = QRect(0, 1, tabStripWidth(in.width), strip);
    a.buttonBar = QRect(in.width - barWidth, 1, barWidth, strip);
    // The bars span the window with a pixel to spare, the text windows with two.
    const int barsWidth = std::max(0, in.width - 2);
    const int windowsWidth = std::max(0, in.width - 4);
    a.receiveBar = QRect(1, strip, barsWidth, in.receiveBarHeight);
    const int receiveTop = strip + in.receiveBarHeight;
    const int top = std::max(in.transmitTop, receiveTop);
    a.receiveWindow = QRect(2, receiveTop, windowsWidth, top - receiveTop);
    a.transmitBar = QRect(1, top, barsWidth, in.receiveBarHeight);
    const int transmitWindowTop = top + in.receiveBarHeight;
    a.transmitWindow = QRect(2, transmitWindowTop, windowsWidth,
                             std::max(0, in.clientHeight - in.statusBarHeight - transmitWindowTop));
    return a;
}

} // namespace MainLayout
