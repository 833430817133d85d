#pragma once

#include <functional>
#include <string>

#include "controls/Controls.h"
#include "drives/TouchRecords.h"
#include "platform/DrivePlatform.h"
#include "settings/ProgramState.h"

namespace wakelatch {

// The drive inventory and the drive list: which letters are listed, how a row reads, ticking the saved
// selection, and the network mappings behind the letters with their reconnection.
class DriveEngine {
  public:
    struct Lists {
        controls::CheckList& list_Laufwerke;
        controls::CheckList& list_Laufwerke_TEMP;
    };

    // Where the substitute list is shown while the real one is rebuilt (twips inside the frame).
    static constexpr float kListLeft = 120.0F;
    static constexpr float kListTop = 360.0F;
    // The letter table: 24 roots, C to Z.
    static constexpr const char* kLetterTable =
        "C:\\D:\\E:\\F:\\G:\\H:\\I:\\J:\\K:\\L:\\M:\\N:\\O:\\P:\\Q:\\R:\\S:\\T:\\U:\\V:\\W:\\X:\\Y:\\Z:\\";

    DriveEngine(ProgramState& state, platform::DrivePlatform& drives, Lists lists,
                const controls::TextMeasurer& measurer, std::function<void()> yield);

    // Rebuilds list_Laufwerke from the letter table; rows come back unticked.
    void FillDriveList();
    // The type name of the root for the current language; sets DriveListable.
    std::string DriveTypeName(const std::string& root);
    // Mode 1: the volume label of the root; mode 2: the remote path of the letter's mapping.
    std::string ReadDriveName(const std::string& drive, int mode);
    // Whether the volume information of "E", "E:" or "E:\" can be read.
    bool VolumeReadable(const std::string& drive);
    // The text padded with spaces (or cut from the end) until it first reaches the width, in twips.
    std::string PadToWidth(std::string text, int width) const;
    // Ticks the rows of the saved selection.
    void ApplyDriveSelection();
    // True from the start of a rebuild until the saved selection is ticked again: the ticks in the list
    // do not show the selection then, and must not be saved as it.
    bool SelectionInFlux() const { return selectionInFlux_; }
    // Runs each time the saved selection has been ticked again after a rebuild.
    void SetSelectionRestoredHandler(std::function<void()> handler) {
        selectionRestored_ = std::move(handler);
    }
    // Whether the letter (first character, any case) is part of the saved selection.
    bool IsDriveSelected(const std::string& drive) const;

    // The text of the letter's persistent mapping: `defaultText` when there is none, empty when the
    // stored value is not a text.
    std::string ReadRegistryString(char letter, const std::string& defaultText);
    // Sets CurrentRemotePath for one letter and, with the network check on, reconnects it if selected.
    void CheckNetworkDrive(const std::string& letter);
    // Reconnects every selected mapped letter A to Z.
    void ReconnectNetworkDrives();

    // Keeps what the touch of the drive ("e:") came to and shows it on the drive's row.
    void RecordTouch(const std::string& drive, const platform::DeviceReach& reach);
    // The last touch and connection request of every letter, in memory for the program's run.
    TouchRecords& TouchHistory() { return touchHistory_; }

    // Facts about the letter being listed; they hold for that letter only.
    bool DriveListable = false;
    std::string CurrentRemotePath;
    bool DriveConnected = false;

  private:
    std::string BuildRow(const std::string& root);
    void TickSelection();
    std::string NameColumn(const std::string& root);
    std::string TypeColumn(const std::string& root);
    std::string ConnectionMarker() const;
    void RequestConnection(char letter, const std::string& remotePath);
    void ShowSubstituteList(int highlighted);
    void RestoreList(int highlighted);
    void ShowTouchHistory();

    ProgramState& state_;
    platform::DrivePlatform& drives_;
    Lists lists_;
    const controls::TextMeasurer& measurer_;
    std::function<void()> yield_;
    bool selectionInFlux_ = false;
    std::function<void()> selectionRestored_;
    TouchRecords touchHistory_;
};

}  // namespace wakelatch
