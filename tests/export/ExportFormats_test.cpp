#include "export/ExportFormats.h"

#include <gtest/gtest.h>

#include <string>

namespace zef {
namespace {

// Each format is one row: the word that names it, the path it writes for a path without its
// ending and for one with it in another case, and when it keeps transparency.
TEST(ExportFormatsTest, EachFormatIsOneRowOfTheTable) {
    using F = ExportFormat;
    using T = Transparency;
    const struct {
        const char* word;
        F format;
        const char* path;
        const char* written;
        const char* otherCase;
        const char* otherCaseWritten;
        T transparency;
    } cases[] = {
        {"gif", F::kGif, "a", "a.gif", "a.GIF", "a.GIF.gif", T::kWithoutAntiAliasing},
        {"webp", F::kWebp, "a.gif", "a.gif.webp", "a.WebP", "a.WebP", T::kAlways},
        {"apng", F::kApng, "a", "a.png", "a.aPNG", "a.aPNG", T::kAlways},
        {"mp4", F::kMp4, "a.webm", "a.webm.mp4", "a.MP4", "a.MP4", T::kNever},
        {"webm", F::kWebm, "a", "a.webm", "a.WebM", "a.WebM", T::kAlways},
        {"bmp", F::kBmp, "walk.bmp", "walk", "walk.BMP", "walk.BMP", T::kNever},
    };
    ASSERT_EQ(ExportFormats().size(), std::size(cases));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.word);
        const ExportFormatRow* row = FormatNamed(c.word);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->format, c.format);
        EXPECT_EQ(&RowOf(c.format), row);
        EXPECT_EQ(ExportPathFor(c.format, c.path), c.written);
        EXPECT_EQ(ExportPathFor(c.format, c.otherCase), c.otherCaseWritten);
        EXPECT_EQ(row->transparency, c.transparency);
        EXPECT_NE(row->write, nullptr);
    }
    EXPECT_EQ(FormatNamed("png"), nullptr);
}

}  // namespace
}  // namespace zef
