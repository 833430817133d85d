#pragma once

#include <string>

namespace wakelatch::platform::linux_helper {

// The drive helper for the program file `programFile`: beside it (the build folder), else in
// `installedFolder` taken relative to the program's folder (an installed program: bin/wakelatch finds
// ../libexec/wakelatch/wakelatch-drive-helper). Where neither is an executable file, the one beside the
// program: starting it fails, and the calls run in-process.
std::string DriveHelperFor(const std::string& programFile, const std::string& installedFolder);

// The same for the running program, with the folder it was installed with.
std::string DriveHelperOfThisProgram();

}  // namespace wakelatch::platform::linux_helper
