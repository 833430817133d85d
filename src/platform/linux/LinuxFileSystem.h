#pragma once

#include "platform/FileSystem.h"

namespace wakelatch::platform {

class LinuxFileSystem final : public FileSystem {
  public:
    bool Exists(const std::string& path) override;
    bool MakeDirectories(const std::string& folder) override;
    bool ReplaceFile(const std::string& path, const unsigned char* data, std::size_t size) override;
    bool Remove(const std::string& path) override;
    char Separator() const override { return '/'; }
};

}  // namespace wakelatch::platform
