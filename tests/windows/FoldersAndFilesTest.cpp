#include <gtest/gtest.h>

#include <filesystem>

#include "platform/windows/WindowsFileSystem.h"
#include "platform/windows/WindowsSystemFolders.h"
#include "support/FileOps.h"
#include "support/Resources.h"
#include "windows/WinBaseSupport.h"

namespace wakelatch {
namespace {

using platform::utf::Widen;

std::string ResourceBytes(int id) {
    const auto bytes = resources::Find(id);
    return std::string(reinterpret_cast<const char*>(bytes->data), bytes->size);
}

class WindowsFiles : public ::testing::Test {
  protected:
    testing::ScratchFolder scratch;
    platform::WindowsFileSystem files;
};

TEST_F(WindowsFiles, ResourcesReplaceWhatWasThereWithExactlyTheirBytes) {
    const std::string picture = scratch / "pic_Info.bmp";
    testing::WriteBytes(picture, std::string(2 * ResourceBytes(resources::kAboutBitmap).size(), 'z'));
    ASSERT_TRUE(sml_RES_TO_DISK::ResourceToDisk(files, resources::kAboutBitmap, picture));
    EXPECT_EQ(testing::ReadBytes(picture), ResourceBytes(resources::kAboutBitmap));  // no old tail
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(scratch.path()), {}), 1) << "nothing beside";
}

TEST_F(WindowsFiles, TheTempFolderIsTheUsersOwn) {
    platform::WindowsSystemFolders folders(scratch.path());
    const std::filesystem::path expected = std::filesystem::temp_directory_path() / "Wakelatch";
    // Whatever stands at its place is moved aside: a file here, a link to elsewhere alike.
    std::filesystem::remove_all(expected);
    testing::WriteBytes(expected.string(), "in the way");

    const std::string folder = folders.TempDirectoryFor("C:\\windows");
    EXPECT_EQ(Widen(folder), expected.wstring());
    EXPECT_TRUE(std::filesystem::is_directory(expected));
    int movedAside = 0;
    for (const auto& entry : std::filesystem::directory_iterator(expected.parent_path())) {
        if (entry.path().filename().wstring().rfind(L"Wakelatch.moved-", 0) == 0) {
            ++movedAside;
            std::filesystem::remove(entry.path());
        }
    }
    EXPECT_EQ(movedAside, 1);
    EXPECT_EQ(folders.TempDirectoryFor("C:\\windows"), folder);  // a second time finds it
}

}  // namespace
}  // namespace wakelatch
