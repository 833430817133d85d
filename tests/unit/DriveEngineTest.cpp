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
using FakeDrive = testing::FakeDrivePlatform::Drive;

std::string Spaces(std::size_t n) {
    return std::string(n, ' ');
}

// The fake measurer makes every character 100 twips wide and the list is 8055 twips wide, so the name
// column ends at character 33 and the marker starts at character 55 - marker length / 100 ... rounded up:
// the text is padded to the first length whose width reaches 8055 - width(marker) - 1490.
std::string PadTo(std::string text, std::size_t length) {
    return text.size() >= length ? text : text + Spaces(length - text.size());
}

std::size_t MarkerColumn(const std::string& marker) {
    const int width = 8055 - static_cast<int>(marker.size()) * 100 - 1490;
    return static_cast<std::size_t>((width + 99) / 100);
}

std::string Row(const std::string& withoutMarker, const std::string& marker) {
    return PadTo(withoutMarker, MarkerColumn(marker)) + marker;
}

class Engine : public ::testing::Test {
  protected:
    Engine() {
        state.Language = 1;
        state.DriveName = 1;
        state.DriveStart = 1;
        state.Drives = "C:\\";
    }

    DriveEngine& Make() {
        engine = std::make_unique<DriveEngine>(state, drives, DriveEngine::Lists{list, substitute}, measurer,
                                               [this] { OnYield(); });
        return *engine;
    }

    std::vector<std::string> Fill() {
        Make().FillDriveList();
        return list.Texts();
    }

    virtual void OnYield() { ++yields; }

    ProgramState state;
    testing::FakeDrivePlatform drives;
    testing::FakeCheckList list;
    testing::FakeCheckList substitute;
    testing::FakeMeasurer measurer;
    std::unique_ptr<DriveEngine> engine;
    int yields = 0;
};

