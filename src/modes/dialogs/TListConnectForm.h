#pragma once

// "Connect To:" with the call list: the entries of the call list file to pick from.
// Created once; the list is filled each time it opens.

#include <QDialog>

class Calling;
class QLabel;
class QListWidget;

class TListConnectForm : public QDialog {
    Q_OBJECT
public:
    explicit TListConnectForm(Calling& calling, QWidget* parent = nullptr);

    void OkKnopClick();

protected:
    void showEvent(QShowEvent* event) override;

public Q_SLOTS:
    void reject() override;

private:
    Calling& calling_;
    QLabel* label_;
    QListWidget* calls_;
};
