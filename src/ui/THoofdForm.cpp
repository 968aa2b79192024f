#include "ui/THoofdForm.h"

#include "app/OrvantiCore.h"
#include "app/dialogs/TAboutBox.h"
#include "app/dialogs/TComBaudConfig.h"
#include "app/dialogs/TSplashForm.h"
#include "app/dialogs/TWordwrapForm.h"
#include "base/Clock.h"
#include "base/ComponentNames.h"
#include "link/CommPortDriver.h"
#include "logbook/dialogs/TFileBestaatForm.h"
#include "modes/dialogs/TAutoCqForm.h"
#include "modes/dialogs/TConfigAudio.h"
#include "modes/dialogs/TConnectForm.h"
#include "modes/dialogs/TListConnectForm.h"
#include "modes/dialogs/TNavtexForm.h"
#include "modes/dialogs/TYourcallForm.h"
#include "ui/DialogTexts.h"
#include "ui/HintPolicy.h"
#include "ui/MainLayout.h"
#include "ui/MenuShortcutPriority.h"
#include "ui/ModeToolbars.h"
#include "ui/TQvRichEdit.h"
#include "ui/TRzPanel.h"
#include "ui/TTransmitMemo.h"

#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QProxyStyle>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QUrl>
#include <algorithm>
#include <utility>

namespace {

// Nine mode tabs share two thirds of the window: with the style's usual padding, an
// 800-pixel window would hide the last ones behind scroll arrows.
class NarrowTabStyle final : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override
    {
        const int value = QProxyStyle::pixelMetric(metric, option, widget);
        return metric == PM_TabBarTabHSpace ? value / 2 : value;
    }
};

struct ModeTab {
    QLatin1StringView page;
    const char* caption;
    QLatin1StringView toolbar;
};

const ModeTab Pages[] = {
    {Name::PACTORTab, "PACTOR", Name::PactorToolBar},
    {Name::AMTOR, "AMTOR", Name::AmtorToolBar},
    {Name::PACKET, "PACKET", Name::PacketToolBar},
    {Name::RTTY, "RTTY", Name::RttyToolbar},
    {Name::CW, "CW", Name::CwToolbar},
    {Name::AUDIO, "AUDIO", Name::AudioToolbar},
    {Name::PSK31, "PSK31", Name::PskToolbar},
    {Name::NAVTEX, "NAVTEX", Name::NavtexToolbar},
    {Name::DUMBMODE, "TOOLS", Name::DumbToolbar},
};

const char* const PaneHints[] = {"PTC Mode",
                                 "SubMode",
                                 "HisCall",
                                 "Receive Status",
                                 "Recv/Transm.",
                                 "Number of Char in Recv Buffer",
                                 "Number of Char. in Databuffer",
                                 ""};

// How soon a close that waited for a transmission to end is tried again.
constexpr int RetryCloseMs = 100;

} // namespace

THoofdForm::THoofdForm(const MainWindowOptions& options, QWidget* parent)
    : QMainWindow(parent), guiModal_(this), view_(this), hints_(options.hints)
{
    setObjectName(QStringLiteral("HoofdForm"));
    buildWindow();
    buildMenus();
    (new MenuShortcutPriority(this))->collect(menuBar());
    view_.indexComponents();
    markUnavailable();

    Port* port = options.port;
    if (!port) {
        ownedPort_ = std::make_unique<TCommPortDriver>();
        port = ownedPort_.get();
    }
    Clock* clock = options.clock;
    if (!clock) {
        ownedClock_ = std::make_unique<SystemClock>();
        clock = ownedClock_.get();
    }
    Modal* modal = options.modal ? options.modal : &guiModal_;
    guiModal_.dialogRunner = [this](Dialog dialog) { runDialog(dialog); };
    view_.onShowSplash = [this] {
        // The exit is confirmed: from here on nothing but the shut-down may talk.
        core_->stopTimers();
        closingSplash_ = std::make_unique<TSplashForm>();
        closingSplash_->showNow();
    };
    view_.onHintsEnabled = [this](bool enabled) {
        if (hints_)
            hints_->setEnabled(enabled);
    };
    transmitWindow_->onKeyPress = [this](quint8 key) { core_->keys.TransmitWindowKeyPress(key); };
    transmitWindow_->onKeyDown = [this](int key, Qt::KeyboardModifiers modifiers) {
        return core_->keys.TransmitWindowKeyDown(key, modifiers);
    };

    core_ = std::make_unique<OrvantiCore>(*port, *clock, view_, *receiveWindow_, *transmitWindow_,
                                          *modal);
    connectActions();
    core_->help.openDocument = [](const QString& path) {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    };
    core_->config.setPortOverride(options.portOverride);
    createResult_ = core_->lifecycle.FormCreate(options.stationFolder);
    view_.setChecked(Name::MenuCaptureTimestamps, core_->settings.CaptureTimestamps);
    core_->lifecycle.layoutWindow = [this] { layOut(); };
    layOut();
    core_->startTimers();

    // A timer like the port poll's, not a queued call: it runs after the turn's port
    // notifications, so its reads do not leave QSerialPort announcing input they took.
    firstActivationTimer_.setSingleShot(true);
    firstActivationTimer_.setInterval(0);
    connect(&firstActivationTimer_, &QTimer::timeout, this, &THoofdForm::standInForFirstActivation);
}

