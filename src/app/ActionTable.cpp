#include "app/ActionTable.h"

#include "app/OrvantiCore.h"
#include "base/ComponentNames.h"

#include <algorithm>
#include <utility>

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
    const auto on = [&table](const QString& name, ActionTable::Handler handler) {
        table.add(name, std::move(handler));
    };
    ModeSwitch& modes = core.modes;
    ModeCommands& commands = core.commands;
    TransmitKeys& keys = core.keys;
    ConfigurationMenu& config = core.config;
    Calling& calling = core.calling;

    // File and Help.
    FileSender& files = core.files;
    on(Name::MenuTransmitFile, [&files] { files.MenuTransmitFileClick(); });
    for (int number = 1; number <= 9; ++number)
        on(Name::MenuTransmitText[number - 1],
           [&files, number] { files.MenuTransmitTextClick(number); });
    on(Name::MenuStopSending, [&files] { files.MenuStopSendingClick(); });
    Capture& capture = core.capture;
    on(Name::MenuOpenLogFile, [&capture] { capture.MenuOpenLogFileClick(); });
    on(Name::MenuCloseLogFile, [&capture] { capture.MenuCloseLogFileClick(); });
    on(Name::OpenLogFile, [&capture] { capture.OpenLogFileClick(); });
    on(Name::PopUpOpenLogFile1, [&capture] { capture.OpenLogFileClick(); });
    on(Name::SaveBuffer, [&capture] { capture.SaveBufferClick(); });
    on(Name::PopUpSaveReceiveBuffer1, [&capture] { capture.SaveBufferClick(); });
    on(Name::MenuEditaFile, [&capture] { capture.MenuEditaFileClick(); });
    on(Name::MenuExitOrvanti, [&core] { core.lifecycle.MenuExitOrvantiClick(); });
    on(Name::MenuHelp, [&core] { core.help.Help1Click(); });
    on(Name::MenuAbout, [&core] { core.lifecycle.MenuAboutClick(); });

    // Configuration.
    on(Name::MenuComPort, [&config] { config.MenuComPortClick(); });
    for (int language = 1; language <= 9; ++language)
        table.add(languageItemName(language),
                  [&config, language] { config.languageItemClick(language); });
    on(Name::MenuAudioCW, [&core] { core.audio.MenuAudioCWClick(); });
    on(Name::Sub_MenuMessagesOnScreenOn, [&config] { config.Sub_MenuMessagesOnScreenOnClick(); });
    on(Name::Sub_MenuMessagesOnScreenOff, [&config] { config.Sub_MenuMessagesOnScreenOffClick(); });
    on(Name::Sub_MenuHintsOn, [&config] { config.Sub_MenuHintsOnClick(); });
    on(Name::Sub_MenuHintsOff, [&config] { config.Sub_MenuHintsOffClick(); });
    on(Name::MenuWordwraplength, [&config] { config.MenuWordwraplengthClick(); });
    on(Name::Sub_MenuPtcOn, [&config] { config.Sub_MenuPtcOnClick(); });
    on(Name::Sub_MenuPtcOff, [&config] { config.Sub_MenuPtcOffClick(); });
    on(Name::MenuYourcall, [&calling] { calling.MenuYourcallClick(); });
    on(Name::MenuYourID, [&calling] { calling.MenuYourIDClick(); });
    on(Name::MenuAutoCQ, [&calling] { calling.MenuAutoCQClick(); });
    on(Name::MenuCaptureTimestamps, [&capture] { capture.MenuCaptureTimestampsClick(); });
    on(Name::MenuInstallEditor, [&capture] { capture.MenuInstallEditorClick(); });

    // Fonts, colours and the receive buffer's length.
    DisplayOptions& display = core.display;
    const std::pair<QLatin1StringView, void (DisplayOptions::*)()> displayItems[] = {
        {Name::MenuRxWindowFont, &DisplayOptions::MenuRxWindowFontClick},
        {Name::MenuTxWindowFont, &DisplayOptions::MenuTxWindowFontClick},
        {Name::MenuTabs, &DisplayOptions::MenuTabsClick},
        {Name::MenuStatusLineFont, &DisplayOptions::MenuStatusLineFontClick},
        {Name::MenuLogBookFont, &DisplayOptions::MenuLogBookFontClick},
        {Name::SubMenu_Color_RxWindow, &DisplayOptions::SubMenu_Color_RxWindowClick},
        {Name::SubMenu_Color_TxWindow, &DisplayOptions::SubMenu_Color_TxWindowClick},
        {Name::Sub_SubMenuColor_SystemTekst, &DisplayOptions::Sub_SubMenuColor_SystemTekstClick},
        {Name::Sub_SubMenuColor_ReceivedText, &DisplayOptions::Sub_SubMenuColor_ReceivedTextClick},
        {Name::Sub_SubMenuColor_DelayedTransmittedText,
         &DisplayOptions::Sub_SubMenuColor_DelayedTransmittedTextClick},
        {Name::SubMenuPromptColor, &DisplayOptions::SubMenuPromptColorClick},
        {Name::SubMenu_Color_ReceiveandTransmitbar,
         &DisplayOptions::SubMenu_Color_ReceiveandTransmitbarClick},
        {Name::Sub_SubMenuNormalColor, &DisplayOptions::Sub_SubMenuNormalColorClick},
        {Name::Sub_SubMenuMouseOnColor, &DisplayOptions::Sub_SubMenuMouseOnColorClick},
        {Name::Sub_SubMenuClickColor, &DisplayOptions::Sub_SubMenuClickColorClick},
        {Name::MenuMaxLengthReceivebuffer, &DisplayOptions::MenuMaxLengthReceivebufferClick},
    };
    for (const auto& item : displayItems) {
        const auto handler = item.second; // a structured binding cannot be captured (clang)
        on(item.first, [&display, handler] { (display.*handler)(); });
    }

    // Mode.
    on(Name::MenuPactor, [&modes] { modes.MenuPactorClick(); });
    on(Name::Sub_MenuPacketPort1, [&modes] { modes.Sub_MenuPacketPort1Click(); });
    on(Name::Sub_MenuPacketPort2, [&modes] { modes.Sub_MenuPacketPort2Click(); });
    on(Name::MenuAmtor, [&modes] { modes.MenuAmtorClick(); });
    on(Name::MenuRtty, [&modes] { modes.MenuRttyClick(); });
    on(Name::MenuCw, [&modes] { modes.MenuCwClick(); });
    on(Name::MenuAudio, [&modes] { modes.MenuAudioClick(); });
    on(Name::MenuPsk31, [&modes] { modes.MenuPsk31Click(); });
    on(Name::MenuNavtex, [&modes] { modes.MenuNavtexClick(); });
    on(Name::MenuDumb, [&modes] { modes.MenuDumbClick(); });

    // MailBox.
    Mailbox& mailbox = core.mailbox;
    on(Name::MenuToggleMaildrop, [&mailbox] { mailbox.MenuToggleMaildropClick(); });
    on(Name::MenuMaildropCheck, [&mailbox] { mailbox.MenuMaildropCheckClick(); });
    on(Name::MenuBackupMailbox, [&mailbox] { mailbox.MenuBackupMailboxClick(); });
    on(Name::MenuReloadMailbox, [&mailbox] { mailbox.MenuReloadMailboxClick(); });

    // Action.
    on(Name::MenuToggleListen, [&modes] { modes.MenuToggleListenClick(); });
    const QLatin1StringView unproto[] = {Name::Sub_Menu100BdFSK,   Name::Sub_Menu200BdFSK,
                                         Name::Sub_Menu100BdDPSKs, Name::Sub_Menu200BdDPSKs,
                                         Name::Sub_Menu400BDDPSKs, Name::Sub_Menu800BdDPSKs,
                                         Name::Sub_Menu100BdDPSKl, Name::Sub_Menu200BdDPSKl,
                                         Name::Sub_Menu400BdDPSKl, Name::Sub_Menu800BdDPSKl};
    for (int i = 0; i < 10; ++i)
        on(unproto[i], [&commands, i] { commands.unprotoClick(i + 1); });
    on(Name::MenuAmtorFec, [&commands] { commands.MenuAmtorFecClick(); });
    on(Name::MenuBaudotTransmit, [&commands] { commands.MenuBaudotTransmitClick(); });
    on(Name::MenuStandby, [&modes] { modes.MenuStandbyClick(); });
    const auto callAStation = [&calling] { calling.MenuCallAstationClick(); };
    const auto callFromList = [&calling] { calling.MenuCallAListStationClick(); };
    on(Name::MenuCallAstation, callAStation);
    on(Name::MenuCallAListStation, callFromList);
    on(Name::MenuCallCQ, [&calling] { calling.MenuCallCQClick(); });
    on(Name::MenuDisconnect, [&commands] { commands.MenuDisconnectClick(); });
    on(Name::MenuHardDisconnect, [&commands] { commands.MenuHardDisconnectClick(); });
    on(Name::MenuChangeOver, [&commands] { commands.MenuChangeOverClick(); });
    on(Name::MenuSendHiscalldeMycall, [&commands] { commands.MenuSendHiscalldeMycallClick(); });
    on(Name::MenuSendHiscalldeMycallCho,
       [&commands] { commands.MenuSendHiscalldeMycallChoClick(); });
    on(Name::MenuClearTxScreen, [&keys] { keys.MenuClearTxScreenClick(); });
    on(Name::MenuClearRxScreen, [&keys] { keys.MenuClearRxScreenClick(); });

    // The text windows' pop-up menu.
    on(Name::PopUpMakeHiscallselectedtext,
       [&commands] { commands.PopUpMakeHiscallselectedtextClick(); });
    on(Name::PopUpMakeHisNameSelectedtext,
       [&commands] { commands.PopUpMakeHisNameSelectedtextClick(); });
    on(Name::PopUpClearRxScreen1, [&keys] { keys.PopUpClearRxScreen1Click(); });
    on(Name::PopUpClearTxScreen, [&keys] { keys.MenuClearTxScreenClick(); });
    on(Name::PopUpCallaStation, callAStation);
    on(Name::PopUpCallfromList, callFromList);
    on(Name::PopupCho, [&commands] { commands.MenuChangeOverClick(); });
    on(Name::PopUpHisdeMy, [&commands] { commands.MenuSendHiscalldeMycallClick(); });
    on(Name::PopUpHisdeMyCHO, [&commands] { commands.MenuSendHiscalldeMycallChoClick(); });
    on(Name::PopUpDisconnect, [&commands] { commands.MenuDisconnectClick(); });
    on(Name::PopUpCtrlIns, [&keys] { keys.PopUpCtrlInsClick(); });
    on(Name::PopUpShiftIns, [&keys] { keys.PopUpShiftInsClick(); });
    on(Name::PopUpClipClear, [&keys] { keys.PopUpClipClearClick(); });

    // The mode toolbars. Buttons that do what a menu entry does run its handler.
    const auto control = [&commands](quint8 code) {
        return [&commands, code] { commands.sendControl(code); };
    };
    const auto wordOut = [&modes] { modes.toggleWordOut(); };
    const auto standby = [&modes] { modes.MenuStandbyClick(); };
    const auto listen = [&modes] { modes.MenuToggleListenClick(); };
    const auto disconnect = [&commands] { commands.MenuDisconnectClick(); };
    const auto hardDisconnect = [&commands] { commands.MenuHardDisconnectClick(); };

    on(Name::PactorStandby, standby);
    on(Name::PactorListen, listen);
    on(Name::PactorUnpro, [&commands] { commands.unprotoClick(1); });
    on(Name::PactorCQ, [&calling] { calling.PactorCQClick(); });
    on(Name::PactorConnect, callAStation);
    on(Name::PactorListConnect, callFromList);
    on(Name::PactorDuplex, [&commands] { commands.PactorDuplexClick(); });
    on(Name::PactorDisconnect, disconnect);
    on(Name::PactorHardDisconnect, hardDisconnect);
    on(Name::Pactor3Button, [&commands] { commands.Pactor3ButtonClick(); });

    on(Name::AmtorStandby, standby);
    on(Name::AmtorListen, listen);
    on(Name::AmtorFec, [&commands] { commands.MenuAmtorFecClick(); });
    on(Name::AmtorCq, [&calling] { calling.AmtorCQClick(); });
    on(Name::AmtorConnect, callAStation);
    on(Name::AmtorListConnect, callFromList);
    on(Name::AmtorWout, wordOut);
    on(Name::AmtorDisConnect, disconnect);
    on(Name::AmtorHardDisconnect, hardDisconnect);

    on(Name::PacketPort1, [&modes] { modes.Sub_MenuPacketPort1Click(); });
    on(Name::PacketPort2, [&modes] { modes.Sub_MenuPacketPort2Click(); });
    on(Name::PacketConnect, callAStation);
    on(Name::PacketListConnect, callFromList);
    on(Name::PacketMonitor, [&commands] { commands.PacketMonitorClick(); });
    on(Name::PacketDisconnect, [&commands] { commands.PacketDisConnectClick(); });

    on(Name::RttyReceive, [&commands] { commands.RttyReceiveClick(); });
    on(Name::rttyTransmit, [&commands] { commands.RttyTransmitClick(); });
    on(Name::RttyCQ, [&calling] { calling.RttyCQClick(); });
    on(Name::RttyHisCall, callAStation);
    on(Name::RttyBaud, [&commands] { commands.RttyBaudClick(); });
    on(Name::RttyWout, wordOut);

    on(Name::CwDelayed, [&modes] { modes.CwDelayedClick(); });
    on(Name::CwTransmit, [&commands] { commands.CWTransmitClick(); });
    on(Name::CwCQ, [&calling] { calling.CwCQClick(); });
    on(Name::CwHisCall, callAStation);
    on(Name::CwTxSpeed, [&commands] { commands.CwTxSpeedClick(); });
    on(Name::CwRxAuto, control(6));      // Ctrl-F
    on(Name::CwRxSpeedUp, control(21));  // Ctrl-U
    on(Name::CwRxSpeedDown, control(4)); // Ctrl-D
    on(Name::CwWout, wordOut);

    const QLatin1StringView filters[] = {Name::AudioCwFilter, Name::AudioNotchFilter,
                                         Name::AudioPeakFilter, Name::AudioNoneFilter};
    for (quint8 filter = 1; filter <= 4; ++filter)
        on(filters[filter - 1], [&modes, filter] { modes.audioFilterClick(filter); });
    on(Name::AudioConfig, [&core] { core.audio.MenuAudioCWClick(); });

    // The NAVTEX toolbar, and its copy in the Action menu.
    Navtex& navtex = core.navtex;
    const auto both = [&on](QLatin1StringView button, QLatin1StringView menuItem,
                            const ActionTable::Handler& handler) {
        on(button, handler);
        on(menuItem, handler);
    };
    both(Name::AmtexOn, Name::MenuAmtexOn, [&navtex] { navtex.AmtexOnClick(); });
    both(Name::NavtexOn, Name::MenuNavtexOn, [&navtex] { navtex.NavtexOnClick(); });
    both(Name::NavtexOff, Name::MenuNavtexOff, [&navtex] { navtex.NavtexOffClick(); });
    both(Name::NavtexMsgType, Name::MenuNavtexMsgType, [&navtex] { navtex.NavtexMsgTypeClick(); });
    both(Name::NavtexArea, Name::MenuNavtexArea, [&navtex] { navtex.NavtexAreaClick(); });
    both(Name::NavtexTime, Name::MenuNavtexTime, [&navtex] { navtex.NavtexTimeClick(); });

    on(Name::PskUp, control(12));   // Ctrl-L
    on(Name::PskDown, control(11)); // Ctrl-K
    on(Name::PskSquelch, [&commands] { commands.PskSquelchClick(); });
    on(Name::PskNet, control(14));  // Ctrl-N
    on(Name::PskMode, control(2));  // Ctrl-B
    on(Name::PskReset, control(6)); // Ctrl-F
    on(Name::PskTransmit, [&commands] { commands.PskTransmitClick(); });
    on(Name::PskHisCall, callAStation);
    on(Name::PskCQ, [&calling] { calling.PskCQClick(); });
    on(Name::PskStandby, [&commands] { commands.PskStandbyClick(); });
    on(Name::PskWout, wordOut);

    // The general toolbar.
    on(Name::XmitFile, [&files] { files.MenuTransmitFileClick(); });
    on(Name::ClearTransmitBuffer, [&keys] { keys.ClearTransmitBufferClick(); });
    on(Name::SpeedCho, [&commands] { commands.MenuChangeOverClick(); });
    on(Name::SpeedHiscall, [&commands] { commands.MenuSendHiscalldeMycallClick(); });
    on(Name::SpeedRxClear, [&keys] { keys.PopUpClearRxScreen1Click(); });
    on(Name::SpeedTxClear, [&keys] { keys.MenuClearTxScreenClick(); });
}
