#include <gtest/gtest.h>

#include <tuple>

#include "ExportDialogRules.h"
#include "ExportTexts.h"

namespace zef {
namespace {

ExportForm ValidForm(const char* path, std::int32_t kind) {
    return {path, kind, kind == kExportShaking ? "x" : "0", 0, "400", "300", false, true};
}

TEST(ExportDialogRules, TheBmpDialogOpensOnTheRememberedStillImage) {
    Model model;
    model.document.path = "/a/b.zfm";
    ExportOptions options{kExportStill, -1, 4, 1, 1};
    const ExportForm form = OpeningForm(options, ExportFormat::kBmp, model);
    EXPECT_EQ(std::tie(form.kind, form.path, form.endWait, form.transparent),
              std::make_tuple(kExportStill, "/a/b.bmp", "4294967295", false));
    model.document = {};
    EXPECT_EQ(OpeningForm(options, ExportFormat::kGif, model).path, "");
}

// The first failing check names its message; the fields after it are not looked at.
TEST(ExportDialogRules, SaveNamesTheFirstBadFieldInOrder) {
    const struct {
        const char* path;
        const char* endWait;
        const char* width;
        const char* height;
        const char* message;
    } cases[] = {
        {"", "-", "", "", texts::kNoFileName},
        {"a", "-", "", "", texts::kBadEndWait},
        {"a", "2147483648", "400", "300", texts::kBadEndWait},
        {"a", "0", "0", "", texts::kBadWidth},
        {"a", "0", "400", "x", texts::kBadHeight},
    };
    for (const auto& c : cases) {
        const ExportForm form{c.path, kExportVtr, c.endWait, 0, c.width, c.height};
        for (const ExportFormat format : {ExportFormat::kGif, ExportFormat::kBmp}) {
            const SaveCheck check = CheckForSave(form, format);
            EXPECT_STREQ(check.message, c.message);
            EXPECT_FALSE(check.request);
        }
    }
}

TEST(ExportDialogRules, SaveMakesTheRequestAndNamesTheFirstFileWritten) {
    const struct {
        ExportFormat format;
        const char* path;
        std::int32_t kind;
        const char* firstFile;
        std::int32_t requestedKind;
    } cases[] = {
        {ExportFormat::kGif, "x.GIF", kExportShaking, "x.GIF.gif", kExportShaking},
        {ExportFormat::kGif, "a.gif", kExportStill, "a.gif", kExportVtr},
        {ExportFormat::kBmp, "walk.bmp", kExportVtr, "walk0000.bmp", kExportVtr},
        {ExportFormat::kBmp, "walk.BMP", kExportShaking, "walk.BMP0000.bmp", kExportShaking},
        {ExportFormat::kBmp, "walk", kExportStill, "walk.bmp", kExportStill},
    };
    for (const auto& c : cases) {
        const ExportRequest request = *CheckForSave(ValidForm(c.path, c.kind), c.format).request;
        const bool vtr = request.kind == kExportVtr;
        EXPECT_EQ(FirstFileWritten(request, c.format), c.firstFile);
        EXPECT_EQ(std::tie(request.kind, request.endWait, request.frameDelay, request.transparent),
                  std::make_tuple(c.requestedKind, vtr ? 0 : 5, vtr ? 18 : 6,
                                  c.format == ExportFormat::kGif))
            << c.path;
    }
}

TEST(ExportDialogRules, TheOptionsRememberedAfterAnExportOrCancel) {
    const ExportOptions before{kExportVtr, 7, 3, 0, 1};
    const auto remembered = [](const ExportOptions& o) {
        return std::make_tuple(o.kind, o.endWait, o.smoothness, o.antiAliasing,
                               o.transparentBackground);
    };
    const struct {
        ExportFormat format;
        ExportRequest request;
        std::tuple<int, int, int, int, int> after;
    } exports[] = {
        {ExportFormat::kGif, {"p", kExportShaking, 1, 1, true, false, 5, 6}, {0, 5, 12, 1, 0}},
        {ExportFormat::kBmp, {"p", kExportVtr, 1, 1, false, false, 2, 10}, {1, 2, 8, 0, 1}},
        {ExportFormat::kBmp, {"p", kExportStill, 1, 1, false, false, 5, 6}, {2, 7, 3, 0, 1}},
    };
    for (const auto& c : exports) {
        ExportOptions options = before;
        StoreAfterExport(options, c.request, c.format);
        EXPECT_EQ(remembered(options), c.after) << c.request.kind;
    }
    ExportOptions options = before;
    StoreOnCancel(options, ValidForm("p", kExportStill), ExportFormat::kBmp);
    EXPECT_EQ(remembered(options), std::make_tuple(2, 0, 0, 0, 1));
}

}  // namespace
}  // namespace zef
