#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "drives/TouchOutcome.h"
#include "fakes/FakeControls.h"

namespace wakelatch {
namespace {

using std::chrono::milliseconds;
using std::chrono::system_clock;

// 14:02:31 after the start of the clock's day, shown without a time zone.
const system_clock::time_point kAt =
    system_clock::time_point{} + std::chrono::hours(14) + std::chrono::minutes(2) + std::chrono::seconds(31);

std::string FixedClock(system_clock::time_point when) {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(when.time_since_epoch()).count();
    char text[16] = {};
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", static_cast<long long>(seconds / 3600 % 24),
                  static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
    return text;
}

TEST(TouchRecordTexts, EachOutcomeInBothLanguagesAndNoneOtherwise) {
    struct Case {
        std::optional<TouchOutcome> touch;
        std::optional<int> connection;
        std::string german;
        std::string english;
    };
    const std::vector<Case> cases{
        {std::nullopt, std::nullopt, "Noch nicht berührt", "Not touched yet"},
        {TouchOutcome::Reached(kAt, TouchRoute::FileRead, 4096), std::nullopt,
         "Zuletzt erreicht: 14:02:31 (4 KiB vom Laufwerk gelesen)",
         "Last reached: 14:02:31 (4 KiB read from the drive)"},
        {TouchOutcome::Reached(kAt, TouchRoute::FileRead, 512), std::nullopt,
         "Zuletzt erreicht: 14:02:31 (512 Bytes vom Laufwerk gelesen)",
         "Last reached: 14:02:31 (512 bytes read from the drive)"},
        {TouchOutcome::Reached(kAt, TouchRoute::BlockDevice, 4096), std::nullopt,
         "Zuletzt erreicht: 14:02:31 (4 KiB vom Blockgerät gelesen)",
         "Last reached: 14:02:31 (4 KiB read from the block device)"},
        {TouchOutcome::Missed(kAt, MissReason::NoReadableFile), std::nullopt,
         "Nicht erreicht: keine lesbare Datei auf dem Laufwerk",
         "Not reached: no file on the drive that may be read"},
        {TouchOutcome::Missed(kAt, MissReason::DriveGone), std::nullopt,
         "Nicht erreicht: Laufwerk nicht vorhanden", "Not reached: the drive is not there"},
        {TouchOutcome::Missed(kAt, MissReason::NoAnswer, milliseconds(3000)), std::nullopt,
         "Nicht erreicht: Laufwerk antwortet nicht (3 s)", "Not reached: the drive did not answer (3 s)"},
        {TouchOutcome::Missed(kAt, MissReason::NoAnswer, milliseconds(1500)), std::nullopt,
         "Nicht erreicht: Laufwerk antwortet nicht (1500 ms)",
         "Not reached: the drive did not answer (1500 ms)"},
        {TouchOutcome::Missed(kAt, MissReason::ReadFailed), std::nullopt,
         "Nicht erreicht: Lesefehler auf dem Laufwerk", "Not reached: the drive reported a read error"},
        {std::nullopt, 32, "Noch nicht berührt\nVerbindung fehlgeschlagen (Code 32)",
         "Not touched yet\nConnection failed (code 32)"},
        {TouchOutcome::Missed(kAt, MissReason::DriveGone), 1222,
         "Nicht erreicht: Laufwerk nicht vorhanden\nVerbindung fehlgeschlagen (Code 1222)",
         "Not reached: the drive is not there\nConnection failed (code 1222)"},
        {TouchOutcome::Reached(kAt, TouchRoute::FileRead, 4096), 0,
         "Zuletzt erreicht: 14:02:31 (4 KiB vom Laufwerk gelesen)",
         "Last reached: 14:02:31 (4 KiB read from the drive)"},
        {TouchOutcome::Reached(kAt, TouchRoute::FileRead, 4096), 85,
         "Zuletzt erreicht: 14:02:31 (4 KiB vom Laufwerk gelesen)",
         "Last reached: 14:02:31 (4 KiB read from the drive)"},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        TouchRecords records(FixedClock);
        if (cases[i].touch) {
            records.RecordTouch('e', *cases[i].touch);
        }
        if (cases[i].connection) {
            records.RecordConnection('E', *cases[i].connection);
        }
        EXPECT_EQ(records.HintText('E', 1), cases[i].german) << i;
        EXPECT_EQ(records.HintText('e', 2), cases[i].english) << i;
        EXPECT_EQ(records.HintText('E', 3), "") << i;
        EXPECT_EQ(records.HintText('E', 0), "") << i;
    }
}

class TouchRecordRows : public ::testing::Test {
  protected:
    TouchRecordRows() : records(FixedClock) {}
    // Rebuilds the list as a pass does: cleared, one row per listed letter, the ticked ones ticked.
    void Rebuild(const std::string& listed, const std::string& ticked) {
        list.Clear();
        for (const char letter : listed) {
            list.AddItem(std::string(1, letter) + ":\\ \tname   \t[Festplatte]");
            list.SetChecked(list.Count() - 1, ticked.find(letter) != std::string::npos);
        }
        records.ApplyToList(list, 2);
    }
    std::vector<std::pair<std::string, bool>> Hints() const {
        std::vector<std::pair<std::string, bool>> hints;
        for (const auto& row : list.rows) {
            hints.emplace_back(row.hint, row.warn);
        }
        return hints;
    }

    TouchRecords records;
    testing::FakeCheckList list;
};

TEST_F(TouchRecordRows, RecordFollowsTheLetterAcrossRebuilds) {
    Rebuild("CEF", "EF");
    records.RecordTouch('E', TouchOutcome::Reached(kAt, TouchRoute::FileRead, 4096));
    records.RecordTouch('F', TouchOutcome::Missed(kAt, MissReason::NoReadableFile));
    // D appears before E: E's record moves one row down with its letter.
    Rebuild("CDEF", "EF");
    const std::vector<std::pair<std::string, bool>> expected{
        {"Not touched yet", false},
        {"Not touched yet", false},
        {"Last reached: 14:02:31 (4 KiB read from the drive)", false},
        {"Not reached: no file on the drive that may be read", true}};
    EXPECT_EQ(Hints(), expected);
    for (const auto& row : list.rows) {
        EXPECT_EQ(row.text.substr(3), " \tname   \t[Festplatte]");
    }
}

TEST_F(TouchRecordRows, WarningOnlyForTickedDrivesNotReached) {
    records.RecordTouch('E', TouchOutcome::Missed(kAt, MissReason::DriveGone));
    records.RecordTouch('F', TouchOutcome::Missed(kAt, MissReason::NoAnswer, milliseconds(3000)));
    records.RecordTouch('G', TouchOutcome::Reached(kAt, TouchRoute::BlockDevice, 4096));
    Rebuild("EFG", "EG");
    const std::vector<bool> expected{true, false, false};
    for (std::size_t row = 0; row < expected.size(); ++row) {
        EXPECT_EQ(list.rows[row].warn, expected[row]) << row;
    }
}

TEST_F(TouchRecordRows, VanishedDriveKeepsItsRecordUntilListedAgain) {
    records.RecordTouch('E', TouchOutcome::Reached(kAt, TouchRoute::FileRead, 4096));
    Rebuild("CE", "E");
    Rebuild("C", "");
    ASSERT_NE(records.Find('E'), nullptr);
    Rebuild("CE", "E");
    EXPECT_EQ(list.rows[1].hint, "Last reached: 14:02:31 (4 KiB read from the drive)");
}

}  // namespace
}  // namespace wakelatch
