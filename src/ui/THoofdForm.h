#pragma once

// THoofdForm, the main window: the receive window over the transmit window, the bars
// with their lamps, the status bar and the menus. It builds the components with their
// names, hands them to the core as its View, and forwards widget events to the core's
// handlers; the decisions are the core's.

#include "app/Lifecycle.h"
#include "ui/GuiModal.h"
#include "ui/MainLayout.h"
#include "ui/WidgetView.h"

#include <QDir>
#include <QMainWindow>
#include <QTimer>
#include <memory>

class Clock;
class HintPolicy;
class OrvantiCore;
class Port;
class QFrame;
class QMenu;
class QPlainTextEdit;
class QStackedWidget;
class QTabWidget;
class TAutoCqForm;
class TAmtexForm;
class TNavtexForm;
class TComBaudConfig;
class TConfigAudio;
class TConnectForm;
class TListConnectForm;
class TYourcallForm;
class TQvRichEdit;
class TRzPanel;
class TSplashForm;
class TTransmitMemo;

struct MainWindowOptions {
    QString stationFolder = QDir::currentPath(); // where Orvanti.ini and the files are
    QString portOverride;                        // --port: this run's device, not saved
    // Seams for tests; the window makes its own when these are null.
    Port* port = nullptr;
    Modal* modal = nullptr;
    Clock* clock = nullptr;
    HintPolicy* hints = nullptr;
};

class THoofdForm : public QMainWindow {
    Q_OBJECT
public:
    explicit THoofdForm(const MainWindowOptions& options, QWidget* parent = nullptr);
    ~THoofdForm() override;

    CreateResult createResult() const { return createResult_; }
    // The dialog windows, created once after the main window.
    void createDialogs();

    OrvantiCore& core() { return *core_; }
    TQvRichEdit* receiveWindow() const { return receiveWindow_; }
    TTransmitMemo* transmitWindow() const { return transmitWindow_; }
    TComBaudConfig* comBaudConfig() const { return comBaudConfig_; }
    TConfigAudio* configAudio() const { return configAudio_; }
    // Shows one of the program's dialogs modally (the window's Modal::runDialog).
    void runDialog(Dialog dialog);
    WidgetView& view() { return view_; }
    // The named menu items (menu bar and pop-up) and toolbar buttons: what the action
    // table may drive.
    QList<QObject*> actionComponents() const;
    // Whether the start-up activation work (FormActivate) has run, on the first
    // activation or in its place.
    bool firstActivationHandled() const
    {
        return firstActivation_ == FirstActivation::StoodIn ||
               firstActivation_ == FirstActivation::Seen;
    }

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildWindow();
    void buildMenus();
    void buildModeMenu();
    void buildActionMenu();
    void buildPopUpMenu();
    // Components whose feature is not built yet stay disabled.
    void markUnavailable();
    // Connects every named menu item and toolbar button to the core's action of that name.
    void connectActions();
    QMenu* addMenu(QMenu* parent, const QString& name, const QString& title);
    QAction* addItem(QMenu* menu, const QString& name, const QString& text,
                     const QKeySequence& shortcut = {});
    TRzPanel* addLamp(QWidget* bar, const QString& name, const QString& caption,
                      const QString& hint);
    // Mouse actions on the mode pane (Pane1) or the sub-mode pane (Pane2).
    bool paneEvent(QWidget* pane, QEvent* event);
    // The window's parts from its size, the fonts and the transmit bar's place.
    void layOut();
    // The buttons' height from the tab font, then their widths from their captions.
    void MaakTabBalkHoogte();
    void MaakKnopBreedte();
    int clientHeight() const;
    MainLayout::SplitLimits splitLimits() const;
    // The transmit bar, dragged with the mouse: true when the event was the bar's.
    bool splitterEvent(QEvent* event);
    // Moves the transmit bar by `percent` of the client height (up for positive).
    void moveSplit(int percent);
    // Keeps the transmit bar's new place as the transmit share and lays out anew.
    void dropSplit(int top);
    void standInForFirstActivation();

    std::unique_ptr<Port> ownedPort_;
    std::unique_ptr<Clock> ownedClock_;
    GuiModal guiModal_;
    WidgetView view_;
    HintPolicy* hints_ = nullptr;

    QTabWidget* pageControl_ = nullptr;
    QWidget* referenceButton_ = nullptr; // PactorStandby: its font sizes the captions
    QFrame* buttonBar_ = nullptr;
    int buttonHeight_ = 21;
    int transmitTop_ = 0;
    MainLayout::SplitterDrag drag_;
    int grip_ = 0; // where in the bar the pointer took it
    QMenu* popUp_ = nullptr;
    TRzPanel* receiveBar_ = nullptr;
    QStackedWidget* receiveStack_ = nullptr;
    TQvRichEdit* receiveWindow_ = nullptr;
    QPlainTextEdit* tempMemo_ = nullptr;
    TRzPanel* transmitBar_ = nullptr;
    TTransmitMemo* transmitWindow_ = nullptr;
    TComBaudConfig* comBaudConfig_ = nullptr;
    TConfigAudio* configAudio_ = nullptr;
    TConnectForm* connectForm_ = nullptr;
    TListConnectForm* listConnectForm_ = nullptr;
    TAutoCqForm* autoCqForm_ = nullptr;
    TNavtexForm* navtexForm_ = nullptr;
    TAmtexForm* amtexForm_ = nullptr;
    TYourcallForm* yourcallForm_ = nullptr;
    std::unique_ptr<TSplashForm> closingSplash_;

    std::unique_ptr<OrvantiCore> core_;
    CreateResult createResult_ = CreateResult::Ready;
    bool closing_ = false;
    // Without a window manager, or when one holds new windows back, the window system
    // may never activate the window; the start-up work cannot wait for it.
    enum class FirstActivation {
        Awaited,    // not shown yet
        StandInDue, // shown; the stand-in runs when the event loop turns
        StoodIn,    // the stand-in ran: the first real activation is already done
        Seen,       // from here every activation runs FormActivate
    };
    FirstActivation firstActivation_ = FirstActivation::Awaited;
    QTimer firstActivationTimer_;
};
