#include <gtest/gtest.h>

#include "fakes/FakeFileSystem.h"
#include "fakes/FakePrograms.h"
#include "support/Resources.h"
#include "support/TypeLibrary.h"

namespace wakelatch {
namespace {

constexpr const char* kLibrary = "C:\\WINDOWS\\system\\shelllnk.tlb";

TEST(InstallTypeLibrary, WritesAndRegistersOnlyAMissingLibrary) {
    struct Case {
        const char* name;
        bool present;
        bool writable;
        std::vector<std::string> written;
        std::vector<std::string> run;
        std::int32_t lastResult;
    };
    const std::vector<Case> cases = {
        {"present: left alone", true, true, {}, {}, 1},
        {"missing: written, then the tool runs on the lower-cased path",
         false,
         true,
         {kLibrary},
         {"c:\\windows\\regtlib.exe c:\\windows\\system\\shelllnk.tlb"},
         259},
        {"not writable: no tool", false, false, {}, {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::FakeFileSystem files;
        testing::FakePrograms programs;
        programs.exitCode = 259;  // the tool still runs after the wait
        files.failWrites = !c.writable;
        if (c.present) {
            files.files[kLibrary] = "old";
        }
        ProgramState state;
        state.WindowsDirectory = "C:\\WINDOWS";
        pim_MAIN::InstallTypeLibrary(files, programs, state);
        EXPECT_EQ(files.written, c.written);
        EXPECT_EQ(programs.run, c.run);
        EXPECT_EQ(state.LastResult, c.lastResult);
        if (!c.run.empty()) {
            EXPECT_EQ(programs.limits.front(), std::chrono::milliseconds(1000));
            const auto library = resources::Find(resources::kTypeLibrary);
            EXPECT_EQ(files.files[kLibrary],
                      std::string(reinterpret_cast<const char*>(library->data), library->size));
        }
    }
}

}  // namespace
}  // namespace wakelatch
