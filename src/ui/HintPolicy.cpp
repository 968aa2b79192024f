#include "ui/HintPolicy.h"

#include <QApplication>
#include <QEvent>
#include <QProxyStyle>
#include <QToolTip>

namespace {

class HintTimingStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == QStyle::SH_ToolTip_WakeUpDelay)
            return 500;
        if (hint == QStyle::SH_ToolTip_FallAsleepDelay)
            return 5000;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

HintPolicy::HintPolicy(QObject* parent) : QObject(parent) {}

void HintPolicy::install()
{
    QApplication::setStyle(new HintTimingStyle);
    QPalette palette = QToolTip::palette();
    palette.setColor(QPalette::ToolTipBase, QColor(255, 255, 0));
    palette.setColor(QPalette::ToolTipText, Qt::black);
    QToolTip::setPalette(palette);
    qApp->installEventFilter(this);
}

bool HintPolicy::eventFilter(QObject* watched, QEvent* event)
{
    if (!enabled_ && event->type() == QEvent::ToolTip)
        return true;
    return QObject::eventFilter(watched, event);
}
