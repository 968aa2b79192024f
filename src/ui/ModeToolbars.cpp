#include "ui/ModeToolbars.h"

#include "base/ComponentNames.h"
#include "ui/MainLayout.h"
#include "ui/TQvSpeedButton.h"

#include <QButtonGroup>
#include <QHash>
#include <QPalette>
#include <QWidget>

namespace {

struct ButtonSpec {
    QLatin1StringView name;
    const char* caption;
    const char* hint;
    int group = 0;
    bool spare = false; // present but hidden
};

struct ToolbarSpec {
    QLatin1StringView toolbar;
    std::initializer_list<ButtonSpec> buttons;
};

// Picture-only buttons show a sign in place of the picture. No caption holds a "/": the
// language files end a caption there.
const ToolbarSpec Toolbars[] = {
    {Name::PactorToolBar,
     {{Name::PactorStandby, "Standby", "Goto Standby mode", 1},
      {Name::PactorListen, "Listen", "Listen Mode", 1},
      {Name::PactorUnpro, "Unpro", "Unpro Transmit", 1},
      {Name::PactorCQ, "CQ", "Call CQ"},
      {Name::PactorConnect, "Connect", "Connect to a station"},
      {Name::PactorListConnect, "ListCall", "Call a station from Orvanti.cal"},
      {Name::PactorDuplex, "Duplex", "Toggle Duplex mode for Pactor"},
      {Name::ScanButton, "Scan", "Togglle Scanning", 0, true},
      {Name::PactorDisconnect, "\u2715", "Disconnect"},
      {Name::PactorHardDisconnect, "\u2716", "Disconnect at once (emergency)"},
      {Name::Pactor3Button, "P III", ""},
      {Name::Newpt2, "", "", 0, true}}},
    {Name::AmtorToolBar,
     {{Name::AmtorStandby, "Standby", "Goto Standby mode", 2},
      {Name::AmtorListen, "Listen", "Listen Mode", 2},
      {Name::AmtorFec, "Fec", "Fec Transmit", 2},
      {Name::AmtorCq, "CQ", "Call CQ"},
      {Name::AmtorConnect, "Connect", "Connect to a Station"},
      {Name::AmtorListConnect, "Listcall", "Call a station from Orvanti.cal"},
      {Name::AmtorWout, "Word out", ""},
      {Name::AmtorDisConnect, "\u2715", "Disconnect"},
      {Name::AmtorHardDisconnect, "\u2716", "Disconnect at once (emergency)"},
      {Name::Newam2, "", "", 0, true},
      {Name::Ares1, "", "", 0, true}}},
    {Name::PacketToolBar,
     {{Name::PacketPort1, "Port 1", "Packet Port 1", 3},
      {Name::PacketPort2, "Port 2", "Packet Port 2", 3},
      {Name::PacketConnect, "Connect", "Connect to a station"},
      {Name::PacketListConnect, "ListCall", "Call a station from Orvanti.cal"},
      {Name::PacketMonitor, "Monitor", "Toggle Monitor"},
      {Name::PacketDisconnect, "DisConn.", "Disconnect from a Station"},
      {Name::Newpk1, "", "", 0, true},
      {Name::Newpk2, "", "", 0, true},
      {Name::Packetres1, "", "", 0, true}}},
    {Name::RttyToolbar,
     {{Name::RttyReceive, "Receive", "Rtty Receive", 4},
      {Name::rttyTransmit, "Transmit", "Rtty Transmit", 4},
      {Name::RttyCQ, "CQ", "Call CQ"},
      {Name::RttyHisCall, "HisCall", "Make Hiscall known to the Program"},
      {Name::RttyBaud, "Baud", "Rtty Baudrate"},
      {Name::RttyWout, "Word out", ""},
      {Name::NewRT1, "", "", 0, true},
      {Name::NewRT2, "", "", 0, true}}},
    {Name::CwToolbar,
     {{Name::CwDelayed, "Direct", "Toggle Delayed transmit/Immediate Transmit", 1},
      {Name::CwTransmit, "Transmit", "Transmit  type ahead buffer", 1},
      {Name::CwCQ, "CQ", "Call CQ"},
      {Name::CwTxSpeed, "Tx Speed", "Change Tx Speed"},
      {Name::CwRxAuto, "Auto-fix", "Toggle Automatic Rx Speed"},
      {Name::CwRxSpeedUp, "Rx Up", "Rx Speed Up"},
      {Name::CwRxSpeedDown, "Rx Dwn", "Rx speed Down"},
      {Name::CwHisCall, "HisCall", "Make Hiscall known to the Program"},
      {Name::CwWout, "Word out", ""},
      {Name::NewCw1, "", "", 0, true},
      {Name::NewCw2, "", "", 0, true}}},
    {Name::AudioToolbar,
     {{Name::AudioCwFilter, "CW", "Cw Filter", 5},
      {Name::AudioNotchFilter, "Notch", "Automatic Notch filter", 5},
      {Name::AudioPeakFilter, "Peak", "Peak Filter", 5},
      {Name::AudioNoneFilter, "None", "No Filter", 5},
      {Name::AudioConfig, "Config", "Filter Configuration "},
      {Name::Audiores1, "", "", 0, true},
      {Name::Newa1, "", "", 0, true},
      {Name::Newa2, "", "", 0, true}}},
    {Name::PskToolbar,
     {{Name::PskUp, "1 Hz Up", "1 Hz. Up"},
      {Name::PskDown, "1 Hz Dwn", "1 Hz Down"},
      {Name::PskSquelch, "Squelch", "Toggle Squelch"},
      {Name::PskNet, "NET", "Net mode"},
      {Name::PskMode, "Mode", "Toggle Psk31 modes"},
      {Name::PskReset, "Reset", "Reset to default values"},
      {Name::PskTransmit, "Transmit", "Psk31 Transmit/Receive"},
      {Name::PskHisCall, "HisCall", "Make Hiscall known to the Program"},
      {Name::PskCQ, "CQ", "Call CQ"},
      {Name::PskStandby, "Recv", "Switch to Psk Standby"},
      {Name::PskWout, "Word out", ""},
      {Name::Newpsk1, "", "", 0, true}}},
    {Name::NavtexToolbar,
     {{Name::AmtexOn, "Amtex On", "", 6},
      {Name::NavtexOn, "Navtex On", "Switch Navtex On", 6},
      {Name::NavtexOff, "Nav-Amt Off", "Switch Navtex Off", 6},
      {Name::NavtexMsgType, "Msg. type", "Config Message type"},
      {Name::NavtexArea, "Area", "Config Area"},
      {Name::NavtexTime, "Lat.Time", "Config Lat. Time"},
      {Name::NewNa1, "", "", 0, true},
      {Name::NewNa2, "", "", 0, true}}},
    {Name::DumbToolbar,
     {{Name::UpdateButton, "Update", "Update the Firmware"},
      {Name::TrxConfigButton, "Trx Config", ""},
      {Name::NewTo1, "", "", 0, true},
      {Name::NewTo2, "", "", 0, true},
      {Name::NewTo3, "", "", 0, true},
      {Name::NewTo4, "", "", 0, true}}},
    {Name::GeneralToolbar,
     {{Name::OpenLogFile, "Open Log", "Open Log File"},
      {Name::XmitFile, "Xmit File", "Transmit a file (only if Transmitting or connected)"},
      {Name::ClearTransmitBuffer, "CLR", "Clear Transmit Buffer"},
      {Name::SaveBuffer, "Save B.", "Save Receive Buffer to a File"},
      {Name::SpeedCho, "CHO", "Change Transmit Direction"},
      {Name::SpeedHiscall, "His de My", "Transmit Hiscall de Mycall"},
      {Name::SpeedRxClear, "Clear RX", "Clear Receive Screen"},
      {Name::SpeedTxClear, "Clear TX", "Clear Transmit Screen"}}},
};

} // namespace

