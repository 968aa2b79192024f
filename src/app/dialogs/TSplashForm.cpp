#include "app/dialogs/TSplashForm.h"

#include "base/Version.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

TSplashForm::TSplashForm(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("SplashForm"));
    setFixedSize(366, 181);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::ToolTipBase));
    setPalette(palette);

    auto* title = new QLabel(ProgramName, this);
    QFont titleFont(QStringLiteral("Arial"), 24, QFont::Bold);
    title->setFont(titleFont);
    title->setStyleSheet(QStringLiteral("color: blue"));
    title->setAlignment(Qt::AlignCenter);

    auto* credits = new QLabel(QStringLiteral("Terminal for the PTC family of HF data controllers\n"
                                              "Version %1\n\n"
                                              "Written for radio amateurs, free to use and share.")
                                   .arg(ProgramVersion),
                               this);
    credits->setAlignment(Qt::AlignCenter);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(credits);

    if (QScreen* screen = QApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void TSplashForm::showNow()
{
    show();
    raise();
    // The caller is about to block: let the window system map and paint the window.
    // Only window-system and paint events may run here, so callers stop their timers.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    repaint();
}
