#pragma once

// The word-wrap dialog: the wrap length (lines break at the first space from this
// column on) and the longest line, for both directions.

#include <QDialog>

class Modal;
class QLineEdit;
struct Settings;

class TWordwrapForm : public QDialog {
    Q_OBJECT
public:
    TWordwrapForm(Settings& settings, Modal& modal, QWidget* parent = nullptr);

    // Stores both entries and closes; a bad entry is explained and the dialog stays.
    void WordwrapOkClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    Settings& settings_;
    Modal& modal_;
    QLineEdit* wrapLength_;
    QLineEdit* lineLength_;
};
