#pragma once

// Automatic CQ: on or off, the seconds between the calls and how many calls in all.
// Created once; it shows what was last taken.

#include <QDialog>

class Calling;
class QLineEdit;
class QRadioButton;
struct Station;

class TAutoCqForm : public QDialog {
    Q_OBJECT
public:
    TAutoCqForm(Calling& calling, const Station& station, QWidget* parent = nullptr);

    void CqOkKnopClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    Calling& calling_;
    const Station& station_;
    QRadioButton* on_;
    QRadioButton* off_;
    QLineEdit* delay_;
    QLineEdit* repeat_;
};