void paintToolbarFace(QWidget* toolbar)
{
    // Fusion's light face, and a grey for disabled captions that still reads on it.
    const QColor face(0xef, 0xef, 0xef);
    QPalette palette = toolbar->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Window, face);
        palette.setColor(group, QPalette::Button, face);
        palette.setColor(group, QPalette::Light, Qt::white);
    }
    for (QPalette::ColorRole role : {QPalette::ButtonText, QPalette::WindowText}) {
        palette.setColor(QPalette::Active, role, Qt::black);
        palette.setColor(QPalette::Inactive, role, Qt::black);
        palette.setColor(QPalette::Disabled, role, QColor(0x78, 0x78, 0x78));
    }
    toolbar->setPalette(palette);
    toolbar->setAutoFillBackground(true);
}

void buildToolbarButtons(QWidget* toolbar)
{
    paintToolbarFace(toolbar);
    const QString name = toolbar->objectName();
    for (const ToolbarSpec& toolbarButtons : Toolbars) {
        if (name != toolbarButtons.toolbar)
            continue;
        auto* layout = new ButtonRows(toolbar);
        QHash<int, QButtonGroup*> groups;
        for (const ButtonSpec& button : toolbarButtons.buttons) {
            auto* widget = new TQvSpeedButton(button.name, QString::fromUtf8(button.caption),
                                              QLatin1String(button.hint), button.group, toolbar);
            if (button.group != 0) {
                QButtonGroup*& group = groups[button.group];
                if (!group)
                    group = new QButtonGroup(toolbar);
                group->addButton(widget);
            }
            widget->setVisible(!button.spare);
            widget->setProperty(SpareButtonProperty, button.spare);
            layout->addWidget(widget);
        }
        return;
    }
}

