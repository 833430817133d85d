#include <gtest/gtest.h>

#include "fakes/FakeFileSystem.h"
#include "fakes/FakePrograms.h"
#include "support/Resources.h"
#include "support/TypeLibrary.h"

namespace wakelatch {
namespace {

constexpr const char* kLibrary = "C:\\WINDOWS\\system\\shelllnk.tlb";

// A missing library is written and the tool runs on the lower-cased path; LastResult is the tool's answer
// (259: it still runs after the wait). A present library is left alone.
TEST(InstallTypeLibrary, WritesAndRegistersOnlyAMissingLibrary) {
    testing::FakeFileSystem files;
    testing::FakePrograms programs;
    programs.exitCode = 259;
    ProgramState state;
    state.WindowsDirectory = "C:\\WINDOWS";
    pim_MAIN::InstallTypeLibrary(files, programs, state);
    EXPECT_EQ(programs.run,
              std::vector<std::string>{"c:\\windows\\regtlib.exe c:\\windows\\system\\shelllnk.tlb"});
    EXPECT_EQ(programs.limits.front(), std::chrono::milliseconds(1000));
    EXPECT_EQ(state.LastResult, 259);
    const auto library = resources::Find(resources::kTypeLibrary);
    EXPECT_EQ(files.files[kLibrary],
              std::string(reinterpret_cast<const char*>(library->data), library->size));

    pim_MAIN::InstallTypeLibrary(files, programs, state);
    EXPECT_EQ(files.written.size(), 1U);
    EXPECT_EQ(programs.run.size(), 1U);
    EXPECT_EQ(state.LastResult, 1);
}

}  // namespace
}  // namespace wakelatch
