#include "ui/TQvSpeedButton.h"

#include <QMouseEvent>
#include <QStyleOptionToolButton>
#include <QStylePainter>

TQvSpeedButton::TQvSpeedButton(const QString& name, const QString& caption, const QString& hint,
                               int groupIndex, QWidget* parent)
    : QToolButton(parent), groupIndex_(groupIndex)
{
    setObjectName(name);
    setText(caption);
    setToolTip(hint);
    // Read out by its caption, which follows every change of it; a button that shows a
    // sign in place of a picture by what it does.
    if (!caption.isEmpty() && caption.front().unicode() > 0xff)
        setAccessibleName(hint);
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus); // the keyboard stays with the transmit window
    // Every button can be shown pressed (the status line and the decoder do so).
    setCheckable(true);
    // A click alone does not press a button outside a group; its action decides.
    if (groupIndex_ == 0)
        connect(this, &QToolButton::clicked, this, [this] { setChecked(false); });
}

void TQvSpeedButton::setCaptionColors(const QColor& base, const QColor& flare, const QColor& click)
{
    colors_[Normal] = base;
    colors_[MouseOver] = flare;
    colors_[Pressed] = click;
    update();
}

QColor TQvSpeedButton::captionColor() const
{
    return colors_[paintState_];
}

void TQvSpeedButton::setPaintState(PaintState state)
{
    if (paintState_ == state)
        return;
    paintState_ = state;
    update();
}

void TQvSpeedButton::enterEvent(QEnterEvent* event)
{
    setPaintState(MouseOver);
    QToolButton::enterEvent(event);
}

void TQvSpeedButton::leaveEvent(QEvent* event)
{
    setPaintState(Normal);
    QToolButton::leaveEvent(event);
}

void TQvSpeedButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        setPaintState(Pressed);
    QToolButton::mousePressEvent(event);
}

void TQvSpeedButton::mouseReleaseEvent(QMouseEvent* event)
{
    // Before the release handling, which fires the click: its action may repaint.
    if (event->button() == Qt::LeftButton)
        setPaintState(MouseOver);
    QToolButton::mouseReleaseEvent(event);
}

void TQvSpeedButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    // A disabled button keeps the style's greyed caption.
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        option.palette.setColor(group, QPalette::ButtonText, colors_[paintState_]);
        option.palette.setColor(group, QPalette::WindowText, colors_[paintState_]);
    }
    painter.drawComplexControl(QStyle::CC_ToolButton, option);
}
