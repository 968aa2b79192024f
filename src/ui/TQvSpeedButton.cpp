#include "ui/TQvSpeedButton.h"

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