// One drive's row by language (1 German, 2 English, 3 other) and name column (DriveName 1 or 0).
TEST_F(Engine, TheRowOfOneDrive) {
    struct Case {
        char letter;
        FakeDrive drive;  // type kDriveNoRoot: only a persistent mapping
        std::string mapping;
        int language, driveName;
        std::string expected;
    };
    const Case cases[] = {
        {'C',
         {kDriveFixed, true, "System"},
         "",
         1,
         1,
         Row(PadTo("C:\\ \tSystem", 33) + "\t[Festplatte]", "*Verbunden*")},
        {'C', {kDriveFixed, true, "System"}, "", 2, 0, Row(PadTo("C:\\ ", 33) + "\t[Fixed]", "*Connected*")},
        // Without a type name the label is not chosen as the name; the name column is empty.
        {'C', {kDriveFixed, true, "System"}, "", 3, 1, Row(PadTo("C:\\ \t", 33) + "\t[]", "")},
        {'D',
         {kDriveFixed, true, ""},
         "",
         1,
         1,
         Row(PadTo("D:\\ \t     ", 33) + "\t[Festplatte]", "*Verbunden*")},  // no label: five blanks
        {'N',
         {kDriveNoRoot, false, ""},
         "//server/share",
         2,
         0,
         Row(PadTo("N:\\ ", 33) + "\t[//server/share]", "*Disconnected*")},
        {'N',
         {kDriveNoRoot, false, ""},
         "//server/share",
         1,
         1,
         Row(PadTo("N:\\ \t//server/share", 33) + "\t[Netzlaufwerk]", "*nicht verbunden*")},
        {'N',
         {kDriveRemote, true, "/mnt/nas"},
         "nas:/export",
         2,
         1,
         Row(PadTo("N:\\ \tnas:/export", 33) + "\t[Remote]", "*Connected*")},
    };
    for (const Case& c : cases) {
        drives.drives.clear();
        drives.mappings.clear();
        if (c.drive.type != kDriveNoRoot) {
            drives.drives[c.letter] = c.drive;
        }
        if (!c.mapping.empty()) {
            drives.Map(c.letter, c.mapping);
        }
        state.Language = c.language;
        state.DriveName = c.driveName;
        EXPECT_EQ(Fill(), std::vector<std::string>{c.expected}) << c.expected;
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
    ASSERT_EQ(rows.size(), 4U);
    EXPECT_EQ(rows[0].substr(0, 3), "C:\\");
    EXPECT_EQ(rows[1].substr(0, 3), "E:\\");
    // Cut at the marker column by the coarse fake measurer; a real font leaves it whole.
    EXPECT_NE(rows[1].find("[Wechseldatentr"), std::string::npos);
    EXPECT_EQ(rows[2].substr(0, 3), "K:\\");
    EXPECT_EQ(rows[3].substr(0, 3), "Z:\\");
    EXPECT_NE(rows[3].find("*nicht verbunden*"), std::string::npos);
    EXPECT_GE(yields, 24);  // the event loop runs at least once per letter
}

TEST_F(Engine, ALetterThatFailsIsLeftOutAndLeavesNothingToTheNext) {
    drives.Map('D', "//server/d");
    drives.drives['E'] = {kDriveFixed, true, "e"};
    drives.Map('E', "//server/e");
    drives.throwFor = 'E';  // fails after its remote path was found and it was made listable
    drives.drives['F'] = {kDriveNoRoot, false, ""};
    drives.drives['G'] = {kDriveFixed, true, "g"};
    state.DriveName = 0;
    const auto rows = Fill();
    ASSERT_EQ(rows.size(), 2U);
    EXPECT_EQ(rows[0][0], 'D');
    EXPECT_EQ(rows[1][0], 'G');  // F, with no drive and no mapping, is not listed on E's account
    EXPECT_EQ(rows[1].find("//server"), std::string::npos);
    EXPECT_FALSE(engine->DriveListable);
    EXPECT_TRUE(engine->CurrentRemotePath.empty());
}

TEST_F(Engine, TheSelectionIsInFluxFromTheRebuildUntilItIsTickedAgain) {
    drives.drives['C'] = {kDriveFixed, true, "c"};
    std::vector<bool> seen;
    engine = std::make_unique<DriveEngine>(state, drives, DriveEngine::Lists{list, substitute}, measurer,
                                           [&] { seen.push_back(engine->SelectionInFlux()); });
    int restored = 0;
    engine->SetSelectionRestoredHandler([&] { ++restored; });
    EXPECT_FALSE(engine->SelectionInFlux());
    engine->FillDriveList();
    EXPECT_TRUE(std::all_of(seen.begin(), seen.end(), [](bool inFlux) { return inFlux; }));
    EXPECT_TRUE(engine->SelectionInFlux());
    engine->ApplyDriveSelection();  // "C:\": nothing to tick, but the list shows the selection again
    EXPECT_FALSE(engine->SelectionInFlux());
    EXPECT_EQ(restored, 1);
    engine->ApplyDriveSelection();
    EXPECT_EQ(restored, 1);
}

TEST_F(Engine, RebuildShowsTheOldListGreyedAndRestoresTheHighlight) {
    drives.drives['C'] = {kDriveFixed, true, "c"};
    drives.drives['D'] = {kDriveFixed, true, "d"};
    drives.drives['E'] = {kDriveFixed, true, "e"};
    Make().FillDriveList();
    const auto before = list.Texts();
    list.SetChecked(1, true);
    list.SetListIndex(2);

    struct Seen {
        bool listVisible, substituteVisible, substituteEnabled;
        int substituteIndex;
        std::vector<std::string> substituteChecked;
    };
    std::vector<Seen> seen;
    engine =
        std::make_unique<DriveEngine>(state, drives, DriveEngine::Lists{list, substitute}, measurer, [&] {
            seen.push_back({list.visible, substitute.visible, substitute.enabled, substitute.listIndex,
                            substitute.CheckedTexts()});
        });
    engine->FillDriveList();

    // While the letters are read, the substitute stands in: the old rows with their ticks, greyed.
    const Seen& during = seen.back();
    EXPECT_FALSE(during.listVisible);
    EXPECT_TRUE(during.substituteVisible);
    EXPECT_FALSE(during.substituteEnabled);
    EXPECT_EQ(during.substituteIndex, 2);
    EXPECT_EQ(during.substituteChecked, std::vector<std::string>{before[1]});
    EXPECT_EQ(substitute.left, 120.0F);
    EXPECT_EQ(substitute.top, 360.0F);

    EXPECT_TRUE(list.visible);
    EXPECT_FALSE(substitute.visible);
    EXPECT_EQ(substitute.Count(), 0);
    EXPECT_EQ(list.listIndex, 2);
    EXPECT_TRUE(list.CheckedTexts().empty());  // rows come back unticked

    drives.drives.erase('E');  // a highlight beyond the rebuilt list is not restored
    engine->FillDriveList();
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.listIndex, -1);
}

TEST_F(Engine, PaddingReachesTheColumnOrCutsToIt) {
    auto& e = Make();
    EXPECT_EQ(e.PadToWidth("D:\\", 300), "D:\\ ");       // exactly as wide still gets a space
    EXPECT_EQ(e.PadToWidth("ab", 450), "ab   ");         // first width that reaches 450 is 500
    EXPECT_EQ(e.PadToWidth("abcdefgh", 500), "abcde ");  // cut until it fits, then padded
    EXPECT_EQ(e.PadToWidth("", 100), " ");
    EXPECT_EQ(e.PadToWidth("abc", -500), " ");  // a column narrower than nothing cannot hang the list
}

TEST_F(Engine, VolumeReadableMakesARootOfALetter) {
    drives.drives['E'] = {kDriveFixed, true, "e"};
    auto& e = Make();
    EXPECT_TRUE(e.VolumeReadable("E"));
    EXPECT_TRUE(e.VolumeReadable("E:"));
    EXPECT_TRUE(e.VolumeReadable("E:\\"));
    EXPECT_FALSE(e.VolumeReadable("F:"));
}

