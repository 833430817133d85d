#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "controls/Controls.h"
#include "platform/DrivePlatform.h"

namespace wakelatch {

// The last touch of a drive: when, and what it came to.
struct TouchOutcome {
    std::chrono::system_clock::time_point when;
    platform::DeviceReach reach;
};

// What is known about one drive letter: its last touch and, for a network drive, the code of its last
// connection request.
struct DriveTouchRecord {
    std::optional<TouchOutcome> lastTouch;
    std::optional<int> connectionCode;
};

// The records of every letter touched since the program started, kept in memory only. A record belongs
// to the letter, not to a row of the list: it survives the rebuild of the list and stays while the drive
// is not listed.
class TouchRecords {
  public:
    using Now = std::function<std::chrono::system_clock::time_point()>;
    // The clock time of a moment as the tooltip shows it, "14:02:31".
    using ClockText = std::function<std::string(std::chrono::system_clock::time_point)>;

    TouchRecords();
    void SetClock(Now now, ClockText clockText);

    void RecordTouch(char letter, const platform::DeviceReach& reach);
    void RecordConnection(char letter, int code);
    // The letter's record; nullptr when nothing was recorded for it.
    const DriveTouchRecord* Find(char letter) const;

    // The tooltip of the letter's row: German for language 1, English for 2, empty for any other value.
    std::string HintText(char letter, int language) const;
    // Whether the letter's last touch did not reach the device.
    bool Missed(char letter) const;
    // Gives every row of the list (its text begins with the letter) its tooltip and warning mark.
    void ApplyToList(controls::CheckList& list, int language) const;

  private:
    Now now_;
    ClockText clockText_;
    std::map<char, DriveTouchRecord> records_;
};

}  // namespace wakelatch
