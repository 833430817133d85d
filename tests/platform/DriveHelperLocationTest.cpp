#include <gtest/gtest.h>

#include <string>

#include "platform/ScriptFolder.h"
#include "platform/linux/DriveHelperLocation.h"

namespace wakelatch::platform::linux_helper {
namespace {

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
        const testing::ScriptFolder tree;  // an installed tree: bin/, libexec/wakelatch/
        tree.Add("bin/wakelatch", "", 0755);
        if (c.beside) {
            tree.Add("bin/wakelatch-drive-helper", "", 0755);
        }
        if (c.installedMode != 0) {
            tree.Add("libexec/wakelatch/wakelatch-drive-helper", "", c.installedMode);
        }
        EXPECT_EQ(DriveHelperFor(tree.Path("bin/wakelatch"), "../libexec/wakelatch"), tree.Path(c.expected))
            << c.name;
    }
}

}  // namespace
}  // namespace wakelatch::platform::linux_helper
