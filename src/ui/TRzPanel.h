#pragma once

// A flat panel with a centred caption: the two bars between the text windows and the
// lamps on them. Fill and caption colours come from the palette.

#include <QFrame>

class QLabel;

class TRzPanel : public QFrame {
    Q_OBJECT
public:
    explicit TRzPanel(const QString& name, const QString& caption = {}, QWidget* parent = nullptr);

    void setCaption(const QString& caption);
    QString caption() const;
    QLabel* captionLabel() const { return caption_; }

private:
    QLabel* caption_;
};
