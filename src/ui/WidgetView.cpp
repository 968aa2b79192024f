#include "ui/WidgetView.h"

#include "ui/QtColor.h"
#include "ui/TQvSpeedButton.h"
#include "ui/TRzPanel.h"

#include <QAbstractButton>
#include <QAction>
#include <QClipboard>
#include <QFontDatabase>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QtDebug>

WidgetView::WidgetView(QMainWindow* window) : window_(window)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    const auto update = [this, clipboard] {
        const QMimeData* data = clipboard->mimeData();
        clipboardHasText_ = data && data->hasText() && !data->text().isEmpty();
    };
    update();
    QObject::connect(clipboard, &QClipboard::dataChanged, window_, update);
}

void WidgetView::indexComponents()
{
    components_.clear();
    const QList<QObject*> children = window_->findChildren<QObject*>();
    for (QObject* child : children) {
        // Qt names some objects it makes itself: "qt_" ones, the window's layout and a tab
        // bar's scroll buttons. None is ours to address.
        if (child->objectName().isEmpty() || child->objectName().startsWith(QLatin1String("qt_")) ||
            qobject_cast<QLayout*>(child) || qobject_cast<QTabBar*>(child->parent()))
            continue;
        components_.insert(child->objectName(), child);
    }
}

QStringList WidgetView::componentNames() const
{
    QStringList names = components_.keys();
    names.sort();
    return names;
}

namespace {
QStringList& missedNamesInProcess()
{
    static QStringList names;
    return names;
}
} // namespace

const QStringList& WidgetView::missedNames()
{
    return missedNamesInProcess();
}

void WidgetView::clearMissedNames()
{
    missedNamesInProcess().clear();
}

QObject* WidgetView::find(const QString& name) const
{
    QObject* object = components_.value(name);
    if (!object && !missedNamesInProcess().contains(name)) {
        missedNamesInProcess().append(name);
#ifndef NDEBUG
        qDebug() << "no component named" << name;
#endif
    }
    return object;
}

QWidget* WidgetView::findWidget(const QString& name) const
{
    return qobject_cast<QWidget*>(find(name));
}

void WidgetView::setCaption(const QString& name, const QString& caption)
{
    QObject* object = find(name);
    if (!object || WidgetView::caption(name) == caption)
        return;
    if (auto* panel = qobject_cast<TRzPanel*>(object))
        panel->setCaption(caption);
    else if (auto* label = qobject_cast<QLabel*>(object))
        label->setText(caption);
    else if (auto* button = qobject_cast<QAbstractButton*>(object))
        button->setText(caption);
    else if (auto* menu = qobject_cast<QMenu*>(object))
        menu->setTitle(caption);
    else if (auto* action = qobject_cast<QAction*>(object))
        action->setText(caption);
    changed(object);
}

QString WidgetView::caption(const QString& name) const
{
    return captionOf(find(name));
}

QString captionOf(QObject* object)
{
    if (auto* panel = qobject_cast<TRzPanel*>(object))
        return panel->caption();
    if (auto* label = qobject_cast<QLabel*>(object))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(object))
        return button->text();
    if (auto* menu = qobject_cast<QMenu*>(object))
        return menu->title();
    if (auto* action = qobject_cast<QAction*>(object))
        return action->text();
    return {};
}

void WidgetView::setHint(const QString& name, const QString& hint)
{
    QObject* object = find(name);
    if (auto* widget = qobject_cast<QWidget*>(object))
        widget->setToolTip(hint);
    else if (auto* action = qobject_cast<QAction*>(object))
        action->setToolTip(hint);
}

void WidgetView::setUnavailable(const QStringList& names)
{
    for (const QString& name : names) {
        unavailable_.insert(name);
        setEnabled(name, false);
    }
}

void WidgetView::setEnabled(const QString& name, bool enabled)
{
    if (enabled && unavailable_.contains(name))
        return;
    QObject* object = find(name);
    if (auto* menu = qobject_cast<QMenu*>(object))
        menu->menuAction()->setEnabled(enabled);
    else if (auto* widget = qobject_cast<QWidget*>(object))
        widget->setEnabled(enabled);
    else if (auto* action = qobject_cast<QAction*>(object))
        action->setEnabled(enabled);
}

