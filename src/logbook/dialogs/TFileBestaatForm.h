#pragma once

// The file-exists dialog: Delete (a new file), Append or Cancel. What it shows and the
// answer live in a FileExistsQuestion; the window's close box and Escape answer Cancel.

#include <QDialog>

struct FileExistsQuestion;
class QLabel;
class QPushButton;

class TFileBestaatForm : public QDialog {
    Q_OBJECT
public:
    TFileBestaatForm(FileExistsQuestion& question, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void answer(int code);

    FileExistsQuestion& question_;
    QLabel* label1_;
    QLabel* label2_;
    QPushButton* append_;
};
