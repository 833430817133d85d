#include <gtest/gtest.h>

#include "drives/Selection.h"
#include "fakes/FakeControls.h"
#include "fakes/FakeSettingsStore.h"

namespace wakelatch {
namespace {

class SaveCommand : public ::testing::Test {
  protected:
    SaveCommand() {
        for (const char letter : std::string("CDEZ")) {
            list.AddItem(std::string(1, letter) + ":\\ \tname   \t[Festplatte]   *Verbunden*");
        }
        state.Times = 7;
        state.AutoStart = true;
        state.DriveStart = 1;
    }
    void Tick(const std::string& letters) {
        for (int row = 0; row < list.Count(); ++row) {
            list.SetChecked(row, letters.find(list.Text(row)[0]) != std::string::npos);
        }
    }
    void Save() { selection::SaveDriveSelection(state, list, store, label); }

    ProgramState state;
    testing::FakeCheckList list;
    testing::FakeSettingsStore store;
    testing::FakeCaptioned label;
};

TEST_F(SaveCommand, SelectionStringFromTheTickedRows) {
    for (const auto& [ticked, expected] : std::vector<std::pair<std::string, std::string>>{
             {"", ""}, {"C", "C:\\"}, {"CEZ", "C:\\E:\\Z:\\"}, {"ZD", "D:\\Z:\\"}}) {
        Tick(ticked);
        Save();
        EXPECT_EQ(state.Drives, expected) << ticked;
        EXPECT_EQ(store.Get("Drives"), expected) << ticked;
    }
}

// Five keys are written, the saved minutes shown, and the last ticked row highlighted.
TEST_F(SaveCommand, WritesItsFiveKeysAndTheSavedMinutes) {
    list.SetListIndex(0);
    Tick("DE");
    Save();
    EXPECT_EQ(list.listIndex, 2);
    EXPECT_EQ(store.writes.size(), 5U);
    EXPECT_EQ(store.Get("Times"), "7");
    EXPECT_EQ(store.Get("AutoStart"), "True");
    EXPECT_EQ(store.Get("DriveStart"), "1");
    EXPECT_EQ(label.text, "7 Min.");
    Tick("");
    Save();
    EXPECT_EQ(list.listIndex, 2);  // unchanged when nothing is ticked
}

}  // namespace
}  // namespace wakelatch
