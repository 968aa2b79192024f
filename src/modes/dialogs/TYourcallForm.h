#pragma once

// The own call (in AMTOR the selective call) or the identification, by the menu entry
// that opened it. Created once.

#include <QDialog>

class Calling;
class QLabel;
class QLineEdit;

class TYourcallForm : public QDialog {
    Q_OBJECT
public:
    explicit TYourcallForm(Calling& calling, QWidget* parent = nullptr);

    void OkKnopClick();

protected:
    void showEvent(QShowEvent* event) override;

public Q_SLOTS:
    void reject() override;

private:
    Calling& calling_;
    QLabel* label_;
    QLineEdit* input_;
};
