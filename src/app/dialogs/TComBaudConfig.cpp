#include "app/dialogs/TComBaudConfig.h"

#include "app/ConfigurationMenu.h"
#include "base/Port.h"
#include "base/Settings.h"
#include "base/Version.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSerialPortInfo>
#include <QVBoxLayout>

namespace {
const char* const PortCaptions[] = {"COM 1", "COM 2", "COM 3", "COM 4 ", "COM 5", "COM 6"};
} // namespace

TComBaudConfig::TComBaudConfig(ConfigurationMenu& config, const Settings& settings, QWidget* parent)
    : QDialog(parent), config_(config), settings_(settings), ports_(new QButtonGroup(this)),
      baudRates_(new QButtonGroup(this)), devices_(new QListWidget(this))
{
    setObjectName(QStringLiteral("ComBaudConfig"));
    setWindowTitle(ProgramName);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    auto* portBox = new QGroupBox(QStringLiteral("Com Port"), this);
    portBox->setObjectName(QStringLiteral("Poorten"));
    auto* portLayout = new QVBoxLayout(portBox);
    for (int i = 0; i < 6; ++i) {
        auto* button = new QRadioButton(QLatin1String(PortCaptions[i]), portBox);
        ports_->addButton(button, i + 1);
        portLayout->addWidget(button);
    }

    auto* baudBox = new QGroupBox(QStringLiteral("Baudrate"), this);
    baudBox->setObjectName(QStringLiteral("Baudrates"));
    auto* baudLayout = new QVBoxLayout(baudBox);
    for (int rate : BaudRateValues) {
        auto* button = new QRadioButton(QString::number(rate), baudBox);
        baudRates_->addButton(button, rate);
        baudLayout->addWidget(button);
    }

    devices_->setObjectName(QStringLiteral("SerialDevices"));
    devices_->setToolTip(QStringLiteral("Serial devices present (USB adapters and others)"));
    // A COM number and a device path exclude each other.
    connect(devices_, &QListWidget::itemClicked, this, [this] { clearGroup(ports_); });
    connect(ports_, &QButtonGroup::idClicked, this, [this] { devices_->clearSelection(); });

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("PoortOkKnop"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("PoortCancelKnop"));
    connect(ok, &QPushButton::clicked, this, &TComBaudConfig::PoortOkKnopClick);
    connect(cancel, &QPushButton::clicked, this, &TComBaudConfig::PoortCancelknopClick);

    auto* groups = new QHBoxLayout;
    groups->addWidget(portBox);
    groups->addWidget(baudBox);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addWidget(new QLabel(QStringLiteral("Devices present:"), this));
    layout->addWidget(devices_);
    layout->addLayout(buttons);

    config_.ComBaudConfigCreate();
    refreshDevices();
    selectFromSettings();
}

void TComBaudConfig::clearGroup(QButtonGroup* group)
{
    group->setExclusive(false);
    for (QAbstractButton* button : group->buttons())
        button->setChecked(false);
    group->setExclusive(true);
}

void TComBaudConfig::refreshDevices()
{
    const QString selected = devices_->currentItem()
                                 ? devices_->currentItem()->data(Qt::UserRole).toString()
                                 : QString();
    devices_->clear();
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        QString text = info.systemLocation();
        if (!info.description().isEmpty())
            text += QStringLiteral("  (") + info.description() + QLatin1Char(')');
        auto* item = new QListWidgetItem(text, devices_);
        item->setData(Qt::UserRole, info.systemLocation());
        if (info.systemLocation() == selected && ports_->checkedId() < 0)
            devices_->setCurrentItem(item);
    }
}

void TComBaudConfig::selectFromSettings()
{
    // "COM" and its digit select a radio button; a device path selects its list row.
    const QString port = settings_.SettingPortName;
    clearGroup(ports_);
    int number = 0;
    if (parseComPortName(port, &number)) {
        if (QAbstractButton* button = ports_->button(number)) // COM7..COM9 select nothing
            button->setChecked(true);
    } else {
        for (int row = 0; row < devices_->count(); ++row) {
            if (devices_->item(row)->data(Qt::UserRole).toString() == port)
                devices_->setCurrentRow(row);
        }
    }
    clearGroup(baudRates_);
    if (QAbstractButton* button = baudRates_->button(settings_.SettingBaudRate))
        button->setChecked(true);
}

void TComBaudConfig::showEvent(QShowEvent* event)
{
    refreshDevices();
    QDialog::showEvent(event);
}

void TComBaudConfig::PoortOkKnopClick()
{
    QString portName;
    if (ports_->checkedId() > 0)
        portName = QStringLiteral("COM%1").arg(ports_->checkedId());
    else if (devices_->currentItem() && devices_->currentItem()->isSelected())
        portName = devices_->currentItem()->data(Qt::UserRole).toString();
    const int baudRate = baudRates_->checkedId() > 0 ? baudRates_->checkedId() : 0;
    config_.PoortOkKnopClick(portName, baudRate);
    QDialog::accept();
}

void TComBaudConfig::PoortCancelknopClick()
{
    config_.PoortCancelknopClick();
    QDialog::reject();
}

void TComBaudConfig::reject()
{
    PoortCancelknopClick();
}
