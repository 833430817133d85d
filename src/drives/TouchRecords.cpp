#include "drives/TouchRecords.h"

#include <cctype>
#include <ctime>

namespace wakelatch {
namespace {

using platform::DeviceReach;

char LetterKey(char letter) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
}

std::string LocalClockText(std::chrono::system_clock::time_point when) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
    // Only the user-interface thread asks, so localtime's shared result is safe here.
    const std::tm* local = std::localtime(&seconds);
    char text[16] = {};
    if (local != nullptr) {
        std::strftime(text, sizeof text, "%H:%M:%S", local);
    }
    return text;
}

// "4 KiB" for whole kibibytes, "512 Bytes" / "512 bytes" otherwise.
std::string AmountText(std::uint64_t bytes, bool german) {
    if (bytes >= 1024 && bytes % 1024 == 0) {
        return std::to_string(bytes / 1024) + " KiB";
    }
    return std::to_string(bytes) + (german ? " Bytes" : " bytes");
}

// "3 s" for whole seconds, "1500 ms" otherwise.
std::string LimitText(std::chrono::milliseconds limit) {
    const auto ms = limit.count();
    return ms % 1000 == 0 ? std::to_string(ms / 1000) + " s" : std::to_string(ms) + " ms";
}

std::string TouchText(const TouchOutcome& outcome, bool german, const std::string& clock) {
    const DeviceReach& reach = outcome.reach;
    const bool file = reach.route == DeviceReach::Route::File;
    const std::string amount = AmountText(reach.bytes, german);
    switch (reach.miss) {
        case DeviceReach::Miss::None:
            return german ? "Zuletzt erreicht: " + clock + " (" + amount +
                                (file ? " vom Laufwerk gelesen)" : " vom Blockgerät gelesen)")
                          : "Last reached: " + clock + " (" + amount +
                                (file ? " read from the drive)" : " read from the block device)");
        case DeviceReach::Miss::NoReadableFile:
            return german ? "Nicht erreicht: keine lesbare Datei auf dem Laufwerk"
                          : "Not reached: no file on the drive that may be read";
        case DeviceReach::Miss::DriveGone:
            return german ? "Nicht erreicht: Laufwerk nicht vorhanden"
                          : "Not reached: the drive is not there";
        case DeviceReach::Miss::NoAnswer:
            return (german ? "Nicht erreicht: Laufwerk antwortet nicht ("
                           : "Not reached: the drive did not answer (") +
                   LimitText(reach.limit) + ")";
        case DeviceReach::Miss::ReadFailed:
            return german ? "Nicht erreicht: Lesefehler auf dem Laufwerk"
                          : "Not reached: the drive reported a read error";
    }
    return {};
}

bool ConnectionFailed(int code) {
    return code != platform::kConnected && code != platform::kAlreadyAssigned;
}

}  // namespace

TouchRecords::TouchRecords() : now_(std::chrono::system_clock::now), clockText_(LocalClockText) {}

void TouchRecords::SetClock(Now now, ClockText clockText) {
    now_ = std::move(now);
    clockText_ = std::move(clockText);
}

void TouchRecords::RecordTouch(char letter, const DeviceReach& reach) {
    records_[LetterKey(letter)].lastTouch = TouchOutcome{now_(), reach};
}

void TouchRecords::RecordConnection(char letter, int code) {
    records_[LetterKey(letter)].connectionCode = code;
}

const DriveTouchRecord* TouchRecords::Find(char letter) const {
    const auto found = records_.find(LetterKey(letter));
    return found == records_.end() ? nullptr : &found->second;
}

std::string TouchRecords::HintText(char letter, int language) const {
    if (language != 1 && language != 2) {
        return {};
    }
    const bool german = language == 1;
    const DriveTouchRecord* record = Find(letter);
    std::string text;
    if (record != nullptr && record->lastTouch) {
        text = TouchText(*record->lastTouch, german, clockText_(record->lastTouch->when));
    } else {
        text = german ? "Noch nicht berührt" : "Not touched yet";
    }
    if (record != nullptr && record->connectionCode && ConnectionFailed(*record->connectionCode)) {
        const std::string code = std::to_string(*record->connectionCode);
        text += german ? "\nVerbindung fehlgeschlagen (Code " + code + ")"
                       : "\nConnection failed (code " + code + ")";
    }
    return text;
}

bool TouchRecords::Missed(char letter) const {
    const DriveTouchRecord* record = Find(letter);
    return record != nullptr && record->lastTouch && !record->lastTouch->reach.Reached();
}

void TouchRecords::ApplyToList(controls::CheckList& list, int language) const {
    for (int row = 0; row < list.Count(); ++row) {
        const std::string text = list.Text(row);
        if (!text.empty()) {
            list.SetRowHint(row, HintText(text[0], language), Missed(text[0]));
        }
    }
}

}  // namespace wakelatch
