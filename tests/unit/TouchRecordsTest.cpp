#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "drives/TouchRecords.h"
#include "fakes/MainFormRig.h"

namespace wakelatch {
namespace {

using platform::DeviceReach;
using Miss = DeviceReach::Miss;
using Route = DeviceReach::Route;
using std::chrono::milliseconds;
using std::chrono::system_clock;

// The time of a touch is shown as the clock's text for it; here every touch happens at 14:02:31.
void StopTheClock(TouchRecords& records) {
    records.SetClock([] { return system_clock::time_point{}; },
                     [](system_clock::time_point) { return std::string("14:02:31"); });
}

TEST(TouchRecordTexts, EachOutcomeInBothLanguagesAndNoneOtherwise) {
    struct Case {
        std::optional<DeviceReach> touch;
        std::optional<int> connection;
        std::string german;
        std::string english;
    };
    const std::vector<Case> cases{
        {std::nullopt, std::nullopt, "Noch nicht berührt", "Not touched yet"},
        {DeviceReach::Read(Route::File, 4096), std::nullopt,
         "Zuletzt erreicht: 14:02:31 (4 KiB vom Laufwerk gelesen)",
         "Last reached: 14:02:31 (4 KiB read from the drive)"},
        {DeviceReach::Read(Route::File, 512), std::nullopt,
         "Zuletzt erreicht: 14:02:31 (512 Bytes vom Laufwerk gelesen)",
         "Last reached: 14:02:31 (512 bytes read from the drive)"},
        {DeviceReach::Missed(Miss::NoReadableFile), std::nullopt,
         "Nicht erreicht: keine lesbare Datei auf dem Laufwerk",
         "Not reached: no file on the drive that may be read"},
        {DeviceReach::Missed(Miss::DriveGone), std::nullopt, "Nicht erreicht: Laufwerk nicht vorhanden",
         "Not reached: the drive is not there"},
        {DeviceReach::Missed(Miss::NoAnswer, milliseconds(3000)), std::nullopt,
         "Nicht erreicht: Laufwerk antwortet nicht (3 s)", "Not reached: the drive did not answer (3 s)"},
        {DeviceReach::Missed(Miss::NoAnswer, milliseconds(1500)), std::nullopt,
         "Nicht erreicht: Laufwerk antwortet nicht (1500 ms)",
         "Not reached: the drive did not answer (1500 ms)"},
        {DeviceReach::Missed(Miss::ReadFailed), std::nullopt, "Nicht erreicht: Lesefehler auf dem Laufwerk",
         "Not reached: the drive reported a read error"},
        {DeviceReach::Missed(Miss::DriveGone), 1222,
         "Nicht erreicht: Laufwerk nicht vorhanden\nVerbindung fehlgeschlagen (Code 1222)",
         "Not reached: the drive is not there\nConnection failed (code 1222)"},
        // Already connected: nothing to say about the connection.
        {DeviceReach::Read(Route::BlockDevice, 4096), 85,
         "Zuletzt erreicht: 14:02:31 (4 KiB vom Blockgerät gelesen)",
         "Last reached: 14:02:31 (4 KiB read from the block device)"},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        TouchRecords records;
        StopTheClock(records);
        if (cases[i].touch) {
            records.RecordTouch('e', *cases[i].touch);
        }
        if (cases[i].connection) {
            records.RecordConnection('E', *cases[i].connection);
        }
        EXPECT_EQ(records.HintText('E', 1), cases[i].german) << i;
        EXPECT_EQ(records.HintText('e', 2), cases[i].english) << i;
        EXPECT_EQ(records.HintText('E', 3), "") << i;
    }
}

// Passes of the real main-window logic over fake drives: C: can be reached, E: has nothing readable,
// F: is listed but not selected.
class TouchRecordRows : public ::testing::Test, protected testing::MainFormRig {
  protected:
    TouchRecordRows() {
        state.Language = 2;
        state.Drives = "C:\\E:\\";
        drives.drives['C'] = {platform::kDriveFixed, true, "c"};
        drives.drives['E'] = {platform::kDriveFixed, true, "e"};
        drives.drives['F'] = {platform::kDriveFixed, true, "f"};
        drives.reachThrough = [](const std::string& drive, bool reachable) {
            return reachable && drive != "E:";
        };
        Form().Form_Load();
        StopTheClock(Form().Drives().TouchHistory());
    }
    // Each row's letter, tooltip and warning mark.
    std::vector<std::string> Rows() const {
        std::vector<std::string> rows;
        for (const auto& row : driveList.rows) {
            rows.push_back(row.text.substr(0, 1) + " " + row.hint + (row.missed ? " [!]" : ""));
        }
        return rows;
    }
};

TEST_F(TouchRecordRows, APassTellsEachRowWhetherItsDriveWasReached) {
    EXPECT_EQ(Rows(),
              (std::vector<std::string>{"C Not touched yet", "E Not touched yet", "F Not touched yet"}));
    Form().cmd_Start_Click();
    EXPECT_EQ(Rows(), (std::vector<std::string>{"C Last reached: 14:02:31 (4 KiB read from the drive)",
                                                "E Not reached: no file on the drive that may be read [!]",
                                                "F Not touched yet"}));
}

TEST_F(TouchRecordRows, RecordsFollowTheLetterThroughRebuilds) {
    Form().cmd_Start_Click();
    drives.drives['D'] = {platform::kDriveFixed, true, "d"};  // a new drive pushes E: one row down
    Form().Drives().FillDriveList();
    Form().Drives().ApplyDriveSelection();
    EXPECT_EQ(Rows(), (std::vector<std::string>{
                          "C Last reached: 14:02:31 (4 KiB read from the drive)", "D Not touched yet",
                          "E Not reached: no file on the drive that may be read [!]", "F Not touched yet"}));
}

}  // namespace
}  // namespace wakelatch
