#pragma once

#include <QIcon>
#include <QSize>

namespace wakelatch::qtui {

// The language flags of the options dialog, drawn at the size they are shown.
// Three bands of 9 pixels for the German flag; the Union Flag is drawn to the same size.
inline constexpr QSize kFlagSize{45, 27};
QIcon GermanFlag();
QIcon EnglishFlag();

}  // namespace wakelatch::qtui
