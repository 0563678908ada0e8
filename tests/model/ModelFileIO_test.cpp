#include "ModelFileIO.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace zef {
namespace {

namespace fs = std::filesystem;

// Writing through links, keeping permissions and failed writes are the atomic write's; here
// a name as long as the file system allows still takes a temporary name beside it.
TEST(ModelFileIOTest, SavesLoadBackUnderAnyName) {
    test::TempFolder folder;
    Model model;
    model.AppendPoint(1, 2, false);
    model.AppendPoint(3, 4, true);
    model.properties.vtrSpeed = 99;
    for (const std::string& name : {std::string("그림 모델.zfm"), std::string(251, 'm') + ".zfm"}) {
        const std::string path = folder.PathOf(name);
        ASSERT_TRUE(WriteModelFile(path, model));
        ASSERT_TRUE(WriteModelFile(path, model)) << "replacing it";
        const LoadResult result = ReadModelFile(path, ModelProperties{});
        ASSERT_TRUE(result.model);
        EXPECT_EQ(result.model->properties.vtrSpeed, 99);
        EXPECT_EQ(result.model->points.size(), 2u);
    }
}

// A missing .txt cannot be opened, yet a folder named .txt fails on its name: the name is
// checked only once the file is open.
TEST(ModelFileIOTest, MissingFileAndFolderCannotBeOpenedAndNameIsCheckedAfterwards) {
    test::TempFolder folder;
    fs::create_directory(folder.PathOf("folder.zfm"));
    fs::create_directory(folder.PathOf("folder.txt"));
    for (const auto& [name, failure] : {std::pair{"none.txt", LoadFailure::kCannotOpen},
                                        {"folder.zfm", LoadFailure::kCannotOpen},
                                        {"folder.txt", LoadFailure::kNotModelFile}}) {
        EXPECT_EQ(ReadModelFile(folder.PathOf(name), {}).failure, failure) << name;
    }
}

}  // namespace
}  // namespace zef
