// Fonts the forms ask for, and what stands in where a font is missing.
// Internal to this layer.
#ifndef KOMBREL_PLATFORM_WIDGETS_FONTS_H
#define KOMBREL_PLATFORM_WIDGETS_FONTS_H

#include <QFont>

#include "platform/widgets/controls.h"

// Registers the nearest installed font for each font of the table that is
// missing here. Call once Qt's application exists.
void SubstituteMissingFonts();

QFont ToQFont(const TFont &font);

#endif
