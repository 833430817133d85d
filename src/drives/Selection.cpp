#include "drives/Selection.h"

#include "settings/SettingsSchema.h"
#include "support/Text.h"

namespace wakelatch::selection {
bool IsNoSelection(const std::string& drives) {
    return drives.empty() || drives == settings::kNoSelection;
}

int EntryCount(const std::string& drives) {
    // A third is never exactly half-way, so rounding to nearest needs no tie rule.
    return static_cast<int>((drives.size() + 1) / 3);
}

std::string_view EntryTail(const std::string& drives, int k) {
    if (k < 0 || k >= EntryCount(drives)) {
        return {};
    }
    const std::size_t length = static_cast<std::size_t>(EntryCount(drives) - k) * 3;
    const std::string_view all(drives);
    return length >= all.size() ? all : all.substr(all.size() - length);
}

std::vector<char> EntryLetters(const std::string& drives) {
    std::vector<char> letters;
    const int count = EntryCount(drives);
    letters.reserve(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k) {
        letters.push_back(EntryTail(drives, k).front());
    }
    return letters;
}

void SaveDriveSelection(ProgramState& state, controls::CheckList& list, SettingsStore& settings,
                        controls::Captioned& savedMinutesLabel) {
    state.Drives.clear();
    for (int row = 0; row < list.Count(); ++row) {
        if (list.Checked(row)) {
            list.SetListIndex(row);
            state.Drives += text::TrimBlanks(list.Text(row).substr(0, 4));
        }
    }
    settings::SaveText(settings, settings::key::Drives, state.Drives);
    settings::SaveInt32(settings, settings::key::Times, state.Times);
    settings::SaveBoolean(settings, settings::key::AutoStart, state.AutoStart);
    settings::SaveBoolean(settings, settings::key::AutoTray, state.AutoTray);
    settings::SaveInt32(settings, settings::key::DriveStart, state.DriveStart);
    savedMinutesLabel.SetText(std::to_string(state.Times) + " Min.");
}

}  // namespace wakelatch::selection
