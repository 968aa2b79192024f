#include "modes/dialogs/TConnectForm.h"

#include "modes/Calling.h"
#include "modes/dialogs/CallDialogParts.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TConnectForm::TConnectForm(Calling& calling, QWidget* parent)
    : QDialog(parent), calling_(calling), label_(new QLabel(QStringLiteral("Connect To:"), this)),
      input_(new UpperCaseEdit(QStringLiteral("InputCall"), QStringLiteral("Connect To:"), this))
{
    setUpCallDialog(this, QStringLiteral("ConnectForm"));
    label_->setObjectName(QStringLiteral("Label1"));
    label_->setBuddy(input_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addWidget(input_);
    QPushButton* ok = addOkCancelRow(this, layout, input_, QStringLiteral("ConnectOkKnop"));
    connect(ok, &QPushButton::clicked, this, &TConnectForm::ConnectOkKnopClick);
}

void TConnectForm::showEvent(QShowEvent* event)
{
    const QString label = calling_.connectLabel();
    label_->setText(label);
    input_->setAccessibleName(label);
    input_->setText(calling_.connectInput);
    input_->selectAll();
    input_->setFocus();
    QDialog::showEvent(event);
    centreOnScreen(this);
}

void TConnectForm::ConnectOkKnopClick()
{
    calling_.ConnectOkKnopClick(input_->text());
    accept();
}

void TConnectForm::reject()
{
    calling_.ConnectCancelKnopClick();
    QDialog::reject();
}
