#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "controls/Controls.h"
#include "settings/ProgramState.h"
#include "settings/SettingsStore.h"

// The selection string: the three-character roots of the ticked drives joined without separator
// ("C:\E:\"). Empty, and "C:\" alone, mean that no drive is selected.
namespace wakelatch::selection {

bool IsNoSelection(const std::string& drives);

// The number of entries: the length divided by three, rounded to the nearest whole number.
int EntryCount(const std::string& drives);

// Entry k (0-based) as the program has always read it: the last (n - k) * 3 characters of the string,
// which for a well-formed string is the k-th three-character entry onwards. A view, not a copy: reading
// every entry stays linear in the length of the string.
std::string_view EntryTail(const std::string& drives, int k);

// The first character of every entry, in order.
std::vector<char> EntryLetters(const std::string& drives);

// The save command: the selection from the ticked rows (in list order, highlighting each ticked row),
// then "Drives", "Times", "AutoStart", "AutoTray" and "DriveStart" written in this order, and the
// saved-minutes label set.
void SaveDriveSelection(ProgramState& state, controls::CheckList& list, SettingsStore& settings,
                        controls::Captioned& savedMinutesLabel);

}  // namespace wakelatch::selection
