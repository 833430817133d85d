#include "settings/SettingsSchema.h"

#include "settings/TextConversions.h"

namespace wakelatch::settings {
namespace {

std::string Read(SettingsStore& store, const char* key, const std::string& defaultText) {
    return store.GetSetting(kAppName, kSection, key, defaultText);
}

std::int32_t ReadInt32(SettingsStore& store, const char* key, std::int32_t defaultValue) {
    return conversions::ToInt32(Read(store, key, conversions::FromInt32(defaultValue))).value_or(0);
}

// Boolean defaults are given to the store as the number 0, as the original store did.
bool ReadBoolean(SettingsStore& store, const char* key) {
    return conversions::ToBoolean(Read(store, key, "0")).value_or(false);
}

}  // namespace

void LoadProgramSettings(SettingsStore& store, ProgramState& state) {
    state.Drives = Read(store, key::Drives, kNoSelection);
    state.Times = ReadInt32(store, key::Times, 5);
    state.Language = ReadInt32(store, key::Language, 1);
    state.AutoTray = ReadBoolean(store, key::AutoTray);
    state.AutoStart = ReadBoolean(store, key::AutoStart);
    state.DriveName = ReadInt32(store, key::DriveName, 1);
    state.DriveStart = ReadInt32(store, key::DriveStart, 1);
}

float ReadMainPosition(SettingsStore& store, const char* key) {
    const std::string text = Read(store, key, conversions::FromSingle(kDefaultMainPosition));
    return conversions::ToSingle(text).value_or(kDefaultMainPosition);
}

void SaveText(SettingsStore& store, const char* key, const std::string& text) {
    store.SaveSetting(kAppName, kSection, key, text);
}

void SaveInt32(SettingsStore& store, const char* key, std::int32_t value) {
    SaveText(store, key, conversions::FromInt32(value));
}

void SaveBoolean(SettingsStore& store, const char* key, bool value) {
    SaveText(store, key, conversions::FromBoolean(value));
}

void SaveSingle(SettingsStore& store, const char* key, float value) {
    SaveText(store, key, conversions::FromSingle(value));
}

}  // namespace wakelatch::settings
