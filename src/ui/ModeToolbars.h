#pragma once

// The buttons of every mode toolbar and of the general button bar, by name, caption,
// hint and radio group, as the main window lays them out.

#include <QLayout>
#include <QList>

class QWidget;

// A toolbar's buttons in rows of one height, left to right, wrapping onto the next row
// where the toolbar ends. A captioned button is sized from its caption as it reads now,
// so a caption from a language file takes its width at once; a picture-only button
// keeps its own width.
class ButtonRows : public QLayout {
    Q_OBJECT
public:
    explicit ButtonRows(QWidget* toolbar);
    ~ButtonRows() override;

    // Every button `height` high; captions measured at `captionPoints`.
    void setButtonSizes(int height, int captionPoints);

    void addItem(QLayoutItem* item) override;
    int count() const override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;

private:
    QList<QLayoutItem*> items_;
    int height_ = 21;
    int captionPoints_ = 8;
};

// Whether the button's width comes from its caption (not a picture, not an empty spare).
bool sizedByCaption(const QWidget* button);

// Fills `toolbar` (a mode page's toolbar or GeneralToolbar, found by its objectName)
// with its buttons; spares are created hidden.
void buildToolbarButtons(QWidget* toolbar);

// Gives `toolbar` (and the buttons on it) a light face of its own. The captions' colours
// come from the settings, black, red and blue at first, not from the desktop's theme, so
// the face behind them must not either: a dark theme would put black on dark grey.
void paintToolbarFace(QWidget* toolbar);

// A spare button carries this property, true: it has no work and never shows.
inline constexpr char SpareButtonProperty[] = "spare";
