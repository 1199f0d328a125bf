// An image: a picture drawn unscaled at the control's top-left corner.
#ifndef KOMBREL_PLATFORM_WIDGETS_IMAGE_H
#define KOMBREL_PLATFORM_WIDGETS_IMAGE_H

#include <string>

#include "platform/widgets/controls.h"

class TImage : public TControl {
public:
    TImage(TWinControl &parent, std::string name);

    // Loads the picture from the program's embedded resource `resourceName`
    // (an XPM, PNG or BMP file built into the program). Raises
    // EInvalidGraphic when there is no such picture.
    void LoadFromResource(const std::string &resourceName);

    int PictureWidth() const;
    int PictureHeight() const;
};

#endif
