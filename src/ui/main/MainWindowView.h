#pragma once

#include <QMainWindow>

#include <functional>
#include <memory>

#include "ui/main/frm_Main.h"
#include "ui/qt/QtControls.h"

class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QSlider;
class QStatusBar;
class QTimer;

namespace wakelatch {

// The main window's widgets, named as the program documents them, and their adapters. Behaviour lives
// in frm_Main; this class only builds the window and forwards Qt events.
class MainWindowView final : public QMainWindow {
    Q_OBJECT

  public:
    explicit MainWindowView(QWidget* parent = nullptr);
    ~MainWindowView() override;

    frm_Main::Controls Controls();
    const controls::TextMeasurer& DriveListMeasurer() const { return *measurer_; }

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
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildControls();

    QGroupBox* fra_Laufwerke_ = nullptr;
    QListWidget* list_Laufwerke_ = nullptr;
    QListWidget* list_Laufwerke_TEMP_ = nullptr;
    QPushButton* cmd_Speichern_ = nullptr;
    QPushButton* cmd_Start_ = nullptr;
    QLabel* lbl_fraStandby_TEXT_AnzeigeMinuten_ = nullptr;
    QLabel* lbl_fraStandby_TEXT_AnzeigeMinutenGespeichert_ = nullptr;
    QGroupBox* fra_Standby_ = nullptr;
    QSlider* sli_Standby_ = nullptr;
    QStatusBar* sbStatusBar_ = nullptr;
    QLabel* statusPanel1_ = nullptr;
    QTimer* TIMER_STANDBY_ = nullptr;
    QTimer* TIMER_LAUFWERKSABFRAGE_ = nullptr;

    std::unique_ptr<qtui::QtFormWindow> window_;
    std::unique_ptr<qtui::QtStatusBar> statusBar_;
    std::unique_ptr<qtui::QtWindowTimer> standbyTimer_;
    std::unique_ptr<qtui::QtWindowTimer> passTimer_;
    std::unique_ptr<qtui::QtSlider> slider_;
    std::unique_ptr<qtui::QtCheckList> driveList_;
    std::unique_ptr<qtui::QtCheckList> substituteList_;
    std::unique_ptr<qtui::QtLabel> savedMinutes_;
    std::unique_ptr<qtui::QtLabel> currentMinutes_;
    std::unique_ptr<qtui::QtTextMeasurer> measurer_;
    std::function<void()> listLostFocus_;

    std::function<void()> unloadHandler_;
    bool unloaded_ = false;
};

}  // namespace wakelatch
