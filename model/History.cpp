#include "History.h"

#include <algorithm>
#include <new>
#include <utility>

namespace zef {

namespace {

// Equal drawings: the same properties and the same points, whatever their jitter, which the
// shake timer keeps changing.
template <typename Points>
bool SameDrawing(const HistorySnapshot& entry, const ModelProperties& properties,
                 const Points& points) {
    const auto samePoint = [](const PointImage& a, const PointImage& b) {
        return a.x == b.x && a.y == b.y && a.kind == b.kind && a.reserved == b.reserved;
    };
    return entry.properties == properties && std::equal(entry.points.begin(), entry.points.end(),
                                                        points.begin(), points.end(), samePoint);
}

}  // namespace

bool History::StartDocument(const Model& model, DocumentIdentity identity, bool saved) {
    documents_.push_back(std::move(identity));
    document_ = documents_.size() - 1;
    std::optional<HistorySnapshot> snapshot = SnapshotOf(model);
    if (!snapshot) {
        return false;
    }
    snapshot->saved = saved;
    Append(std::move(*snapshot));
    return true;
}

bool History::TakeSnapshot(const Model& model) {
    std::optional<HistorySnapshot> snapshot = SnapshotOf(model);
    if (!snapshot) {
        return false;
    }
    snapshot->saved =
        CurrentIsSaved() && SameDrawing(entries_[current_], snapshot->properties, snapshot->points);
    Append(std::move(*snapshot));
    return true;
}

void History::DocumentSaved(const Model& model, DocumentIdentity identity) {
    for (HistorySnapshot& entry : entries_) {
        if (entry.document == document_ || documents_[entry.document].path == identity.path) {
            entry.saved = false;
        }
    }
    documents_[document_] = std::move(identity);
    if (!entries_.empty() && entries_[current_].document == document_ &&
        SameDrawing(entries_[current_], model.properties, model.points)) {
        entries_[current_].saved = true;
    }
}

bool History::CurrentIsSaved() const {
    return !entries_.empty() && entries_[current_].document == document_ &&
           entries_[current_].saved;
}

const HistorySnapshot* History::Undo(Model& model) {
    return CanUndo() ? StepTo(current_ - 1, model) : nullptr;
}

const HistorySnapshot* History::Redo(Model& model) {
    return CanRedo() ? StepTo(current_ + 1, model) : nullptr;
}

std::optional<HistorySnapshot> History::SnapshotOf(const Model& model) {
    HistorySnapshot snapshot;
    try {
        snapshot.points.assign(model.points.begin(), model.points.end());
        if (entries_.size() == entries_.capacity()) {
            entries_.reserve(std::max<std::size_t>(16, entries_.size() * 2));
        }
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    snapshot.properties = model.properties;
    snapshot.document = document_;
    return snapshot;
}

// The room for the entry was reserved when it was made.
void History::Append(HistorySnapshot snapshot) {
    if (!entries_.empty()) {
        entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(current_) + 1,
                       entries_.end());
    }
    entries_.push_back(std::move(snapshot));
    current_ = entries_.size() - 1;
}

const HistorySnapshot* History::StepTo(std::size_t index, Model& model) {
    if (!model.ReplacePoints(entries_[index].points)) {
        return nullptr;
    }
    current_ = index;
    document_ = entries_[index].document;
    return &entries_[index];
}

}  // namespace zef
