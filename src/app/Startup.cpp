#include "app/Startup.h"

#include <exception>
#include <functional>
#include <utility>

#include "settings/SettingsSchema.h"

namespace wakelatch {
namespace {

// A failing step is abandoned where it failed; start-up goes on with the next one. Steps report their
// failures as values; an exception (out of memory, a broken platform call) must not end the program.
template <typename Step>
void RunStep(Step&& step) {
    try {
        step();
    } catch (...) {  // NOLINT(bugprone-empty-catch): abandoning the step is the rule
    }
}

// Runs start-up's steps until the program is asked to end; from then on the remaining steps are skipped.
// The request is looked at between steps only: a step that has begun finishes, so nothing is left torn.
class StartupSteps {
  public:
    explicit StartupSteps(const std::function<bool()>& shutdownRequested) : requested_(shutdownRequested) {}

    template <typename Step>
    void Run(Step&& step) {
        if (!Abandoned()) {
            RunStep(std::forward<Step>(step));
        }
    }
    // True once a request to end has been seen (checked now when none was before).
    bool Abandoned() {
        abandoned_ = abandoned_ || (requested_ && requested_());
        return abandoned_;
    }

  private:
    const std::function<bool()>& requested_;
    bool abandoned_ = false;
};

struct NetworkStartMessage {
    const char* title;
    const char* lines[5];
    const char* lastLine;
};

constexpr NetworkStartMessage kGermanRefusal = {
    "Ungültiger Programmstart.",
    {"Diese Software ist nicht zur Ausführung als Serveranwedung",
     "konzipiert und programmiert. Daher installieren Sie diese Software",
     "auf einen Rechner oder rufen diese Software nicht über ein",
     "Netzwerk auf. Sollten Sie weiterhin Probleme haben wenden Sie sich",
     "an unseren Service, wir helfen Ihnen gerne weiter."},
    "Das Programm wird nach der Bestätigung beendet."};

constexpr NetworkStartMessage kEnglishRefusal = {"Invalid program start.",
                                                 {"This software is not conceived and programmed",
                                                  "for the execution as serverprogram. Therefore you install",
                                                  "this software on a computer or do not call this software",
                                                  "not over a network. You should turn further problems",
                                                  "have you to our service, we help yourselves you gladly."},
                                                 "The program is terminated after the confirmation."};

std::string MessageText(const NetworkStartMessage& message) {
    std::string text;
    for (const char* line : message.lines) {
        text += line;
        text += '\r';
    }
    text += '\r';
    text += message.lastLine;
    return text;
}

}  // namespace

bool sml_OS_MINITOOLS::EnsureSingleInstance(platform::InstanceGuard& instance) {
    if (!instance.PreviousInstanceRunning()) {
        return false;
    }
    const std::string title = instance.ApplicationTitle();
    instance.SetApplicationTitle(pim_MAIN::kSecondCopyTitle);
    RunStep([&] { instance.ActivateWindow(title); });
    return true;
}

void pim_MAIN::ReadWindowsDirectory(ProgramState& state, platform::SystemFolders& folders) {
    const std::string folder = folders.WindowsDirectory();
    state.LastResult = static_cast<std::int32_t>(folder.size());
    if (!folder.empty()) {
        state.WindowsDirectory = folder;
    }
}

bool pim_MAIN::CheckNetworkStart(const ProgramState& state, platform::ProgramLocation& location,
                                 controls::MessageBoxService& messages) {
    if (!location.StartedFromNetworkPath()) {
        return false;
    }
    const NetworkStartMessage* message = state.Language == 1   ? &kGermanRefusal
                                         : state.Language == 2 ? &kEnglishRefusal
                                                               : nullptr;
    if (message != nullptr) {
        messages.Show(MessageText(*message), message->title, controls::MessageIcon::Exclamation,
                      controls::MessageButtons::Ok);
    }
    return true;
}

pim_MAIN::StartupOutcome pim_MAIN::Main(ProgramState& state, StartupServices& services) {
    StartupSteps steps(services.shutdownRequested);
    bool anotherCopyRuns = false;
    steps.Run([&] { anotherCopyRuns = sml_OS_MINITOOLS::EnsureSingleInstance(services.instance); });
    if (anotherCopyRuns) {
        return {false, 0};
    }
    steps.Run([&] { ReadWindowsDirectory(state, services.folders); });
    steps.Run([&] { settings::LoadProgramSettings(services.settings, state); });
    steps.Run([&] {
        if (state.Drives.empty()) {
            state.Drives = settings::kNoSelection;
        }
    });
    bool refused = false;
    steps.Run([&] { refused = CheckNetworkStart(state, services.location, services.messages); });
    if (refused) {
        return {false, kRefusedExitCode};
    }
    steps.Run([&] { services.supportFiles.InstallTypeLibrary(state); });
    steps.Run([&] { services.supportFiles.ExtractHelpFile(state); });
    steps.Run([&] { state.ProgramVersion = kProgramVersion; });
    steps.Run([&] { state.TempDirectory = services.folders.TempDirectoryFor(state.WindowsDirectory); });
    steps.Run([&] { services.windows.ShowSplash(); });
    steps.Run([&] { state.TrayIconBusy = false; });
    steps.Run([&] { services.windows.LoadTrayMenu(); });
    bool mainWindowLoaded = false;
    steps.Run([&] {
        services.windows.LoadMainWindow();
        mainWindowLoaded = true;
    });
    steps.Run([&] { services.windows.UnloadSplash(); });
    steps.Run([&] {
        if (state.AutoTray && services.windows.TrayAvailable()) {
            services.windows.TrayAction();
        } else {
            services.windows.ShowMainWindow();
        }
    });
    if (!steps.Abandoned()) {
        return {true, 0};
    }
    // Ending now is an exit like any other: a loaded main window unloads and saves what it saves.
    if (mainWindowLoaded) {
        RunStep([&] { services.windows.UnloadMainWindow(); });
    }
    return {false, 0};
}

}  // namespace wakelatch
