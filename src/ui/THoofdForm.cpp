#include "ui/THoofdForm.h"

#include "app/Clock.h"
#include "app/OrvantiCore.h"
#include "app/dialogs/TAboutBox.h"
#include "app/dialogs/TComBaudConfig.h"
#include "app/dialogs/TSplashForm.h"
#include "link/CommPortDriver.h"
#include "ui/HintPolicy.h"
#include "ui/TQvRichEdit.h"
#include "ui/TRzPanel.h"
#include "ui/TTransmitMemo.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

struct ModeTab {
    const char* page;
    const char* caption;
    const char* toolbar;
};

const ModeTab Pages[] = {
    {"PACTORTab", "PACTOR", "PactorToolBar"},
    {"AMTOR", "AMTOR", "AmtorToolBar"},
    {"PACKET", "PACKET", "PacketToolBar"},
    {"RTTY", "RTTY", "RttyToolbar"},
    {"CW", "CW", "CwToolbar"},
    {"AUDIO", "AUDIO", "AudioToolbar"},
    {"PSK31", "PSK31", "PskToolbar"},
    {"NAVTEX", "NAVTEX", "NavtexToolbar"},
    {"DUMBMODE", "TOOLS", "DumbToolbar"},
};

const char* const PaneHints[] = {"PTC Mode",
                                 "SubMode",
                                 "HisCall",
                                 "Receive Status",
                                 "Recv/Transm.",
                                 "Number of Char in Recv Buffer",
                                 "Number of Char. in Databuffer",
                                 ""};

} // namespace

THoofdForm::THoofdForm(const MainWindowOptions& options, QWidget* parent)
    : QMainWindow(parent), guiModal_(this), view_(this), hints_(options.hints)
{
    setObjectName(QStringLiteral("HoofdForm"));
    buildWindow();
    buildMenus();
    view_.indexComponents();

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

    core_ = std::make_unique<OrvantiCore>(*port, *clock, view_, *receiveWindow_, *transmitWindow_,
                                          *modal);
    core_->config.setPortOverride(options.portOverride);
    createResult_ = core_->lifecycle.FormCreate();
    applyTransmitHeight();
    core_->startTimers();
}

THoofdForm::~THoofdForm()
{
    core_->stopTimers();
}

