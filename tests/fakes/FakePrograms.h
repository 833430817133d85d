#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "platform/Programs.h"

namespace wakelatch::testing {

// Records what would have been started; answers as told.
class FakePrograms final : public platform::Programs {
  public:
    bool Start(const std::string& path) override {
        started.push_back(path);
        return startWorks;
    }
    int RunAndWait(const std::string& commandLine, std::chrono::milliseconds /*limit*/) override {
        ran.push_back(commandLine);
        return exitCode;
    }
    std::optional<std::string> FindSystemInformation() override { return systemInformation; }
    bool OpenHelpFile(const std::string& path) override {
        helpFilesOpened.push_back(path);
        return helpViewer;
    }

    std::optional<std::string> systemInformation;
    bool startWorks = true;
    int exitCode = 0;
    bool helpViewer = false;
    std::vector<std::string> started;
    std::vector<std::string> ran;
    std::vector<std::string> helpFilesOpened;
};

}  // namespace wakelatch::testing
