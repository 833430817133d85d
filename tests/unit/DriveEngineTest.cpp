#include <gtest/gtest.h>

#include <algorithm>

#include "drives/DriveEngine.h"
#include "fakes/FakeControls.h"
#include "fakes/FakeDrivePlatform.h"

namespace wakelatch {
namespace {

using platform::kDriveCdRom;
using platform::kDriveFixed;
using platform::kDriveNoRoot;
using platform::kDriveRamDisk;
using platform::kDriveRemote;
using platform::kDriveRemovable;

std::string PadTo(std::string text, std::size_t length) {
    return text.size() >= length ? text : text + std::string(length - text.size(), ' ');
}

// With the fake measurer (100 twips a character) and a list 8055 twips wide, the marker starts at the first
// length whose width reaches 8055 - width(marker) - 1490; the name column ends at character 33.
std::string Row(const std::string& names, const std::string& type, const std::string& marker) {
    const int width = 8055 - static_cast<int>(marker.size()) * 100 - 1490;
    return PadTo(PadTo(names, 33) + "\t[" + type + "]", static_cast<std::size_t>((width + 99) / 100)) +
           marker;
}

class Engine : public ::testing::Test {
  protected:
    Engine() {
        state.Language = 1;
        state.DriveName = 1;
        state.DriveStart = 1;
        state.Drives = "C:\\";
    }
    DriveEngine& Make(std::function<void()> onYield = {}) {
        if (!onYield) {
            onYield = [this] { ++yields; };
        }
        engine = std::make_unique<DriveEngine>(state, drives, DriveEngine::Lists{list, substitute}, measurer,
                                               onYield);
        return *engine;
    }
    std::vector<std::string> Fill() {
        Make().FillDriveList();
        return list.Texts();
    }
    void AddFixed(const std::string& letters) {
        for (const char letter : letters) {
            drives.drives[letter] = {kDriveFixed, true, std::string(1, letter)};
        }
    }
    // The drive letters of the rows.
    static std::string Letters(const std::vector<std::string>& rows) {
        std::string letters;
        for (const auto& text : rows) {
            letters += text[0];
        }
        return letters;
    }

