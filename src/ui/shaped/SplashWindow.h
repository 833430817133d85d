#pragma once

#include "platform/FileSystem.h"
#include "settings/ProgramState.h"
#include "ui/shaped/ShapedWindow.h"

class QLabel;

namespace wakelatch {

// frm_Splash: the picture-shaped window shown while the program loads; it has no mouse handling.
class SplashWindow final : public qtui::ShapedWindow {
    Q_OBJECT

  public:
    SplashWindow();

    // Writes the splash picture to the temp folder, takes its shape, sets the version and deletes the
    // file again.
    void Form_Load(ProgramState& state, platform::FileSystem& files);

  protected:
    void mousePressEvent(QMouseEvent* event) override;

  private:
    QLabel* lbl_Programmname_ = nullptr;
    QLabel* lbl_Programmversion_ = nullptr;
    QLabel* lbl_Copyright_ = nullptr;
};

}  // namespace wakelatch
