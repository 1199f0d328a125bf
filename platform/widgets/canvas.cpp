#include "platform/widgets/canvas.h"

#include <QColor>
#include <QPainter>

#include "platform/widgets/qt_text.h"

void TCanvas::FillRect(const TRect &rect)
{
    if (painter_ == nullptr)
        return;
    painter_->fillRect(rect.Left, rect.Top, rect.Width(), rect.Height(), QColor::fromRgba(brushColor_));
}

void TCanvas::TextOut(int x, int y, const std::string &text)
{
    if (painter_ == nullptr)
        return;
    painter_->setPen(QColor::fromRgba(textColor_));
    painter_->drawText(x, y + painter_->fontMetrics().ascent(), ToQString(text));
}
