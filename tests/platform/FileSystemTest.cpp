#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "fakes/TempFolder.h"
#include "platform/linux/LinuxFileSystem.h"
#include "support/FileOps.h"
#include "support/Resources.h"

namespace wakelatch::platform {
namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(ResourceToDiskOnLinux, ALongerOldFileKeepsNoTail) {
    testing::TempFolder temp;
    const std::string path = temp.path() + "/help.chm";
    std::ofstream(path) << std::string(3'000'000, 'x');
    LinuxFileSystem files;
    ASSERT_TRUE(sml_RES_TO_DISK::ResourceToDisk(files, resources::kHelpEnglish, path));
    const auto expected = resources::Find(resources::kHelpEnglish);
    const std::string written = ReadFile(path);
    EXPECT_EQ(written.size(), expected->size);
    EXPECT_EQ(written.substr(0, 4), "ITSF");
    EXPECT_FALSE(
        sml_RES_TO_DISK::ResourceToDisk(files, resources::kSplashBitmap, temp.path() + "/no/such/x.bmp"));
}

TEST(ResourceToDiskOnLinux, APlantedLinkIsReplacedNotFollowed) {
    testing::TempFolder temp;
    const std::string victim = temp.path() + "/important.txt";
    std::ofstream(victim) << "keep me";
    const std::string planted = temp.path() + "/pic_Splash.bmp";
    ASSERT_EQ(symlink(victim.c_str(), planted.c_str()), 0);
    LinuxFileSystem files;
    ASSERT_TRUE(sml_RES_TO_DISK::ResourceToDisk(files, resources::kSplashBitmap, planted));
    EXPECT_EQ(ReadFile(victim), "keep me");
    struct stat info {};
    ASSERT_EQ(lstat(planted.c_str(), &info), 0);
    EXPECT_TRUE(S_ISREG(info.st_mode));
    EXPECT_EQ(info.st_mode & 0777, 0600U);  // private
    EXPECT_TRUE(files.Remove(planted));
    EXPECT_FALSE(files.Exists(planted));
}

}  // namespace
}  // namespace wakelatch::platform
