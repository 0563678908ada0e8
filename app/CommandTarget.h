#pragma once

#include "InteractionState.h"

namespace zef {

// The actions the commands of the main window run; the editor carries them out.
class CommandTarget {
  public:
    virtual ~CommandTarget() = default;

    virtual void NewModel() = 0;
    virtual void Open() = 0;
    virtual void Save() = 0;
    virtual void SaveAs() = 0;
    virtual void SelectTool(Tool tool) = 0;  // a drawing tool
    virtual void SelectRangeTool() = 0;      // the range selection tool, selection cleared
    virtual void SelectAll() = 0;
    virtual void InvertSelection() = 0;
    virtual void ToggleMoveMode() = 0;
    virtual void ToggleScaleMode() = 0;
    virtual void ToggleVtrMode() = 0;
    virtual void ToggleShaking() = 0;
    virtual void DeleteSelectedSegments() = 0;
    virtual void StraightenSelection() = 0;
    virtual void RemoveLastLine() = 0;
    virtual void Undo() = 0;
    virtual void Redo() = 0;
    virtual void ExportGif() = 0;
    virtual void ExportBmp() = 0;
    virtual void ShowProperties() = 0;
    virtual void ShowSettings() = 0;
    virtual void ShowAbout() = 0;
};

}  // namespace zef
