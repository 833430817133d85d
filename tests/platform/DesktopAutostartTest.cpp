#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <utility>

#include "fakes/TempFolder.h"
#include "platform/linux/DesktopAutostart.h"
#include "platform/linux/DesktopEntry.h"

namespace wakelatch::platform {
namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Inside quotes: \" \` \$ \\ ; then the string value escapes each backslash again, and % is doubled.
TEST(DesktopEntry, ExecQuotingFollowsTheDesktopEntryRules) {
    const std::pair<const char*, const char*> cases[] = {
        {"/usr/bin/wakelatch", "\"/usr/bin/wakelatch\""},
        {"/home/u/my apps/wakelatch", "\"/home/u/my apps/wakelatch\""},
        {"/a\"b", "\"/a\\\\\"b\""},
        {"/a$b`c", "\"/a\\\\$b\\\\`c\""},
        {"/a\\b", "\"/a\\\\\\\\b\""},
        {"/100%/w", "\"/100%%/w\""},
        {"/a\nb", "\"/a\\nb\""},
    };
    for (const auto& [path, quoted] : cases) {
        EXPECT_EQ(desktop_entry::QuoteExecArgument(path), quoted);
    }
}

class DesktopAutostartFiles : public ::testing::Test {
  protected:
    std::string Folder() const { return temp.path() + "/config/autostart"; }
    testing::TempFolder temp;
    DesktopAutostart autostart{Folder()};
};

// Written into a folder made for it, replaced without a temporary file left, removed once; a name that is
// no file name is refused.
TEST_F(DesktopAutostartFiles, WriteRewriteAndRemoveTheEntry) {
    EXPECT_FALSE(autostart.Write("../evil", "/x"));
    EXPECT_FALSE(autostart.Remove("../evil"));
    ASSERT_TRUE(autostart.Write("Wakelatch", "/old/place/wakelatch"));
    const std::string path = Folder() + "/Wakelatch.desktop";
    EXPECT_EQ(autostart.EntryPath("Wakelatch"), path);
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644U);
    ASSERT_TRUE(autostart.Write("Wakelatch", "/home/u/my apps/wakelatch"));
    EXPECT_NE(ReadFile(path).find("\nExec=\"/home/u/my apps/wakelatch\"\n"), std::string::npos);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Folder()), {}), 1);

    EXPECT_TRUE(autostart.Remove("Wakelatch"));
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_FALSE(autostart.Remove("Wakelatch"));
    std::filesystem::remove(Folder());
    std::ofstream(Folder()) << "a file in place of the folder";
    EXPECT_FALSE(autostart.Write("Wakelatch", "/x"));
}

}  // namespace
}  // namespace wakelatch::platform
