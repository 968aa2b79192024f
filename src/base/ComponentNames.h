#pragma once

// The objectName of every component of the main window that the program names itself:
// menus, menu items, buttons, panes, toolbars, pop-up items. Each is spelled here once;
// the window builds its components with these, the core addresses them through View
// with these, and the tests compare this list with the window's.
//
// Constant string views: no start-up work and nothing per file that includes this.
// Passing one where a QString is taken makes that QString; code that does so for every
// received block keeps a QString copy of its own.

#include <QLatin1StringView>
#include <QSet>
#include <QStringList>

#define ORVANTI_COMPONENT_NAMES(X)                                                                 \
    X(AMTOR)                                                                                       \
    X(AUDIO)                                                                                       \
    X(AmtexOn)                                                                                     \
    X(AmtorConnect)                                                                                \
    X(AmtorCq)                                                                                     \
    X(AmtorDisConnect)                                                                             \
    X(AmtorFec)                                                                                    \
    X(AmtorHardDisconnect)                                                                         \
    X(AmtorListConnect)                                                                            \
    X(AmtorListen)                                                                                 \
    X(AmtorStandby)                                                                                \
    X(AmtorToolBar)                                                                                \
    X(AmtorWout)                                                                                   \
    X(Ares1)                                                                                       \
    X(AudioConfig)                                                                                 \
    X(AudioCwFilter)                                                                               \
    X(AudioNoneFilter)                                                                             \
    X(AudioNotchFilter)                                                                            \
    X(AudioPeakFilter)                                                                             \
    X(AudioToolbar)                                                                                \
    X(Audiores1)                                                                                   \
    X(CW)                                                                                          \
    X(ClearTransmitBuffer)                                                                         \
    X(CwCQ)                                                                                        \
    X(CwDelayed)                                                                                   \
    X(CwHisCall)                                                                                   \
    X(CwRxAuto)                                                                                    \
    X(CwRxSpeedDown)                                                                               \
    X(CwRxSpeedUp)                                                                                 \
    X(CwToolbar)                                                                                   \
    X(CwTransmit)                                                                                  \
    X(CwTxSpeed)                                                                                   \
    X(CwWout)                                                                                      \
    X(DUMBMODE)                                                                                    \
    X(DumbToolbar)                                                                                 \
    X(Dutch)                                                                                       \
    X(English)                                                                                     \
    X(French)                                                                                      \
    X(GeneralToolbar)                                                                              \
    X(German)                                                                                      \
    X(Italian)                                                                                     \
    X(KnoppenBalk)                                                                                 \
    X(LeesLed)                                                                                     \
    X(MainMenu1)                                                                                   \
    X(MainMenuAction)                                                                              \
    X(MainMenuConfiguration)                                                                       \
    X(MainMenuHelp)                                                                                \
    X(MainMenuMailbox)                                                                             \
    X(MainMenuMode)                                                                                \
    X(MainmenuFile)                                                                                \
    X(MenuAbout)                                                                                   \
    X(MenuAmtexOn)                                                                                 \
    X(MenuAmtor)                                                                                   \
    X(MenuAmtorFec)                                                                                \
    X(MenuAudio)                                                                                   \
    X(MenuAudioCW)                                                                                 \
    X(MenuAutoCQ)                                                                                  \
    X(MenuBackupMailbox)                                                                           \
    X(MenuBaudotTransmit)                                                                          \
    X(MenuCallAListStation)                                                                        \
    X(MenuCallAstation)                                                                            \
    X(MenuCallCQ)                                                                                  \
    X(MenuCaptureTimestamps)                                                                       \
    X(MenuChangeOver)                                                                              \
    X(MenuClearRxScreen)                                                                           \
    X(MenuClearTxScreen)                                                                           \
    X(MenuCloseLogFile)                                                                            \
    X(MenuColors)                                                                                  \
    X(MenuComPort)                                                                                 \
    X(MenuCw)                                                                                      \
    X(MenuDisconnect)                                                                              \
    X(MenuDumb)                                                                                    \
    X(MenuEditLogbook)                                                                             \
    X(MenuEditaFile)                                                                               \
    X(MenuExitOrvanti)                                                                             \
    X(MenuFontType)                                                                                \
    X(MenuHardDisconnect)                                                                          \
    X(MenuHelp)                                                                                    \
    X(MenuInstallEditor)                                                                           \
    X(MenuLanguage)                                                                                \
    X(MenuLeavePTCactive)                                                                          \
    X(MenuLogBookFont)                                                                             \
    X(MenuLogBookInstall)                                                                          \
    X(MenuMaildropCheck)                                                                           \
    X(MenuMaxLengthReceivebuffer)                                                                  \
    X(MenuMessagesOnScreen)                                                                        \
    X(MenuNavtex)                                                                                  \
    X(MenuNavtexArea)                                                                              \
    X(MenuNavtexMsgType)                                                                           \
    X(MenuNavtexOff)                                                                               \
    X(MenuNavtexOn)                                                                                \
    X(MenuNavtexReception)                                                                         \
    X(MenuNavtexTime)                                                                              \
    X(MenuOpenLogFile)                                                                             \
    X(MenuPacket)                                                                                  \
    X(MenuPactor)                                                                                  \
    X(MenuPsk31)                                                                                   \
    X(MenuReloadMailbox)                                                                           \
    X(MenuRtty)                                                                                    \
    X(MenuRxWindowFont)                                                                            \
    X(MenuSendHiscalldeMycall)                                                                     \
    X(MenuSendHiscalldeMycallCho)                                                                  \
    X(MenuShowHints)                                                                               \
    X(MenuShowLogbook)                                                                             \
    X(MenuStatusLineFont)                                                                          \
    X(MenuStopSending)                                                                             \
    X(MenuTabs)                                                                                    \
    X(MenuTransmitFile)                                                                            \
    X(MenuTransmitText1)                                                                           \
    X(MenuTransmitText2)                                                                           \
    X(MenuTransmitText3)                                                                           \
    X(MenuTransmitText4)                                                                           \
    X(MenuTransmitText5)                                                                           \
    X(MenuTransmitText6)                                                                           \
    X(MenuTransmitText7)                                                                           \
    X(MenuTransmitText8)                                                                           \
    X(MenuTransmitText9)                                                                           \
    X(MenuStandby)                                                                                 \
    X(MenuToggleListen)                                                                            \
    X(MenuToggleMaildrop)                                                                          \
    X(MenuTxWindowFont)                                                                            \
    X(MenuTypeofPTC)                                                                               \
    X(MenuUnpro)                                                                                   \
    X(MenuWordwraplength)                                                                          \
    X(MenuYourID)                                                                                  \
    X(MenuYourcall)                                                                                \
    X(NAVTEX)                                                                                      \
    X(NavtexArea)                                                                                  \
    X(NavtexLed)                                                                                   \
    X(NavtexMsgType)                                                                               \
    X(NavtexOff)                                                                                   \
    X(NavtexOn)                                                                                    \
    X(NavtexTime)                                                                                  \
    X(NavtexToolbar)                                                                               \
    X(NewCw1)                                                                                      \
    X(NewCw2)                                                                                      \
    X(NewM2)                                                                                       \
    X(NewM3)                                                                                       \
    X(NewNa1)                                                                                      \
    X(NewNa2)                                                                                      \
    X(NewRT1)                                                                                      \
    X(NewRT2)                                                                                      \
    X(NewTo1)                                                                                      \
    X(NewTo2)                                                                                      \
    X(NewTo3)                                                                                      \
    X(NewTo4)                                                                                      \
    X(Newa1)                                                                                       \
    X(Newa2)                                                                                       \
    X(Newam2)                                                                                      \
    X(Newpk1)                                                                                      \
    X(Newpk2)                                                                                      \
    X(Newpsk1)                                                                                     \
    X(Newpt2)                                                                                      \
    X(Norwegian)                                                                                   \
    X(OpenLogFile)                                                                                 \
    X(PACKET)                                                                                      \
    X(PACTORTab)                                                                                   \
    X(PSK31)                                                                                       \
    X(PacketConnect)                                                                               \
    X(PacketDisconnect)                                                                            \
    X(PacketListConnect)                                                                           \
    X(PacketMonitor)                                                                               \
    X(PacketPort1)                                                                                 \
    X(PacketPort2)                                                                                 \
    X(PacketToolBar)                                                                               \
    X(Packetres1)                                                                                  \
    X(Pactor3Button)                                                                               \
    X(PactorCQ)                                                                                    \
    X(PactorConnect)                                                                               \
    X(PactorDisconnect)                                                                            \
    X(PactorDuplex)                                                                                \
    X(PactorHardDisconnect)                                                                        \
    X(PactorListConnect)                                                                           \
    X(PactorListen)                                                                                \
    X(PactorStandby)                                                                               \
    X(PactorToolBar)                                                                               \
    X(PactorUnpro)                                                                                 \
    X(PageControl)                                                                                 \
    X(Pane1)                                                                                       \
    X(Pane2)                                                                                       \
    X(Pane3)                                                                                       \
    X(Pane4)                                                                                       \
    X(Pane5)                                                                                       \
    X(Pane6)                                                                                       \
    X(Pane7)                                                                                       \
    X(Pane8)                                                                                       \
    X(PopUp)                                                                                       \
    X(PopUpCallaStation)                                                                           \
    X(PopUpCallfromList)                                                                           \
    X(PopUpClearRxScreen1)                                                                         \
    X(PopUpClearTxScreen)                                                                          \
    X(PopUpClipClear)                                                                              \
    X(PopUpCtrlIns)                                                                                \
    X(PopUpDisconnect)                                                                             \
    X(PopUpHisdeMy)                                                                                \
    X(PopUpHisdeMyCHO)                                                                             \
    X(PopUpMakeHisNameSelectedtext)                                                                \
    X(PopUpMakeHiscallselectedtext)                                                                \
    X(PopUpOpenLogFile1)                                                                           \
    X(PopUpSaveReceiveBuffer1)                                                                     \
    X(PopUpShiftIns)                                                                               \
    X(PopupCho)                                                                                    \
    X(Portuguese)                                                                                  \
    X(PskCQ)                                                                                       \
    X(PskDown)                                                                                     \
    X(PskHisCall)                                                                                  \
    X(PskMode)                                                                                     \
    X(PskNet)                                                                                      \
    X(PskReset)                                                                                    \
    X(PskSquelch)                                                                                  \
    X(PskStandby)                                                                                  \
    X(PskToolbar)                                                                                  \
    X(PskTransmit)                                                                                 \
    X(PskUp)                                                                                       \
    X(PskWout)                                                                                     \
    X(PtcTekst)                                                                                    \
    X(RTTY)                                                                                        \
    X(ReceiveStack)                                                                                \
    X(ReceiveWindow)                                                                               \
    X(Receivebar)                                                                                  \
    X(RttyBaud)                                                                                    \
    X(RttyCQ)                                                                                      \
    X(RttyHisCall)                                                                                 \
    X(RttyReceive)                                                                                 \
    X(RttyToolbar)                                                                                 \
    X(RttyWout)                                                                                    \
    X(SaveBuffer)                                                                                  \
    X(ScanButton)                                                                                  \
    X(Spanish)                                                                                     \
    X(SpeedCho)                                                                                    \
    X(SpeedHiscall)                                                                                \
    X(SpeedRxClear)                                                                                \
    X(SpeedTxClear)                                                                                \
    X(Statusbalk)                                                                                  \
    X(SubMenuColor_TextintheReceiveWindow)                                                         \
    X(SubMenuPromptColor)                                                                          \
    X(SubMenu_Color_Buttons)                                                                       \
    X(SubMenu_Color_ReceiveandTransmitbar)                                                         \
    X(SubMenu_Color_RxWindow)                                                                      \
    X(SubMenu_Color_TxWindow)                                                                      \
    X(Sub_Menu100BdDPSKl)                                                                          \
    X(Sub_Menu100BdDPSKs)                                                                          \
    X(Sub_Menu100BdFSK)                                                                            \
    X(Sub_Menu200BdDPSKl)                                                                          \
    X(Sub_Menu200BdDPSKs)                                                                          \
    X(Sub_Menu200BdFSK)                                                                            \
    X(Sub_Menu400BDDPSKs)                                                                          \
    X(Sub_Menu400BdDPSKl)                                                                          \
    X(Sub_Menu800BdDPSKl)                                                                          \
    X(Sub_Menu800BdDPSKs)                                                                          \
    X(Sub_MenuHintsOff)                                                                            \
    X(Sub_MenuHintsOn)                                                                             \
    X(Sub_MenuLogBookAan)                                                                          \
    X(Sub_MenuLogBookUit)                                                                          \
    X(Sub_MenuMessagesOnScreenOff)                                                                 \
    X(Sub_MenuMessagesOnScreenOn)                                                                  \
    X(Sub_MenuPacketPort1)                                                                         \
    X(Sub_MenuPacketPort2)                                                                         \
    X(Sub_MenuPtcOff)                                                                              \
    X(Sub_MenuPtcOn)                                                                               \
    X(Sub_SubMenuClickColor)                                                                       \
    X(Sub_SubMenuColor_DelayedTransmittedText)                                                     \
    X(Sub_SubMenuColor_ReceivedText)                                                               \
    X(Sub_SubMenuColor_SystemTekst)                                                                \
    X(Sub_SubMenuMouseOnColor)                                                                     \
    X(Sub_SubMenuNormalColor)                                                                      \
    X(Swedish)                                                                                     \
    X(TempMemo)                                                                                    \
    X(TransmitWindow)                                                                              \
    X(Transmitbalk)                                                                                \
    X(TrxConfigButton)                                                                             \
    X(UpdateButton)                                                                                \
    X(V24DataLed)                                                                                  \
    X(Versie)                                                                                      \
    X(XOnLed)                                                                                      \
    X(XmitFile)                                                                                    \
    X(logLed)                                                                                      \
    X(one1)                                                                                        \
    X(rttyTransmit)                                                                                \
    X(three1)                                                                                      \
    X(two1)

namespace Name {

#define ORVANTI_COMPONENT_NAME(name) inline constexpr QLatin1StringView name{#name};
ORVANTI_COMPONENT_NAMES(ORVANTI_COMPONENT_NAME)
#undef ORVANTI_COMPONENT_NAME

// The prepared-text entries of the File menu, for Alt+1 .. Alt+9.
inline constexpr QLatin1StringView MenuTransmitText[] = {
    MenuTransmitText1, MenuTransmitText2, MenuTransmitText3, MenuTransmitText4, MenuTransmitText5,
    MenuTransmitText6, MenuTransmitText7, MenuTransmitText8, MenuTransmitText9};

// Every name above.
inline QStringList all()
{
#define ORVANTI_COMPONENT_NAME(name) name,
    return {ORVANTI_COMPONENT_NAMES(ORVANTI_COMPONENT_NAME)};
#undef ORVANTI_COMPONENT_NAME
}

// Whether the main window has a component of this name.
inline bool isKnown(const QString& name)
{
    static const QSet<QString> names = [] {
        const QStringList list = all();
        return QSet<QString>(list.begin(), list.end());
    }();
    return names.contains(name);
}

} // namespace Name
