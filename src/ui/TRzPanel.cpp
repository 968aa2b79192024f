#include "ui/TRzPanel.h"

#include <QHBoxLayout>
#include <QLabel>

TRzPanel::TRzPanel(const QString& name, const QString& caption, QWidget* parent)
    : QFrame(parent), caption_(new QLabel(caption, this))
{
    setObjectName(name);
    setAutoFillBackground(true);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    caption_->setAlignment(Qt::AlignCenter);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 1, 4, 1);
    layout->addWidget(caption_, 1);
}

void TRzPanel::setCaption(const QString& caption)
{
    caption_->setText(caption);
}

QString TRzPanel::caption() const
{
    return caption_->text();
}
