#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

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

std::string ExecLine(const std::string& entry) {
    std::istringstream lines(entry);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("Exec=", 0) == 0) {
            return line.substr(5);
        }
    }
    return {};
}

TEST(DesktopEntry, ExecQuotingFollowsTheDesktopEntryRules) {
    using desktop_entry::QuoteExecArgument;
    EXPECT_EQ(QuoteExecArgument("/usr/bin/wakelatch"), "\"/usr/bin/wakelatch\"");
    EXPECT_EQ(QuoteExecArgument("/home/u/my apps/wakelatch"), "\"/home/u/my apps/wakelatch\"");
    // Inside quotes: \" \` \$ \\ ; then the string value escapes each backslash again.
    EXPECT_EQ(QuoteExecArgument("/a\"b"), "\"/a\\\\\"b\"");
    EXPECT_EQ(QuoteExecArgument("/a$b`c"), "\"/a\\\\$b\\\\`c\"");
    EXPECT_EQ(QuoteExecArgument("/a\\b"), "\"/a\\\\\\\\b\"");
    EXPECT_EQ(QuoteExecArgument("/100%/w"), "\"/100%%/w\"");
    EXPECT_EQ(QuoteExecArgument("/a\nb"), "\"/a\\nb\"");
}

TEST(DesktopEntry, EntryTextIsAValidApplicationEntry) {
    const std::string text = desktop_entry::AutostartEntryText("Wakelatch", "/opt/w/wakelatch");
    EXPECT_EQ(text.rfind("[Desktop Entry]\n", 0), 0U);
    EXPECT_NE(text.find("\nType=Application\n"), std::string::npos);
    EXPECT_NE(text.find("\nName=Wakelatch\n"), std::string::npos);
    EXPECT_EQ(ExecLine(text), "\"/opt/w/wakelatch\"");
}

class DesktopAutostartFiles : public ::testing::Test {
  protected:
    std::string Folder() const { return temp.path() + "/config/autostart"; }
    testing::TempFolder temp;
    DesktopAutostart autostart{temp.path() + "/config/autostart"};
};

TEST_F(DesktopAutostartFiles, WriteCreatesTheFolderAndTheEntry) {
    ASSERT_TRUE(autostart.Write("Wakelatch", "/opt/w/wakelatch"));
    const std::string path = Folder() + "/Wakelatch.desktop";
    EXPECT_EQ(autostart.EntryPath("Wakelatch"), path);
    EXPECT_EQ(ExecLine(ReadFile(path)), "\"/opt/w/wakelatch\"");
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644U);
}

TEST_F(DesktopAutostartFiles, RewriteReplacesTheEntryAndLeavesNoTemporaryFile) {
    ASSERT_TRUE(autostart.Write("Wakelatch", "/old/place/wakelatch"));
    ASSERT_TRUE(autostart.Write("Wakelatch", "/home/u/my apps/wakelatch"));
    EXPECT_EQ(ExecLine(ReadFile(Folder() + "/Wakelatch.desktop")), "\"/home/u/my apps/wakelatch\"");
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(Folder())) {
        ++files;
    }
    EXPECT_EQ(files, 1);
}

TEST_F(DesktopAutostartFiles, RemoveDeletesAndReportsAnAbsentEntryAsFalse) {
    ASSERT_TRUE(autostart.Write("Wakelatch", "/opt/w/wakelatch"));
    EXPECT_TRUE(autostart.Remove("Wakelatch"));
    EXPECT_FALSE(std::filesystem::exists(Folder() + "/Wakelatch.desktop"));
    EXPECT_FALSE(autostart.Remove("Wakelatch"));
}

TEST_F(DesktopAutostartFiles, NamesThatAreNoFileNameAreRefused) {
    EXPECT_FALSE(autostart.Write("../evil", "/x"));
    EXPECT_FALSE(autostart.Write("", "/x"));
    EXPECT_FALSE(autostart.Remove("../evil"));
}

TEST_F(DesktopAutostartFiles, AnUnwritableFolderReportsFalse) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root writes into read-only folders; permission failure cannot be shown as root";
    }
    std::filesystem::create_directories(Folder());
    chmod(Folder().c_str(), 0500);
    EXPECT_FALSE(autostart.Write("Wakelatch", "/x"));
    chmod(Folder().c_str(), 0700);
}

TEST_F(DesktopAutostartFiles, AFileInPlaceOfTheFolderReportsFalse) {
    std::filesystem::create_directories(temp.path() + "/config");
    std::ofstream(Folder()) << "not a folder";
    EXPECT_FALSE(autostart.Write("Wakelatch", "/x"));
}

}  // namespace
}  // namespace wakelatch::platform