TEST_F(Engine, ReadDriveNameModes) {
    drives.drives['E'] = {kDriveFixed, true, std::string("Data\0junk", 9)};
    drives.Map('N', std::string("//nas/share\0", 12));
    drives.mappings['M'] = {platform::MappingValue::Kind::OtherType, "binary"};
    auto& e = Make();
    EXPECT_EQ(e.ReadDriveName("E:\\", 1), "Data");
    EXPECT_EQ(e.ReadDriveName("F:\\", 1), "");
    EXPECT_EQ(e.ReadDriveName("n", 2), "//nas/share");
    EXPECT_EQ(e.ReadDriveName("M", 2), "");
    EXPECT_EQ(e.ReadDriveName("E:\\", 3), "");
    EXPECT_EQ(e.ReadRegistryString('Q', "fallback"), "fallback");
    EXPECT_EQ(e.ReadRegistryString('M', "fallback"), "");
}

class Selection : public Engine {
  protected:
    void ListDrives(const std::string& letters) {
        for (const char letter : letters) {
            drives.drives[letter] = {kDriveFixed, true, std::string(1, letter)};
        }
        Make().FillDriveList();
    }
    std::string CheckedLetters() const {
        std::string letters;
        for (const auto& text : list.CheckedTexts()) {
            letters += text[0];
        }
        return letters;
    }
};

TEST_F(Selection, TicksTheSavedDrives) {
    ListDrives("CDEZ");
    for (const auto& [drivesSetting, ticked] : std::vector<std::pair<std::string, std::string>>{
             {"C:\\", ""}, {"", ""}, {"C:\\D:\\", "CD"}, {"E:\\Z:\\", "EZ"}, {"Q:\\", ""}}) {
        for (int row = 0; row < list.Count(); ++row) {
            list.SetChecked(row, false);
        }
        state.Drives = drivesSetting;
        engine->ApplyDriveSelection();
        EXPECT_EQ(CheckedLetters(), ticked) << drivesSetting;
    }
}

TEST_F(Selection, IsDriveSelected) {
    ListDrives("CE");
    state.Drives = "C:\\E:\\";
    EXPECT_TRUE(engine->IsDriveSelected("e:"));
    EXPECT_TRUE(engine->IsDriveSelected("C"));
    EXPECT_FALSE(engine->IsDriveSelected("D:"));
    EXPECT_FALSE(engine->IsDriveSelected(""));
    state.Drives = "C:\\";
    EXPECT_FALSE(engine->IsDriveSelected("C:"));
    state.Drives = "C:\\E:\\";
    list.Clear();
    EXPECT_FALSE(engine->IsDriveSelected("E:"));  // nothing counts as selected in an empty list
}

class Network : public Engine {};

TEST_F(Network, SelectedMappedLettersAreReconnectedAndTheResultKept) {
    drives.drives['C'] = {kDriveFixed, true, "c"};
    drives.Map('M', "//nas/m");
    drives.Map('N', "//nas/n");
    state.Drives = "C:\\N:\\";
    drives.connectResult = platform::kAlreadyAssigned;
    Make().FillDriveList();
    drives.connections.clear();
    engine->ReconnectNetworkDrives();
    EXPECT_EQ(drives.connections, std::vector<std::string>{"N: //nas/n"});  // M: is not selected
    EXPECT_EQ(state.LastResult, platform::kAlreadyAssigned);

    // A mapped letter that is not selected still starts its request afresh: the result is cleared.
    state.LastResult = 99;
    drives.mappings.erase('N');
    engine->ReconnectNetworkDrives();
    EXPECT_EQ(state.LastResult, 0);
}

TEST_F(Network, NoRequestsWithoutTheNetworkCheckOrWithoutASelection) {
    drives.drives['C'] = {kDriveFixed, true, "c"};
    drives.Map('N', "//nas/n");
    state.Drives = "C:\\N:\\";
    state.DriveStart = 0;
    Make().FillDriveList();
    EXPECT_TRUE(drives.connections.empty());
    EXPECT_EQ(list.Count(), 2);  // the mapped letter is still listed with its remote path

    state.DriveStart = 1;
    for (const std::string selection : {"C:\\", ""}) {
        state.Drives = selection;
        engine->FillDriveList();
        engine->ReconnectNetworkDrives();
        EXPECT_TRUE(drives.connections.empty()) << selection;
    }
}

TEST_F(Network, AMappingThatIsNoTextCountsAsUnmapped) {
    drives.drives['C'] = {kDriveFixed, true, "c"};
    drives.mappings['N'] = {platform::MappingValue::Kind::OtherType, "//nas/n"};
    state.Drives = "C:\\N:\\";
    Make().FillDriveList();
    engine->ReconnectNetworkDrives();
    EXPECT_TRUE(drives.connections.empty());
    EXPECT_EQ(list.Count(), 1);
}

}  // namespace
}  // namespace wakelatch