THoofdForm::~THoofdForm()
{
    core_->stopTimers();
}

void THoofdForm::buildWindow()
{
    // The parts of the central area are placed by layOut(), not by a layout: the
    // transmit bar sits where it was dragged to, and the sizes follow the tab font.
    auto* central = new QWidget(this);

    // Mode pages beside the general button bar.
    pageControl_ = new QTabWidget(central);
    pageControl_->setObjectName(Name::PageControl);
    for (const ModeTab& tab : Pages) {
        auto* page = new QWidget(pageControl_);
        page->setObjectName(tab.page);
        auto* toolbar = new QWidget(page);
        toolbar->setObjectName(tab.toolbar);
        buildToolbarButtons(toolbar);
        auto* pageLayout = new QHBoxLayout(page);
        pageLayout->setContentsMargins(1, 1, 1, 1);
        pageLayout->addWidget(toolbar);
        pageControl_->addTab(page, QLatin1String(tab.caption));
    }
    // A mode change takes seconds of the controller's pauses: the wheel must not
    // run through the modes while the pointer crosses the tabs.
    pageControl_->tabBar()->installEventFilter(this);
    auto* tabStyle = new NarrowTabStyle;
    // Owned by the tab bar; the style it wraps carries the style's name ("fusion"),
    // which is no component of the window.
    tabStyle->baseStyle()->setObjectName(QString());
    tabStyle->setParent(pageControl_->tabBar());
    pageControl_->tabBar()->setStyle(tabStyle);
    connect(pageControl_, &QTabWidget::currentChanged, this, [this](int index) {
        if (core_)
            core_->modes.PageControlChange(index);
    });
    // The sizes follow the tab font and the reference button's font.
    pageControl_->installEventFilter(this);
    buttonBar_ = new QFrame(central);
    buttonBar_->setObjectName(Name::KnoppenBalk);
    buttonBar_->setFrameShape(QFrame::Panel);
    buttonBar_->setFrameShadow(QFrame::Raised);
    paintToolbarFace(buttonBar_);
    auto* generalToolbar = new QWidget(buttonBar_);
    generalToolbar->setObjectName(Name::GeneralToolbar);
    buildToolbarButtons(generalToolbar);
    auto* buttonBarLayout = new QHBoxLayout(buttonBar_);
    // Room for three rows of the largest tab font's buttons on a narrow window.
    buttonBarLayout->setContentsMargins(1, 1, 1, 1);
    buttonBarLayout->addWidget(generalToolbar);
    referenceButton_ = pageControl_->findChild<QWidget*>(Name::PactorStandby);
    referenceButton_->installEventFilter(this);

    receiveBar_ = new TRzPanel(Name::Receivebar, QString(), central);
    auto* ptcText = new QLabel(QStringLiteral("PTC"), receiveBar_);
    ptcText->setObjectName(Name::PtcTekst);
    auto* version = new QLabel(receiveBar_);
    version->setObjectName(Name::Versie);
    auto* receiveBarLayout = static_cast<QHBoxLayout*>(receiveBar_->layout());
    receiveBarLayout->insertWidget(0, ptcText);
    receiveBarLayout->addWidget(version);
    receiveBar_->setMouseTracking(true);
    receiveBar_->installEventFilter(this);

    receiveStack_ = new QStackedWidget(central);
    receiveStack_->setObjectName(Name::ReceiveStack);
    tempMemo_ = new QPlainTextEdit(receiveStack_);
    tempMemo_->setObjectName(Name::TempMemo);
    tempMemo_->setReadOnly(true);
    receiveWindow_ = new TQvRichEdit(receiveStack_, tempMemo_, receiveStack_);
    receiveStack_->addWidget(receiveWindow_);
    receiveStack_->addWidget(tempMemo_);
    receiveStack_->setCurrentWidget(receiveWindow_);

    transmitBar_ = new TRzPanel(Name::Transmitbalk, QString(), central);
    transmitBar_->setCursor(Qt::SplitVCursor);
    transmitBar_->installEventFilter(this);
    addLamp(transmitBar_, Name::NavtexLed, QStringLiteral("Navtex"),
            QStringLiteral("Navtex On/Off"));
    addLamp(transmitBar_, Name::XOnLed, QStringLiteral("Xon"),
            QStringLiteral("State of Xoff/Xon from PTC"));
    addLamp(transmitBar_, Name::LeesLed, QStringLiteral("Disk"),
            QStringLiteral("Disk reading or writing"));
    addLamp(transmitBar_, Name::logLed, QStringLiteral("Log"), QStringLiteral("Log File"));
    addLamp(transmitBar_, Name::V24DataLed, QStringLiteral("Data"),
            QStringLiteral("Data available in buffer"));

    transmitWindow_ = new TTransmitMemo(central);
    setCentralWidget(central);
    central->installEventFilter(this);

    // The bar takes no focus; the keyboard moves it from anywhere in the window.
    const auto splitKey = [this](const char* text, QKeyCombination key, int percent) {
        auto* action = new QAction(QLatin1String(text), this);
        action->setShortcut(key);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, [this, percent] { moveSplit(percent); });
        addAction(action);
    };
    splitKey("Transmit window larger", Qt::CTRL | Qt::SHIFT | Qt::Key_Up, 5);
    splitKey("Transmit window smaller", Qt::CTRL | Qt::SHIFT | Qt::Key_Down, -5);

    for (QWidget* area :
         {receiveWindow_->viewport(), tempMemo_->viewport(), transmitWindow_->viewport()}) {
        area->setMouseTracking(true);
        area->installEventFilter(this);
    }
    // The receive window's and TempMemo's keys go to the core's handlers.
    receiveWindow_->installEventFilter(this);
    tempMemo_->installEventFilter(this);
    transmitWindow_->installEventFilter(this);

    auto* statusBar = new QStatusBar(this);
    statusBar->setObjectName(Name::Statusbalk);
    statusBar->setSizeGripEnabled(false);
    const QLatin1StringView paneNames[] = {Name::Pane1, Name::Pane2, Name::Pane3, Name::Pane4,
                                           Name::Pane5, Name::Pane6, Name::Pane7, Name::Pane8};
    for (int i = 0; i < 8; ++i) {
        auto* pane = new QLabel(statusBar);
        pane->setObjectName(paneNames[i]);
        pane->setFrameShape(QFrame::Panel);
        pane->setFrameShadow(QFrame::Sunken);
        pane->setAutoFillBackground(true);
        pane->setToolTip(QLatin1String(PaneHints[i]));
        if (i < 2) // the mode and sub-mode panes take mouse actions
            pane->installEventFilter(this);
        statusBar->addWidget(pane, 1);
    }
    setStatusBar(statusBar);
    resize(800, 600);
}

