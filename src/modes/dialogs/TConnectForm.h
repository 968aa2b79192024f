#pragma once

// "Connect To:": the call to connect to, or in the modes without links the other
// station's call for the program to know. Created once.

#include <QDialog>

class Calling;
class QLabel;
class QLineEdit;

class TConnectForm : public QDialog {
    Q_OBJECT
public:
    explicit TConnectForm(Calling& calling, QWidget* parent = nullptr);

    void ConnectOkKnopClick();

protected:
    void showEvent(QShowEvent* event) override;

public Q_SLOTS:
    // Escape and the window's close button cancel too.
    void reject() override;

private:
    Calling& calling_;
    QLabel* label_;
    QLineEdit* input_;
};
