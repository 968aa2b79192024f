#include "modes/dialogs/TListConnectForm.h"

#include "modes/Calling.h"
#include "modes/dialogs/CallDialogParts.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TListConnectForm::TListConnectForm(Calling& calling, QWidget* parent)
    : QDialog(parent), calling_(calling), label_(new QLabel(calling.listConnectLabel, this)),
      calls_(new QListWidget(this))
{
    setUpCallDialog(this, QStringLiteral("ListConnectForm"));
    label_->setObjectName(QStringLiteral("Label1"));
    label_->setBuddy(calls_);
    calls_->setObjectName(QStringLiteral("Inputcalls"));
    calls_->setMinimumHeight(240);
    // Enter reaches the Ok button as the dialog's default; a double click picks too.
    connect(calls_, &QListWidget::itemDoubleClicked, this, &TListConnectForm::OkKnopClick);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addWidget(calls_);
    QPushButton* ok = addOkCancelRow(this, layout, calls_, QStringLiteral("OkKnop"));
    connect(ok, &QPushButton::clicked, this, &TListConnectForm::OkKnopClick);
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
