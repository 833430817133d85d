#pragma once

#include "platform/FileSystem.h"

namespace wakelatch::platform {

class WindowsFileSystem final : public FileSystem {
  public:
    bool Exists(const std::string& path) override;
    bool MakeDirectories(const std::string& folder) override;
    // The bytes go to a new file beside the target (created exclusively, so nothing planted under its name
    // is written through), which is then moved over the target: a reparse point there is replaced, not
    // followed, and a reader sees the old file or the new one.
    bool ReplaceFile(const std::string& path, const unsigned char* data, std::size_t size) override;
    bool Remove(const std::string& path) override;
    char Separator() const override { return '\\'; }
};

}  // namespace wakelatch::platform
