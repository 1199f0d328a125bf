// The surface an owner-draw handler paints on, with the brush and font colour
// the platform prepared for the item.
#ifndef KOMBREL_PLATFORM_WIDGETS_CANVAS_H
#define KOMBREL_PLATFORM_WIDGETS_CANVAS_H

#include <cstdint>
#include <string>

#include "platform/widgets/controls.h"

class QPainter;

class TCanvas {
public:
    // A canvas that draws nothing: the list's canvas outside of drawing.
    TCanvas() = default;
    // For the platform: paints with `painter` in its current font; colours
    // are 0xAARRGGBB.
    TCanvas(QPainter &painter, uint32_t brushColor, uint32_t textColor)
        : painter_(&painter), brushColor_(brushColor), textColor_(textColor)
    {
    }

    // Fills `rect` with the current brush.
    void FillRect(const TRect &rect);
    // Writes `text` in the current font with its top-left corner at x, y.
    void TextOut(int x, int y, const std::string &text);

private:
    QPainter *painter_ = nullptr;
    uint32_t brushColor_ = 0;
    uint32_t textColor_ = 0;
};

#endif
