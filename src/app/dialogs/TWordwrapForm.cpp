#include "app/dialogs/TWordwrapForm.h"

#include "base/Modal.h"
#include "base/Settings.h"
#include "base/Version.h"
#include "link/WordWrap.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TWordwrapForm::TWordwrapForm(Settings& settings, Modal& modal, QWidget* parent)
    : QDialog(parent), settings_(settings), modal_(modal), wrapLength_(new QLineEdit(this)),
      lineLength_(new QLineEdit(this))
{
    setObjectName(QStringLiteral("WordwrapForm"));
    setWindowTitle(ProgramName);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    wrapLength_->setObjectName(QStringLiteral("WordwrapEdit"));
    lineLength_->setObjectName(QStringLiteral("LineLengthEdit"));

    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("WordwrapOk"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("WordwrapCancel"));
    connect(ok, &QPushButton::clicked, this, &TWordwrapForm::WordwrapOkClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QFormLayout(this);
    const auto addField = [this, layout](const char* name, const QString& caption,
                                         QLineEdit* field) {
        auto* label = new QLabel(caption, this);
        label->setObjectName(QLatin1String(name));
        label->setBuddy(field);
        layout->addRow(label, field);
    };
    addField("Label1", QStringLiteral("Wordwrap Length:"), wrapLength_);
    addField("Label2", QStringLiteral("Max. Line Length"), lineLength_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addRow(buttons);
}

void TWordwrapForm::showEvent(QShowEvent* event)
{
    wrapLength_->setText(QString::number(settings_.WrapMin));
    lineLength_->setText(QString::number(settings_.WrapMax));
    QDialog::showEvent(event);
}

void TWordwrapForm::WordwrapOkClick()
{
    WrapLimits limits;
    QString error;
    if (!parseWrapEntries(wrapLength_->text(), lineLength_->text(), &limits, &error)) {
        modal_.message(ProgramName, error);
        return;
    }
    settings_.WrapMin = limits.wrapMin;
    settings_.WrapMax = limits.wrapMax;
    accept();
}