void THoofdForm::buildWindow()
{
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(2, 1, 2, 0);
    layout->setSpacing(0);

    // Mode pages beside the general button bar. The pages' toolbars take their buttons
    // with the mode commands; until then a page change does not act.
    auto* top = new QHBoxLayout;
    pageControl_ = new QTabWidget(central);
    pageControl_->setObjectName(QStringLiteral("PageControl"));
    for (const ModeTab& tab : Pages) {
        auto* page = new QWidget(pageControl_);
        page->setObjectName(QLatin1String(tab.page));
        auto* toolbar = new QWidget(page);
        toolbar->setObjectName(QLatin1String(tab.toolbar));
        auto* pageLayout = new QHBoxLayout(page);
        pageLayout->setContentsMargins(0, 0, 0, 0);
        pageLayout->addWidget(toolbar);
        pageControl_->addTab(page, QLatin1String(tab.caption));
    }
    pageControl_->tabBar()->setEnabled(false);
    pageControl_->setFixedHeight(60);
    top->addWidget(pageControl_, 2);
    auto* buttonBar = new QFrame(central);
    buttonBar->setObjectName(QStringLiteral("KnoppenBalk"));
    buttonBar->setFrameShape(QFrame::Panel);
    buttonBar->setFrameShadow(QFrame::Raised);
    auto* generalToolbar = new QWidget(buttonBar);
    generalToolbar->setObjectName(QStringLiteral("GeneralToolbar"));
    auto* buttonBarLayout = new QHBoxLayout(buttonBar);
    buttonBarLayout->addWidget(generalToolbar);
    top->addWidget(buttonBar, 1);
    layout->addLayout(top);

    receiveBar_ = new TRzPanel(QStringLiteral("Receivebar"), QString(), central);
    auto* ptcText = new QLabel(QStringLiteral("PTC"), receiveBar_);
    ptcText->setObjectName(QStringLiteral("PtcTekst"));
    auto* version = new QLabel(receiveBar_);
    version->setObjectName(QStringLiteral("Versie"));
    auto* receiveBarLayout = static_cast<QHBoxLayout*>(receiveBar_->layout());
    receiveBarLayout->insertWidget(0, ptcText);
    receiveBarLayout->addWidget(version);
    receiveBar_->setMouseTracking(true);
    receiveBar_->installEventFilter(this);
    layout->addWidget(receiveBar_);

    receiveStack_ = new QStackedWidget(central);
    receiveStack_->setObjectName(QStringLiteral("ReceiveStack"));
    tempMemo_ = new QPlainTextEdit(receiveStack_);
    tempMemo_->setObjectName(QStringLiteral("TempMemo"));
    tempMemo_->setReadOnly(true);
    receiveWindow_ = new TQvRichEdit(receiveStack_, tempMemo_, receiveStack_);
    receiveStack_->addWidget(receiveWindow_);
    receiveStack_->addWidget(tempMemo_);
    receiveStack_->setCurrentWidget(receiveWindow_);
    layout->addWidget(receiveStack_, 700);

    transmitBar_ = new TRzPanel(QStringLiteral("Transmitbalk"), QString(), central);
    transmitBar_->setCursor(Qt::SplitVCursor);
    addLamp(transmitBar_, QStringLiteral("NavtexLed"), QStringLiteral("Navtex"),
            QStringLiteral("Navtex On/Off"));
    addLamp(transmitBar_, QStringLiteral("XOnLed"), QStringLiteral("Xon"),
            QStringLiteral("State of Xoff/Xon from PTC"));
    addLamp(transmitBar_, QStringLiteral("LeesLed"), QStringLiteral("Disk"),
            QStringLiteral("Disk reading or writing"));
    addLamp(transmitBar_, QStringLiteral("logLed"), QStringLiteral("Log"),
            QStringLiteral("Log File"));
    addLamp(transmitBar_, QStringLiteral("V24DataLed"), QStringLiteral("Data"),
            QStringLiteral("Data available in buffer"));
    layout->addWidget(transmitBar_);

    transmitWindow_ = new TTransmitMemo(central);
    layout->addWidget(transmitWindow_, 300);
    setCentralWidget(central);

    for (QWidget* area :
         {receiveWindow_->viewport(), tempMemo_->viewport(), transmitWindow_->viewport()}) {
        area->setMouseTracking(true);
        area->installEventFilter(this);
    }

    auto* statusBar = new QStatusBar(this);
    statusBar->setObjectName(QStringLiteral("Statusbalk"));
    statusBar->setSizeGripEnabled(false);
    for (int i = 0; i < 8; ++i) {
        auto* pane = new QLabel(statusBar);
        pane->setObjectName(QStringLiteral("Pane%1").arg(i + 1));
        pane->setFrameShape(QFrame::Panel);
        pane->setFrameShadow(QFrame::Sunken);
        pane->setAutoFillBackground(true);
        pane->setToolTip(QLatin1String(PaneHints[i]));
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
    menuBar()->setObjectName(QStringLiteral("MainMenu1"));

    QMenu* file = addMenu(nullptr, QStringLiteral("MainmenuFile"), QStringLiteral("&File"));
    QAction* exit = addItem(file, QStringLiteral("MenuExitOrvanti"),
                            QStringLiteral("E&xit Orvanti"), QKeySequence(Qt::ALT | Qt::Key_X));
    connect(exit, &QAction::triggered, this, &QWidget::close);

    QMenu* configuration =
        addMenu(nullptr, QStringLiteral("MainMenuConfiguration"), QStringLiteral("&Configuration"));
    connect(addItem(configuration, QStringLiteral("MenuComPort"), QStringLiteral("Com Port")),
            &QAction::triggered, this, [this] { core_->config.MenuComPortClick(); });

    QMenu* language =
        addMenu(configuration, QStringLiteral("MenuLanguage"), QStringLiteral("Helpfile Language"));
    auto* languages = new QActionGroup(this);
    const char* const languageNames[] = {"English", "German",  "Dutch",     "French",    "Italian",
                                         "Spanish", "Swedish", "Norwegian", "Portuguese"};
    for (int i = 0; i < 9; ++i) {
        QAction* item =
            addItem(language, QLatin1String(languageNames[i]), QLatin1String(languageNames[i]));
        item->setCheckable(true);
        languages->addAction(item);
        connect(item, &QAction::triggered, this, [this, i] {
            core_->config.languageClick(i + 1);
            core_->config.markLanguageItem(); // Swedish and Norwegian leave the mark alone
        });
    }

    const auto addSwitch = [this, configuration](const QString& menuName, const QString& title,
                                                 const QString& onName, const QString& offName,
                                                 void (ConfigurationMenu::*on)(),
                                                 void (ConfigurationMenu::*off)()) {
        QMenu* menu = addMenu(configuration, menuName, title);
        QAction* onItem = addItem(menu, onName, QStringLiteral("On"));
        QAction* offItem = addItem(menu, offName, QStringLiteral("Off"));
        onItem->setCheckable(true);
        offItem->setCheckable(true);
        connect(onItem, &QAction::triggered, this, [this, on] { (core_->config.*on)(); });
        connect(offItem, &QAction::triggered, this, [this, off] { (core_->config.*off)(); });
    };
    addSwitch(QStringLiteral("MenuMessagesOnScreen"), QStringLiteral("PTC &Messages On Screen"),
              QStringLiteral("Sub_MenuMessagesOnScreenOn"),
              QStringLiteral("Sub_MenuMessagesOnScreenOff"),
              &ConfigurationMenu::Sub_MenuMessagesOnScreenOnClick,
              &ConfigurationMenu::Sub_MenuMessagesOnScreenOffClick);
    addSwitch(QStringLiteral("MenuShowHints"), QStringLiteral("Show Hints"),
              QStringLiteral("Sub_MenuHintsOn"), QStringLiteral("Sub_MenuHintsOff"),
              &ConfigurationMenu::Sub_MenuHintsOnClick, &ConfigurationMenu::Sub_MenuHintsOffClick);
    addSwitch(QStringLiteral("MenuLeavePTCactive"), QStringLiteral("Leave PTC active"),
              QStringLiteral("Sub_MenuPtcOn"), QStringLiteral("Sub_MenuPtcOff"),
              &ConfigurationMenu::Sub_MenuPtcOnClick, &ConfigurationMenu::Sub_MenuPtcOffClick);

    QMenu* help = addMenu(nullptr, QStringLiteral("MainMenuHelp"), QStringLiteral("&Help"));
    connect(addItem(help, QStringLiteral("MenuAbout"), QStringLiteral("About")),
            &QAction::triggered, this, &THoofdForm::MenuAboutClick);
}

void THoofdForm::createDialogs()
{
    if (!comBaudConfig_)
        comBaudConfig_ = new TComBaudConfig(core_->config, core_->settings, this);
}

void THoofdForm::runDialog(Dialog dialog)
{
    switch (dialog) {
    case Dialog::ComPort:
        createDialogs();
        comBaudConfig_->exec();
        break;
    case Dialog::About: {
        TAboutBox about(this);
        about.exec();
        break;
    }
    }
}

void THoofdForm::MenuAboutClick()
{
    core_->station.MenuHold = false;
    guiModal_.runDialog(Dialog::About);
}

void THoofdForm::applyTransmitHeight()
{
    // The share of the transmit area, in thousandths of the window.
    int transmit = core_->settings.TransmitScreenHeight;
    if (transmit <= 0 || transmit >= 1000)
        transmit = 300;
    auto* layout = static_cast<QVBoxLayout*>(centralWidget()->layout());
    layout->setStretchFactor(receiveStack_, 1000 - transmit);
    layout->setStretchFactor(transmitWindow_, transmit);
}

void THoofdForm::closeEvent(QCloseEvent* event)
{
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
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !closing_)
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
    // Moving the mouse over the text windows or the receive bar ends a menu's freeze.
    if (event->type() == QEvent::MouseMove && core_)
        core_->station.MenuHold = false;
    return QMainWindow::eventFilter(watched, event);
}
