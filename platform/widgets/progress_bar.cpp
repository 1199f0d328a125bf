#include "platform/widgets/progress_bar.h"

#include <QProgressBar>
#include <algorithm>

TProgressBar::TProgressBar(TWinControl &parent, std::string name)
    : TControl(std::move(name), new QProgressBar, &parent)
{
    static_cast<QProgressBar *>(Handle())->setTextVisible(false);
    Refresh();
}

void TProgressBar::SetMin(uint16_t min)
{
    min_ = min;
    Refresh();
}

void TProgressBar::SetMax(uint16_t max)
{
    max_ = max;
    Refresh();
}

void TProgressBar::SetPosition(uint16_t position)
{
    position_ = position;
    Refresh();
}

void TProgressBar::Refresh()
{
    const uint16_t low = std::min(min_, max_);
    const uint16_t high = std::max(min_, max_);
    position_ = std::clamp(position_, low, high);
    // Qt shows a busy indicator for an empty range; a bar of width 1 at its
    // start shows the same empty bar without it.
    auto *bar = static_cast<QProgressBar *>(Handle());
    bar->setRange(0, std::max(high - low, 1));
    bar->setValue(high == low ? 0 : position_ - low);
    bar->repaint();
}
