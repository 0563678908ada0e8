#include "model/History.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "model/EditCommands.h"

namespace zef {
namespace {

// What the history must give back, kept the plain way: every entry a whole copy of the model.
class WholeStateHistory {
  public:
    void StartDocument(const Model& model, DocumentIdentity identity, bool saved) {
        documents_.push_back(std::move(identity));
        document_ = documents_.size() - 1;
        Append(model, saved);
    }
    void TakeSnapshot(const Model& model) {
        const bool same = !entries_.empty() && SameDrawing(entries_[current_], model);
        Append(model, CurrentIsSaved() && same);
    }
    void DocumentSaved(const Model& model, DocumentIdentity identity) {
        for (Entry& entry : entries_) {
            if (entry.document == document_ || documents_[entry.document].path == identity.path) {
                entry.saved = false;
            }
        }
        documents_[document_] = std::move(identity);
        if (!entries_.empty() && entries_[current_].document == document_) {
            entries_[current_].saved = SameDrawing(entries_[current_], model);
        }
    }
    bool CurrentIsSaved() const {
        return !entries_.empty() && entries_[current_].document == document_ &&
               entries_[current_].saved;
    }
    const DocumentIdentity& CurrentDocument() const { return documents_[document_]; }
    // The entry one step back or forth, made current; null when there is none.
    const Model* Step(bool undo) {
        if (undo ? current_ == 0 || entries_.empty() : current_ + 1 >= entries_.size()) {
            return nullptr;
        }
        current_ = undo ? current_ - 1 : current_ + 1;
        document_ = entries_[current_].document;
        return &entries_[current_].model;
    }

  private:
    struct Entry {
        Model model;
        std::size_t document;
        bool saved;
    };
    static bool SameDrawing(const Entry& entry, const Model& model) {
        return entry.model.properties == model.properties &&
               std::equal(entry.model.points.begin(), entry.model.points.end(),
                          model.points.begin(), model.points.end(),
                          [](const PointRecord& a, const PointRecord& b) {
                              return a.x == b.x && a.y == b.y && a.kind == b.kind &&
                                     a.reserved == b.reserved;
                          });
    }
    void Append(const Model& model, bool saved) {
        if (!entries_.empty()) {
            entries_.resize(current_ + 1);
        }
        entries_.push_back({model, document_, saved});
        current_ = entries_.size() - 1;
    }

    std::vector<Entry> entries_;
    std::size_t current_ = 0;
    std::vector<DocumentIdentity> documents_{DocumentIdentity{}};
    std::size_t document_ = 0;
};

struct Image {
    std::int32_t x, y;
    std::uint8_t kind, reserved;
    friend bool operator==(const Image&, const Image&) = default;
};

std::vector<Image> ImagesOf(const Model& model) {
    std::vector<Image> images;
    for (const PointRecord& p : model.points) {
        images.push_back({p.x, p.y, p.kind, p.reserved});
    }
    return images;
}

// Drives the model, the history and the reference through the same random work.
class Session {
  public:
    explicit Session(std::uint32_t seed) : random_(seed) {}

    void Edit() {
        switch (Below(12)) {
            case 0:
                return Snapshot(Stroke());
            case 1:
                return Snapshot(MoveRange());
            case 2:
                return Snapshot(ScaleRange());
            case 3:
                return Snapshot(Straighten());
            case 4:
                return Snapshot(Delete());
            case 5:
                return Snapshot(RemoveLastLine(model_).snapshot);
            case 6:
                return Snapshot(ChangeProperty());
            case 7:
                return NewModel();
            case 8:
                return Load();
            case 9:
                return Save();
            default:
                return StepAround();
        }
    }

    void ExpectSameAsReference(const char* step) const {
        ASSERT_EQ(ImagesOf(model_), ImagesOf(expected_)) << step;
        ASSERT_EQ(model_.properties, expected_.properties) << step;
        ASSERT_EQ(history_.CurrentDocument().path, reference_.CurrentDocument().path) << step;
        ASSERT_EQ(history_.CurrentDocument().title, reference_.CurrentDocument().title) << step;
        ASSERT_EQ(history_.CurrentIsSaved(), reference_.CurrentIsSaved()) << step;
    }

    std::size_t HistoryBytes() const { return history_.Bytes(); }
    History& history() { return history_; }

  private:
    std::uint32_t Below(std::uint32_t n) { return random_.Next() % n; }

    void Snapshot(bool changed) {
        if (!changed) {
            return;
        }
        model_.RegenerateShake(random_);
        ASSERT_TRUE(history_.TakeSnapshot(model_));
        reference_.TakeSnapshot(model_);
        expected_ = model_;
    }

    bool Stroke() {
        const auto points = 1 + Below(40);
        for (std::uint32_t i = 0; i < points; ++i) {
            model_.AppendPoint(Below(800), Below(600), i > 0);
        }
        return true;
    }

    void SelectRange() {
        const std::size_t size = model_.points.size();
        const std::size_t from = size == 0 ? 0 : Below(static_cast<std::uint32_t>(size));
        const std::size_t to = from + Below(static_cast<std::uint32_t>(size - from) + 1);
        for (std::size_t i = 0; i < size; ++i) {
            model_.points[i].selected = i >= from && i < to;
        }
        selection_.selectionExists = true;
    }

    bool MoveRange() {
        SelectRange();
        selection_.moveAll = Below(3) == 0;
        MoveSelection(model_, selection_, static_cast<std::int32_t>(Below(21)) - 10,
                      static_cast<std::int32_t>(Below(21)) - 10);
        selection_.moveAll = false;
        return true;
    }