void WidgetView::setVisible(const QString& name, bool visible)
{
    QObject* object = find(name);
    // A mode page is shown or hidden as its tab.
    if (auto* page = qobject_cast<QWidget*>(object)) {
        if (auto* tabs = qobject_cast<QTabWidget*>(
                page->parentWidget() ? page->parentWidget()->parentWidget() : nullptr)) {
            const int index = tabs->indexOf(page);
            if (index >= 0) {
                // Not an operator's page choice, even if the shown page must move.
                const QSignalBlocker blocker(tabs);
                tabs->setTabVisible(index, visible);
                return;
            }
        }
    }
    if (auto* menu = qobject_cast<QMenu*>(object))
        menu->menuAction()->setVisible(visible);
    else if (auto* widget = qobject_cast<QWidget*>(object))
        widget->setVisible(visible);
    else if (auto* action = qobject_cast<QAction*>(object))
        action->setVisible(visible);
}

void WidgetView::setChecked(const QString& name, bool checked)
{
    QObject* object = find(name);
    if (auto* button = qobject_cast<QAbstractButton*>(object))
        button->setChecked(checked);
    else if (auto* action = qobject_cast<QAction*>(object))
        action->setChecked(checked);
}

bool WidgetView::isChecked(const QString& name) const
{
    QObject* object = find(name);
    if (auto* button = qobject_cast<QAbstractButton*>(object))
        return button->isChecked();
    if (auto* action = qobject_cast<QAction*>(object))
        return action->isChecked();
    return false;
}

void WidgetView::setFillColor(const QString& name, Color fill)
{
    QWidget* widget = findWidget(name);
    const QColor color = toQColor(fill);
    if (!widget ||
        (widget->autoFillBackground() && widget->palette().color(QPalette::Window) == color))
        return;
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    palette.setColor(QPalette::Base, color);
    widget->setAutoFillBackground(true);
    widget->setPalette(palette);
    changed(widget);
}

void WidgetView::setTextColor(const QString& name, Color text)
{
    QWidget* widget = findWidget(name);
    const QColor color = toQColor(text);
    if (!widget || widget->palette().color(QPalette::WindowText) == color)
        return;
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    widget->setPalette(palette);
    // A panel's caption label keeps its own palette otherwise.
    if (auto* panel = qobject_cast<TRzPanel*>(widget))
        panel->captionLabel()->setPalette(palette);
    changed(widget);
}

namespace {

// The text windows fall back to the platform's fixed-pitch font, everything else to its
// general font: received text lines up in columns only in a fixed-pitch font.
bool isTextWindow(const QWidget* widget)
{
    return qobject_cast<const QPlainTextEdit*>(widget) || qobject_cast<const QTextEdit*>(widget);
}

} // namespace

QFont withFontSetting(QFont font, const QString& family, int points, int styleCode, bool textWindow)
{
    // The settings file may come from another station: a family this machine lacks
    // would leave the choice to the font matcher, which may pick anything, a symbol font
    // even. Quietly take the platform's own font at the same size instead.
    if (!family.isEmpty()) {
        if (QFontDatabase::hasFamily(family)) {
            font.setFamily(family);
        } else {
            const QFont fallback = QFontDatabase::systemFont(
                textWindow ? QFontDatabase::FixedFont : QFontDatabase::GeneralFont);
            font.setFamilies(fallback.families());
            font.setFixedPitch(fallback.fixedPitch());
            font.setStyleHint(fallback.styleHint());
        }
    }
    if (points != KeepFontSize)
        font.setPointSize(qBound(MinFontPoints, points, MaxFontPoints));
    if (styleCode >= 1 && styleCode <= 4) {
        font.setItalic(styleCode == 2 || styleCode == 4);
        font.setBold(styleCode == 3 || styleCode == 4);
    }
    return font;
}

void WidgetView::applyFont(const QString& name, const QString& family, int points, int styleCode)
{
    QWidget* widget = findWidget(name);
    if (!widget)
        return;
    const QFont font =
        withFontSetting(widget->font(), family, points, styleCode, isTextWindow(widget));
    if (font == widget->font() && widget->testAttribute(Qt::WA_SetFont))
        return;
    widget->setFont(font);
    changed(widget);
}

void WidgetView::setFontName(const QString& name, const QString& family)
{
    applyFont(name, family, KeepFontSize, 0);
}

