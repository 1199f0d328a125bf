#include "platform/widgets/label.h"

#include <QLabel>

#include "platform/widgets/qt_text.h"

TLabel::TLabel(TWinControl &parent, std::string name) : TControl(std::move(name), new QLabel, &parent)
{
    static_cast<QLabel *>(Handle())->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

std::string TLabel::Caption() const
{
    return FromQString(static_cast<QLabel *>(Handle())->text());
}

void TLabel::SetCaption(const std::string &caption)
{
    auto *label = static_cast<QLabel *>(Handle());
    label->setTextFormat(Qt::PlainText);
    label->setText(ToQString(caption));
    FitToCaption();
}

void TLabel::SetAutoSize(bool autoSize)
{
    autoSize_ = autoSize;
    FitToCaption();
}

void TLabel::FitToCaption()
{
    if (autoSize_)
        Handle()->resize(Handle()->sizeHint());
}

void TLabel::Update()
{
    // The whole window: a page switched to just before has not been painted
    // either, and Qt paints a window in one pass.
    Handle()->window()->repaint();
}
