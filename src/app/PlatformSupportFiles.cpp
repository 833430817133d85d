#include "app/PlatformSupportFiles.h"

#include "support/FileOps.h"
#include "support/TypeLibrary.h"

namespace wakelatch {

void PlatformSupportFiles::InstallTypeLibrary(ProgramState& state) {
    if (platform_.installsTypeLibrary) {
        pim_MAIN::InstallTypeLibrary(*platform_.files, *platform_.programs, state);
    }
}

void PlatformSupportFiles::ExtractHelpFile(ProgramState& state) {
    pim_MAIN::ExtractHelpFile(*platform_.files, state, platform_.folders->HelpParentFolder());
}

std::string PlatformSupportFiles::HelpFilePath(const std::string& fileName) const {
    return pim_MAIN::HelpFolder(*platform_.files, platform_.folders->HelpParentFolder()) + fileName;
}

}  // namespace wakelatch