TRzPanel* THoofdForm::addLamp(QWidget* bar, const QString& name, const QString& caption,
                              const QString& hint)
{
    auto* lamp = new TRzPanel(name, caption, bar);
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    lamp->captionLabel()->setFont(font);
    lamp->setToolTip(hint);
    lamp->setFixedWidth(56);
    QPalette palette = lamp->palette();
    palette.setColor(QPalette::Window, Qt::green);
    palette.setColor(QPalette::WindowText, Qt::black);
    lamp->setPalette(palette);
    bar->layout()->addWidget(lamp);
    return lamp;
}

QMenu* THoofdForm::addMenu(QMenu* parent, const QString& name, const QString& title)
{
    QMenu* menu = parent ? parent->addMenu(title) : menuBar()->addMenu(title);
    menu->setObjectName(name);
    // Opening any menu title freezes the receive display until the operator acts.
    connect(menu, &QMenu::aboutToShow, this, [this] { core_->link.MainmenuFileClick(); });
    return menu;
}

QAction* THoofdForm::addItem(QMenu* menu, const QString& name, const QString& text,
                             const QKeySequence& shortcut)
{
    QAction* action = menu->addAction(text);
    action->setObjectName(name);
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    return action;
}

void THoofdForm::buildMenus()
{
    menuBar()->setObjectName(Name::MainMenu1);

    QMenu* file = addMenu(nullptr, Name::MainmenuFile, QStringLiteral("&File"));
    addItem(file, Name::MenuShowLogbook, QStringLiteral("Show Logbook"));
    addItem(file, Name::MenuEditLogbook, QStringLiteral("Edit Logbook"));
    addItem(file, Name::MenuOpenLogFile, QStringLiteral("&Open Log File"),
            QKeySequence(Qt::ALT | Qt::Key_O));
    addItem(file, Name::MenuCloseLogFile, QStringLiteral("C&lose Log File"))->setEnabled(false);
    addItem(file, Name::MenuEditaFile, QStringLiteral("&Edit a file"),
            QKeySequence(Qt::ALT | Qt::Key_E));
    addItem(file, Name::MenuTransmitFile, QStringLiteral("Transmit Text &File"));
    for (int number = 1; number <= 9; ++number)
        addItem(file, Name::MenuTransmitText[number - 1],
                QStringLiteral("Transmit Text %1").arg(number),
                QKeyCombination(Qt::AltModifier, Qt::Key(Qt::Key_0 + number)));
    // Enabled only while a file goes out, so Escape reaches the windows otherwise.
    addItem(file, Name::MenuStopSending, QStringLiteral("Stop sending"), Qt::Key_Escape)
        ->setEnabled(false);
    addItem(file, Name::MenuExitOrvanti, QStringLiteral("E&xit Orvanti"),
            QKeySequence(Qt::ALT | Qt::Key_X));

    QMenu* configuration =
        addMenu(nullptr, Name::MainMenuConfiguration, QStringLiteral("&Configuration"));
    addItem(configuration, Name::MenuComPort, QStringLiteral("Com Port"));

    QMenu* language =
        addMenu(configuration, Name::MenuLanguage, QStringLiteral("Helpfile Language"));
    auto* languages = new QActionGroup(this);
    for (int i = 1; i <= 9; ++i) {
        QAction* item = addItem(language, languageItemName(i), languageItemName(i));
        item->setCheckable(true);
        languages->addAction(item);
    }

    QMenu* fonts = addMenu(configuration, Name::MenuFontType, QStringLiteral("Font Type"));
    addItem(fonts, Name::MenuRxWindowFont, QStringLiteral("Receive Window"));
    addItem(fonts, Name::MenuTxWindowFont, QStringLiteral("Transmit Window"));
    addItem(fonts, Name::MenuTabs, QStringLiteral("Tabs and Buttons"));
    addItem(fonts, Name::MenuStatusLineFont, QStringLiteral("StatusLine"));
    addItem(fonts, Name::MenuLogBookFont, QStringLiteral("LogBook"));
    QMenu* colors = addMenu(configuration, Name::MenuColors, QStringLiteral("Colors"));
    addItem(colors, Name::SubMenu_Color_RxWindow, QStringLiteral("ReceiveWindow (background)"));
    addItem(colors, Name::SubMenu_Color_TxWindow, QStringLiteral("TransmitWindow (background)"));
    QMenu* textColors = addMenu(colors, Name::SubMenuColor_TextintheReceiveWindow,
                                QStringLiteral("Text in the Receive Window"));
    addItem(textColors, Name::Sub_SubMenuColor_SystemTekst, QStringLiteral("System msg from PTC"));
    addItem(textColors, Name::Sub_SubMenuColor_ReceivedText, QStringLiteral("Received Text"));
    addItem(textColors, Name::Sub_SubMenuColor_DelayedTransmittedText,
            QStringLiteral("Delayed Transmitted Text"));
    addItem(colors, Name::SubMenu_Color_ReceiveandTransmitbar,
            QStringLiteral("Receive and Transmitbar"));
    QMenu* buttonColors =
        addMenu(colors, Name::SubMenu_Color_Buttons, QStringLiteral("Text Color of Buttons"));
    addItem(buttonColors, Name::Sub_SubMenuNormalColor, QStringLiteral("Normal  Color"));
    addItem(buttonColors, Name::Sub_SubMenuMouseOnColor, QStringLiteral("Mouse On Color"));
    addItem(buttonColors, Name::Sub_SubMenuClickColor, QStringLiteral("Click Color"));
    addItem(colors, Name::SubMenuPromptColor, QStringLiteral("Prompt Color"));

    // The own-call items come with calling; their captions follow the mode already.
    addItem(configuration, Name::MenuYourcall, QStringLiteral("&Your call"));
    addItem(configuration, Name::MenuYourID, QStringLiteral("Your ID"));
    addItem(configuration, Name::MenuAudioCW, QStringLiteral("Audio"));
    QMenu* ptcType = addMenu(configuration, Name::MenuTypeofPTC, QStringLiteral("PtcType"));
    addItem(ptcType, Name::one1, QStringLiteral("one"));
    addItem(ptcType, Name::two1, QStringLiteral("two"));
    addItem(ptcType, Name::three1, QStringLiteral("three"));
    ptcType->menuAction()->setVisible(false);

    const auto addSwitch = [this, configuration](const QString& menuName, const char* title,
                                                 const QString& onName, const QString& offName) {
        QMenu* menu = addMenu(configuration, menuName, QLatin1String(title));
        addItem(menu, onName, QStringLiteral("On"))->setCheckable(true);
        addItem(menu, offName, QStringLiteral("Off"))->setCheckable(true);
    };
    addSwitch(Name::MenuMessagesOnScreen, "PTC &Messages On Screen",
              Name::Sub_MenuMessagesOnScreenOn, Name::Sub_MenuMessagesOnScreenOff);
    addSwitch(Name::MenuShowHints, "Show Hints", Name::Sub_MenuHintsOn, Name::Sub_MenuHintsOff);
    addItem(configuration, Name::MenuWordwraplength, QStringLiteral("Wordwrap length"));
    addSwitch(Name::MenuLogBookInstall, "LogBook", Name::Sub_MenuLogBookAan,
              Name::Sub_MenuLogBookUit);
    addSwitch(Name::MenuLeavePTCactive, "Leave PTC active", Name::Sub_MenuPtcOn,
              Name::Sub_MenuPtcOff);
    addItem(configuration, Name::MenuAutoCQ, QStringLiteral("Auto CQ"));
    addItem(configuration, Name::MenuInstallEditor, QStringLiteral("Install Editor"));
    addItem(configuration, Name::MenuMaxLengthReceivebuffer,
            QStringLiteral("Max Length Receivebuffer (bytes)"));
    addItem(configuration, Name::MenuCaptureTimestamps, QStringLiteral("Time-stamped Log"))
        ->setCheckable(true);

    buildModeMenu();
    buildActionMenu();

    QMenu* mailbox = addMenu(nullptr, Name::MainMenuMailbox, QStringLiteral("Mail&Box"));
    addItem(mailbox, Name::MenuToggleMaildrop, QStringLiteral("Toggle Maildrop"))
        ->setCheckable(true);
    addItem(mailbox, Name::MenuMaildropCheck, QStringLiteral("Maildrop Check"))->setCheckable(true);
    addItem(mailbox, Name::MenuBackupMailbox, QStringLiteral("Backup Mailbox"));
    addItem(mailbox, Name::MenuReloadMailbox, QStringLiteral("Reload Mailbox"));
    buildPopUpMenu();

    QMenu* help = addMenu(nullptr, Name::MainMenuHelp, QStringLiteral("&Help"));
    addItem(help, Name::MenuHelp, QStringLiteral("Help"), Qt::Key_F1);
    addItem(help, Name::MenuAbout, QStringLiteral("About"));
}

