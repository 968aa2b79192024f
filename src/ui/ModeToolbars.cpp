#include "ui/ModeToolbars.h"

#include "ui/TQvSpeedButton.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QHash>
#include <QWidget>

namespace {

struct ButtonSpec {
    const char* name;
    const char* caption;
    const char* hint;
    int group = 0;
    bool spare = false; // present but hidden
};

struct ToolbarSpec {
    const char* toolbar;
    std::initializer_list<ButtonSpec> buttons;
};

// Picture-only buttons show a sign in place of the picture.
const ToolbarSpec Toolbars[] = {
    {"PactorToolBar",
     {{"PactorStandby", "Standby", "Goto Standby mode", 1},
      {"PactorListen", "Listen", "Listen Mode", 1},
      {"PactorUnpro", "Unpro", "Unpro Transmit", 1},
      {"PactorCQ", "CQ", "Call CQ"},
      {"PactorConnect", "Connect", "Connect to a station"},
      {"PactorListConnect", "ListCall", "Call a station from Orvanti.cal"},
      {"PactorDuplex", "Duplex", "Toggle Duplex mode for Pactor"},
      {"ScanButton", "Scan", "Togglle Scanning", 0, true},
      {"PactorDisconnect", "\u2715", "Disconnect in Emergency"},
      {"PactorHardDisconnect", "\u2716", "Disconnect"},
      {"Pactor3Button", "P III", ""},
      {"Newpt2", "", "", 0, true}}},
    {"AmtorToolBar",
     {{"AmtorStandby", "Standby", "Goto Standby mode", 2},
      {"AmtorListen", "Listen", "Listen Mode", 2},
      {"AmtorFec", "Fec", "Fec Transmit", 2},
      {"AmtorCq", "CQ", "Call CQ"},
      {"AmtorConnect", "Connect", "Connect to a Station"},
      {"AmtorListConnect", "Listcall", "Call a station from Orvanti.cal"},
      {"AmtorWout", "Word out", ""},
      {"AmtorDisConnect", "\u2715", "Disconnect in Emergency"},
      {"AmtorHardDisconnect", "\u2716", "Disconnect"},
      {"Newam2", "", "", 0, true},
      {"Ares1", "", "", 0, true}}},
    {"PacketToolBar",
     {{"PacketPort1", "Port 1", "Packet Port 1", 3},
      {"PacketPort2", "Port 2", "Packet Port 2", 3},
      {"PacketConnect", "Connect", "Connect to a station"},
      {"PacketListConnect", "ListCall", "Call a station from Orvanti.cal"},
      {"PacketMonitor", "Monitor", "Toggle Monitor"},
      {"PacketDisconnect", "DisConn.", "Disconnect from a Station"},
      {"Newpk1", "", "", 0, true},
      {"Newpk2", "", "", 0, true},
      {"Packetres1", "", "", 0, true}}},
    {"RttyToolbar",
     {{"RttyReceive", "Receive", "Rtty Receive", 4},
      {"rttyTransmit", "Transmit", "Rtty Receive", 4},
      {"RttyCQ", "CQ", "Call CQ"},
      {"RttyHisCall", "HisCall", "Make Hiscall known to the Program"},
      {"RttyBaud", "Baud", "Rtty Baudrate"},
      {"RttyWout", "Word out", ""},
      {"NewRT1", "", "", 0, true},
      {"NewRT2", "", "", 0, true}}},
    {"CwToolbar",
     {{"CwDelayed", "Direct", "Toggle Delayed transmit/Immediate Transmit", 1},
      {"CwTransmit", "Transmit", "Transmit  type ahead buffer", 1},
      {"CwCQ", "CQ", "Call CQ"},
      {"CwTxSpeed", "Tx Speed", "Change Tx Speed"},
      {"CwRxAuto", "Auto/fix", "Toggle Automatic Rx Speed"},
      {"CwRxSpeedUp", "Rx Up", "Rx Speed Up"},
      {"CwRxSpeedDown", "Rx Dwn", "Rx speed Down"},
      {"CwHisCall", "HisCall", "Make Hiscall known to the Program"},
      {"CwWout", "Word out", ""},
      {"NewCw1", "", "", 0, true},
      {"NewCw2", "", "", 0, true}}},
    {"AudioToolbar",
     {{"AudioCwFilter", "CW", "Cw Filter", 5},
      {"AudioNotchFilter", "Notch", "Automatic Notch filter", 5},
      {"AudioPeakFilter", "Peak", "Peak Filter", 5},
      {"AudioNoneFilter", "None", "No Filter", 5},
      {"AudioConfig", "Config", "Filter Configuration "},
      {"Audiores1", "", "", 0, true},
      {"Newa1", "", "", 0, true},
      {"Newa2", "", "", 0, true}}},
    {"PskToolbar",
     {{"PskUp", "1 Hz Up", "1 Hz. Up"},
      {"PskDown", "1 Hz Dwn", "1 Hz Down"},
      {"PskSquelch", "Squelch", "Toggle Squelch"},
      {"PskNet", "NET", "Net mode"},
      {"PskMode", "Mode", "Toggle Psk31 modes"},
      {"PskReset", "Reset", "Reset to default values"},
      {"PskTransmit", "Transmit", "Psk31 Transmit/Receive"},
      {"PskHisCall", "HisCall", "Make Hiscall known to the Program"},
      {"PskCQ", "CQ", "Call CQ"},
      {"PskStandby", "Recv", "Switch to Psk Standby"},
      {"PskWout", "Word out", ""},
      {"Newpsk1", "", "", 0, true}}},
    {"NavtexToolbar",
     {{"AmtexOn", "Amtex On", "", 6},
      {"NavtexOn", "Navtex On", "", 6},
      {"NavtexOff", "Nav/Amt Off", "", 6},
      {"NavtexMsgType", "Msg. type", ""},
      {"NavtexArea", "Area", ""},
      {"NavtexTime", "Lat.Time", "Config Lat. Time"},
      {"NewNa1", "", "", 0, true},
      {"NewNa2", "", "", 0, true}}},
    {"DumbToolbar",
     {{"UpdateButton", "Update", "Update the Firmware"},
      {"TrxConfigButton", "Trx Config", ""},
      {"NewTo1", "", "", 0, true},
      {"NewTo2", "", "", 0, true},
      {"NewTo3", "", "", 0, true},
      {"NewTo4", "", "", 0, true}}},
    {"GeneralToolbar",
     {{"OpenLogFile", "Open Log", ""},
      {"XmitFile", "Xmit File", "Transmit a file (only if Transmitting or connected)"},
      {"ClearTransmitBuffer", "CLR", "Clear Transmit Buffer"},
      {"SaveBuffer", "Save B.", ""},
      {"SpeedCho", "CHO", "Change Transmit Direction"},
      {"SpeedHiscall", "His de My", "Transmit Hiscall de Mycall"},
      {"SpeedRxClear", "Clear RX", "Clear Receive Screen"},
      {"SpeedTxClear", "Clear TX", "Clear Transmit Screen"}}},
};

} // namespace

void buildToolbarButtons(QWidget* toolbar)
{
    const QString name = toolbar->objectName();
    for (const ToolbarSpec& toolbarButtons : Toolbars) {
        if (name != QLatin1String(toolbarButtons.toolbar))
            continue;
        auto* layout = new QHBoxLayout(toolbar);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(1);
        QHash<int, QButtonGroup*> groups;
        for (const ButtonSpec& button : toolbarButtons.buttons) {
            auto* widget =
                new TQvSpeedButton(QLatin1String(button.name), QString::fromUtf8(button.caption),
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
        layout->addStretch(1);
        return;
    }
}
