#include <gtest/gtest.h>

#include <QSettings>
#include <QStringList>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "fakes/TempFolder.h"
#include "platform/linux/IniSettingsStore.h"
#include "settings/ProgramState.h"
#include "settings/SettingsSchema.h"

namespace wakelatch::platform {
namespace {

class IniStore : public ::testing::Test {
  protected:
    std::string File() const { return temp.path() + "/Wakelatch/Wakelatch.ini"; }
    std::string FileText() const {
        std::ifstream in(File());
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    void WriteFile(const std::string& text) const {
        std::filesystem::create_directories(temp.path() + "/Wakelatch");
        std::ofstream(File()) << text;
    }

    testing::TempFolder temp;
};

// Where the file lives and what it holds: nothing made by reading, the settings group, conversions
// written as text, a write replacing the value, and another writer's change seen on the next read.
TEST_F(IniStore, TextsRoundTripThroughTheFile) {
    IniSettingsStore store(temp.path());
    EXPECT_EQ(store.FilePath("Wakelatch"), File());
    EXPECT_EQ(store.GetSetting("Wakelatch", "Settings", "Times", "5"), "5");
    EXPECT_FALSE(std::filesystem::exists(File()));  // reading creates nothing
    EXPECT_TRUE(store.SaveSetting("Wakelatch", "Settings", "Times", "12"));
    EXPECT_EQ(FileText(), "[Settings]\nTimes=12\n");

    settings::SaveText(store, settings::key::Drives, "C:\\E:\\Z:\\");
    settings::SaveBoolean(store, settings::key::AutoTray, true);
    settings::SaveSingle(store, settings::key::MainLeft, 1000.0F);
    IniSettingsStore other(temp.path());
    settings::SaveText(other, settings::key::Drives, "C:\\F:\\");
    EXPECT_EQ(store.GetSetting("Wakelatch", "Settings", "Drives", ""), "C:\\F:\\");
    EXPECT_EQ(store.GetSetting("Wakelatch", "Settings", "AutoTray", ""), "True");
    EXPECT_NE(FileText().find("MainLeft=1000\n"), std::string::npos);
}

// The files QSettings wrote stay readable and what this store writes reads back the same through
// QSettings: compared with Qt's own reader, value by value.
TEST_F(IniStore, ReadsAndWritesValuesAsQSettingsDoes) {
    const auto qtRead = [this](const std::string& key) {
        QSettings qt(QString::fromStdString(File()), QSettings::IniFormat);
        const QVariant value = qt.value(QString::fromStdString("Settings/" + key));
        return (value.typeId() == QMetaType::QStringList ? value.toStringList().join(QLatin1Char(','))
                                                         : value.toString())
            .toStdString();
    };
    int round = 0;
    for (const std::string raw : {"C:\\\\E:\\\\", "  padded  ", "\"quoted, with comma\"", "a , b ,c",
                                  "\"x\";comment", "hex\\x41\\x", "oct\\101", "line\\nbreak", "@@at",
                                  "Gr\xC3\xB6\xC3\x9F"
                                  "e",
                                  "", "a\\\n  continued"}) {
        SCOPED_TRACE(raw);
        // A new key each time: QSettings keeps files it has read in a cache of its own.
        const std::string key = "K" + std::to_string(++round);
        WriteFile("[Settings]\n" + key + "=" + raw + "\n");
        IniSettingsStore store(temp.path());
        EXPECT_EQ(store.GetSetting("Wakelatch", "Settings", key, "absent"), qtRead(key));
    }
    for (const std::string text : {"C:\\E:\\", "a,b", " lead", "@at", "\"q\"", "x;y",
                                   "t\tn\n\x01"
                                   "5",
                                   "back\\"}) {
        SCOPED_TRACE(text);
        const std::string key = "K" + std::to_string(++round);
        IniSettingsStore store(temp.path());
        ASSERT_TRUE(store.SaveSetting("Wakelatch", "Settings", key, text));
        EXPECT_EQ(qtRead(key), text);
        EXPECT_EQ(store.GetSetting("Wakelatch", "Settings", key, ""), text);
    }
}

// The new file keeps the permissions of the one it replaces; a read-only file, the user's way to keep
// the settings as they are, is not replaced.
TEST_F(IniStore, AReplacedFileKeepsItsPermissionsAndAReadOnlyOneStays) {
    const auto mode = [this] {
        struct stat info {};
        stat(File().c_str(), &info);
        return info.st_mode & 07777;
    };
    WriteFile("[Settings]\nTimes=3\n");
    chmod(File().c_str(), 0640);
    IniSettingsStore store(temp.path());
    ASSERT_TRUE(store.SaveSetting("Wakelatch", "Settings", "Times", "4"));
    EXPECT_EQ(mode(), 0640U);
    chmod(File().c_str(), 0444);
    EXPECT_FALSE(store.SaveSetting("Wakelatch", "Settings", "Times", "5"));
    EXPECT_EQ(FileText(), "[Settings]\nTimes=4\n");
}

// A hand-edited last line left open (a stray quote, a single backslash at the very end) keeps its
// value, and the keys saved after it stay keys of their own.
TEST_F(IniStore, AnOpenLastLineDoesNotSwallowKeysSavedAfterIt) {
    for (const std::string last : {"Foo=\"unclosed", "Foo=\"unclosed\n", "Foo=ends\\", "Foo=\"both\\"}) {
        SCOPED_TRACE(last);
        WriteFile("[Settings]\n" + last);
        const std::string before =
            IniSettingsStore(temp.path()).GetSetting("Wakelatch", "Settings", "Foo", "");
        ASSERT_TRUE(IniSettingsStore(temp.path()).SaveSetting("Wakelatch", "Settings", "MainLeft", "1000"));
        IniSettingsStore store(temp.path());
        EXPECT_EQ(store.GetSetting("Wakelatch", "Settings", "MainLeft", "absent"), "1000");
        EXPECT_EQ(store.GetSetting("Wakelatch", "Settings", "Foo", ""), before);
    }
}

// What is not a small regular file is never waited on, never written over, and reads as defaults.
TEST_F(IniStore, HostileFilesAreLeftAsTheyAreAndReadAsDefaults) {
    const auto fileType = [this] {
        struct stat info {};
        return lstat(File().c_str(), &info) == 0 ? info.st_mode & S_IFMT : 0;
    };
    const std::string longLine =
        "[Settings]\nTimes=7\nDrives=" + std::string(IniSettingsStore::kLargestFile, 'x');
    struct Case {
        const char* name;
        std::function<void()> make;
    };
    const std::vector<Case> cases = {
        {"FIFO", [&] { mkfifo(File().c_str(), 0600); }},
        {"link to /dev/zero", [&] { symlink("/dev/zero", File().c_str()); }},
        {"folder", [&] { std::filesystem::create_directory(File()); }},
        {"a line longer than the file limit", [&] { WriteFile(longLine); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(temp.path() + "/Wakelatch");
        std::filesystem::create_directories(temp.path() + "/Wakelatch");
        c.make();
        const auto type = fileType();
        const std::string before = S_ISREG(type) ? FileText() : "";
        const auto started = std::chrono::steady_clock::now();
        IniSettingsStore store(temp.path());
        EXPECT_EQ(store.GetSetting("Wakelatch", "Settings", "Times", "5"), "5");
        EXPECT_FALSE(store.SaveSetting("Wakelatch", "Settings", "Times", "9"));
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1));
        EXPECT_EQ(fileType(), type);
        if (S_ISREG(type)) {
            EXPECT_EQ(FileText(), before);
        }
    }
}

TEST_F(IniStore, AnOverLongValueReadsAsItsDefaultAndTheLockFileIsNoConcern) {
    WriteFile("[Settings]\nDrives=" + std::string(IniSettingsStore::kLongestValue + 1, 'C') + "\nTimes=7\n");
    // QSettings' lock file: a folder there once made every write wait for ever.
    std::filesystem::create_directory(File() + ".lock");
    IniSettingsStore store(temp.path());
    EXPECT_EQ(store.GetSetting("Wakelatch", "Settings", "Drives", "C:\\"), "C:\\");
    EXPECT_EQ(store.GetSetting("Wakelatch", "Settings", "Times", "5"), "7");
    EXPECT_TRUE(store.SaveSetting("Wakelatch", "Settings", "Drives", "D:\\"));
    EXPECT_EQ(store.GetSetting("Wakelatch", "Settings", "Drives", ""), "D:\\");
}

TEST_F(IniStore, ALinkedSettingsFileIsWrittenWhereItLives) {
    const std::string elsewhere = temp.path() + "/dotfiles.ini";
    std::ofstream(elsewhere) << "[Settings]\nTimes=3\n";
    std::filesystem::create_directories(temp.path() + "/Wakelatch");
    std::filesystem::create_symlink(elsewhere, File());
    IniSettingsStore store(temp.path());
    EXPECT_EQ(store.GetSetting("Wakelatch", "Settings", "Times", ""), "3");
    ASSERT_TRUE(store.SaveSetting("Wakelatch", "Settings", "Times", "4"));
    EXPECT_TRUE(std::filesystem::is_symlink(File()));
    EXPECT_EQ(FileText(), "[Settings]\nTimes=4\n");
}

}  // namespace
}  // namespace wakelatch::platform