void THoofdForm::buildModeMenu()
{
    QMenu* modes = addMenu(nullptr, Name::MainMenuMode, QStringLiteral("&Mode"));
    const auto entry = [this](QMenu* menu, const QString& name, const char* text,
                              const QKeySequence& shortcut = {}) {
        return addItem(menu, name, QLatin1String(text), shortcut);
    };
    entry(modes, Name::MenuPactor, "&Pactor", Qt::Key_F2);
    QMenu* packet = addMenu(modes, Name::MenuPacket, QStringLiteral("Packet"));
    entry(packet, Name::Sub_MenuPacketPort1, "Port &1", Qt::SHIFT | Qt::Key_F1);
    entry(packet, Name::Sub_MenuPacketPort2, "Port &2", Qt::SHIFT | Qt::Key_F2);
    entry(modes, Name::MenuAmtor, "&Amtor", Qt::Key_F3);
    entry(modes, Name::MenuRtty, "&Rtty", Qt::Key_F4);
    entry(modes, Name::MenuCw, "&Cw", Qt::ALT | Qt::Key_F4);
    entry(modes, Name::NewM2, "M2")->setVisible(false);
    entry(modes, Name::MenuAudio, "A&udio", Qt::SHIFT | Qt::Key_F4);
    entry(modes, Name::MenuPsk31, "Psk31", Qt::CTRL | Qt::SHIFT | Qt::Key_F4);
    entry(modes, Name::MenuNavtex, "Navtex");
    entry(modes, Name::MenuDumb, "Dumb terminal and Tools", Qt::Key_F10);
}