bool sizedByCaption(const QWidget* button)
{
    const auto* speedButton = qobject_cast<const TQvSpeedButton*>(button);
    if (!speedButton)
        return false;
    const QString caption = speedButton->text();
    return !caption.isEmpty() && caption.front().unicode() <= 0xff;
}

ButtonRows::ButtonRows(QWidget* toolbar) : QLayout(toolbar)
{
    setContentsMargins(0, 0, 0, 0);
    setSpacing(1);
}

ButtonRows::~ButtonRows()
{
    qDeleteAll(items_);
}

void ButtonRows::setButtonSizes(int height, int captionPoints)
{
    if (height == height_ && captionPoints == captionPoints_)
        return;
    height_ = height;
    captionPoints_ = captionPoints;
    invalidate();
}

void ButtonRows::addItem(QLayoutItem* item)
{
    items_.append(item);
}

int ButtonRows::count() const
{
    return static_cast<int>(items_.size());
}

QLayoutItem* ButtonRows::itemAt(int index) const
{
    return items_.value(index);
}

QLayoutItem* ButtonRows::takeAt(int index)
{
    return index >= 0 && index < items_.size() ? items_.takeAt(index) : nullptr;
}

QSize ButtonRows::sizeHint() const
{
    return QSize(height_, height_);
}

QSize ButtonRows::minimumSize() const
{
    return QSize(0, 0);
}

void ButtonRows::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    QList<QWidget*> shown;
    QList<int> widths;
    for (QLayoutItem* item : items_) {
        QWidget* button = item->widget();
        if (!button || button->isHidden()) // a hidden button takes no place
            continue;
        shown.append(button);
        widths.append(sizedByCaption(button)
                          ? MainLayout::buttonWidth(static_cast<TQvSpeedButton*>(button)->text(),
                                                    captionPoints_)
                          : item->sizeHint().width());
    }
    const QList<QPoint> places = MainLayout::flowButtons(widths, rect.width(), height_, spacing());
    for (int i = 0; i < shown.size(); ++i)
        shown[i]->setGeometry(QRect(rect.topLeft() + places[i], QSize(widths[i], height_)));
}
