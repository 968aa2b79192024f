#include "modes/dialogs/TConnectForm.h"

#include "modes/Calling.h"
#include "modes/dialogs/CallDialogParts.h"

#include <QHBoxLayout>
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

    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("ConnectOkKnop"));
    ok->setAccessibleName(QStringLiteral("Ok"));
    ok->setDefault(true); // Enter in the field
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelKnop"));
    cancel->setAccessibleName(QStringLiteral("Cancel"));
    connect(ok, &QPushButton::clicked, this, &TConnectForm::ConnectOkKnopClick);
    connect(cancel, &QPushButton::clicked, this, &TConnectForm::reject);
    setTabOrder(input_, ok);
    setTabOrder(ok, cancel);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addWidget(input_);
    layout->addLayout(buttons);
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