void THoofdForm::buildActionMenu()
{
    QMenu* actions = addMenu(nullptr, Name::MainMenuAction, QStringLiteral("&Action"));
    const auto entry = [this](QMenu* menu, const QString& name, const char* text,
                              const QKeySequence& shortcut = {}) {
        return addItem(menu, name, QLatin1String(text), shortcut);
    };
    entry(actions, Name::MenuToggleListen, "Toggle &Listen", Qt::Key_F6);
    QMenu* unproto = addMenu(actions, Name::MenuUnpro, QStringLiteral("&Unpro Transmit"));
    const std::pair<QLatin1StringView, const char*> unprotoItems[] = {
        {Name::Sub_Menu100BdFSK, "100 Bd FSK"},
        {Name::Sub_Menu200BdFSK, "200 Bd FSK"},
        {Name::Sub_Menu100BdDPSKs, "100 Bd DPSK (S)"},
        {Name::Sub_Menu200BdDPSKs, "200 Bd DPSK (S)"},
        {Name::Sub_Menu400BDDPSKs, "400 Bd DPSK (S)"},
        {Name::Sub_Menu800BdDPSKs, "800 Bd DPSK (S)"},
        {Name::Sub_Menu100BdDPSKl, "100 Bd DPSK (L)"},
        {Name::Sub_Menu200BdDPSKl, "200 Bd DPSK (L)"},
        {Name::Sub_Menu400BdDPSKl, "400 Bd DPSK (L)"},
        {Name::Sub_Menu800BdDPSKl, "800 Bd DPSK (L)"}};
    for (int i = 0; i < 10; ++i)
        entry(unproto, unprotoItems[i].first, unprotoItems[i].second,
              i == 0 ? QKeySequence(Qt::Key_F7) : QKeySequence());
    entry(actions, Name::MenuAmtorFec, "&Fec Transmit", Qt::ALT | Qt::Key_F7);
    entry(actions, Name::MenuBaudotTransmit, "&Baudot Transmit", Qt::CTRL | Qt::Key_F7);
    entry(actions, Name::MenuStandby, "&Standby in this Mode", Qt::ALT | Qt::Key_S);
    entry(actions, Name::NewM3, "M3")->setVisible(false);
    entry(actions, Name::MenuCallAstation, "&Call a station", Qt::Key_F5);
    entry(actions, Name::MenuCallAListStation, "Call a station from &List", Qt::ALT | Qt::Key_F5);
    entry(actions, Name::MenuDisconnect, "&Disconnect", Qt::ALT | Qt::Key_D);
    entry(actions, Name::MenuHardDisconnect, "&Hard Disconnect", Qt::ALT | Qt::Key_H);
    entry(actions, Name::MenuCallCQ, "Call C&Q", Qt::Key_F8);
    entry(actions, Name::MenuChangeOver, "Change &Over", Qt::Key_End);
    entry(actions, Name::MenuSendHiscalldeMycall, "&Send Hiscall de Mycall",
          Qt::CTRL | Qt::Key_End);
    entry(actions, Name::MenuSendHiscalldeMycallCho, "&Send Hiscall de Mycall+Cho",
          Qt::ALT | Qt::Key_End);
    entry(actions, Name::MenuClearTxScreen, "Clear &Tx Screen + Buffer", Qt::ALT | Qt::Key_T);
    entry(actions, Name::MenuClearRxScreen, "Clear &Rx Screen + Buffer", Qt::ALT | Qt::Key_R);
    // The NAVTEX toolbar once more, for the keyboard: toolbar buttons take no focus.
    QMenu* navtex = addMenu(actions, Name::MenuNavtexReception, QStringLiteral("Na&vtex/Amtex"));
    entry(navtex, Name::MenuAmtexOn, "&Amtex On");
    entry(navtex, Name::MenuNavtexOn, "&Navtex On");
    entry(navtex, Name::MenuNavtexOff, "Nav-Amt &Off");
    entry(navtex, Name::MenuNavtexMsgType, "&Msg. type");
    entry(navtex, Name::MenuNavtexArea, "A&rea");
    entry(navtex, Name::MenuNavtexTime, "&Lat.Time");
}

