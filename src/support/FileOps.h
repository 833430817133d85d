#pragma once

#include <cstdint>
#include <string>

#include "platform/FileSystem.h"
#include "settings/ProgramState.h"

namespace wakelatch {

namespace sml_ALL_FILE_OPS {
// True when the path names anything; a folder counts.
bool FileExists(platform::FileSystem& files, const std::string& path);
// Creates every folder named in the path up to its last separator (the path ends in a separator or a
// file name). The platform's result goes to LastResult.
bool MakeDirectoryPath(platform::FileSystem& files, ProgramState& state, const std::string& path);
}  // namespace sml_ALL_FILE_OPS

namespace sml_RES_TO_DISK {
// Writes the bytes of the embedded resource to the file, replacing whatever was there.
bool ResourceToDisk(platform::FileSystem& files, int id, const std::string& path);
}  // namespace sml_RES_TO_DISK

namespace pim_MAIN {
// Writes the help file of the language into `folder`'s "help" subfolder when it is missing, and names
// it in HelpFileName. Any other language names no file and writes none, but the folder is made.
void ExtractHelpFile(platform::FileSystem& files, ProgramState& state, const std::string& folder);
// The "help" subfolder of `folder`, ending in a separator: where the help files are written and opened.
std::string HelpFolder(platform::FileSystem& files, const std::string& folder);
// The help file's name for a language, empty for languages without one.
std::string HelpFileNameFor(std::int32_t language);
}  // namespace pim_MAIN

}  // namespace wakelatch