void WidgetView::setFontSize(const QString& name, int points)
{
    applyFont(name, {}, points, 0);
}

void WidgetView::setFontStyle(const QString& name, int styleCode)
{
    applyFont(name, {}, KeepFontSize, styleCode);
}

void WidgetView::setButtonFonts(const QString& family, int points, int styleCode, Color base,
                                Color flare, Color click)
{
    const QList<TQvSpeedButton*> buttons = window_->findChildren<TQvSpeedButton*>();
    for (TQvSpeedButton* button : buttons) {
        button->setFont(withFontSetting(button->font(), family, points, styleCode, false));
        button->setCaptionColors(toQColor(base), toQColor(flare), toQColor(click));
    }
}

void WidgetView::setCursor(const QString& name, CursorShape shape)
{
    QWidget* widget = findWidget(name);
    if (!widget)
        return;
    switch (shape) {
    case CursorShape::Arrow:
        widget->setCursor(Qt::ArrowCursor);
        break;
    case CursorShape::PointingHand:
        widget->setCursor(Qt::PointingHandCursor);
        break;
    case CursorShape::Hourglass:
        widget->setCursor(Qt::WaitCursor);
        break;
    }
}

void WidgetView::setFrameLook(const QString& name, FrameLook look)
{
    auto* frame = qobject_cast<QFrame*>(findWidget(name));
    if (!frame)
        return;
    switch (look) {
    case FrameLook::Flat:
        frame->setFrameShadow(QFrame::Sunken);
        break;
    case FrameLook::Raised:
        frame->setFrameShadow(QFrame::Raised);
        break;
    case FrameLook::Pressed:
        frame->setFrameShadow(QFrame::Plain);
        break;
    }
}

void WidgetView::redraw(const QString& name)
{
    QWidget* widget = findWidget(name);
    if (!widget || !dirty_.remove(widget) || !widget->isVisible())
        return;
    // A synchronous paint flushes the whole window, the receive window with it, so the
    // panes refreshed after every block would cost a full paint each. Within a long
    // handler the panes are painted at most every SyncPaintIntervalMs; otherwise the
    // event loop paints them with everything else.
    widget->update();
    if (!sinceSyncPaint_.isValid() || sinceSyncPaint_.elapsed() >= SyncPaintIntervalMs) {
        sinceSyncPaint_.start();
        widget->repaint();
    }
}

void WidgetView::setFocus(const QString& name)
{
    QWidget* widget = findWidget(name);
    if (!widget)
        return;
    // A page of a stack that is not shown cannot hold the focus; the page shown takes
    // it in its place (TempMemo behind the receive window).
    if (auto* stack = qobject_cast<QStackedWidget*>(widget->parentWidget());
        stack && stack->currentWidget() != widget)
        widget = stack->currentWidget();
    if (!widget->hasFocus())
        widget->setFocus(Qt::OtherFocusReason);
}

QString WidgetView::clipboardText() const
{
    return QGuiApplication::clipboard()->text();
}

void WidgetView::setClipboardText(const QString& text)
{
    if (text.isEmpty())
        QGuiApplication::clipboard()->clear();
    else
        QGuiApplication::clipboard()->setText(text);
}

void WidgetView::setCurrentPage(const QString& name, int index)
{
    // A page chosen by the program is not an operator's choice: the page-change
    // handler must not run again for it.
    if (auto* tabs = qobject_cast<QTabWidget*>(find(name)); tabs && index < tabs->count()) {
        const QSignalBlocker blocker(tabs);
        tabs->setCurrentIndex(index);
    }
}

void WidgetView::setWindowTitle(const QString& title)
{
    window_->setWindowTitle(title);
}

void WidgetView::setWindowMaximized(bool maximized)
{
    window_->setWindowState(maximized ? (window_->windowState() | Qt::WindowMaximized)
                                      : (window_->windowState() & ~Qt::WindowMaximized));
}

bool WidgetView::isWindowMaximized() const
{
    return window_->isMaximized() || (window_->windowState() & Qt::WindowMaximized);
}

void WidgetView::setHintsEnabled(bool enabled)
{
    if (onHintsEnabled)
        onHintsEnabled(enabled);
}

void WidgetView::closeWindow()
{
    window_->close();
}

void WidgetView::showSplash()
{
    if (onShowSplash)
        onShowSplash();
}
