// A bevel: an etched frame or line drawn on its parent, below the controls.
#ifndef KOMBREL_PLATFORM_WIDGETS_BEVEL_H
#define KOMBREL_PLATFORM_WIDGETS_BEVEL_H

#include <string>

#include "platform/widgets/controls.h"

enum TBevelShape {
    bsBox,     // a sunken frame around the bevel's rectangle
    bsTopLine, // a sunken line along the top edge only
};

class TBevel : public TControl {
public:
    TBevel(TWinControl &parent, std::string name);

    TBevelShape Shape() const;
    void SetShape(TBevelShape shape);
};

#endif
