#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "fakes/TempFolder.h"
#include "platform/linux/XdgPaths.h"
#include "platform/linux/XdgSystemFolders.h"

namespace wakelatch::platform {
namespace {

mode_t ModeOf(const std::string& path) {
    struct stat info {};
    stat(path.c_str(), &info);
    return info.st_mode & 0777;
}

TEST(XdgFolders, BaseFoldersFollowTheEnvironment) {
    testing::ScopedEnv home("HOME", "/home/someone");
    {
        testing::ScopedEnv config("XDG_CONFIG_HOME", "/elsewhere/config");
        testing::ScopedEnv data("XDG_DATA_HOME", "relative/is/ignored");
        EXPECT_EQ(linux_xdg::ConfigHome(), "/elsewhere/config");
        EXPECT_EQ(linux_xdg::DataHome(), "/home/someone/.local/share");
    }
    testing::ScopedEnv config("XDG_CONFIG_HOME", "");
    EXPECT_EQ(linux_xdg::ConfigHome(), "/home/someone/.config");
}

TEST(XdgFolders, TheWindowsFolderAndItsTempAreCreatedPrivate) {
    testing::TempFolder temp;
    testing::ScopedEnv data("XDG_DATA_HOME", temp.path() + "/data");
    XdgSystemFolders folders;
    const std::string windows = folders.WindowsDirectory();
    EXPECT_EQ(windows, temp.path() + "/data/Wakelatch");
    EXPECT_FALSE(std::filesystem::exists(windows));  // a copy that is refused writes nothing
    const std::string tempFolder = folders.TempDirectoryFor(windows);
    EXPECT_EQ(ModeOf(windows), 0700U);
    EXPECT_EQ(ModeOf(temp.path() + "/data"), 0700U);
    EXPECT_EQ(tempFolder, windows + "/TEMP");
    EXPECT_EQ(ModeOf(tempFolder), 0700U);
}

TEST(XdgFolders, AnExistingOpenFolderIsMadePrivate) {
    testing::TempFolder temp;
    const std::string folder = temp.path() + "/Wakelatch";
    std::filesystem::create_directory(folder);
    chmod(folder.c_str(), 0755);
    EXPECT_TRUE(linux_xdg::MakePrivateDirectory(folder));
    EXPECT_EQ(ModeOf(folder), 0700U);
}

TEST(XdgFolders, NothingIsCreatedWithoutAWindowsFolderOrBelowAFile) {
    testing::TempFolder temp;
    const std::string blocker = temp.path() + "/file";
    FILE* f = fopen(blocker.c_str(), "w");
    fclose(f);
    XdgSystemFolders folders;
    EXPECT_EQ(folders.TempDirectoryFor(blocker + "/Wakelatch"), blocker + "/Wakelatch/TEMP");
    EXPECT_FALSE(std::filesystem::exists(blocker + "/Wakelatch"));
    EXPECT_EQ(folders.TempDirectoryFor(""), "/TEMP");
}

}  // namespace
}  // namespace wakelatch::platform
