#pragma once

#include <QIcon>

namespace wakelatch::qtui {

// The program's hourglass: both halves checkered green and white when idle; the lower half red and
// white while a keep-awake pass works. Drawn at 16, 22, 24, 32, 48 and 64 pixels.
QIcon HourglassIcon(bool working);

}  // namespace wakelatch::qtui