    bool ScaleRange() {
        SelectRange();
        selection_.scaleCentreX = static_cast<std::int32_t>(Below(800));
        selection_.scaleCentreY = static_cast<std::int32_t>(Below(600));
        selection_.scaleFactor = 0.5f + static_cast<float>(Below(100)) / 50.0f;
        ScaleSelection(model_, selection_);
        return true;
    }

    bool Straighten() {
        SelectRange();
        return StraightenSelection(model_).snapshot;
    }

    bool Delete() {
        SelectRange();
        return DeleteSelectedSegments(model_, selection_).snapshot;
    }

    bool ChangeProperty() {
        ModelProperties& p = model_.properties;
        const auto value = static_cast<std::int32_t>(Below(4));
        switch (Below(4)) {
            case 0:
                p.lineWidth = value + 1;
                break;
            case 1:
                p.shakeStrength = value;
                break;
            case 2:
                p.backgroundColour.red = static_cast<std::uint8_t>(value * 60);
                break;
            default:
                p.canvasWidth = 400 + value * 100;
                break;
        }
        return true;
    }

    void NewModel() {
        model_ = Model{};
        StartDocument({"", "제목 없음"}, true);
    }

    // A drawing of any size, up to one whose differences are packed on the history's thread.
    void Load() {
        model_ = Model{};
        const std::uint32_t count = Below(3) == 0 ? 6000 + Below(3000) : Below(200);
        for (std::uint32_t i = 0; i < count; ++i) {
            model_.AppendPoint(Below(800), Below(600), Below(8) != 0);
            model_.points.back().reserved = static_cast<std::uint8_t>(Below(3));
        }
        model_.properties.lineWidth = static_cast<std::int32_t>(1 + Below(5));
        const std::string name = Below(2) == 0 ? "a.zfm" : "b.zfm";
        StartDocument({"/drawings/" + name, name}, Below(4) != 0);
    }

    void StartDocument(DocumentIdentity identity, bool saved) {
        ASSERT_TRUE(history_.StartDocument(model_, identity, saved));
        reference_.StartDocument(model_, std::move(identity), saved);
        expected_ = model_;
    }

    void Save() {
        const std::string name = Below(2) == 0 ? "a.zfm" : "c.zfm";
        history_.DocumentSaved(model_, {"/drawings/" + name, name});
        reference_.DocumentSaved(model_, {"/drawings/" + name, name});
    }

    void StepAround() {
        for (std::uint32_t steps = 1 + Below(6); steps > 0; --steps) {
            const bool undo = Below(3) != 0;
            const ModelProperties* restored = undo ? history_.Undo(model_) : history_.Redo(model_);
            const Model* expected = reference_.Step(undo);
            ASSERT_EQ(restored == nullptr, expected == nullptr);
            if (restored != nullptr) {
                model_.properties = *restored;
                expected_ = *expected;
                selection_ = {};
            }
        }
    }

    Random random_;
    Model model_;
    Model expected_;
    SelectionState selection_;
    History history_;
    WholeStateHistory reference_;
};

TEST(History, RandomWorkUndoesAndRedoesExactlyAsWholeCopiesWould) {
    for (const std::uint32_t seed : {1u, 7u, 2024u, 31337u}) {
        SCOPED_TRACE(seed);
        Session session(seed);
        for (int step = 0; step < 400; ++step) {
            session.Edit();
            if (step % 50 == 0) {
                session.history().FinishPacking();
            }
            session.ExpectSameAsReference("after an edit");
            if (testing::Test::HasFatalFailure()) {
                return;
            }
        }
    }
}

TEST(History, RestoredPointsAreUnselectedWithoutJitterAndLeaveTheDocumentState) {
    History history;
    Model model;
    EXPECT_EQ(history.Undo(model), nullptr);
    EXPECT_EQ(history.Redo(model), nullptr);
    history.TakeSnapshot(model);
    model.points = {{{5, 0, kStrokeStart, -4, 0, 0}, 1},
                    {{5, 10, kStrokeContinuation, 0, 3, 9}, 0}};
    model.document.path = "/tmp/a.zfm";
    history.TakeSnapshot(model);

    ASSERT_NE(history.Undo(model), nullptr);
    EXPECT_TRUE(model.points.empty());
    EXPECT_EQ(model.document.path, "/tmp/a.zfm") << "the document state is not the history's";

    ASSERT_NE(history.Redo(model), nullptr);
    const std::vector<PointRecord> restored = {{{5, 0, kStrokeStart, 0, 0, 0}, 0},
                                               {{5, 10, kStrokeContinuation, 0, 0, 9}, 0}};
    EXPECT_EQ(model.points, restored);
}

// Jitter is no change; a save made while an edit is under way leaves no entry clean.
TEST(History, AnEntryIsTheSavedStateOnlyWhileItHoldsWhatTheFileHolds) {
    History history;
    Model model;
    model.AppendPoint(1, 1, false);
    history.StartDocument(model, {"/tmp/a.zfm", "a.zfm"});
    model.points[0].shakeDx = 3;
    history.TakeSnapshot(model);
    EXPECT_TRUE(history.CurrentIsSaved());

    model.AppendPoint(9, 9, true);
    history.DocumentSaved(model, {"/tmp/b.zfm", "b.zfm"});
    EXPECT_FALSE(history.CurrentIsSaved());
    history.Undo(model);
    EXPECT_FALSE(history.CurrentIsSaved());
    EXPECT_EQ(history.CurrentDocument().path, "/tmp/b.zfm");
}

}  // namespace
}  // namespace zef
