#pragma once

#include <QMainWindow>

#include <functional>
#include <memory>

#include "ui/main/frm_Main.h"
#include "ui/qt/QtControls.h"

class QAction;
class QGroupBox;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class QSlider;
class QStatusBar;
class QTimer;

namespace wakelatch {

// The main window's widgets, named and placed as the program documents them, and their adapters.
// Behaviour lives in frm_Main; this class only builds the window and forwards Qt events to it.
class MainWindowView final : public QMainWindow {
    Q_OBJECT

  public:
    explicit MainWindowView(QWidget* parent = nullptr);
    ~MainWindowView() override;

    frm_Main::Controls Controls();
    const controls::TextMeasurer& DriveListMeasurer() const { return *measurer_; }
    // The captioned controls of this window; the tray menu adds its entries.
    qtui::QtCaptionTargets& CaptionTargets() { return texts_; }

    // Forwards the widgets' events to the window's handlers.
    void Connect(frm_Main& form);

    // Called once when the window is closed (close box, exit, signal): the unload handler.
    void SetUnloadHandler(std::function<void()> handler) { unloadHandler_ = std::move(handler); }

    // A second copy of the program asked for this one: show it, in front.
    void BringToFront(const std::function<void()>& restoreFromTray);

  signals:
    void unloaded();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildControls();
    void BuildMenus();
    void BuildStatusBar();
    QLabel* AddLabel(const char* name, QWidget* parent, int left, int top, int width, int height);
    QPushButton* AddButton(const char* name, int left, int top);
    QAction* AddMenuEntry(QMenu* menu, const char* name, const char* designCaption);
    void UpdateClock();

    double twipsPerPixel_ = 15.0;
    QWidget* client_ = nullptr;
    QGroupBox* fra_Laufwerke_ = nullptr;
    QGroupBox* fra_Standby_ = nullptr;
    QListWidget* list_Laufwerke_ = nullptr;
    QListWidget* list_Laufwerke_TEMP_ = nullptr;
    QSlider* sli_Standby_ = nullptr;
    QLabel* lbl_fraStandby_TEXT_AnzeigeMinuten_ = nullptr;
    QLabel* lbl_fraStandby_TEXT_AnzeigeMinutenGespeichert_ = nullptr;
    QPushButton* cmd_Speichern_ = nullptr;
    QPushButton* cmd_Start_ = nullptr;
    QPushButton* cmd_Minimieren_ = nullptr;
    QPushButton* cmd_Beenden_ = nullptr;
    QAction* mnuFileProperties_ = nullptr;
    QAction* mnuFileExit_ = nullptr;
    QAction* mnuAnleitung_ = nullptr;
    QAction* mnuHelpAbout_ = nullptr;
    QStatusBar* sbStatusBar_ = nullptr;
    std::vector<QLabel*> statusPanels_;
    QTimer* clock_ = nullptr;
    QTimer* TIMER_STANDBY_ = nullptr;
    QTimer* TIMER_LAUFWERKSABFRAGE_ = nullptr;

    qtui::QtCaptionTargets texts_;
    std::unique_ptr<qtui::QtFormWindow> window_;
    std::unique_ptr<qtui::QtStatusBar> statusBar_;
    std::unique_ptr<qtui::QtWindowTimer> standbyTimer_;
    std::unique_ptr<qtui::QtWindowTimer> passTimer_;
    std::unique_ptr<qtui::QtSlider> slider_;
    std::unique_ptr<qtui::QtCheckList> driveList_;
    std::unique_ptr<qtui::QtCheckList> substituteList_;
    std::unique_ptr<qtui::QtTextMeasurer> measurer_;
    std::function<void()> listLostFocus_;

    std::function<void()> unloadHandler_;
    bool unloaded_ = false;
};

}  // namespace wakelatch
