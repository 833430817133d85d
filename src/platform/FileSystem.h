#pragma once

#include <cstddef>
#include <string>

namespace wakelatch::platform {

// The few file operations the support files need.
class FileSystem {
  public:
    virtual ~FileSystem() = default;
    // True when the path names anything (a folder too).
    virtual bool Exists(const std::string& path) = 0;
    // Creates the folder and every missing folder above it.
    virtual bool MakeDirectories(const std::string& folder) = 0;
    // Replaces the file with exactly these bytes: written beside it and renamed over it, never through a
    // link, so a reader sees the old file or the new one and a planted link is replaced, not followed.
    virtual bool ReplaceFile(const std::string& path, const unsigned char* data, std::size_t size) = 0;
    virtual bool Remove(const std::string& path) = 0;
    // The separator between folders ('/' here).
    virtual char Separator() const = 0;
};

}  // namespace wakelatch::platform
