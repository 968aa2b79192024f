#pragma once

// The toolbars' flat button: a caption, a hint and, for buttons of a radio group, a
// pressed state. Buttons of one group on one toolbar release each other. The caption
// takes one of three colours by the button's paint state: normal, with the mouse over
// it, and while the mouse button is held down on it.

#include <QColor>
#include <QToolButton>

class TQvSpeedButton : public QToolButton {
    Q_OBJECT
public:
    enum PaintState { Normal = 0, MouseOver = 1, Pressed = 2 };

    TQvSpeedButton(const QString& name, const QString& caption, const QString& hint, int groupIndex,
                   QWidget* parent = nullptr);

    int groupIndex() const { return groupIndex_; }

    // The caption's colours: normal (BaseFont), mouse over (FlareFont), held (ClickFont).
    void setCaptionColors(const QColor& base, const QColor& flare, const QColor& click);
    PaintState paintState() const { return paintState_; }
    // The colour the caption is painted in now.
    QColor captionColor() const;

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void setPaintState(PaintState state);

    int groupIndex_;
    PaintState paintState_ = Normal;
    QColor colors_[3] = {Qt::black, Qt::red, Qt::blue};
};
