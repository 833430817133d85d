#pragma once

#include <QIcon>
#include <QSize>

namespace wakelatch::qtui {

// The language flags of the options dialog, drawn at the size they are shown.
inline constexpr QSize kFlagSize{42, 26};
QIcon GermanFlag();
QIcon EnglishFlag();

}  // namespace wakelatch::qtui
