#include "logbook/dialogs/TFileBestaatForm.h"

#include "logbook/FileExists.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton* button(const char* name, const char* text, QWidget* parent)
{
    auto* b = new QPushButton(QLatin1String(text), parent);
    b->setObjectName(QLatin1String(name));
    b->setAccessibleName(QLatin1String(text));
    b->setAutoDefault(false);
    return b;
}

QLabel* label(const char* name, const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    return l;
}

} // namespace

TFileBestaatForm::TFileBestaatForm(FileExistsQuestion& question, QWidget* parent)
    : QDialog(parent), question_(question),
      label1_(label("Label1", QStringLiteral("Delete= Deleting and making NEW one."), this)),
      label2_(label("Label2", QStringLiteral("Append = Append to this file ."), this)),
      append_(button("Noknop", "Append", this))
{
    setObjectName(QStringLiteral("FileBestaatForm"));
    setModal(true);
    QLabel* found = label(
        "OpenFileDlg", QStringLiteral("This File  found on Disk !     Delete this File ?"), this);
    QPushButton* remove = button("YesKnop", "Delete", this);
    QPushButton* cancel = button("CancelKnop", "Cancel", this);
    cancel->setDefault(true); // Enter on the dialog keeps the file as it is
    connect(remove, &QPushButton::clicked, this, [this] { answer(FileExistsQuestion::Delete); });
    connect(append_, &QPushButton::clicked, this, [this] { answer(FileExistsQuestion::Append); });
    connect(cancel, &QPushButton::clicked, this, [this] { answer(FileExistsQuestion::Cancel); });
    setTabOrder(remove, append_);
    setTabOrder(append_, cancel);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(remove);
    buttons->addWidget(append_);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(found);
    layout->addWidget(label1_);
    layout->addWidget(label2_);
    layout->addLayout(buttons);
}

void TFileBestaatForm::showEvent(QShowEvent* event)
{
    setWindowTitle(question_.caption);
    label1_->setText(question_.label1);
    label2_->setText(question_.label2);
    append_->setEnabled(question_.appendEnabled);
    // Until a button answers, the answer is Cancel: the close box and Escape leave it so.
    question_.answer = FileExistsQuestion::Cancel;
    QDialog::showEvent(event);
}

void TFileBestaatForm::answer(int code)
{
    question_.answer = static_cast<FileExistsQuestion::Answer>(code);
    accept();
}
