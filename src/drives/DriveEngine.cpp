#include "drives/DriveEngine.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "drives/Selection.h"

namespace wakelatch {
namespace {

constexpr char kTab = '\t';
constexpr int kRootColumnWidth = 300;
constexpr int kNameColumnEnd = 3300;
constexpr int kMarkerRightGap = 1490;
// Padding never takes more steps than this; a measurer that does not grow with the text cannot hang it.
constexpr int kMaxPaddingSteps = 4096;

struct TypeEntry {
    const char* german;
    const char* english;
    bool listable;
};

TypeEntry TypeEntryFor(int type) {
    switch (type) {
        case platform::kDriveRemovable:
            return {"Wechseldatenträger", "Removable", true};
        case platform::kDriveFixed:
            return {"Festplatte", "Fixed", true};
        case platform::kDriveRemote:
            return {"Netzlaufwerk", "Remote", true};
        case platform::kDriveCdRom:
            return {"CD-ROM", "CD-ROM", false};
        case platform::kDriveRamDisk:
            return {"RAM-Laufwerk", "RAM-DISK", false};
        default:
            return {"unbekannter Laufwerkstyp", "unknowed disktyp", false};
    }
}

const char* ByLanguage(int language, const char* german, const char* english) {
    if (language == 1) {
        return german;
    }
    if (language == 2) {
        return english;
    }
    return "";
}

char UpperLetter(char c) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

}  // namespace

DriveEngine::DriveEngine(ProgramState& state, platform::DrivePlatform& drives, Lists lists,
                         const controls::TextMeasurer& measurer, std::function<void()> yield)
    : state_(state), drives_(drives), lists_(lists), measurer_(measurer), yield_(std::move(yield)) {}

void DriveEngine::FillDriveList() {
    drives_.Survey();
    controls::CheckList& list = lists_.list_Laufwerke;
    const int previousCount = list.Count();
    const int highlighted = list.ListIndex();
    if (previousCount > 0) {
        ShowSubstituteList(highlighted);
    }
    selectionInFlux_ = true;
    list.Clear();
    DriveListable = false;

    const std::string table = kLetterTable;
    for (std::size_t offset = 0; offset + 3 <= table.size(); offset += 3) {
        // Every fact is about this letter alone: nothing a failed call left behind for the previous
        // letter may decide whether or how this one is listed.
        DriveListable = false;
        CurrentRemotePath.clear();
        DriveConnected = false;

        try {
            const std::string text = BuildRow(table.substr(offset, 3));
            if (DriveListable) {
                list.AddItem(text);
            }
        } catch (...) {  // a letter that cannot be read is left out; the next one starts afresh
        }
        CurrentRemotePath.clear();
        DriveConnected = false;
        yield_();
    }

    if (previousCount > 0) {
        RestoreList(highlighted);
    }
    DriveListable = false;
    ShowTouchHistory();
}

void DriveEngine::ShowSubstituteList(int highlighted) {
    controls::CheckList& list = lists_.list_Laufwerke;
    controls::CheckList& substitute = lists_.list_Laufwerke_TEMP;
    substitute.Clear();
    for (int row = 0; row < list.Count(); ++row) {
        substitute.AddItem(list.Text(row));
        substitute.SetChecked(row, list.Checked(row));
        yield_();
        substitute.Refresh();
    }
    list.SetVisible(false);
    substitute.Move(kListLeft, kListTop);
    substitute.SetEnabled(false);
    substitute.SetVisible(true);
    substitute.SetListIndex(highlighted < substitute.Count() ? highlighted : -1);
}

void DriveEngine::RestoreList(int highlighted) {
    controls::CheckList& list = lists_.list_Laufwerke;
    list.SetVisible(true);
    if (highlighted >= 0 && highlighted < list.Count()) {
        list.SetListIndex(highlighted);
    }
    lists_.list_Laufwerke_TEMP.SetVisible(false);
    lists_.list_Laufwerke_TEMP.Clear();
    list.Refresh();
}

std::string DriveEngine::BuildRow(const std::string& root) {
    std::string text = PadToWidth(root, kRootColumnWidth);
    CheckNetworkDrive(root.substr(0, 1));
    if (state_.DriveName == 1) {
        text += kTab;
        text += NameColumn(root);
    }
    text = PadToWidth(text, kNameColumnEnd);
    text += kTab;
    text += "[" + TypeColumn(root) + "]";

    DriveConnected = VolumeReadable(root);
    const std::string marker = ConnectionMarker();
    const int width = static_cast<int>(lists_.list_Laufwerke.Width() + 0.5F);
    text = PadToWidth(text, width - measurer_.WidthTwips(marker) - kMarkerRightGap) + marker;

    if (!CurrentRemotePath.empty()) {
        DriveListable = true;
    }
    return text;
}

std::string DriveEngine::NameColumn(const std::string& root) {
    std::string name = CurrentRemotePath;
    const std::string type = DriveTypeName(root);
    if (type == "Fixed" || type == "Festplatte") {
        name = ReadDriveName(root, 1);
    } else if (type == "Remote" || type == "Netzlaufwerk") {
        name = ReadDriveName(root.substr(0, 1), 2);
    }
    if (ReadDriveName(root.substr(0, 1), 2).empty() && ReadDriveName(root, 1).empty()) {
        return "     ";
    }
    return name;
}

std::string DriveEngine::TypeColumn(const std::string& root) {
    if (CurrentRemotePath.empty()) {
        return DriveTypeName(root);
    }
    if (state_.DriveName == 1) {
        return ByLanguage(state_.Language, "Netzlaufwerk", "Remote");
    }
    return CurrentRemotePath;
}

std::string DriveEngine::ConnectionMarker() const {
    if (DriveConnected) {
        return ByLanguage(state_.Language, "*Verbunden*", "*Connected*");
    }
    return ByLanguage(state_.Language, "*nicht verbunden*", "*Disconnected*");
}

std::string DriveEngine::DriveTypeName(const std::string& root) {
    const TypeEntry entry = TypeEntryFor(drives_.GetDriveType(root));
    DriveListable = entry.listable;
    return ByLanguage(state_.Language, entry.german, entry.english);
}

std::string DriveEngine::ReadDriveName(const std::string& drive, int mode) {
    if (drive.empty()) {
        return {};
    }
    if (mode == 1) {
        std::string label;
        if (!drives_.GetVolumeInformation(drive, label)) {
            return {};
        }
        return label.substr(0, label.find('\0'));
    }
    if (mode == 2) {
        return ReadRegistryString(UpperLetter(drive[0]), "");
    }
    return {};
}

bool DriveEngine::VolumeReadable(const std::string& drive) {
    std::string root = drive;
    if (root.size() == 1) {
        root += ':';
    }
    if (root.size() == 2) {
        root += '\\';
    }
    std::string label;
    return drives_.GetVolumeInformation(root, label);
}

std::string DriveEngine::PadToWidth(std::string text, int width) const {
    for (int step = 0; step < kMaxPaddingSteps; ++step) {
        bool appended = false;
        if (measurer_.WidthTwips(text) <= width) {
            text += ' ';
            appended = true;
        } else if (!text.empty()) {
            text.pop_back();
        } else {
            return " ";  // nothing left to cut: the column is narrower than an empty text
        }
        if (appended && measurer_.WidthTwips(text) >= width) {
            return text;
        }
    }
    return text;
}

void DriveEngine::ApplyDriveSelection() {
    if (!selection::IsNoSelection(state_.Drives)) {
        TickSelection();
    }
    if (selectionInFlux_) {
        selectionInFlux_ = false;
        if (selectionRestored_) {
            selectionRestored_();
        }
    }
}

void DriveEngine::TickSelection() {
    controls::CheckList& list = lists_.list_Laufwerke;
    for (const char letter : selection::EntryLetters(state_.Drives)) {
        for (int row = 0; row < list.Count(); ++row) {
            const std::string text = list.Text(row);
            if (!text.empty() && text[0] == letter) {
                list.SetChecked(row, true);
            }
        }
    }
}

bool DriveEngine::IsDriveSelected(const std::string& drive) const {
    if (selection::IsNoSelection(state_.Drives) || lists_.list_Laufwerke.Count() == 0 || drive.empty()) {
        return false;
    }
    return state_.Drives.find(UpperLetter(drive[0])) != std::string::npos;
}

std::string DriveEngine::ReadRegistryString(char letter, const std::string& defaultText) {
    const platform::MappingValue value = drives_.ReadNetworkMapping(letter);
    switch (value.kind) {
        case platform::MappingValue::Kind::Absent:
            return defaultText;
        case platform::MappingValue::Kind::OtherType:
            return {};
        case platform::MappingValue::Kind::Text:
            return value.text.substr(0, value.text.find('\0'));
    }
    return defaultText;
}

void DriveEngine::RequestConnection(char letter, const std::string& remotePath) {
    state_.LastResult = drives_.UseConnection(std::string(1, letter) + ":", remotePath);
    touchHistory_.RecordConnection(letter, state_.LastResult);
    ShowTouchHistory();
}

void DriveEngine::RecordTouch(const std::string& drive, const platform::DeviceReach& reach) {
    if (!drive.empty()) {
        touchHistory_.RecordTouch(drive[0], reach);
        ShowTouchHistory();
    }
}

void DriveEngine::ShowTouchHistory() {
    touchHistory_.ApplyToList(lists_.list_Laufwerke, state_.Language);
}

void DriveEngine::CheckNetworkDrive(const std::string& letter) {
    if (letter.empty()) {
        return;
    }
    const char upper = UpperLetter(letter[0]);
    const std::string remote = ReadRegistryString(upper, "");
    yield_();
    if (remote.empty()) {
        return;
    }
    state_.LastResult = 0;
    yield_();
    if (state_.DriveStart == 1) {
        yield_();
        if (IsDriveSelected(letter)) {
            RequestConnection(upper, remote);
        }
    }
    yield_();
    CurrentRemotePath = remote;
}

void DriveEngine::ReconnectNetworkDrives() {
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const std::string remote = ReadRegistryString(letter, "");
        if (!remote.empty()) {
            state_.LastResult = 0;
            yield_();
            if (IsDriveSelected(std::string(1, letter))) {
                RequestConnection(letter, remote);
            }
        }
        yield_();
    }
}

}  // namespace wakelatch
