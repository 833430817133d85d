#pragma once

#include "settings/ProgramState.h"
#include "settings/SettingsStore.h"

namespace wakelatch::settings {

// The program's address in the store: application title and its one section.
inline constexpr const char* kAppName = "Wakelatch";
inline constexpr const char* kSection = "Settings";

namespace key {
inline constexpr const char* Drives = "Drives";
inline constexpr const char* Times = "Times";
inline constexpr const char* Language = "Language";
inline constexpr const char* AutoTray = "AutoTray";
inline constexpr const char* AutoStart = "AutoStart";
inline constexpr const char* DriveName = "DriveName";
inline constexpr const char* DriveStart = "DriveStart";
inline constexpr const char* MainLeft = "MainLeft";
inline constexpr const char* MainTop = "MainTop";
inline constexpr const char* MainWidth = "MainWidth";
inline constexpr const char* MainHeight = "MainHeight";
}  // namespace key

// "No selection" as the store and every reader understand it.
inline constexpr const char* kNoSelection = "C:\\";

// Default window position, in twips, when the key is absent or holds no number.
inline constexpr float kDefaultMainPosition = 1000.0F;

// Reads the seven setting keys, in the documented order and with their defaults, into the state. A text
// that does not convert leaves its field at the zero value. Turning an empty selection into "C:\" is
// start-up's next step, not part of the read.
void LoadProgramSettings(SettingsStore& store, ProgramState& state);

// The window position keys read as numbers; a missing key or a text that is no number gives 1000.
float ReadMainPosition(SettingsStore& store, const char* key);

// Typed writes into the program's section.
void SaveText(SettingsStore& store, const char* key, const std::string& text);
void SaveInt32(SettingsStore& store, const char* key, std::int32_t value);
void SaveBoolean(SettingsStore& store, const char* key, bool value);
void SaveSingle(SettingsStore& store, const char* key, float value);

}  // namespace wakelatch::settings
