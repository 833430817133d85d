#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace wakelatch::testing {

// Files and folders in memory.
class FakeFileSystem final : public platform::FileSystem {
  public:
    bool Exists(const std::string& path) override {
        return files.count(path) != 0 || folders.count(path) != 0;
    }
    bool MakeDirectories(const std::string& folder) override {
        std::string path = folder;
        while (path.size() > 1 && path.back() == '/') {
            path.pop_back();
        }
        folders.insert(path);
        folders.insert(path + "/");
        return true;
    }
    bool ReplaceFile(const std::string& path, const unsigned char* data, std::size_t size) override {
        written.push_back(path);
        files[path] = std::string(reinterpret_cast<const char*>(data), size);
        return true;
    }
    bool Remove(const std::string& path) override { return files.erase(path) == 1; }
    char Separator() const override { return '/'; }

    std::map<std::string, std::string> files;
    std::set<std::string> folders;
    std::vector<std::string> written;
};

}  // namespace wakelatch::testing
