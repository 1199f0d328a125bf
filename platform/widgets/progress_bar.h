// A progress bar over a 16-bit range. Its setters repaint it at once, so it
// moves on the screen while a job blocks the event loop.
#ifndef KOMBREL_PLATFORM_WIDGETS_PROGRESS_BAR_H
#define KOMBREL_PLATFORM_WIDGETS_PROGRESS_BAR_H

#include <cstdint>
#include <string>

#include "platform/widgets/controls.h"

class TProgressBar : public TControl {
public:
    TProgressBar(TWinControl &parent, std::string name);

    uint16_t Min() const { return min_; }
    uint16_t Max() const { return max_; }
    uint16_t Position() const { return position_; }

    // The position is kept within Min to Max: a position set outside the
    // range, or left outside by a new range, moves to its nearer end.
    void SetMin(uint16_t min);
    void SetMax(uint16_t max);
    void SetPosition(uint16_t position);

private:
    void Refresh();

    uint16_t min_ = 0;
    uint16_t max_ = 100;
    uint16_t position_ = 0;
};

#endif
