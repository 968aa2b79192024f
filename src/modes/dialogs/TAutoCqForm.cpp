#include "modes/dialogs/TAutoCqForm.h"

#include "base/Station.h"
#include "modes/Calling.h"
#include "modes/dialogs/CallDialogParts.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QLabel* label(const char* name, const char* caption, QWidget* parent)
{
    auto* label = new QLabel(QLatin1String(caption), parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

QLineEdit* numberField(const char* name, const char* accessibleName, QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(name));
    field->setAccessibleName(QLatin1String(accessibleName));
    field->setMaximumWidth(60);
    return field;
}

QRadioButton* radio(const char* name, const char* caption, QWidget* parent)
{
    auto* button = new QRadioButton(QLatin1String(caption), parent);
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(QLatin1String(caption));
    return button;
}

} // namespace

TAutoCqForm::TAutoCqForm(Calling& calling, const Station& station, QWidget* parent)
    : QDialog(parent), calling_(calling), station_(station), on_(radio("AutoCqOn", "On", this)),
      off_(radio("AutoCqOff", "Off", this)),
      delay_(numberField("AutoCqDelaytime", "AutoCq Delay", this)),
      repeat_(numberField("CqRepeat", "Repeat times", this))
{
    setUpCallDialog(this, QStringLiteral("AutoCqForm"));
    // "Off" stops the calls at once, Ok or not; "On" waits for Ok.
    connect(off_, &QRadioButton::clicked, this, [this] { calling_.AutoCqOffClick(); });

    auto* grid = new QGridLayout;
    QLabel* autoCq = label("Label1", "AutoCQ", this);
    autoCq->setBuddy(on_);
    grid->addWidget(autoCq, 0, 0);
    grid->addWidget(on_, 0, 1);
    grid->addWidget(off_, 0, 2);
    QLabel* delay = label("Label2", "AutoCq &Delay", this);
    delay->setBuddy(delay_);
    grid->addWidget(delay, 1, 0);
    grid->addWidget(delay_, 1, 1);
    grid->addWidget(label("Label3", "(in seconds)", this), 1, 2);
    QLabel* repeat = label("Label4", "&Repeat times", this);
    repeat->setBuddy(repeat_);
    grid->addWidget(repeat, 2, 0);
    grid->addWidget(repeat_, 2, 1);
    setTabOrder(on_, off_);
    setTabOrder(off_, delay_);
    setTabOrder(delay_, repeat_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    QPushButton* ok =
        addOkCancelRow(this, layout, repeat_, QStringLiteral("CqOkKnop"), QStringLiteral("Cancel"));
    connect(ok, &QPushButton::clicked, this, &TAutoCqForm::CqOkKnopClick);
}

void TAutoCqForm::showEvent(QShowEvent* event)
{
    (station_.AutoCqOn ? on_ : off_)->setChecked(true);
    delay_->setText(calling_.autoCqDelayText);
    repeat_->setText(calling_.autoCqRepeatText);
    (station_.AutoCqOn ? on_ : off_)->setFocus();
    QDialog::showEvent(event);
    centreOnScreen(this);
}

void TAutoCqForm::CqOkKnopClick()
{
    if (calling_.CqOkKnopClick(on_->isChecked(), delay_->text(), repeat_->text()))
        accept();
}
