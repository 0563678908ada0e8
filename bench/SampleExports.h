#pragma once

#include <string>

#include "export/ExportProgress.h"
#include "model/Model.h"
#include "model/ModelFileIO.h"

namespace zef::bench {

// An export's progress that shows nothing and never cancels.
struct NoProgress : ExportProgress {
    void SetStatusText(const std::string&) override {}
    void SetProgressRange(std::int32_t, std::int32_t) override {}
    void StepProgress() override {}
    void PumpOneEvent() override {}
    void FrameRendered(const RenderReport&) override {}
    bool CancelRequested() const override { return false; }
};

// The bundled sample model (ZEF_SAMPLE_MODEL); an empty model when it cannot be read.
inline Model SampleModel() {
    LoadResult loaded = ReadModelFile(ZEF_SAMPLE_MODEL, ModelProperties{});
    Model model;
    if (loaded.model) {
        model.properties = loaded.model->properties;
        model.points = std::move(loaded.model->points);
    }
    return model;
}

}  // namespace zef::bench
