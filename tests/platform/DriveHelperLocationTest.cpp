#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "fakes/TempFolder.h"
#include "platform/linux/DriveHelperLocation.h"

namespace wakelatch::platform::linux_helper {
namespace {

// An installed tree (bin/, libexec/wakelatch/) with the helpers each case puts there.
class Tree {
  public:
    void Put(const std::string& relative, mode_t mode) {
        const std::string path = Path(relative);
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path) << "#!/bin/sh\n";
        chmod(path.c_str(), mode);
    }
    std::string Path(const std::string& relative) const { return temp_.path() + "/" + relative; }

  private:
    testing::TempFolder temp_;
};

TEST(DriveHelperLocation, BesideTheProgramFirstThenTheInstalledFolderElseBeside) {
    struct Case {
        const char* name;
        bool beside;
        mode_t installedMode;  // 0: no installed helper
        const char* expected;
    } const cases[] = {
        {"build folder", true, 0, "bin/wakelatch-drive-helper"},
        {"build folder wins", true, 0755, "bin/wakelatch-drive-helper"},
        {"installed", false, 0755, "bin/../libexec/wakelatch/wakelatch-drive-helper"},
        {"installed, not executable", false, 0644, "bin/wakelatch-drive-helper"},
        {"none", false, 0, "bin/wakelatch-drive-helper"},
    };
    for (const Case& c : cases) {
        Tree tree;
        tree.Put("bin/wakelatch", 0755);
        if (c.beside) {
            tree.Put("bin/wakelatch-drive-helper", 0755);
        }
        if (c.installedMode != 0) {
            tree.Put("libexec/wakelatch/wakelatch-drive-helper", c.installedMode);
        }
        EXPECT_EQ(DriveHelperFor(tree.Path("bin/wakelatch"), "../libexec/wakelatch"), tree.Path(c.expected))
            << c.name;
    }
}

}  // namespace
}  // namespace wakelatch::platform::linux_helper
