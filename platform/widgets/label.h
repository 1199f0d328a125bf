// A label: one line of static text.
#ifndef KOMBREL_PLATFORM_WIDGETS_LABEL_H
#define KOMBREL_PLATFORM_WIDGETS_LABEL_H

#include <string>

#include "platform/widgets/controls.h"

class TLabel : public TControl {
public:
    TLabel(TWinControl &parent, std::string name);

    std::string Caption() const;
    void SetCaption(const std::string &caption);

    // With AutoSize (the default) the label takes the size of its caption,
    // keeping its left and top.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);

    // Carries out the window's pending repaint at once, so the label's new
    // caption (and a page just switched to) is on the screen even while the
    // caller goes on to block the event loop. Runs no events.
    void Update();

private:
    void FitToCaption();
    bool autoSize_ = true;
};

#endif
