#pragma once

#include <string>

#include "app/shell/Shell.h"
#include "model/Model.h"

namespace zef {

// The main window's caption: the application caption, the file title (or "untitled") and a
// marker while the model has unsaved changes. The caption is sent only when it changed.
class TitleBar {
  public:
    explicit TitleBar(Shell& shell) : shell_(shell) {}

    void UpdateTitle(const DocumentState& document);

    // The caption for a document, whole however long its file title is.
    static std::string CaptionFor(const DocumentState& document);

  private:
    Shell& shell_;
    std::string lastCaption_;
};

}  // namespace zef
