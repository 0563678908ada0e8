#include "ModelFileIO.h"

#include "TempFolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace zef {
namespace {

namespace fs = std::filesystem;

std::vector<char> Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

Model TwoPointModel() {
    Model model;
    model.AppendPoint(1, 2, false);
    model.AppendPoint(3, 4, true);
    model.properties.vtrSpeed = 99;
    return model;
}

class ModelFileIOTest : public ::testing::Test {
  protected:
    std::string PathOf(const std::string& name) const { return folder_.PathOf(name); }

    std::size_t FilesInFolder() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder_.path()), {}));
    }

    test::TempFolder folder_;
};

// A name as long as the file system allows takes a temporary name beside it.
TEST_F(ModelFileIOTest, SavesLoadBackReplaceTheOldFileKeepingItsPermissions) {
    for (const std::string& name : {std::string("그림 모델.zfm"), std::string(251, 'm') + ".zfm"}) {
        const std::string path = PathOf(name);
        ASSERT_TRUE(WriteModelFile(path, TwoPointModel()));
        ::chmod(path.c_str(), 0640);
        ASSERT_TRUE(WriteModelFile(path, TwoPointModel()));
        struct stat info {};
        ASSERT_EQ(::stat(path.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0640u) << "a save keeps the permissions";
        const LoadResult result = ReadModelFile(path, ModelProperties{});
        ASSERT_TRUE(result.model);
        EXPECT_EQ(result.model->properties.vtrSpeed, 99);
        EXPECT_EQ(result.model->points.size(), 2u);
    }
}

TEST_F(ModelFileIOTest, MissingFileAndFolderCannotBeOpenedAndNameIsCheckedAfterwards) {
    fs::create_directory(PathOf("folder.zfm"));
    fs::create_directory(PathOf("folder.txt"));
    // A missing .txt cannot be opened, yet a folder named .txt fails on its name: the name is
    // checked only once the file is open.
    for (const auto& [name, failure] : {std::pair{"none.txt", LoadFailure::kCannotOpen},
                                        {"folder.zfm", LoadFailure::kCannotOpen},
                                        {"folder.txt", LoadFailure::kNotModelFile}}) {
        EXPECT_EQ(ReadModelFile(PathOf(name), {}).failure, failure) << name;
    }
}

TEST_F(ModelFileIOTest, AWriteThatFailsPartWayLeavesThePreviousFileByteIdentical) {
    const std::string path = PathOf("keep.zfm");
    ASSERT_TRUE(WriteModelFile(path, TwoPointModel()));
    const std::vector<char> before = Contents(path);

    Model bigger = TwoPointModel();
    for (int i = 0; i < 1000; ++i) {
        bigger.AppendPoint(i, -i, true);
    }
    FileOps failing = SystemFileOps();
    int calls = 0;
    failing.write = [&calls](int fd, const void* data, std::size_t size) -> ssize_t {
        if (++calls > 1) {
            errno = ENOSPC;
            return -1;
        }
        return ::write(fd, data, size / 2);
    };
    EXPECT_FALSE(WriteModelFile(path, bigger, failing));
    EXPECT_EQ(Contents(path), before);
    EXPECT_EQ(FilesInFolder(), 1u) << "the temporary file is removed";
}

}  // namespace
}  // namespace zef
