#pragma once

#include "controls/MessageBox.h"
#include "platform/FileSystem.h"
#include "platform/Programs.h"
#include "settings/ProgramState.h"
#include "ui/shaped/ShapedWindow.h"
#include "ui/shaped/SystemInfo.h"

class QLabel;
class QPushButton;

namespace wakelatch {

// frm_About: the picture-shaped information window, without title bar, moved by its background and
// texts; "OK" closes it, "&System-Info..." starts the system information program.
class AboutWindow final : public qtui::ShapedWindow {
    Q_OBJECT

  public:
    // With an owner the window stays above it (a transient window of the owner); without one it stands
    // on its own.
    AboutWindow(ProgramState& state, platform::FileSystem& files, platform::Programs& programs,
                controls::MessageBoxService& messages, QWidget* owner = nullptr);

    void Form_Load();
    // Shows the window modally and returns when it is closed.
    void Exec();
    void cmdOK_Click();
    void StartSysInfo();

  signals:
    void closed();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QLabel* AddLabel(const char* name, const QString& text, const QRect& place);

    ProgramState& state_;
    platform::FileSystem& files_;
    platform::Programs& programs_;
    controls::MessageBoxService& messages_;
    QLabel* lbl_Name_ = nullptr;
    QLabel* lbl_Version_ = nullptr;
    QLabel* lbl_Beschreibung_ = nullptr;
    QLabel* lbl_Warnung_ = nullptr;
    QLabel* lbl_Copyright_ = nullptr;
    QPushButton* cmdSysInfo_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
};

}  // namespace wakelatch
