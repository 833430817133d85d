#include <gtest/gtest.h>

#include <stdexcept>

#include "app/Startup.h"
#include "fakes/FakeControls.h"
#include "fakes/FakePlatform.h"
#include "fakes/FakeSettingsStore.h"

namespace wakelatch {
namespace {

using Log = std::vector<std::string>;

// The start-up steps in order, with the settings reads (in no particular order) as one step.
const Log kAllSteps = {"instance check",   "windows folder",     "settings read",   "network check",
                       "type library",     "help file",          "temp folder",     "splash shown",
                       "tray menu loaded", "main window loaded", "splash unloaded", "main window shown"};

// Start-up over fakes; the fixture itself is the instance guard, the support files and the windows, and
// logs what each was asked to do.
class Startup : public ::testing::Test,
                public platform::InstanceGuard,
                public SupportFiles,
                public StartupWindows {
  protected:
    Startup() {
        folders.windowsDirectory = "/home/u/.local/share/Wakelatch";
        folders.log = &log;
        location.log = &log;
        store.log = &log;
    }
    pim_MAIN::StartupOutcome Run(std::function<bool()> shutdownRequested = [] { return false; }) {
        StartupServices services{*this,    folders, store, location,
                                 messages, *this,   *this, std::move(shutdownRequested)};
        return pim_MAIN::Main(state, services);
    }
    Log Steps() const {
        Log steps;
        for (const std::string& entry : log) {
            const std::string step = entry.rfind("read ", 0) == 0 ? "settings read" : entry;
            if (steps.empty() || steps.back() != step) {
                steps.push_back(step);
            }
        }
        return steps;
    }

    bool PreviousInstanceRunning() override {
        log.push_back("instance check");
        return running;
    }
    std::string ApplicationTitle() const override { return title; }
    void SetApplicationTitle(const std::string& t) override {
        log.push_back("title " + t);
        title = t;
    }
    void ActivateWindow(const std::string& t) override { log.push_back("activate " + t); }

    void InstallTypeLibrary(ProgramState&) override {
        log.push_back("type library");
        if (failTypeLibrary) {
            throw std::runtime_error("cannot write");
        }
    }
    void ExtractHelpFile(ProgramState&) override { log.push_back("help file"); }

    void ShowSplash() override { log.push_back("splash shown"); }
    void LoadTrayMenu() override {
        log.push_back("tray menu loaded");
        busyAtTrayMenu = state.TrayIconBusy;
    }
    void LoadMainWindow() override { log.push_back("main window loaded"); }
    void UnloadSplash() override { log.push_back("splash unloaded"); }
    void ShowMainWindow() override { log.push_back("main window shown"); }
    void UnloadMainWindow() override { log.push_back("main window unloaded"); }
    void TrayAction() override { log.push_back("tray action"); }
    bool TrayAvailable() override { return trayAvailable; }

    Log log;
    ProgramState state;
    testing::FakeFolders folders;
    testing::FakeSettingsStore store;
    testing::FakeLocation location;
    testing::FakeMessageBox messages;
    bool running = false;  // another copy runs
    std::string title = "Wakelatch";
    bool failTypeLibrary = false;
    bool trayAvailable = true;
    bool busyAtTrayMenu = true;
};

// A step that fails (here the type library) is abandoned and the next one runs.
TEST_F(Startup, RunsItsStepsInOrderAndShowsTheMainWindow) {
    state.TrayIconBusy = true;
    store.Set("Drives", "");
    failTypeLibrary = true;
    const auto outcome = Run();
    EXPECT_TRUE(outcome.keepRunning);
    EXPECT_EQ(Steps(), kAllSteps);
    EXPECT_EQ(state.ProgramVersion, "1.0.0");
    EXPECT_EQ(state.TempDirectory, "/home/u/.local/share/Wakelatch/TEMP");
    EXPECT_FALSE(busyAtTrayMenu);
    EXPECT_EQ(state.Drives, "C:\\");  // an empty selection becomes no selection
}

TEST_F(Startup, ASecondCopyActivatesTheFirstAndEndsWithoutReadingAnything) {
    running = true;
    const auto outcome = Run();
    EXPECT_FALSE(outcome.keepRunning);
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_EQ(log, (Log{"instance check", "title #XYZ", "activate Wakelatch"}));  // no setting read
}

TEST_F(Startup, StartInTheTrayAddsTheIconInsteadOfShowingTheWindowWhereThereIsATray) {
    store.Set("AutoTray", "True");
    for (const bool tray : {true, false}) {
        log.clear();
        state = ProgramState{};
        trayAvailable = tray;
        Run();
        EXPECT_EQ(log.back(), tray ? "tray action" : "main window shown");
        EXPECT_EQ(std::count(log.begin(), log.end(), "main window shown"), tray ? 0 : 1);
    }
}

// A signal during start-up: the step under way finishes, no later step begins, and a loaded main window
// unloads as at any exit; the program then ends with status 0. A signal before start-up ends it at once.
TEST_F(Startup, ASignalAbandonsTheStepsNotYetBegun) {
    const auto unloadFrom = std::find(kAllSteps.begin(), kAllSteps.end(), "main window loaded");
    for (const std::string during :
         {"", "instance check", "read Times", "network check", "help file", "splash shown",
          "tray menu loaded", "main window loaded", "splash unloaded", "main window shown"}) {
        SCOPED_TRACE(during);
        log.clear();
        state = ProgramState{};
        // The signal arrives while the named step runs (none: before start-up) and is seen from then on.
        const auto outcome =
            Run([&] { return during.empty() || std::find(log.begin(), log.end(), during) != log.end(); });
        EXPECT_FALSE(outcome.keepRunning);
        EXPECT_EQ(outcome.exitCode, 0);
        const auto last =
            std::find(kAllSteps.begin(), kAllSteps.end(), during == "read Times" ? "settings read" : during);
        Log expected(kAllSteps.begin(), during.empty() ? kAllSteps.begin() : last + 1);
        if (!during.empty() && last >= unloadFrom) {
            expected.push_back("main window unloaded");
        }
        EXPECT_EQ(Steps(), expected);
    }
}

// Started from a network path, the program refuses in the stored language (read before the check) and
// ends: no support files, no folders, no windows, nothing written.
TEST_F(Startup, FromANetworkPathItRefusesAndEnds) {
    struct Case {
        const char* language;
        std::string title, text;
    };
    const Case cases[] = {
        {"1", "Ungültiger Programmstart.",
         "Diese Software ist nicht zur Ausführung als Serveranwedung\r"
         "konzipiert und programmiert. Daher installieren Sie diese Software\r"
         "auf einen Rechner oder rufen diese Software nicht über ein\r"
         "Netzwerk auf. Sollten Sie weiterhin Probleme haben wenden Sie sich\r"
         "an unseren Service, wir helfen Ihnen gerne weiter.\r\r"
         "Das Programm wird nach der Bestätigung beendet."},
        {"2", "Invalid program start.",
         "This software is not conceived and programmed\r"
         "for the execution as serverprogram. Therefore you install\r"
         "this software on a computer or do not call this software\r"
         "not over a network. You should turn further problems\r"
         "have you to our service, we help yourselves you gladly.\r\r"
         "The program is terminated after the confirmation."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language);
        log.clear();
        messages.shown.clear();
        location.onNetwork = true;
        store.Set("Language", c.language);
        const auto outcome = Run();
        EXPECT_FALSE(outcome.keepRunning);
        EXPECT_NE(outcome.exitCode, 0);
        EXPECT_EQ(log.back(), "network check");
        EXPECT_TRUE(store.writes.empty());
        ASSERT_EQ(messages.shown.size(), 1U);
        EXPECT_EQ(messages.shown[0].title, c.title);
        EXPECT_EQ(messages.shown[0].text, c.text);
        EXPECT_EQ(messages.shown[0].icon, controls::MessageIcon::Exclamation);
        EXPECT_EQ(messages.shown[0].buttons, controls::MessageButtons::Ok);
    }
}

}  // namespace
}  // namespace wakelatch
