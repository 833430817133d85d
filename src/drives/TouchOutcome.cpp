#include "drives/TouchOutcome.h"

#include <cctype>
#include <ctime>

#include "platform/DrivePlatform.h"

namespace wakelatch {
namespace {

char LetterKey(char letter) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
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

std::string TouchText(const TouchOutcome& outcome, bool german, const ClockText& clockText) {
    if (outcome.reached) {
        const std::string amount = AmountText(outcome.bytes, german);
        const bool file = outcome.route == TouchRoute::FileRead;
        if (german) {
            return "Zuletzt erreicht: " + clockText(outcome.when) + " (" + amount +
                   (file ? " vom Laufwerk gelesen)" : " vom Blockgerät gelesen)");
        }
        return "Last reached: " + clockText(outcome.when) + " (" + amount +
               (file ? " read from the drive)" : " read from the block device)");
    }
    switch (outcome.reason) {
        case MissReason::NoReadableFile:
            return german ? "Nicht erreicht: keine lesbare Datei auf dem Laufwerk"
                          : "Not reached: no file on the drive that may be read";
        case MissReason::DriveGone:
            return german ? "Nicht erreicht: Laufwerk nicht vorhanden"
                          : "Not reached: the drive is not there";
        case MissReason::NoAnswer:
            return (german ? "Nicht erreicht: Laufwerk antwortet nicht ("
                           : "Not reached: the drive did not answer (") +
                   LimitText(outcome.limit) + ")";
        case MissReason::ReadFailed:
            return german ? "Nicht erreicht: Lesefehler auf dem Laufwerk"
                          : "Not reached: the drive reported a read error";
    }
    return {};
}

bool ConnectionFailed(int code) {
    return code != platform::kConnected && code != platform::kAlreadyAssigned;
}

}  // namespace

TouchOutcome TouchOutcome::Reached(std::chrono::system_clock::time_point when, TouchRoute route,
                                   std::uint64_t bytes) {
    TouchOutcome outcome;
    outcome.when = when;
    outcome.reached = true;
    outcome.route = route;
    outcome.bytes = bytes;
    return outcome;
}

TouchOutcome TouchOutcome::Missed(std::chrono::system_clock::time_point when, MissReason reason,
                                  std::chrono::milliseconds limit) {
    TouchOutcome outcome;
    outcome.when = when;
    outcome.reason = reason;
    outcome.limit = limit;
    return outcome;
}

std::string LocalClockText(std::chrono::system_clock::time_point when) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    char text[16] = {};
    std::strftime(text, sizeof text, "%H:%M:%S", &local);
    return text;
}

TouchRecords::TouchRecords(ClockText clockText) : clockText_(std::move(clockText)) {}

void TouchRecords::RecordTouch(char letter, const TouchOutcome& outcome) {
    records_[LetterKey(letter)].lastTouch = outcome;
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
        text = TouchText(*record->lastTouch, german, clockText_);
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

bool TouchRecords::Warns(char letter, bool ticked) const {
    const DriveTouchRecord* record = Find(letter);
    return ticked && record != nullptr && record->lastTouch && !record->lastTouch->reached;
}

void TouchRecords::ApplyToList(controls::CheckList& list, int language) const {
    for (int row = 0; row < list.Count(); ++row) {
        const std::string text = list.Text(row);
        if (text.empty()) {
            continue;
        }
        list.SetRowHint(row, HintText(text[0], language), Warns(text[0], list.Checked(row)));
    }
}

}  // namespace wakelatch
