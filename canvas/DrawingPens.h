#pragma once

#include <cstdint>

#include "canvas/Pen.h"
#include "model/Colour.h"
#include "model/ModelProperties.h"

namespace zef {

// The pens and the background fill the canvas is drawn with, kept in step with the model's
// colours and line width by SetColourSlot.
class DrawingPens {
  public:
    // The pens of the standard properties: the standard colours at width 4.
    DrawingPens();

    // Sets colour slot 0 (line), 1 (shadow) or 2 (background) and stores the colour in the
    // properties. When `width` differs from the width of the previous call it becomes the
    // properties' lineWidth and the red pens take it; the line and shadow pens take
    // lineWidth only when their own slot is set. Another slot number changes no colour.
    void SetColourSlot(ModelProperties& properties, int slot, Colour colour, std::int32_t width);

    const Pen& Line() const { return line_; }
    const Pen& Shadow() const { return shadow_; }
    const Pen& Red() const { return red_; }
    const Pen& WideRed() const { return wideRed_; }
    // The one-pixel pen of the dotted frame.
    const Pen& Dotted() const { return dotted_; }
    std::uint32_t Background() const { return background_; }

  private:
    void SetRedWidth(std::int32_t width);

    Pen line_;
    Pen shadow_;
    Pen red_;
    Pen wideRed_;
    Pen dotted_{kBlack, 1};
    std::uint32_t background_;
};

}  // namespace zef
