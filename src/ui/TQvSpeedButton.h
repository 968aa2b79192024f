#pragma once

// The toolbars' flat button: a caption, a hint and, for buttons of a radio group, a
// pressed state. Buttons of one group on one toolbar release each other.

#include <QToolButton>

class TQvSpeedButton : public QToolButton {
    Q_OBJECT
public:
    TQvSpeedButton(const QString& name, const QString& caption, const QString& hint, int groupIndex,
                   QWidget* parent = nullptr);

    int groupIndex() const { return groupIndex_; }

private:
    int groupIndex_;
};
