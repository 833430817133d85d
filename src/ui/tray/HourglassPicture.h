#pragma once

#include <QIcon>

class QWidget;

namespace wakelatch::qtui {

// The program's hourglass: both halves checkered green and white when idle; the lower half red and
// white while a keep-awake pass works. Drawn at 16, 22, 24, 32, 48 and 64 pixels.
QIcon HourglassIcon(bool working);

// A window of the program: its documented name (also its caption until texts are set), the idle
// hourglass as its icon, and the 8-point font its layout in twips was made for.
void SetUpProgramWindow(QWidget* window, const char* name);

}  // namespace wakelatch::qtui
