#include "support/TypeLibrary.h"

#include "support/FileOps.h"
#include "support/Resources.h"
#include "support/Text.h"

namespace wakelatch {
namespace {

// Lower case of the ASCII letters only: bytes of other characters (UTF-8) stay as they are, and the
// file system does not tell case apart anyway.
std::string AsciiLower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

}  // namespace

std::int32_t sml_OS_MINITOOLS::RegisterTypeLibrary(platform::Programs& programs, const ProgramState& state,
                                                   const std::string& path, bool unregister) {
    if (unregister) {
        return 0;
    }
    const std::string tool = AsciiLower(text::TrimBlanks(state.WindowsDirectory + "\\regtlib.exe"));
    return programs.RunAndWait(tool + " " + path, kRegistrationWait);
}

void pim_MAIN::InstallTypeLibrary(platform::FileSystem& files, platform::Programs& programs,
                                  ProgramState& state) {
    const std::string path = state.WindowsDirectory + "\\system\\shelllnk.tlb";
    state.LastResult = sml_ALL_FILE_OPS::FileExists(files, path) ? 1 : 0;
    if (state.LastResult != 0) {
        return;
    }
    state.LastResult = sml_RES_TO_DISK::ResourceToDisk(files, resources::kTypeLibrary, path) ? 1 : 0;
    state.LastResult = sml_ALL_FILE_OPS::FileExists(files, path) ? 1 : 0;
    if (state.LastResult != 0) {
        state.LastResult = sml_OS_MINITOOLS::RegisterTypeLibrary(programs, state, AsciiLower(path), false);
    }
}

}  // namespace wakelatch
