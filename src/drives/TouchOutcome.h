#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "controls/Controls.h"

namespace wakelatch {

// The way a touch reached the device.
enum class TouchRoute {
    FileRead,     // a file on the drive read past the cache
    BlockDevice,  // the block device under the drive read directly
};

// Why a touch did not reach the device.
enum class MissReason {
    NoReadableFile,  // no settled file the program may read, and no readable block device
    DriveGone,       // nothing mounted or attached behind the letter
    NoAnswer,        // the call on the drive ran past its deadline
    ReadFailed,      // the drive answered the read with an error
};

// The outcome of one touch of a drive.
struct TouchOutcome {
    std::chrono::system_clock::time_point when;
    bool reached = false;
    TouchRoute route = TouchRoute::FileRead;         // when reached
    std::uint64_t bytes = 0;                         // when reached: how much was read from the device
    MissReason reason = MissReason::NoReadableFile;  // when not reached
    std::chrono::milliseconds limit{0};              // NoAnswer: the deadline that passed

    static TouchOutcome Reached(std::chrono::system_clock::time_point when, TouchRoute route,
                                std::uint64_t bytes);
    static TouchOutcome Missed(std::chrono::system_clock::time_point when, MissReason reason,
                               std::chrono::milliseconds limit = std::chrono::milliseconds{0});
};

// What is known about one drive letter: its last touch and, for a network drive, the code of its last
// connection request.
struct DriveTouchRecord {
    std::optional<TouchOutcome> lastTouch;
    std::optional<int> connectionCode;
};

// The clock time of a moment as the tooltip shows it, "14:02:31".
using ClockText = std::function<std::string(std::chrono::system_clock::time_point)>;
// The local clock time of the moment.
std::string LocalClockText(std::chrono::system_clock::time_point when);

// The records of every letter touched since the program started, kept in memory only. A record belongs
// to the letter, not to a row of the list, and stays while the drive is not listed.
class TouchRecords {
  public:
    explicit TouchRecords(ClockText clockText = LocalClockText);

    void RecordTouch(char letter, const TouchOutcome& outcome);
    void RecordConnection(char letter, int code);
    // The letter's record; nullptr when nothing was recorded for it.
    const DriveTouchRecord* Find(char letter) const;

    // The tooltip of the letter's row: German for language 1, English for 2, empty for any other value.
    std::string HintText(char letter, int language) const;
    // Whether a ticked row shows the warning mark: its last touch did not reach the device.
    bool Warns(char letter, bool ticked) const;
    // Gives every row of the list (its text begins with the letter) its tooltip and warning mark.
    void ApplyToList(controls::CheckList& list, int language) const;

  private:
    ClockText clockText_;
    std::map<char, DriveTouchRecord> records_;
};

}  // namespace wakelatch
