#include "modes/dialogs/TListConnectForm.h"

#include "modes/Calling.h"
#include "modes/dialogs/CallDialogParts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TListConnectForm::TListConnectForm(Calling& calling, QWidget* parent)
    : QDialog(parent), calling_(calling), label_(new QLabel(this)), calls_(new QListWidget(this))
{
    setUpCallDialog(this, QStringLiteral("ListConnectForm"));
    label_->setObjectName(QStringLiteral("Label1"));
    label_->setBuddy(calls_);
    calls_->setObjectName(QStringLiteral("Inputcalls"));
    calls_->setMinimumHeight(240);
    // Enter reaches the Ok button as the dialog's default; a double click picks too.
    connect(calls_, &QListWidget::itemDoubleClicked, this, &TListConnectForm::OkKnopClick);

    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("OkKnop"));
    ok->setAccessibleName(QStringLiteral("Ok"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelKnop"));
    cancel->setAccessibleName(QStringLiteral("Cancel"));
    connect(ok, &QPushButton::clicked, this, &TListConnectForm::OkKnopClick);
    connect(cancel, &QPushButton::clicked, this, &TListConnectForm::reject);
    setTabOrder(calls_, ok);
    setTabOrder(ok, cancel);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addWidget(calls_);
    layout->addLayout(buttons);
}

void TListConnectForm::showEvent(QShowEvent* event)
{
    label_->setText(calling_.listConnectLabel);
    calls_->setAccessibleName(calling_.listConnectLabel);
    calls_->clear();
    calls_->addItems(calling_.callList);
    calls_->setFocus();
    QDialog::showEvent(event);
    centreOnScreen(this);
}

void TListConnectForm::OkKnopClick()
{
    const QList<QListWidgetItem*> selected = calls_->selectedItems();
    calling_.ListOkKnopClick(selected.isEmpty() ? -1 : calls_->row(selected.first()));
    accept();
}

void TListConnectForm::reject()
{
    calling_.ListCancelKnopClick();
    QDialog::reject();
}
