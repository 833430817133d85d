#include <gtest/gtest.h>

#include <stdexcept>

#include "app/Startup.h"
#include "fakes/FakeControls.h"
#include "fakes/FakePlatform.h"
#include "fakes/FakeSettingsStore.h"

namespace wakelatch {
namespace {

using Log = std::vector<std::string>;

class LoggingInstanceGuard final : public platform::InstanceGuard {
  public:
    explicit LoggingInstanceGuard(Log& log) : log_(log) {}
    bool PreviousInstanceRunning() override {
        log_.push_back("instance check");
        return running;
    }
    std::string ApplicationTitle() const override { return title; }
    void SetApplicationTitle(const std::string& t) override {
        log_.push_back("title " + t);
        title = t;
    }
    void ActivateWindow(const std::string& t) override { log_.push_back("activate " + t); }
    bool running = false;
    std::string title = "Wakelatch";

  private:
    Log& log_;
};

class LoggingFolders final : public platform::SystemFolders {
  public:
    explicit LoggingFolders(Log& log) : log_(log) {}
    std::string WindowsDirectory() override {
        log_.push_back("windows folder");
        return folder;
    }
    std::string TempDirectoryFor(const std::string& windowsDirectory) override {
        log_.push_back("temp folder");
        return windowsDirectory + "/TEMP";
    }
    std::string HelpParentFolder() override { return folder; }
    std::string folder = "/home/u/.local/share/Wakelatch";

  private:
    Log& log_;
};

class LoggingLocation final : public platform::ProgramLocation {
  public:
    explicit LoggingLocation(Log& log) : log_(log) {}
    std::string ProgramFilePath() override { return "/opt/w/wakelatch"; }
    std::string ProgramFolder() override { return "/opt/w"; }
    bool StartedFromNetworkPath() override {
        log_.push_back("network check");
        return onNetwork;
    }
    bool onNetwork = false;

  private:
    Log& log_;
};

class LoggingSettings final : public SettingsStore {
  public:
    explicit LoggingSettings(Log& log) : log_(log) {}
    std::string GetSetting(const std::string& app, const std::string& section, const std::string& key,
                           const std::string& defaultText) override {
        log_.push_back("read " + key);
        return values.GetSetting(app, section, key, defaultText);
    }
    bool SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                     const std::string& text) override {
        log_.push_back("write " + key);
        return values.SaveSetting(app, section, key, text);
    }
    void Set(const std::string& key, const std::string& text) { values.Set(key, text); }
    testing::FakeSettingsStore values;

  private:
    Log& log_;
};

class LoggingSupportFiles final : public SupportFiles {
  public:
    explicit LoggingSupportFiles(Log& log) : log_(log) {}
    void InstallTypeLibrary(ProgramState&) override {
        log_.push_back("type library");
        if (failTypeLibrary) {
            throw std::runtime_error("cannot write");
        }
    }
    void ExtractHelpFile(ProgramState&) override { log_.push_back("help file"); }
    bool failTypeLibrary = false;

  private:
    Log& log_;
};

class LoggingWindows final : public StartupWindows {
  public:
    LoggingWindows(Log& log, const ProgramState& state) : log_(log), state_(state) {}
    void ShowSplash() override {
        log_.push_back("splash shown");
        versionAtSplash = state_.ProgramVersion;
        tempAtSplash = state_.TempDirectory;
    }
    void LoadTrayMenu() override {
        log_.push_back("tray menu loaded");
        busyAtTrayMenu = state_.TrayIconBusy;
    }
    void LoadMainWindow() override { log_.push_back("main window loaded"); }
    void UnloadSplash() override { log_.push_back("splash unloaded"); }
    void ShowMainWindow() override { log_.push_back("main window shown"); }
    void UnloadMainWindow() override { log_.push_back("main window unloaded"); }
    void TrayAction() override { log_.push_back("tray action"); }
    bool TrayAvailable() override { return trayAvailable; }

    bool trayAvailable = true;
    std::string versionAtSplash;
    std::string tempAtSplash;
    bool busyAtTrayMenu = true;