void THoofdForm::buildPopUpMenu()
{
    // Shared by both text windows. The status line enables the link items while a link
    // is up.
    popUp_ = new QMenu(this);
    popUp_->setObjectName(Name::PopUp);
    const auto item = [this](const QString& name, const char* text, bool enabled = false) {
        QAction* action = addItem(popUp_, name, QLatin1String(text));
        action->setEnabled(enabled);
        return action;
    };
    item(Name::PopUpMakeHiscallselectedtext, "Make Hiscall=Selected text", true);
    item(Name::PopUpMakeHisNameSelectedtext, "Make HisName=Selected text", true);
    item(Name::PopUpClearRxScreen1, "Clear Rx Screen", true);
    item(Name::PopUpClearTxScreen, "Clear Tx Screen", true);
    item(Name::PopUpOpenLogFile1, "Open Log File", true);
    item(Name::PopUpSaveReceiveBuffer1, "Save Receive Buffer", true);
    item(Name::PopUpCallaStation, "Call a Station");
    item(Name::PopUpCallfromList, "Call from List");
    item(Name::PopupCho, "Change Over");
    item(Name::PopUpHisdeMy, "Transmit Hiscall de Mycall");
    item(Name::PopUpHisdeMyCHO, "Transmit Hiscall de Mycall+CHO");
    item(Name::PopUpDisconnect, "Disconnect");
    // The windows' own keys handle these shortcuts; the items only show them.
    QAction* copy = item(Name::PopUpCtrlIns, "Copy Selected text to Clipboard");
    copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Insert));
    copy->setShortcutContext(Qt::WidgetShortcut);
    QAction* paste = item(Name::PopUpShiftIns, "Paste clipboard to Transmit window");
    paste->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_Insert));
    paste->setShortcutContext(Qt::WidgetShortcut);
    item(Name::PopUpClipClear, "Clear ClipBoard");

    for (QPlainTextEdit* window : {static_cast<QPlainTextEdit*>(receiveWindow_),
                                   static_cast<QPlainTextEdit*>(transmitWindow_)}) {
        window->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(window, &QWidget::customContextMenuRequested, this,
                [this, window](const QPoint& at) { popUp_->popup(window->mapToGlobal(at)); });
    }
}

void THoofdForm::markUnavailable()
{
    // The tools and the logbook come with their own features; until then their buttons
    // and entries stay disabled. The hidden items have no work at all.
    view_.setUnavailable({
        Name::ScanButton,
        Name::UpdateButton,
        Name::TrxConfigButton,
        Name::MenuShowLogbook,
        Name::MenuEditLogbook,
        Name::Sub_MenuLogBookAan,
        Name::Sub_MenuLogBookUit,
        Name::NewM2,
        Name::NewM3,
        Name::one1,
        Name::two1,
        Name::three1,
    });
}

QList<QObject*> THoofdForm::actionComponents() const
{
    QList<QObject*> components;
    for (QMenu* menu : {static_cast<QMenu*>(nullptr), popUp_}) {
        const QList<QAction*> actions =
            menu ? menu->findChildren<QAction*>() : menuBar()->findChildren<QAction*>();
        for (QAction* action : actions)
            if (!action->objectName().isEmpty() && !action->menu())
                components.append(action);
    }
    for (QAbstractButton* button : centralWidget()->findChildren<QAbstractButton*>())
        if (!button->objectName().isEmpty() && !qobject_cast<QTabBar*>(button->parent()) &&
            !button->property(SpareButtonProperty).toBool())
            components.append(button);
    return components;
}

void THoofdForm::connectActions()
{
    for (QObject* component : actionComponents()) {
        const QString name = component->objectName();
        if (!core_->actions.contains(name))
            continue;
        const auto run = [this, name] { core_->actions.run(name); };
        if (auto* action = qobject_cast<QAction*>(component))
            connect(action, &QAction::triggered, this, run);
        else
            connect(static_cast<QAbstractButton*>(component), &QAbstractButton::clicked, this, run);
    }
}