    ProgramState state;
    testing::FakeDrivePlatform drives;
    testing::FakeCheckList list;
    testing::FakeCheckList substitute;
    testing::FakeMeasurer measurer;
    std::unique_ptr<DriveEngine> engine;
    int yields = 0;
};

// One drive's row by language (1 German, 2 English, 3 other) and name column (DriveName 1 or 0). A type of
// kDriveNoRoot means only a persistent mapping.
TEST_F(Engine, TheRowOfOneDrive) {
    struct Case {
        char letter;
        int type;
        std::string label, mapping;
        int language, driveName;
        std::string names, typeName, marker;
    };
    const Case cases[] = {
        {'C', kDriveFixed, "System", "", 1, 1, "C:\\ \tSystem", "Festplatte", "*Verbunden*"},
        {'C', kDriveFixed, "System", "", 2, 0, "C:\\ ", "Fixed", "*Connected*"},
        // Without a type name the label is not chosen as the name; the name column is empty.
        {'C', kDriveFixed, "System", "", 3, 1, "C:\\ \t", "", ""},
        // No label: five blanks.
        {'D', kDriveFixed, "", "", 1, 1, "D:\\ \t     ", "Festplatte", "*Verbunden*"},
        {'N', kDriveNoRoot, "", "//server/share", 2, 0, "N:\\ ", "//server/share", "*Disconnected*"},
        {'N', kDriveNoRoot, "", "//server/share", 1, 1, "N:\\ \t//server/share", "Netzlaufwerk",
         "*nicht verbunden*"},
        {'N', kDriveRemote, "/mnt/nas", "nas:/export", 2, 1, "N:\\ \tnas:/export", "Remote", "*Connected*"},
    };
    for (const Case& c : cases) {
        drives.drives.clear();
        drives.mappings.clear();
        if (c.type != kDriveNoRoot) {
            drives.drives[c.letter] = {c.type, true, c.label};
        }
        if (!c.mapping.empty()) {
            drives.Map(c.letter, c.mapping);
        }
        state.Language = c.language;
        state.DriveName = c.driveName;
        const std::string expected = Row(c.names, c.typeName, c.marker);
        EXPECT_EQ(Fill(), std::vector<std::string>{expected}) << expected;
    }
}

TEST_F(Engine, WhichDriveTypesAreListedInLetterOrder) {
    drives.drives['Z'] = {kDriveRemote, false, ""};
    drives.drives['C'] = {kDriveFixed, true, "c"};
    drives.drives['D'] = {kDriveCdRom, true, "dvd"};
    drives.drives['E'] = {kDriveRemovable, true, "stick"};
    drives.drives['F'] = {kDriveRamDisk, true, "ram"};
    drives.drives['G'] = {kDriveNoRoot, false, ""};
    drives.drives['H'] = {0, false, ""};
    drives.drives['K'] = {kDriveFixed, true, "k"};
    const auto rows = Fill();
    ASSERT_EQ(Letters(rows), "CEKZ");
    // Cut at the marker column by the coarse fake measurer; a real font leaves it whole.
    EXPECT_NE(rows[1].find("[Wechseldatentr"), std::string::npos);
    EXPECT_NE(rows[3].find("*nicht verbunden*"), std::string::npos);
    EXPECT_GE(yields, 24);  // the event loop runs at least once per letter
}

TEST_F(Engine, RebuildShowsTheOldListGreyedAndRestoresTheHighlight) {
    AddFixed("CDE");
    const auto before = Fill();
    list.SetChecked(1, true);
    list.SetListIndex(2);
    struct Seen {
        bool listVisible, substituteVisible, substituteEnabled;
        int substituteIndex;
        std::vector<std::string> substituteChecked;
    } during{};
    Make([&] {
        during = {list.visible, substitute.visible, substitute.enabled, substitute.listIndex,
                  substitute.Texts(true)};
    });
    engine->FillDriveList();
    // While the letters are read, the substitute stands in: the old rows with their ticks, greyed.
    EXPECT_FALSE(during.listVisible);
    EXPECT_TRUE(during.substituteVisible);
    EXPECT_FALSE(during.substituteEnabled);
    EXPECT_EQ(during.substituteIndex, 2);
    EXPECT_EQ(during.substituteChecked, std::vector<std::string>{before[1]});
    EXPECT_TRUE(list.visible);
    EXPECT_FALSE(substitute.visible);
    EXPECT_EQ(list.listIndex, 2);
    EXPECT_TRUE(list.Texts(true).empty());  // rows come back unticked
}

TEST_F(Engine, PaddingReachesTheColumnOrCutsToIt) {
    auto& e = Make();
    EXPECT_EQ(e.PadToWidth("D:\\", 300), "D:\\ ");       // exactly as wide still gets a space
    EXPECT_EQ(e.PadToWidth("ab", 450), "ab   ");         // first width that reaches 450 is 500
    EXPECT_EQ(e.PadToWidth("abcdefgh", 500), "abcde ");  // cut until it fits, then padded
    EXPECT_EQ(e.PadToWidth("abc", -500), " ");  // a column narrower than nothing cannot hang the list
}

// Labels and mappings are cut at their first NUL; a mapping of another type reads as empty.
TEST_F(Engine, NamesAndRootsFromWhatThePlatformGives) {
    drives.drives['E'] = {kDriveFixed, true, std::string("Data\0junk", 9)};
    drives.Map('N', std::string("//nas/share\0", 12));
    drives.mappings['M'] = {platform::MappingValue::Kind::OtherType, "binary"};
    auto& e = Make();
    EXPECT_EQ(e.ReadDriveName("E:\\", 1), "Data");
    EXPECT_EQ(e.ReadDriveName("n", 2), "//nas/share");
    EXPECT_EQ(e.ReadDriveName("M", 2), "");
    EXPECT_EQ(e.ReadDriveName("E:\\", 3), "");
    EXPECT_EQ(e.ReadRegistryString('Q', "fallback"), "fallback");
    EXPECT_TRUE(e.VolumeReadable("E"));  // a bare letter is made a root
}

TEST_F(Engine, TicksTheSavedDrivesAndAnswersWhetherADriveIsSelected) {
    AddFixed("CDEZ");
    Make().FillDriveList();
    for (const auto& [drivesSetting, ticked] : std::vector<std::pair<std::string, std::string>>{
             {"C:\\", ""}, {"C:\\D:\\", "CD"}, {"E:\\Z:\\Q:\\", "EZ"}}) {
        for (int row = 0; row < list.Count(); ++row) {
            list.SetChecked(row, false);
        }
        state.Drives = drivesSetting;
        engine->ApplyDriveSelection();
        EXPECT_EQ(Letters(list.Texts(true)), ticked) << drivesSetting;
    }
    state.Drives = "C:\\E:\\";
    EXPECT_TRUE(engine->IsDriveSelected("e:"));
    EXPECT_FALSE(engine->IsDriveSelected("D:"));
    list.Clear();
    EXPECT_FALSE(engine->IsDriveSelected("E:"));  // nothing counts as selected in an empty list
}

// Selected letters with a text mapping are reconnected (the network check on); the result is kept.
TEST_F(Engine, SelectedMappedLettersAreReconnected) {
    AddFixed("C");
    drives.Map('M', "//nas/m");
    drives.Map('N', "//nas/n");
    drives.mappings['O'] = {platform::MappingValue::Kind::OtherType, "//nas/o"};  // counts as unmapped
    state.Drives = "C:\\N:\\O:\\";
    drives.connectResult = platform::kAlreadyAssigned;
    state.DriveStart = 0;
    Make().FillDriveList();
    EXPECT_TRUE(drives.connections.empty());
    EXPECT_EQ(list.Count(), 3);  // the mapped letters are still listed with their remote paths

    // With the check on, N: is reconnected while the list is built (it comes after C:, so the list has
    // rows) and again by the reconnect step.
    state.DriveStart = 1;
    engine->FillDriveList();
    engine->ReconnectNetworkDrives();
    EXPECT_EQ(drives.connections, (std::vector<std::string>{"N: //nas/n", "N: //nas/n"}));
    EXPECT_EQ(state.LastResult, platform::kAlreadyAssigned);

    // A mapped letter that is not selected still starts its request afresh: the result is cleared.
    state.LastResult = 99;
    drives.mappings.erase('N');
    engine->ReconnectNetworkDrives();
    EXPECT_EQ(state.LastResult, 0);
}

}  // namespace
}  // namespace wakelatch
