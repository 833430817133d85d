#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "fakes/TempFolder.h"
#include "platform/linux/LinuxFileSystem.h"
#include "platform/linux/XdgPaths.h"
#include "platform/linux/XdgSystemFolders.h"

namespace wakelatch::platform {
namespace {

mode_t ModeOf(const std::string& path) {
    struct stat info {};
    stat(path.c_str(), &info);
    return info.st_mode & 0777;
}

// Absolute XDG folders are taken as they are; a relative one is ignored for the one below the home folder.
TEST(XdgFolders, BaseFoldersFollowTheEnvironment) {
    testing::ScopedEnv home("HOME", "/home/someone");
    testing::ScopedEnv config("XDG_CONFIG_HOME", "/elsewhere/config");
    testing::ScopedEnv data("XDG_DATA_HOME", "relative/is/ignored");
    EXPECT_EQ(linux_xdg::ConfigHome(), "/elsewhere/config");
    EXPECT_EQ(linux_xdg::DataHome(), "/home/someone/.local/share");
}

TEST(XdgFolders, TheRuntimeFolderIsTheSessionsElseAPrivateOneInTemp) {
    testing::TempFolder temp;
    testing::ScopedEnv tmp("TMPDIR", temp.path() + "/");
    {
        testing::ScopedEnv runtime("XDG_RUNTIME_DIR", temp.path());
        EXPECT_EQ(linux_xdg::RuntimeFolder(), temp.path());
    }
    testing::ScopedEnv runtime("XDG_RUNTIME_DIR", temp.path() + "/gone");
    const std::string own = temp.path() + "/wakelatch-" + std::to_string(getuid());
    EXPECT_EQ(linux_xdg::RuntimeFolder(), own);
    EXPECT_EQ(ModeOf(own), 0700U);
}

TEST(XdgFolders, TheWindowsFolderAndItsTempAreCreatedPrivateWhereTheyCanBe) {
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

// The temp and help folders get files of fixed names: what stands at their place and is not a real
// folder of this user is cleared away (never followed) and the folder made anew; a real one is kept.
TEST(XdgFolders, TempAndHelpFoldersAreTheUsersOwnRealFolders) {
    testing::TempFolder temp;
    const std::string windows = temp.path() + "/Wakelatch";
    const std::string elsewhere = temp.path() + "/elsewhere";
    std::filesystem::create_directories(elsewhere);
    std::ofstream(elsewhere + "/pic_Splash.bmp") << "not ours to remove";
    struct Case {
        const char* name;
        std::function<void(const std::string&)> plant;
        bool keepsContent;
        bool movedAside = false;  // a file may be somebody's data: it is moved aside, not removed
    };
    const std::vector<Case> cases = {
        {"link to a folder",
         [&](const std::string& p) { std::filesystem::create_directory_symlink(elsewhere, p); }, false},
        {"file", [](const std::string& p) { std::ofstream(p) << "x"; }, false, true},
        {"open folder of the user",
         [](const std::string& p) {
             std::filesystem::create_directory(p);
             chmod(p.c_str(), 0755);
             std::ofstream(p + "/kept") << "x";
         },
         true},
    };
    for (const Case& c : cases) {
        for (const char* which : {"TEMP", "help"}) {
            SCOPED_TRACE(std::string(c.name) + " at " + which);
            std::filesystem::remove_all(windows);
            std::filesystem::create_directories(windows);
            const std::string folder = windows + "/" + which;
            c.plant(folder);
            if (std::string(which) == "TEMP") {
                XdgSystemFolders().TempDirectoryFor(windows);
            } else {
                ASSERT_TRUE(LinuxFileSystem().MakeDirectories(folder + "/"));
            }
            EXPECT_FALSE(std::filesystem::is_symlink(folder));
            EXPECT_TRUE(std::filesystem::is_directory(folder));
            EXPECT_EQ(ModeOf(folder), 0700U);
            EXPECT_EQ(std::filesystem::exists(folder + "/kept"), c.keepsContent);
            EXPECT_EQ(std::filesystem::is_regular_file(folder + ".aside." + std::to_string(getpid())),
                      c.movedAside);
            EXPECT_TRUE(std::filesystem::exists(elsewhere + "/pic_Splash.bmp"));
        }
    }
}

TEST(XdgFolders, StartUpRemovesOnlyItsOwnLeftoversFromTemp) {
    testing::TempFolder temp;
    const std::string windows = temp.path() + "/Wakelatch";
    const std::string folder = windows + "/TEMP";
    std::filesystem::create_directories(folder);
    const std::string outside = temp.path() + "/outside.bmp";
    std::ofstream(outside) << "x";
    for (const char* name : {"pic_Splash.bmp", ".pic_Splash.bmp.Ab12Cd", ".pic_Info.bmp.zzzzzz", "keep.txt",
                             ".pic_Splash.bmp.toolong1", "pic_Splash.bmpx", ".other.bmp.Ab12Cd"}) {
        std::ofstream(folder + "/" + name) << "x";
    }
    std::filesystem::create_symlink(outside, folder + "/pic_Link.bmp");
    std::filesystem::create_directory(folder + "/pic_Folder.bmp");

    XdgSystemFolders().TempDirectoryFor(windows);
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        left.push_back(entry.path().filename().string());
    }
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{".other.bmp.Ab12Cd", ".pic_Splash.bmp.toolong1", "keep.txt",
                                              "pic_Folder.bmp", "pic_Link.bmp", "pic_Splash.bmpx"}));
    EXPECT_TRUE(std::filesystem::exists(outside));
}

}  // namespace
}  // namespace wakelatch::platform
