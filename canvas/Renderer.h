#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "canvas/Bitmap.h"
#include "canvas/DrawingPens.h"
#include "canvas/InteractionState.h"
#include "canvas/RenderReport.h"
#include "canvas/SegmentRunTable.h"
#include "model/Model.h"
#include "model/SelectionState.h"

namespace zef {

// Draws the model into the 800 x 600 off-screen canvas, with the pens, the replay (VTR) state
// and the overlays of the tools. Every frame is drawn from scratch. It reads no clock: the
// replay advances one step with each frame its caller asks for.
class Renderer {
  public:
    // Sets a colour slot and the line width; see DrawingPens::SetColourSlot.
    void SetColourSlot(ModelProperties& properties, int slot, std::uint8_t red, std::uint8_t green,
                       std::uint8_t blue, std::int32_t width);
    // Sets the three slots, line, shadow and background in that order, from the colours and
    // the line width the properties hold.
    void ApplyColourSlots(ModelProperties& properties);

    // Draws one frame of the model: the background over the canvas area, then the shadow
    // pass and the line pass as noShadow chooses. Outside replay mode it writes the number of
    // points visited into model.document.drawnPointCount; in replay mode it draws the path
    // up to the replay length and advances it.
    RenderReport RenderModel(Model& model, const SelectionState& selection);

    // Draws the tool's rubber band and the selection highlight over the last frame. Draws
    // nothing in replay mode.
    void DrawOverlays(const Model& model, const SelectionState& selection,
                      const InteractionState& interaction);

    // Enters replay mode with a replay length of 0.
    void StartReplay();
    // Leaves replay mode.
    void StopReplay();
    bool VtrMode() const { return vtrMode_; }
    // Path length, in pixels, that the next replay frame may draw.
    std::uint32_t ReplayLength() const { return replayLength_; }

    const Bitmap& Canvas() const { return bitmap_; }
    const DrawingPens& Pens() const { return pens_; }

  private:
    // Walks the points once with `pen`, every drawn position moved by (offset, offset). False
    // when the replay length ran out before the end of the list.
    bool DrawPass(const Model& model, const SelectionState& selection, const Pen& pen,
                  std::int64_t offset, const SegmentRunTable* runs);
    // The uses of the run tables: the shadow pass, the line pass, the highlight's red lines.
    static constexpr std::size_t kShadowRuns = 0;
    static constexpr std::size_t kLineRuns = 1;
    static constexpr std::size_t kHighlightRuns = 2;

    // The runs of short segments for one use, made again when the width of its pen changed;
    // none for widths a table does not serve.
    const SegmentRunTable* RunTable(std::size_t use, std::int32_t width);
    void DrawRubberBand(const Model& model, const InteractionState& interaction);
    void DrawSelectionHighlight(const Model& model, const SelectionState& selection);

    Bitmap bitmap_;
    DrawingPens pens_;
    std::array<std::optional<SegmentRunTable>, 3> runTables_;
    bool vtrMode_ = false;
    std::uint32_t replayLength_ = 0;
};

}  // namespace zef
