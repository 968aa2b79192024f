#include "modes/dialogs/TConfigAudio.h"

#include "modes/AudioConfig.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QVBoxLayout>

namespace {

QSlider* trackBar(const QString& name, int minimum, int maximum, int value, QWidget* parent)
{
    auto* bar = new QSlider(Qt::Horizontal, parent);
    bar->setObjectName(name);
    bar->setRange(minimum, maximum);
    bar->setValue(value);
    bar->setMinimumWidth(240);
    return bar;
}

QLineEdit* valueField(const QString& name, int value, QWidget* parent)
{
    auto* field = new QLineEdit(QString::number(value), parent);
    field->setObjectName(name);
    field->setMaximumWidth(70);
    return field;
}

} // namespace

TConfigAudio::TConfigAudio(AudioConfig& audio, QWidget* parent) : QDialog(parent), audio_(audio)
{
    setObjectName(QStringLiteral("ConfigAudio"));
    setWindowTitle(QStringLiteral("Orvanti"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    qrgBar_ = trackBar(QStringLiteral("QrgBar"), 300, 2700, audio.centreQrg, this);
    bandwidthBar_ = trackBar(QStringLiteral("BandwidthBar"), 30, 1000, audio.bandwidth, this);
    centreField_ = valueField(QStringLiteral("WaardeCenterQRG"), audio.centreQrg, this);
    bandwidthField_ = valueField(QStringLiteral("WaardeBandwidth"), audio.bandwidth, this);

    // A moved bar writes its field and marks its value changed; so does typing.
    connect(qrgBar_, &QSlider::valueChanged, this, [this](int value) {
        centreField_->setText(QString::number(value));
        audio_.QrgChanged = true;
    });
    connect(bandwidthBar_, &QSlider::valueChanged, this, [this](int value) {
        bandwidthField_->setText(QString::number(value));
        audio_.BandwidthChanged = true;
    });
    connect(centreField_, &QLineEdit::textEdited, this, [this] { audio_.QrgChanged = true; });
    connect(bandwidthField_, &QLineEdit::textEdited, this,
            [this] { audio_.BandwidthChanged = true; });

    // The labels carry the names the language file's keys point at.
    const auto label = [this](const char* name, const QString& caption) {
        auto* widget = new QLabel(caption, this);
        widget->setObjectName(QLatin1String(name));
        return widget;
    };
    auto* grid = new QGridLayout;
    grid->addWidget(label("Temp", QStringLiteral("Actual values")), 0, 4);
    const auto addRow = [grid](int row, QLabel* caption, QLabel* low, QSlider* bar, QLabel* high,
                               QLineEdit* field) {
        caption->setBuddy(bar);
        grid->addWidget(caption, row, 0);
        grid->addWidget(low, row, 1);
        grid->addWidget(bar, row, 2);
        grid->addWidget(high, row, 3);
        grid->addWidget(field, row, 4);
    };
    addRow(1, label("Label5", QStringLiteral("Center QRG")), label("Label1", QStringLiteral("300")),
           qrgBar_, label("Label2", QStringLiteral("2700")), centreField_);
    addRow(2, label("Label6", QStringLiteral("Bandwidth")), label("Label7", QStringLiteral("30")),
           bandwidthBar_, label("Label8", QStringLiteral("1000")), bandwidthField_);

    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("OkKnop"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelKnop"));
    connect(ok, &QPushButton::clicked, this, &TConfigAudio::OkKnopClick);
    connect(cancel, &QPushButton::clicked, this, &TConfigAudio::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(label("Label10", QStringLiteral("Use the Tab and Arrow keys or the Mouse ")));
    layout->addWidget(label("Label11", QStringLiteral("to Change the Values")));
    layout->addLayout(buttons);
}

void TConfigAudio::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Centred on the screen, not over the main window.
    if (QScreen* shown = screen())
        move(shown->availableGeometry().center() - rect().center());
}

void TConfigAudio::OkKnopClick()
{
    if (audio_.OkKnopClick(centreField_->text(), bandwidthField_->text()))
        accept();
}

void TConfigAudio::reject()
{
    audio_.CancelKnopClick();
    QDialog::reject();
}
