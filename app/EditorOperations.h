#pragma once

#include <cstdint>

namespace zef {

// What the file flows ask of the editor around them.
class FileFlowHost {
  public:
    virtual ~FileFlowHost() = default;

    // Re-creates the pens and brushes of the three colour slots from the model's colours and
    // line width.
    virtual void ApplyColourSlots() = 0;
    virtual void FitCanvas(std::int32_t width, std::int32_t height) = 0;
    virtual void PaintCanvas() = 0;
    virtual void RefreshToolMode() = 0;
    virtual void TakeSnapshot() = 0;
    virtual void UpdateTitle() = 0;
    // Switches VTR mode; switched on, the replay starts from the beginning.
    virtual void SetVtrMode(bool on) = 0;
};

}  // namespace zef
