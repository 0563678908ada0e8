#include "model/History.h"

#include <algorithm>
#include <new>
#include <utility>

namespace zef {
namespace {

// Room for `count` points and an eighth more, so that a run of strokes seldom moves them all.
void MakeRoom(std::vector<PointImage>& points, std::size_t count) {
    if (count > points.capacity()) {
        points.reserve(count + count / 8);
    }
}

}  // namespace

bool History::StartDocument(const Model& model, DocumentIdentity identity, bool saved) {
    documents_.push_back(std::move(identity));
    document_ = documents_.size() - 1;
    return Record(model, saved ? Saved::kYes : Saved::kNo);
}

bool History::TakeSnapshot(const Model& model) {
    return Record(model, CurrentIsSaved() ? Saved::kWhenUnchanged : Saved::kNo);
}

void History::DocumentSaved(const Model& model, DocumentIdentity identity) {
    for (Entry& entry : entries_) {
        if (entry.document == document_ || documents_[entry.document].path == identity.path) {
            entry.saved = false;
        }
    }
    documents_[document_] = std::move(identity);
    if (entries_.empty() || entries_[current_].document != document_ ||
        entries_[current_].properties != model.properties) {
        return;
    }
    entries_[current_].saved = std::equal(
        points_.begin(), points_.end(), model.points.begin(), model.points.end(),
        [](const PointImage& a, const PointImage& b) {
            return a.x == b.x && a.y == b.y && a.kind == b.kind && a.reserved == b.reserved;
        });
}

bool History::CurrentIsSaved() const {
    return !entries_.empty() && entries_[current_].document == document_ &&
           entries_[current_].saved;
}

const ModelProperties* History::Undo(Model& model) {
    return CanUndo() ? StepTo(current_ - 1, model) : nullptr;
}

const ModelProperties* History::Redo(Model& model) {
    return CanRedo() ? StepTo(current_ + 1, model) : nullptr;
}

std::size_t History::Bytes() const {
    std::size_t bytes = sizeof(History) + points_.capacity() * sizeof(PointImage) +
                        (entries_.capacity() - entries_.size()) * sizeof(Entry);
    for (const Entry& entry : entries_) {
        bytes += sizeof(Entry) - sizeof(PointChange) + entry.change.Bytes();
    }
    for (const DocumentIdentity& document : documents_) {
        bytes += sizeof(DocumentIdentity) + document.path.capacity() + document.title.capacity();
    }
    return bytes;
}

void History::FinishPacking() {
    if (packer_) {
        packer_->Wait();
        KeepPacked();
    }
}

// Everything that may fail comes before the history changes.
bool History::Record(const Model& model, Saved saved) {
    KeepPacked();
    Entry entry{model.properties, {}, nextSerial_, document_, false};
    try {
        if (!entries_.empty()) {
            entry.change = PointChange::Between(points_, model.points);
        }
        if (entries_.size() == entries_.capacity()) {
            entries_.reserve(std::max<std::size_t>(16, entries_.size() * 2));
        }
        MakeRoom(points_, model.points.size());
    } catch (const std::bad_alloc&) {
        return false;
    }
    entry.saved = saved == Saved::kYes || (saved == Saved::kWhenUnchanged && entry.change.Empty() &&
                                           entries_[current_].properties == model.properties);
    if (entries_.empty()) {
        points_.assign(model.points.begin(), model.points.end());
        for (PointImage& point : points_) {
            point.shakeDx = 0;
            point.shakeDy = 0;
        }
    } else {
        entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(current_) + 1,
                       entries_.end());
        std::vector<std::uint8_t> none;  // a change just made is not packed
        entry.change.Apply(*entry.change.Unpacked(none), points_);
    }
    if (auto bytes = entry.change.BytesToPack()) {
        if (!packer_) {
            packer_ = std::make_unique<ChangePacker>();
        }
        packer_->Pack(entry.serial, std::move(bytes));
    }
    ++nextSerial_;
    entries_.push_back(std::move(entry));
    current_ = entries_.size() - 1;
    return true;
}

// Steps one entry back or forth. The points are rebuilt in the history's own copy first,
// with room made beforehand so that going back to where it was cannot fail either.
const ModelProperties* History::StepTo(std::size_t index, Model& model) {
    KeepPacked();
    const bool forward = index > current_;
    const PointChange& change = entries_[forward ? index : current_].change;
    std::vector<std::uint8_t> scratch;
    std::optional<std::span<const std::uint8_t>> bytes;
    try {
        bytes = change.Unpacked(scratch);
        const std::size_t size = points_.size();
        points_.reserve(
            std::max(size, forward ? change.CountAfter(size) : change.CountBefore(size)));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    if (!bytes) {
        return nullptr;
    }
    forward ? change.Apply(*bytes, points_) : change.Revert(*bytes, points_);
    if (!model.ReplacePoints(points_)) {
        forward ? change.Revert(*bytes, points_) : change.Apply(*bytes, points_);
        return nullptr;
    }
    current_ = index;
    document_ = entries_[index].document;
    return &entries_[index].properties;
}

// Puts the differences the packing thread has finished in place of their unpacked bytes.
// Entries are made in the order of their serials and only ever dropped from the end.
void History::KeepPacked() {
    if (!packer_) {
        return;
    }
    for (ChangePacker::Packed& packed : packer_->TakeFinished()) {
        const auto entry = std::lower_bound(
            entries_.begin(), entries_.end(), packed.job,
            [](const Entry& e, std::uint64_t serial) { return e.serial < serial; });
        if (entry != entries_.end() && entry->serial == packed.job) {
            entry->change.TakePacked(std::move(packed.bytes));
        }
    }
}

}  // namespace zef
