#include <gtest/gtest.h>

#include <algorithm>

#include "drives/TouchDrive.h"
#include "fakes/FakeDrivePlatform.h"
#include "fakes/MainFormRig.h"
#include "platform/common/CallGate.h"

namespace wakelatch {
namespace {

using platform::kDriveFixed;
using platform::kDriveNoRoot;

class Pass : public ::testing::Test, protected testing::MainFormRig {
  protected:
    Pass() {
        drives.drives['C'] = {kDriveFixed, true, "c"};
        drives.drives['E'] = {kDriveFixed, true, "e"};
        drives.drives['F'] = {kDriveFixed, true, "f"};
    }
    std::vector<std::string> Reads() const {
        std::vector<std::string> reads;
        for (const auto& touch : drives.touches) {
            if (touch.rfind("read ", 0) == 0) {
                reads.push_back(touch.substr(5));
            }
        }
        return reads;
    }
};

// Free space in MB as four-decimal fixed point: 8 x 512 bytes per cluster are 0.0039 MB, times a million
// free clusters; halves round to even, the whole part cuts toward negative infinity.
TEST(TouchDrive, FreeSpaceInFourDecimalFixedPoint) {
    EXPECT_EQ(Fixed4::FromRatio(1, 20000).tenThousandths, 0);  // 0.5 ten-thousandths: to even
    EXPECT_EQ(Fixed4::FromRatio(3, 20000).tenThousandths, 2);  // 1.5: to even
    EXPECT_EQ(Fixed4{-5}.WholePart(), -1);
    testing::FakeDrivePlatform drives;
    drives.drives['E'] = {kDriveFixed, true, "e", {8, 512, 1000000, 2000000}};
    EXPECT_EQ(TouchDrive(drives, "e:", false, false).ToDouble(), 3900.0);
    EXPECT_EQ(TouchDrive(drives, "e:", true, false).ToDouble(), 3.8086);  // 3900 / 1024, four decimals
    EXPECT_EQ(TouchDrive(drives, "e:", true, true).ToDouble(), 3.0);
    // Nothing for an empty drive, and zero when the query fails.
    drives.touches.clear();
    EXPECT_EQ(TouchDrive(drives, "", false, true).tenThousandths, 0);
    EXPECT_EQ(drives.touches, std::vector<std::string>{"current "});
    drives.drives['F'] = {kDriveFixed, false, ""};
    EXPECT_EQ(TouchDrive(drives, "f:", false, true).tenThousandths, 0);
}

TEST_F(Pass, NoSelectionTouchesNothingButStillRebuildsTheList) {
    for (const std::string selection : {"C:\\", ""}) {
        state.Drives = selection;
        Form().Form_Load();
        const int typeCallsBefore = drives.typeCalls;
        drives.touches.clear();
        Form().cmd_Start_Click();
        EXPECT_TRUE(Reads().empty()) << selection;
        EXPECT_GT(drives.typeCalls, typeCallsBefore) << selection;
    }
}

TEST_F(Pass, TouchesTheSelectedDrivesInOrderAndSkipsAVanishedOne) {
    state.Drives = "C:\\E:\\F:\\";
    Form().Form_Load();
    drives.drives['E'] = {kDriveNoRoot, false, ""};  // unplugged since the list was built
    drives.touches.clear();
    std::vector<std::string> statusSeen;
    onYield = [&] { statusSeen.push_back(status.PanelText(1)); };
    Form().cmd_Start_Click();
    EXPECT_EQ(statusSeen.front(), "Status: Arbeite...");
    EXPECT_EQ(status.PanelText(1), "Status: Aktiv");
    // E: cannot become current: the free-space query goes to C:, and nothing of E: is reached.
    EXPECT_EQ(drives.touches,
              (std::vector<std::string>{"current C:", "free C:", "read C:", "current E:", "free C:",
                                        "read E:", "current F:", "free F:", "read F:"}));
    EXPECT_EQ(drives.reached, (std::vector<std::string>{"C:", "F:"}));
    EXPECT_EQ(sleeps, std::vector<int>{200});
    EXPECT_EQ(driveList.Texts(true).size(), 2U);  // the list was rebuilt and ticked again
}

TEST_F(Pass, ASaveAskedForDuringTheRebuildWaitsForTheSelection) {
    state.Drives = "C:\\E:\\";
    Form().Form_Load();
    bool asked = false;
    onYield = [&] {
        if (!asked && Form().Drives().SelectionInFlux()) {
            asked = true;
            Form().cmd_Speichern_Click();  // the user clicks Save while the list is rebuilt
            EXPECT_TRUE(store.writes.empty());
        }
    };
    Form().cmd_Start_Click();
    ASSERT_TRUE(asked);
    EXPECT_EQ(state.Drives, "C:\\E:\\");
    EXPECT_EQ(store.Get("Drives"), "C:\\E:\\");
}

// While a call for E: is awaited the event loop turns; each case is one thing that happens then.
class WhileACallIsPending : public Pass {
  protected:
    void RunPassWith(const std::function<void()>& event, const std::string& during = "read E:") {
        state.Drives = "C:\\E:\\F:\\";
        Form().Form_Load();
        drives.touches.clear();
        drives.duringCall = [event, during, fired = false](const std::string& call) mutable {
            if (!fired && call == during) {
                fired = true;
                event();
            }
        };
        Form().cmd_Start_Click();
        drives.duringCall = nullptr;
    }
};

// Options saved in a dialog open since before the pass (the pass then runs inside the dialog's own event
// loop): the list is rebuilt once, after the pass.
TEST_F(WhileACallIsPending, OptionsSavedDuringThePassRefreshTheListAfterIt) {
    RunPassWith(
        [this] {
            state.DriveName = 0;
            Form().RequestRefresh();
        },
        "volume E:\\");
    ASSERT_EQ(driveList.Count(), 3);  // no rows of a rebuild inside the pass's own
    EXPECT_EQ(driveList.Texts(true).size(), 3U);
    EXPECT_EQ(driveList.Text(0).find("\tc"), std::string::npos) << "rebuilt without the name column";
}

TEST_F(WhileACallIsPending, AnExitEndsThePassWithoutFurtherWork) {
    state.AutoTray = true;
    RunPassWith([this] { Form().Form_Unload(); });
    EXPECT_EQ(Reads(), (std::vector<std::string>{"C:", "E:"}));
    EXPECT_TRUE(sleeps.empty());
    EXPECT_FALSE(notificationArea.present);
    EXPECT_FALSE(Form().PassRunning());
}

// A drive whose read hangs: the pass gives up on it at its limit and goes on; the next pass answers it
// at once, without a new call piling up behind the stuck one.
class GatedReads final : public platform::Awaiter {
  public:
    bool Await(const std::function<bool()>& ready, std::chrono::milliseconds) override { return ready(); }
    void Wake() override {}
};

TEST_F(Pass, ADriveStuckFromOnePassToTheNext) {
    GatedReads awaiter;
    platform::CallGate gate(awaiter);
    std::vector<platform::CallGate::Done<bool>> hanging;  // the reads of E: that have not come back
    int readsStarted = 0;
    drives.reachThrough = [&](const std::string& drive, bool reachable) {
        return gate
            .Call<bool>(drive, std::chrono::milliseconds(3000),
                        [&](platform::CallGate::Done<bool> done) {
                            ++readsStarted;
                            if (drive == "E:") {
                                hanging.push_back(std::move(done));
                            } else {
                                done(reachable);
                            }
                        })
            .value_or(false);
    };
    state.Drives = "C:\\E:\\F:\\";
    Form().Form_Load();
    Form().cmd_Start_Click();
    EXPECT_EQ(drives.reached, (std::vector<std::string>{"C:", "F:"}));
    EXPECT_EQ(readsStarted, 3);

    Form().cmd_Start_Click();
    EXPECT_EQ(readsStarted, 5) << "no second read of E: while the first still hangs";
}

class Scheduler : public Pass {
  protected:
    void Load(int times) {
        state.Times = times;
        state.Drives = "C:\\E:\\";
        Form().Form_Load();
        drives.touches.clear();
    }
    int Passes() const {
        return static_cast<int>(std::count(drives.touches.begin(), drives.touches.end(), "read E:"));
    }
};

TEST_F(Scheduler, FiveMinutesThenThePassTimerFiveSecondsLater) {
    Load(5);
    for (int minute = 1; minute <= 4; ++minute) {
        standby.Tick();
    }
    EXPECT_FALSE(pass.enabled);
    standby.Tick();
    EXPECT_EQ(standby.tag, "0");
    EXPECT_FALSE(standby.enabled);
    pass.Tick();
    EXPECT_EQ(Passes(), 1);
    EXPECT_FALSE(pass.enabled);
    EXPECT_TRUE(standby.enabled);  // counting again
}

TEST_F(Scheduler, NoPassStartsInsideARunningPass) {
    for (const bool startedByTimer : {false, true}) {
        Load(1);
        drives.touches.clear();
        // At every moment the pass lets events through, the user clicks and the pass timer fires.
        onYield = [&] {
            Form().cmd_Start_Click();
            pass.enabled = true;
            pass.Tick();
        };
        if (startedByTimer) {
            standby.Tick();
            pass.Tick();
        } else {
            Form().cmd_Start_Click();
        }
        onYield = nullptr;
        EXPECT_EQ(Passes(), 1) << (startedByTimer ? "timer" : "manual");
        EXPECT_FALSE(Form().RefreshPending);
        EXPECT_FALSE(Form().PassRunning());
        EXPECT_TRUE(standby.enabled);
    }
}

}  // namespace
}  // namespace wakelatch