void THoofdForm::createDialogs()
{
    if (!comBaudConfig_)
        comBaudConfig_ = new TComBaudConfig(core_->config, core_->settings, this);
    if (!configAudio_) {
        core_->audio.loadWorkingCopies();
        configAudio_ = new TConfigAudio(core_->audio, this);
    }
    if (!connectForm_)
        connectForm_ = new TConnectForm(core_->calling, this);
    if (!listConnectForm_)
        listConnectForm_ = new TListConnectForm(core_->calling, this);
    if (!yourcallForm_)
        yourcallForm_ = new TYourcallForm(core_->calling, this);
    if (!autoCqForm_)
        autoCqForm_ = new TAutoCqForm(core_->calling, core_->station, this);
    if (!navtexForm_)
        navtexForm_ = new TNavtexForm(core_->navtex, this);
    if (!amtexForm_)
        amtexForm_ = new TAmtexForm(core_->navtex, this);
}

void THoofdForm::runDialog(Dialog dialog)
{
    createDialogs();
    const auto show = [this](QDialog* window) {
        applyDialogTexts(window, core_->lifecycle.windowTexts());
        window->exec();
    };
    switch (dialog) {
    case Dialog::ComPort:
        comBaudConfig_->exec();
        break;
    case Dialog::About: {
        TAboutBox about(this);
        about.exec();
        break;
    }
    case Dialog::AudioConfig:
        show(configAudio_);
        break;
    case Dialog::Connect:
        show(connectForm_);
        break;
    case Dialog::ListConnect:
        show(listConnectForm_);
        break;
    case Dialog::AutoCq:
        show(autoCqForm_);
        break;
    case Dialog::Yourcall:
        show(yourcallForm_);
        break;
    case Dialog::FileExists: {
        TFileBestaatForm fileExists(core_->capture.fileExists, this);
        show(&fileExists);
        break;
    }
    case Dialog::Navtex:
        createDialogs();
        show(navtexForm_);
        break;
    case Dialog::Amtex:
        createDialogs();
        show(amtexForm_);
        break;
    case Dialog::WordWrap: {
        TWordwrapForm wordWrap(core_->settings, guiModal_, this);
        show(&wordWrap);
        break;
    }
    }
}

namespace {

// A font's size in points; one given in pixels counts at the usual 96 per inch.
int pointsOf(const QFont& font)
{
    if (font.pointSize() > 0)
        return font.pointSize();
    return font.pixelSize() > 0 ? (font.pixelSize() * 72 + 48) / 96 : 8;
}

} // namespace

int THoofdForm::clientHeight() const
{
    // Below the menu bar, the status bar included.
    return height() - centralWidget()->y();
}

MainLayout::SplitLimits THoofdForm::splitLimits() const
{
    return MainLayout::splitLimits(height(), pageControl_->height());
}

void THoofdForm::MaakTabBalkHoogte()
{
    buttonHeight_ = MainLayout::buttonHeight(pointsOf(pageControl_->font()));
}

void THoofdForm::MaakKnopBreedte()
{
    const int captionPoints = pointsOf(referenceButton_->font());
    for (const ModeTab& tab : Pages)
        if (auto* rows =
                qobject_cast<ButtonRows*>(pageControl_->findChild<QWidget*>(tab.toolbar)->layout()))
            rows->setButtonSizes(buttonHeight_, captionPoints);
    if (auto* rows = qobject_cast<ButtonRows*>(
            buttonBar_->findChild<QWidget*>(Name::GeneralToolbar)->layout()))
        rows->setButtonSizes(buttonHeight_, captionPoints);
}

void THoofdForm::layOut()
{
    if (!core_)
        return;
    MaakTabBalkHoogte();
    MaakKnopBreedte();
    QWidget* central = centralWidget();
    MainLayout::Input in;
    in.width = central->width();
    in.clientHeight = clientHeight();
    in.statusBarHeight = in.clientHeight - central->height();
    in.receiveBarHeight = receiveBar_->sizeHint().height();
    in.tabFontPoints = pointsOf(pageControl_->font());
    if (!drag_.dragging())
        transmitTop_ = MainLayout::transmitTop(in.clientHeight, core_->lifecycle.transmitShare());
    in.transmitTop = transmitTop_;
    const MainLayout::Areas areas = MainLayout::areas(in);
    pageControl_->setGeometry(areas.pageControl);
    buttonBar_->setGeometry(areas.buttonBar);
    receiveBar_->setGeometry(areas.receiveBar);
    receiveStack_->setGeometry(areas.receiveWindow);
    transmitBar_->setGeometry(areas.transmitBar);
    transmitWindow_->setGeometry(areas.transmitWindow);
}

void THoofdForm::dropSplit(int top)
{
    const int height = clientHeight();
    if (height <= 0)
        return;
    core_->settings.TransmitScreenHeight =
        static_cast<quint16>(MainLayout::thousandthsAt(top, height));
    core_->lifecycle.FormResize();
}

void THoofdForm::moveSplit(int percent)
{
    // As far as a drag may take it, no further.
    const MainLayout::SplitLimits limits = splitLimits();
    const int top = transmitTop_ - clientHeight() * percent / 100;
    dropSplit(std::clamp(top, limits.upper + 5, std::max(limits.upper + 5, limits.lower - 15)));
}

