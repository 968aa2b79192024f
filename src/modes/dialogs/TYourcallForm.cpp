#include "modes/dialogs/TYourcallForm.h"

#include "modes/Calling.h"
#include "modes/dialogs/CallDialogParts.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TYourcallForm::TYourcallForm(Calling& calling, QWidget* parent)
    : QDialog(parent), calling_(calling), label_(new QLabel(QStringLiteral("YourCall"), this)),
      input_(new UpperCaseEdit(QStringLiteral("CallInput"), QStringLiteral("YourCall"), this))
{
    setUpCallDialog(this, QStringLiteral("YourcallForm"));
    label_->setObjectName(QStringLiteral("Label1"));
    label_->setBuddy(input_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addWidget(input_);
    QPushButton* ok = addOkCancelRow(this, layout, input_, QStringLiteral("OkKnop"));
    connect(ok, &QPushButton::clicked, this, &TYourcallForm::OkKnopClick);
}

void TYourcallForm::showEvent(QShowEvent* event)
{
    // The menu entry's caption, its accelerator included.
    label_->setText(calling_.yourcallLabel);
    QString name = calling_.yourcallLabel;
    input_->setAccessibleName(name.remove(QLatin1Char('&')));
    input_->setText(calling_.yourcallFieldText());
    input_->selectAll();
    input_->setFocus();
    QDialog::showEvent(event);
    centreOnScreen(this);
}

void TYourcallForm::OkKnopClick()
{
    calling_.YourcallOkKnopClick(input_->text());
    accept();
}

void TYourcallForm::reject()
{
    calling_.YourcallCancelKnopClick();
    QDialog::reject();
}
