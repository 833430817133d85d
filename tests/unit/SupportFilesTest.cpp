#include <gtest/gtest.h>

#include "fakes/FakeControls.h"
#include "fakes/FakeFileSystem.h"
#include "fakes/FakePrograms.h"
#include "support/FileOps.h"
#include "support/RegistryValue.h"
#include "ui/shaped/SystemInfo.h"

namespace wakelatch {
namespace {

// The help file of the language is written once; other languages make the folder but write nothing.
TEST(HelpExtraction, WritesTheFileOfTheLanguageOnce) {
    testing::FakeFileSystem files;
    ProgramState state;
    state.Language = 1;
    pim_MAIN::ExtractHelpFile(files, state, "/home/u/.local/share/Wakelatch");
    EXPECT_EQ(state.HelpFileName, "wakelatch_help_german.chm");
    EXPECT_EQ(files.written,
              std::vector<std::string>{"/home/u/.local/share/Wakelatch/help/wakelatch_help_german.chm"});
    EXPECT_EQ(files.files.begin()->second.substr(0, 4), "ITSF");
    pim_MAIN::ExtractHelpFile(files, state, "/home/u/.local/share/Wakelatch");
    EXPECT_EQ(files.written.size(), 1U);  // an existing file is left alone
    state.Language = 2;
    pim_MAIN::ExtractHelpFile(files, state, "/home/u/.local/share/Wakelatch/");
    EXPECT_EQ(files.written.back(), "/home/u/.local/share/Wakelatch/help/wakelatch_help_english.chm");

    ProgramState other;
    other.Language = 3;
    pim_MAIN::ExtractHelpFile(files, other, "/");
    EXPECT_TRUE(files.Exists("/help"));
    EXPECT_EQ(files.written.size(), 2U);
    EXPECT_EQ(other.HelpFileName, "");
}

class FakeRegistry final : public registry::RegistryReader {
  public:
    bool OpenReadOnly(std::uint32_t, const std::string&) override { return open; }
    std::optional<registry::RawValue> Query(const std::string&) override { return value; }
    void Close() override { ++closes; }
    bool open = true;
    std::optional<registry::RawValue> value;
    int closes = 0;
};

registry::RawValue Raw(std::uint32_t type, const std::string& text) {
    registry::RawValue value{type, std::vector<unsigned char>(registry::kBufferSize, 0)};
    std::copy(text.begin(), text.end(), value.bytes.begin());
    return value;
}

TEST(GetKeyValue, ATextAndANumberValueAndAFailure) {
    FakeRegistry registry;
    std::string text = "ignored";
    registry.value = Raw(registry::kTypeString, "C:\\Tools\\msinfo.exe");
    EXPECT_TRUE(registry::GetKeyValue(registry, registry::kRootLocalMachine, "SOFTWARE\\X", "PATH", text));
    EXPECT_EQ(text, "C:\\Tools\\msinfo.exe");

    registry.value = Raw(registry::kTypeNumber, std::string("\x0A\x01\xFF", 3));
    text = "7";
    EXPECT_TRUE(registry::GetKeyValue(registry, registry::kRootLocalMachine, "K", "N", text));
    EXPECT_EQ(text, "&h7FF1A");  // codes from the last character to the first, after the incoming text

    // A failure empties the text and still closes.
    registry.open = false;
    EXPECT_FALSE(registry::GetKeyValue(registry, registry::kRootLocalMachine, "K", "N", text));
    EXPECT_EQ(text, "");
    EXPECT_EQ(registry.closes, 3);
}

// The installed system-information program starts; where none is installed or it does not start, a
// message says so in German or English (other languages: nothing).
TEST(StartSysInfo, StartsTheProgramOrSaysWhyNot) {
    struct Case {
        std::optional<std::string> installed;
        bool starts;
        int language;
        std::string message;
    };
    const Case cases[] = {
        {"/usr/bin/kinfocenter", true, 1, ""},
        {std::nullopt, true, 1, "Systeminformationsprogramm zur Zeit nicht verfügbar."},
        {std::nullopt, true, 5, ""},
        {"/usr/bin/hardinfo2", false, 2, "Systeminformation now are not avaibel."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        testing::FakePrograms programs;
        programs.systemInformation = c.installed;
        programs.startWorks = c.starts;
        testing::FakeMessageBox messages;
        about::StartSysInfo(programs, messages, c.language);
        EXPECT_EQ(programs.started.size(), c.installed ? 1U : 0U);
        if (c.message.empty()) {
            EXPECT_TRUE(messages.shown.empty());
            continue;
        }
        ASSERT_EQ(messages.shown.size(), 1U);
        EXPECT_EQ(messages.shown[0].text, c.message);
        EXPECT_EQ(messages.shown[0].title, "Wakelatch");
    }
}

}  // namespace
}  // namespace wakelatch
