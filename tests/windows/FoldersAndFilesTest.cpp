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
    ProgramState state;
};

TEST_F(WindowsFiles, ResourcesReplaceWhatWasThereWithExactlyTheirBytes) {
    const std::string picture = scratch / "pic_Info.bmp";
    testing::WriteBytes(picture, std::string(2 * ResourceBytes(resources::kAboutBitmap).size(), 'z'));
    ASSERT_TRUE(sml_RES_TO_DISK::ResourceToDisk(files, resources::kAboutBitmap, picture));
    EXPECT_EQ(testing::ReadBytes(picture), ResourceBytes(resources::kAboutBitmap));  // no old tail
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(scratch.path()), {}), 1) << "nothing beside";
}

// The help step writes into the folder chosen here; the installed program's own is checked by the installer
// test.
TEST_F(WindowsFiles, HelpGoesToTheProgramFolderOrElseToTheUsersOwn) {
    EXPECT_EQ(platform::WindowsSystemFolders(scratch.path()).HelpParentFolder(), scratch.path());
    // Where no file can be made (here: a file stands where the folder should be), the user's local
    // application data folder takes them.
    testing::WriteBytes(scratch / "blocked", "");
    const char* localAppData = std::getenv("LOCALAPPDATA");
    ASSERT_NE(localAppData, nullptr);
    const std::string own = std::string(localAppData) + "\\Wakelatch";
    const bool ownExisted = std::filesystem::exists(own);
    platform::WindowsSystemFolders readOnly(scratch / "blocked");
    EXPECT_EQ(readOnly.HelpParentFolder(), own);
    state.Language = 1;
    pim_MAIN::ExtractHelpFile(files, state, readOnly.HelpParentFolder());
    EXPECT_EQ(testing::ReadBytes(own + "\\help\\wakelatch_help_german.chm"),
              ResourceBytes(resources::kHelpGerman));
    if (!ownExisted) {
        std::filesystem::remove_all(own);
    }
}

TEST_F(WindowsFiles, TheTempFolderIsTheUsersOwn) {
    platform::WindowsSystemFolders folders(scratch.path());
    const std::filesystem::path expected = std::filesystem::temp_directory_path() / "Wakelatch";
    const std::wstring path = expected.wstring();
    // Whatever stands at its place is moved aside: a file here, a link to elsewhere alike.
    std::filesystem::remove_all(expected);
    testing::WriteBytes(expected.string(), "in the way");

    const std::string folder = folders.TempDirectoryFor("C:\\windows");
    EXPECT_EQ(Widen(folder), path);
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
