#pragma once

#include "controls/MessageBox.h"

namespace wakelatch::qtui {

// Modal message boxes with QMessageBox; carriage returns in the text become line breaks.
class QtMessageBox final : public controls::MessageBoxService {
  public:
    int Show(const std::string& text, const std::string& title, controls::MessageIcon icon,
             controls::MessageButtons buttons) override;
};

}  // namespace wakelatch::qtui
