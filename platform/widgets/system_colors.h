// The system colours a control can ask for, taken from the style's palette.
// Internal to this layer.
#ifndef KOMBREL_PLATFORM_WIDGETS_SYSTEM_COLORS_H
#define KOMBREL_PLATFORM_WIDGETS_SYSTEM_COLORS_H

#include <QColor>
#include <QPalette>

#include "platform/widgets/controls.h"

inline QColor SystemColor(TColor color, const QPalette &palette)
{
    switch (color) {
    case clBtnFace: // the colour of forms and dialogs
        return palette.color(QPalette::Window);
    case clWindow:
        break;
    }
    return palette.color(QPalette::Base);
}

#endif