  private:
    Log& log_;
    const ProgramState& state_;
};

class Startup : public ::testing::Test {
  protected:
    pim_MAIN::StartupOutcome Run() {
        StartupServices services{instance, folders, store, location, messages, support, windows};
        if (!signalDuring.empty()) {
            // The signal arrives while the named step runs: it is seen from then on.
            services.shutdownRequested = [this] {
                return std::find(log.begin(), log.end(), signalDuring) != log.end();
            };
        }
        return pim_MAIN::Main(state, services);
    }

    Log log;
    ProgramState state;
    LoggingInstanceGuard instance{log};
    LoggingFolders folders{log};
    LoggingSettings store{log};
    LoggingLocation location{log};
    testing::FakeMessageBox messages;
    LoggingSupportFiles support{log};
    LoggingWindows windows{log, state};
    std::string signalDuring;
};

TEST_F(Startup, RunsItsStepsInOrderAndShowsTheMainWindow) {
    state.TrayIconBusy = true;
    const auto outcome = Run();
    EXPECT_TRUE(outcome.keepRunning);
    EXPECT_EQ(log, (Log{"instance check", "windows folder", "read Drives", "read Times", "read Language",
                        "read AutoTray", "read AutoStart", "read DriveName", "read DriveStart",
                        "network check", "type library", "help file", "temp folder", "splash shown",
                        "tray menu loaded", "main window loaded", "splash unloaded", "main window shown"}));
    EXPECT_EQ(state.WindowsDirectory, "/home/u/.local/share/Wakelatch");
    EXPECT_EQ(windows.versionAtSplash, "1.0.0");
    EXPECT_EQ(windows.tempAtSplash, "/home/u/.local/share/Wakelatch/TEMP");
    EXPECT_FALSE(windows.busyAtTrayMenu);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Startup, SettingsAreReadBeforeTheNetworkCheckThatNeedsTheLanguage) {
    store.Set("Language", "2");
    location.onNetwork = true;
    Run();
    ASSERT_EQ(messages.shown.size(), 1U);
    EXPECT_EQ(messages.shown[0].title, "Invalid program start.");
}

TEST_F(Startup, ASecondCopyActivatesTheFirstAndEndsWithoutReadingAnything) {
    instance.running = true;
    const auto outcome = Run();
    EXPECT_FALSE(outcome.keepRunning);
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_EQ(log, (Log{"instance check", "title #XYZ", "activate Wakelatch"}));  // no setting read
}

TEST_F(Startup, EmptySelectionBecomesNoSelection) {
    store.Set("Drives", "");
    Run();
    EXPECT_EQ(state.Drives, "C:\\");
}

TEST_F(Startup, WithoutAWindowsFolderThePathsAreRelativeAndStartUpGoesOn) {
    folders.folder.clear();
    Run();
    EXPECT_EQ(state.WindowsDirectory, "");
    EXPECT_EQ(state.LastResult, 0);
    EXPECT_EQ(windows.tempAtSplash, "/TEMP");
    EXPECT_EQ(log.back(), "main window shown");
}

TEST_F(Startup, AFailingStepIsAbandonedAndTheNextOneRuns) {
    support.failTypeLibrary = true;
    const auto outcome = Run();
    EXPECT_TRUE(outcome.keepRunning);
    EXPECT_EQ(log[11], "help file");
    EXPECT_EQ(log.back(), "main window shown");
}

TEST_F(Startup, StartInTheTrayAddsTheIconInsteadOfShowingTheWindow) {
    store.Set("AutoTray", "True");
    Run();
    EXPECT_EQ(log.back(), "tray action");
    EXPECT_EQ(std::count(log.begin(), log.end(), "main window shown"), 0);
}

TEST_F(Startup, StartInTheTrayWithoutATrayShowsTheWindow) {
    store.Set("AutoTray", "True");
    windows.trayAvailable = false;
    Run();
    EXPECT_EQ(log.back(), "main window shown");
}

// A signal during start-up: the step under way finishes, no later step begins, and a loaded main window
// unloads as at any exit; the program then ends with status 0.
TEST_F(Startup, ASignalAbandonsTheStepsNotYetBegun) {
    const Log full = {"instance check",  "windows folder",   "read Drives",      "read Times",
                      "read Language",   "read AutoTray",    "read AutoStart",   "read DriveName",
                      "read DriveStart", "network check",    "type library",     "help file",
                      "temp folder",     "splash shown",     "tray menu loaded", "main window loaded",
                      "splash unloaded", "main window shown"};
    struct Case {
        std::string during;
        std::string lastStepEntry;
        bool unloads;
    };
    for (const Case& c :
         {Case{"instance check", "instance check", false}, Case{"read Times", "read DriveStart", false},
          Case{"network check", "network check", false}, Case{"help file", "help file", false},
          Case{"splash shown", "splash shown", false}, Case{"tray menu loaded", "tray menu loaded", false},
          Case{"main window loaded", "main window loaded", true},
          Case{"splash unloaded", "splash unloaded", true},
          Case{"main window shown", "main window shown", true}}) {
        SCOPED_TRACE(c.during);
        log.clear();
        state = ProgramState{};
        signalDuring = c.during;
        const auto outcome = Run();
        EXPECT_FALSE(outcome.keepRunning);
        EXPECT_EQ(outcome.exitCode, 0);
        Log expected(full.begin(), std::find(full.begin(), full.end(), c.lastStepEntry) + 1);
        if (c.unloads) {
            expected.push_back("main window unloaded");
        }
        EXPECT_EQ(log, expected);
    }
}

TEST_F(Startup, ASignalBeforeStartUpEndsItBeforeTheInstanceCheck) {
    const auto outcome = [this] {
        StartupServices services{instance, folders, store,   location,
                                 messages, support, windows, [] { return true; }};
        return pim_MAIN::Main(state, services);
    }();
    EXPECT_FALSE(outcome.keepRunning);
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_TRUE(log.empty());
}

class NetworkStart : public Startup {};

TEST_F(NetworkStart, GermanRefusalWithItsTitleIconAndLineBreaks) {
    location.onNetwork = true;
    store.Set("Language", "1");
    const auto outcome = Run();
    EXPECT_FALSE(outcome.keepRunning);
    EXPECT_NE(outcome.exitCode, 0);
    ASSERT_EQ(messages.shown.size(), 1U);
    const auto& shown = messages.shown[0];
    EXPECT_EQ(shown.title, "Ungültiger Programmstart.");
    EXPECT_EQ(shown.icon, controls::MessageIcon::Exclamation);
    EXPECT_EQ(shown.buttons, controls::MessageButtons::Ok);
    EXPECT_EQ(shown.text,
              "Diese Software ist nicht zur Ausführung als Serveranwedung\r"
              "konzipiert und programmiert. Daher installieren Sie diese Software\r"
              "auf einen Rechner oder rufen diese Software nicht über ein\r"
              "Netzwerk auf. Sollten Sie weiterhin Probleme haben wenden Sie sich\r"
              "an unseren Service, wir helfen Ihnen gerne weiter.\r\r"
              "Das Programm wird nach der Bestätigung beendet.");
    // Nothing after the refusal: no support files, no folders, no windows, nothing written.
    EXPECT_EQ(log.back(), "network check");
    EXPECT_EQ(
        std::count_if(log.begin(), log.end(), [](const std::string& e) { return e.rfind("write", 0) == 0; }),
        0);
}

TEST_F(NetworkStart, EnglishRefusal) {
    location.onNetwork = true;
    store.Set("Language", "2");
    Run();
    ASSERT_EQ(messages.shown.size(), 1U);
    EXPECT_EQ(messages.shown[0].text,
              "This software is not conceived and programmed\r"
              "for the execution as serverprogram. Therefore you install\r"
              "this software on a computer or do not call this software\r"
              "not over a network. You should turn further problems\r"
              "have you to our service, we help yourselves you gladly.\r\r"
              "The program is terminated after the confirmation.");
}

TEST_F(NetworkStart, OtherLanguagesEndWithoutAMessage) {
    location.onNetwork = true;
    store.Set("Language", "5");
    const auto outcome = Run();
    EXPECT_FALSE(outcome.keepRunning);
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace wakelatch
