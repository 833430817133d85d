#pragma once

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "fakes/TempFolder.h"

namespace wakelatch::testing {

// A temporary folder of stand-in programs (shell scripts) and of the files they write.
class ScriptFolder {
  public:
    // Writes a script at `relative` (folders made as needed) running `body`; its path.
    std::string Add(const std::string& relative, const std::string& body, mode_t mode = 0755) const {
        const std::string path = Path(relative);
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path) << "#!/bin/sh\n" << body << "\n";
        chmod(path.c_str(), mode);
        return path;
    }
    std::string Path(const std::string& relative) const { return temp_.path() + "/" + relative; }
    const std::string& Folder() const { return temp_.path(); }
    // The first line of a file in the folder, empty where there is none.
    std::string FirstLine(const std::string& relative) const {
        std::ifstream in(Path(relative));
        std::string line;
        std::getline(in, line);
        return line;
    }

  private:
    TempFolder temp_;
};

}  // namespace wakelatch::testing
