#include "app/dialogs/TAboutBox.h"

#include "base/Version.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About ") + ProgramName);

    auto* name = new QLabel(ProgramName, this);
    QFont font = name->font();
    font.setBold(true);
    font.setPointSize(font.pointSize() + 6);
    name->setFont(font);
    auto* description =
        new QLabel(QStringLiteral("Terminal for the PTC family of HF data controllers"), this);
    auto* version = new QLabel(ProgramVersion, this);
    version->setObjectName(QStringLiteral("Label5"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(name);
    layout->addWidget(description);
    layout->addWidget(version);
    layout->addWidget(buttons);
}
