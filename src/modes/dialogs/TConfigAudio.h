#pragma once

// The audio filter dialog: centre frequency and bandwidth, each on a track bar with a
// field beside it. Created once; it keeps what was last shown between openings.

#include <QDialog>

class AudioConfig;
class QLineEdit;
class QSlider;

class TConfigAudio : public QDialog {
    Q_OBJECT
public:
    TConfigAudio(AudioConfig& audio, QWidget* parent = nullptr);

    void OkKnopClick();

protected:
    void showEvent(QShowEvent* event) override;

public Q_SLOTS:
    // Escape and the window's close button cancel too.
    void reject() override;

private:
    AudioConfig& audio_;
    QSlider* qrgBar_;
    QSlider* bandwidthBar_;
    QLineEdit* centreField_;
    QLineEdit* bandwidthField_;
};
