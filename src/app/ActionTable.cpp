#include "app/ActionTable.h"

#include "app/OrvantiCore.h"

#include <algorithm>

void ActionTable::add(const QString& name, Handler handler)
{
    handlers_.insert(name, std::move(handler));
}

bool ActionTable::run(const QString& name) const
{
    const auto found = handlers_.constFind(name);
    if (found == handlers_.constEnd())
        return false;
    (*found)();
    return true;
}

QStringList ActionTable::names() const
{
    QStringList names = handlers_.keys();
    std::sort(names.begin(), names.end());
    return names;
}

void fillActionTable(ActionTable& table, OrvantiCore& core)
{
    const auto on = [&table](const char* name, ActionTable::Handler handler) {
        table.add(QLatin1String(name), std::move(handler));
    };
    ModeSwitch& modes = core.modes;
    ModeCommands& commands = core.commands;
    TransmitKeys& keys = core.keys;
    ConfigurationMenu& config = core.config;
    Calling& calling = core.calling;

    // File and Help.
    on("MenuExitOrvanti", [&core] { core.lifecycle.MenuExitOrvantiClick(); });
    on("MenuAbout", [&core] { core.lifecycle.MenuAboutClick(); });

    // Configuration.
    on("MenuComPort", [&config] { config.MenuComPortClick(); });
    for (int language = 1; language <= 9; ++language)
        table.add(languageItemName(language),
                  [&config, language] { config.languageItemClick(language); });
    on("MenuAudioCW", [&core] { core.audio.MenuAudioCWClick(); });
    on("Sub_MenuMessagesOnScreenOn", [&config] { config.Sub_MenuMessagesOnScreenOnClick(); });
    on("Sub_MenuMessagesOnScreenOff", [&config] { config.Sub_MenuMessagesOnScreenOffClick(); });
    on("Sub_MenuHintsOn", [&config] { config.Sub_MenuHintsOnClick(); });
    on("Sub_MenuHintsOff", [&config] { config.Sub_MenuHintsOffClick(); });
    on("MenuWordwraplength", [&config] { config.MenuWordwraplengthClick(); });
    on("Sub_MenuPtcOn", [&config] { config.Sub_MenuPtcOnClick(); });
    on("Sub_MenuPtcOff", [&config] { config.Sub_MenuPtcOffClick(); });
    on("MenuYourcall", [&calling] { calling.MenuYourcallClick(); });
    on("MenuYourID", [&calling] { calling.MenuYourIDClick(); });
    on("MenuAutoCQ", [&calling] { calling.MenuAutoCQClick(); });

    // Mode.
    on("MenuPactor", [&modes] { modes.MenuPactorClick(); });
    on("Sub_MenuPacketPort1", [&modes] { modes.Sub_MenuPacketPort1Click(); });
    on("Sub_MenuPacketPort2", [&modes] { modes.Sub_MenuPacketPort2Click(); });
    on("MenuAmtor", [&modes] { modes.MenuAmtorClick(); });
    on("MenuRtty", [&modes] { modes.MenuRttyClick(); });
    on("MenuCw", [&modes] { modes.MenuCwClick(); });
    on("MenuAudio", [&modes] { modes.MenuAudioClick(); });
    on("MenuPsk31", [&modes] { modes.MenuPsk31Click(); });
    on("MenuNavtex", [&modes] { modes.MenuNavtexClick(); });
    on("MenuDumb", [&modes] { modes.MenuDumbClick(); });

    // Action.
    on("MenuToggleListen", [&modes] { modes.MenuToggleListenClick(); });
    const char* const unproto[] = {"Sub_Menu100BdFSK",   "Sub_Menu200BdFSK",   "Sub_Menu100BdDPSKs",
                                   "Sub_Menu200BdDPSKs", "Sub_Menu400BDDPSKs", "Sub_Menu800BdDPSKs",
                                   "Sub_Menu100BdDPSKl", "Sub_Menu200BdDPSKl", "Sub_Menu400BdDPSKl",
                                   "Sub_Menu800BdDPSKl"};
    for (int i = 0; i < 10; ++i)
        on(unproto[i], [&commands, i] { commands.unprotoClick(i + 1); });
    on("MenuAmtorFec", [&commands] { commands.MenuAmtorFecClick(); });
    on("MenuBaudotTransmit", [&commands] { commands.MenuBaudotTransmitClick(); });
    on("MenuStandby", [&modes] { modes.MenuStandbyClick(); });
    const auto callAStation = [&calling] { calling.MenuCallAstationClick(); };
    const auto callFromList = [&calling] { calling.MenuCallAListStationClick(); };
    on("MenuCallAstation", callAStation);
    on("MenuCallAListStation", callFromList);
    on("MenuCallCQ", [&calling] { calling.MenuCallCQClick(); });
    on("MenuDisconnect", [&commands] { commands.MenuDisconnectClick(); });
    on("MenuHardDisconnect", [&commands] { commands.MenuHardDisconnectClick(); });
    on("MenuChangeOver", [&commands] { commands.MenuChangeOverClick(); });
    on("MenuSendHiscalldeMycall", [&commands] { commands.MenuSendHiscalldeMycallClick(); });
    on("MenuSendHiscalldeMycallCho", [&commands] { commands.MenuSendHiscalldeMycallChoClick(); });
    on("MenuClearTxScreen", [&keys] { keys.MenuClearTxScreenClick(); });
    on("MenuClearRxScreen", [&keys] { keys.MenuClearRxScreenClick(); });

    // The text windows' pop-up menu.
    on("PopUpMakeHiscallselectedtext",
       [&commands] { commands.PopUpMakeHiscallselectedtextClick(); });
    on("PopUpMakeHisNameSelectedtext",
       [&commands] { commands.PopUpMakeHisNameSelectedtextClick(); });
    on("PopUpClearRxScreen1", [&keys] { keys.PopUpClearRxScreen1Click(); });
    on("PopUpClearTxScreen", [&keys] { keys.MenuClearTxScreenClick(); });
    on("PopUpCallaStation", callAStation);
    on("PopUpCallfromList", callFromList);
    on("PopupCho", [&commands] { commands.MenuChangeOverClick(); });
    on("PopUpHisdeMy", [&commands] { commands.MenuSendHiscalldeMycallClick(); });
    on("PopUpHisdeMyCHO", [&commands] { commands.MenuSendHiscalldeMycallChoClick(); });
    on("PopUpDisconnect", [&commands] { commands.MenuDisconnectClick(); });
    on("PopUpCtrlIns", [&keys] { keys.PopUpCtrlInsClick(); });
    on("PopUpShiftIns", [&keys] { keys.PopUpShiftInsClick(); });
    on("PopUpClipClear", [&keys] { keys.PopUpClipClearClick(); });

    // The mode toolbars. Buttons that do what a menu entry does run its handler.
    const auto control = [&commands](quint8 code) {
        return [&commands, code] { commands.sendControl(code); };
    };
    const auto wordOut = [&modes] { modes.toggleWordOut(); };
    const auto standby = [&modes] { modes.MenuStandbyClick(); };
    const auto listen = [&modes] { modes.MenuToggleListenClick(); };
    const auto disconnect = [&commands] { commands.MenuDisconnectClick(); };
    const auto hardDisconnect = [&commands] { commands.MenuHardDisconnectClick(); };

    on("PactorStandby", standby);
    on("PactorListen", listen);
    on("PactorUnpro", [&commands] { commands.unprotoClick(1); });
    on("PactorCQ", [&calling] { calling.PactorCQClick(); });
    on("PactorConnect", callAStation);
    on("PactorListConnect", callFromList);
    on("PactorDuplex", [&commands] { commands.PactorDuplexClick(); });
    on("PactorDisconnect", disconnect);
    on("PactorHardDisconnect", hardDisconnect);
    on("Pactor3Button", [&commands] { commands.Pactor3ButtonClick(); });

    on("AmtorStandby", standby);
    on("AmtorListen", listen);
    on("AmtorFec", [&commands] { commands.MenuAmtorFecClick(); });
    on("AmtorCq", [&calling] { calling.AmtorCQClick(); });
    on("AmtorConnect", callAStation);
    on("AmtorListConnect", callFromList);
    on("AmtorWout", wordOut);
    on("AmtorDisConnect", disconnect);
    on("AmtorHardDisconnect", hardDisconnect);

    on("PacketPort1", [&modes] { modes.Sub_MenuPacketPort1Click(); });
    on("PacketPort2", [&modes] { modes.Sub_MenuPacketPort2Click(); });
    on("PacketConnect", callAStation);
    on("PacketListConnect", callFromList);
    on("PacketMonitor", [&commands] { commands.PacketMonitorClick(); });
    on("PacketDisconnect", [&commands] { commands.PacketDisConnectClick(); });

    on("RttyReceive", [&commands] { commands.RttyReceiveClick(); });
    on("rttyTransmit", [&commands] { commands.RttyTransmitClick(); });
    on("RttyCQ", [&calling] { calling.RttyCQClick(); });
    on("RttyHisCall", callAStation);
    on("RttyBaud", [&commands] { commands.RttyBaudClick(); });
    on("RttyWout", wordOut);

    on("CwDelayed", [&modes] { modes.CwDelayedClick(); });
    on("CwTransmit", [&commands] { commands.CWTransmitClick(); });
    on("CwCQ", [&calling] { calling.CwCQClick(); });
    on("CwHisCall", callAStation);
    on("CwTxSpeed", [&commands] { commands.CwTxSpeedClick(); });
    on("CwRxAuto", control(6));      // Ctrl-F
    on("CwRxSpeedUp", control(21));  // Ctrl-U
    on("CwRxSpeedDown", control(4)); // Ctrl-D
    on("CwWout", wordOut);

    const char* const filters[] = {"AudioCwFilter", "AudioNotchFilter", "AudioPeakFilter",
                                   "AudioNoneFilter"};
    for (quint8 filter = 1; filter <= 4; ++filter)
        on(filters[filter - 1], [&modes, filter] { modes.audioFilterClick(filter); });
    on("AudioConfig", [&core] { core.audio.MenuAudioCWClick(); });

    on("PskUp", control(12));   // Ctrl-L
    on("PskDown", control(11)); // Ctrl-K
    on("PskSquelch", [&commands] { commands.PskSquelchClick(); });
    on("PskNet", control(14));  // Ctrl-N
    on("PskMode", control(2));  // Ctrl-B
    on("PskReset", control(6)); // Ctrl-F
    on("PskTransmit", [&commands] { commands.PskTransmitClick(); });
    on("PskHisCall", callAStation);
    on("PskCQ", [&calling] { calling.PskCQClick(); });
    on("PskStandby", [&commands] { commands.PskStandbyClick(); });
    on("PskWout", wordOut);

    // The general toolbar.
    on("ClearTransmitBuffer", [&keys] { keys.ClearTransmitBufferClick(); });
    on("SpeedCho", [&commands] { commands.MenuChangeOverClick(); });
    on("SpeedHiscall", [&commands] { commands.MenuSendHiscalldeMycallClick(); });
    on("SpeedRxClear", [&keys] { keys.PopUpClearRxScreen1Click(); });
    on("SpeedTxClear", [&keys] { keys.MenuClearTxScreenClick(); });
}
