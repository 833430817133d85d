#pragma once

#include <string>

namespace wakelatch::platform::linux_files {

// Removes from the program's private temp folder what an earlier copy left there when it was killed: the
// pictures it writes (pic_*.bmp) and the temporary files they are written through (.pic_*.bmp.XXXXXX).
// Only those names, only regular files, and never through a link (the folder itself included). Returns
// how many files were removed.
int RemoveTempLeftovers(const std::string& tempFolder);

// True for the names RemoveTempLeftovers removes.
bool IsTempLeftoverName(const std::string& name);

}  // namespace wakelatch::platform::linux_files