bool THoofdForm::splitterEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        grip_ = mouse->position().toPoint().y();
        drag_.press(transmitBar_->y());
        return true;
    }
    case QEvent::MouseMove:
        // The pointer keeps the place where it took the bar.
        if (drag_.dragging() &&
            drag_.move(static_cast<QMouseEvent*>(event)->position().toPoint().y() - grip_,
                       splitLimits())) {
            transmitTop_ = drag_.top();
            layOut();
        }
        return drag_.dragging();
    case QEvent::MouseButtonRelease:
        if (!drag_.dragging() || static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
            return false;
        dropSplit(drag_.release(splitLimits(), height()));
        return true;
    default:
        return false;
    }
}

void THoofdForm::closeEvent(QCloseEvent* event)
{
    // A file going out ends first (after its current line); the close then comes back.
    if (!closing_ && core_->files.sending()) {
        core_->files.stopSending();
        event->ignore();
        QTimer::singleShot(RetryCloseMs, this, &QWidget::close);
        return;
    }
    if (closing_ || core_->lifecycle.FormCloseQuery()) {
        closing_ = true;
        core_->stopTimers();
        closingSplash_.reset();
        event->accept();
    } else {
        event->ignore();
    }
}

void THoofdForm::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow() || closing_)
        return;
    const bool stoodIn = firstActivation_ == FirstActivation::StoodIn;
    firstActivation_ = FirstActivation::Seen;
    if (!stoodIn)
        core_->lifecycle.FormActivate();
}

void THoofdForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (firstActivation_ != FirstActivation::Awaited)
        return;
    firstActivation_ = FirstActivation::StandInDue;
    firstActivationTimer_.start();
}

void THoofdForm::standInForFirstActivation()
{
    if (firstActivation_ != FirstActivation::StandInDue || closing_)
        return;
    firstActivation_ = FirstActivation::StoodIn;
    // Shortcuts (the mode keys F2..F10 among them) work only in the active window. Ask
    // for it: with no window manager this takes the keyboard; a window manager may say no.
    if (!isActiveWindow() && !testAttribute(Qt::WA_ShowWithoutActivating))
        activateWindow();
    core_->lifecycle.FormActivate();
}

void THoofdForm::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (!closing_)
        core_->lifecycle.FormResize();
}

bool THoofdForm::eventFilter(QObject* watched, QEvent* event)
{
    if (!core_)
        return QMainWindow::eventFilter(watched, event);
    if (event->type() == QEvent::Wheel && watched == pageControl_->tabBar())
        return true;
    if (watched == transmitBar_)
        return splitterEvent(event);
    if (watched == centralWidget() || watched == pageControl_ || watched == referenceButton_) {
        if (event->type() == QEvent::Resize && watched == centralWidget())
            layOut();
        if (event->type() == QEvent::FontChange && watched != centralWidget())
            layOut();
        return QMainWindow::eventFilter(watched, event);
    }
    if (watched->objectName() == Name::Pane1 || watched->objectName() == Name::Pane2)
        return paneEvent(static_cast<QWidget*>(watched), event);
    TransmitKeys& keys = core_->keys;
    const WindowArea area = watched == receiveWindow_->viewport() || watched == receiveWindow_
                                ? WindowArea::ReceiveWindow
                            : watched == tempMemo_->viewport() || watched == tempMemo_
                                ? WindowArea::FrozenCopy
                            : watched == receiveBar_ ? WindowArea::ReceiveBar
                                                     : WindowArea::TransmitWindow;
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        if (TransmitKeys::isMenuKey(static_cast<QKeyEvent*>(event)->key())) {
            event->ignore();
            return true;
        }
        break;
    case QEvent::MouseMove:
        keys.areaMouseMove();
        break;
    case QEvent::MouseButtonPress:
        keys.areaMouseDown(area, static_cast<QMouseEvent*>(event)->button() == Qt::RightButton);
        break;
    case QEvent::KeyPress:
        if (area == WindowArea::ReceiveWindow || area == WindowArea::FrozenCopy) {
            const auto* key = static_cast<QKeyEvent*>(event);
            const bool printable = !key->text().isEmpty() && key->text().at(0).isPrint();
            if (keys.readingKeyDown(area, key->key(), key->modifiers(), printable))
                return true;
        }
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool THoofdForm::paneEvent(QWidget* pane, QEvent* event)
{
    const bool modePane = pane->objectName() == Name::Pane1;
    ModeSwitch& modes = core_->modes;
    switch (event->type()) {
    case QEvent::Enter:
        if (modePane)
            modes.Pane1MouseEnter();
        break;
    case QEvent::Leave:
        if (modePane)
            modes.Pane1MouseLeave();
        else
            modes.Pane2MouseLeave();
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: { // each click of a double click counts
        const Qt::MouseButton pressed = static_cast<QMouseEvent*>(event)->button();
        const MouseButton button = pressed == Qt::LeftButton    ? MouseButton::Left
                                   : pressed == Qt::RightButton ? MouseButton::Right
                                                                : MouseButton::Middle;
        if (modePane)
            modes.Pane1MouseDown(button);
        else
            modes.Pane2MouseDown(button);
        break;
    }
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (modePane && mouse->button() == Qt::LeftButton &&
            pane->rect().contains(mouse->position().toPoint()))
            modes.Pane1Click();
        break;
    }
    default:
        break;
    }
    return false;
}
