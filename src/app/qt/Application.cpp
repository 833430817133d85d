#include "app/qt/Application.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QTimer>

#include "app/Startup.h"
#include "app/qt/LocalInstanceGuard.h"
#include "app/qt/ShutdownSignals.h"
#include "platform/EndRequests.h"
#include "ui/help/HelpViewer.h"
#include "ui/main/MainWindowView.h"
#include "ui/options/OptionsDialogView.h"
#include "ui/shaped/AboutWindow.h"
#include "ui/shaped/SplashWindow.h"
#include "ui/tray/QtNotificationArea.h"
#include "ui/tray/TrayMenuView.h"

namespace wakelatch {
namespace {

// The pause after a pass takes no input (a click must not start a pass inside this one), but windows and
// the tray icon go on being drawn: the working icon docks into the tray host and is seen, and the window
// does not freeze.
void PauseTakingNoInput(int milliseconds) {
    QEventLoop pause;
    QTimer::singleShot(milliseconds, &pause, &QEventLoop::quit);
    pause.exec(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace

Application::Application()
    : awaiter_([this] { return Ending(); }),
      platform_(platform::CreatePlatform(awaiter_)),
      instance_(std::make_unique<LocalInstanceGuard>()),
      signals_(std::make_unique<ShutdownSignals>()),
      notificationArea_(std::make_unique<qtui::QtNotificationArea>()),
      trayIcon_(std::make_unique<TrayIcon>(*notificationArea_)),
      helpViewer_(std::make_unique<qtui::HelpViewer>(*platform_.programs)) {
    // Once the help command has chosen a file, F1 opens it in every window of the program.
    qApp->installEventFilter(this);
    // The icon's mouse events go to the tray-menu window, loaded when they come.
    notificationArea_->SetMouseHandler([this](int eventKind) {
        LoadTrayMenu();
        trayMenu_->Form_MouseMove(eventKind);
    });
    // While start-up runs a signal is only recorded (start-up looks between its steps); a modal question
    // that would hold start-up up is closed.
    connect(signals_.get(), &ShutdownSignals::shutdownRequested, this, [this] {
        if (running_) {
            Shutdown();
        } else if (QWidget* modal = QApplication::activeModalWidget()) {
            modal->close();
        }
    });
    // The session manager asks before the desktop session ends. The end may still be cancelled, so the
    // program saves what its exit would save and runs on; the session then ends it with a signal.
    connect(qApp, &QGuiApplication::commitDataRequest, this, &Application::SaveForSessionEnd);
}

Application::~Application() = default;

int Application::Run() {
    StartupServices services{*instance_,
                             *platform_.folders,
                             *platform_.settings,
                             *platform_.location,
                             messages_,
                             supportFiles_,
                             *this,
                             &platform::EndRequested};
    const pim_MAIN::StartupOutcome outcome = pim_MAIN::Main(state_, services);
    if (!outcome.keepRunning) {
        return outcome.exitCode;
    }
    if (!mainView_) {
        return 1;  // the main window could not be loaded: nothing could ever end the event loop
    }
    connect(instance_.get(), &LocalInstanceGuard::activationRequested, this,
            [this] { mainView_->BringToFront([this] { mainForm_->RestoreFromTray(); }); });
    // A request to leave the loop made before it runs would be lost; one recorded since start-up last
    // looked is carried out from inside the loop.
    running_ = true;
    QTimer::singleShot(0, this, [this] {
        if (platform::EndRequested()) {
            Shutdown();
        }
    });
    return QApplication::exec();
}

void Application::Shutdown() {
    if (mainForm_ && !mainForm_->Unloaded()) {
        mainView_->close();  // the unload handler runs, then the event loop ends
    } else {
        QCoreApplication::exit(0);  // already unloaded: a repeated request still ends the loop
    }
}

bool Application::Ending() const {
    // Asked to end (a signal), or the main window has unloaded (Exit): a pass waiting on a drive then
    // gives up at once, so that the event loop can end.
    return platform::EndRequested() || (mainForm_ && mainForm_->Unloaded());
}

void Application::SaveForSessionEnd() {
    if (mainForm_ && !mainForm_->Unloaded()) {
        mainForm_->SaveSessionState();
    }
}

void Application::ShowSplash() {
    // The settings are read by now: Qt's own button texts follow the language from here on. (The only
    // message before this one has just an OK button.)
    translations_.Apply(state_.Language);
    splash_ = std::make_unique<SplashWindow>();
    splash_->Form_Load(state_, *platform_.files);
    splash_->CentreOnScreen();
    splash_->show();
    splash_->repaint();
    QCoreApplication::processEvents();  // painted now, before the long steps that follow
}

void Application::LoadTrayMenu() {
    if (trayMenu_) {
        return;
    }
    trayMenuView_ = std::make_unique<TrayMenuView>();
    if (mainView_) {
        trayMenuView_->AddCaptionTargets(mainView_->CaptionTargets());
    }
    // Until the main window is loaded the menu's actions reach it through this object.
    trayMenu_ =
        std::make_unique<frm_TrayMenu>(state_, *platform_.settings, trayMenuView_->Controls(), trayEntries_);
    trayMenuView_->Connect(*trayMenu_);
    trayMenu_->Form_Load();
}

void Application::LoadMainWindow() {
    mainView_ = std::make_unique<MainWindowView>();
    if (trayMenuView_) {
        trayMenuView_->AddCaptionTargets(mainView_->CaptionTargets());
    }
    mainForm_ = std::make_unique<frm_Main>(
        state_, mainView_->Controls(),
        frm_Main::Services{*platform_.settings, *platform_.location, *platform_.autostart, *this, *trayIcon_,
                           *platform_.drives, mainView_->DriveListMeasurer(),
                           [] { QCoreApplication::processEvents(); },
                           [](int milliseconds) { PauseTakingNoInput(milliseconds); }});
    mainView_->Connect(*mainForm_);
    mainView_->SetUnloadHandler([this] {
        // From here on a new copy of the program starts as the only one instead of asking this one.
        instance_->Release();
        mainForm_->Form_Unload();
    });
    connect(
        mainView_.get(), &MainWindowView::unloaded, this, [] { QCoreApplication::exit(0); },
        Qt::QueuedConnection);
    mainForm_->Form_Load();
}

void Application::UnloadSplash() {
    splash_.reset();
}

void Application::ShowMainWindow() {
    mainView_->show();
}

void Application::TrayAction() {
    mainForm_->TRAY_ACTION();
}

bool Application::TrayAvailable() {
    // Without a notification area the program never hides where the user cannot find it. AutoTray
    // keeps its value then: it is also the saved start-in-tray setting, which a later save must not lose.
    return trayIcon_->Available();
}

void Application::UnloadTrayMenu() {
    trayMenu_.reset();
    trayMenuView_.reset();
}

std::uintptr_t Application::TrayMenuWindow() {
    LoadTrayMenu();
    return reinterpret_cast<std::uintptr_t>(trayMenuView_.get());
}

void Application::UnloadMainWindow() {
    if (mainView_) {
        mainView_->close();
    }
}

void Application::ShowOptionsDialog() {
    OptionsDialogView view;  // modal, without owner
    view.setWindowModality(Qt::ApplicationModal);
    frm_Options form(state_, *platform_.settings, messages_, *this, view.Controls());
    view.Connect(form);
    form.Form_Load();
    view.CentreOnScreen();
    optionsView_ = &view;
    view.exec();
    optionsView_ = nullptr;
    translations_.Apply(state_.Language);  // a save may have chosen another language
}

void Application::CloseDialog() {
    if (optionsView_ != nullptr) {
        optionsView_->close();
    }
}

void Application::SetTrayCheckMarks(bool autoStart, bool autoTray) {
    LoadTrayMenu();
    trayMenu_->SetCheckMarks(autoStart, autoTray);
}

void Application::ExtractHelpFile() {
    supportFiles_.ExtractHelpFile(state_);
}

void Application::SetMainRefreshPending() {
    if (mainForm_) {
        mainForm_->RequestRefresh();
    }
}

void Application::ShowAbout() {
    ShowAboutWindow(mainView_.get());
}

void Application::ShowAboutWindow(QWidget* owner) {
    AboutWindow about(state_, *platform_.files, *platform_.programs, messages_, owner);
    about.Form_Load();
    about.Exec();
}

void Application::SetApplicationHelpFile(const std::string& fileName) {
    helpFile_ = supportFiles_.HelpFilePath(fileName);
}

void Application::PressHelpKey() {
    if (!helpFile_.empty()) {
        helpViewer_->Open(QString::fromStdString(helpFile_));
    }
}

bool Application::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1 &&
        watched->isWidgetType() && !helpFile_.empty()) {
        PressHelpKey();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void Application::CloseOtherWindows() {
    if (optionsView_ != nullptr) {
        optionsView_->CloseWithoutAsking();  // unsaved edits are dropped: questions would stall the end
    }
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        if (*it != mainView_.get()) {
            (*it)->close();
        }
    }
}

}  // namespace wakelatch
