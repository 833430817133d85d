#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "platform/Programs.h"

namespace wakelatch::testing {

// Records what would be started; answers as told (RunAndWait with `exitCode`).
class FakePrograms final : public platform::Programs {
  public:
    bool Start(const std::string& path) override {
        started.push_back(path);
        return startWorks;
    }
    int RunAndWait(const std::string& commandLine, std::chrono::milliseconds limit) override {
        run.push_back(commandLine);
        limits.push_back(limit);
        return exitCode;
    }
    std::optional<std::string> FindSystemInformation() override { return systemInformation; }
    bool OpenHelpFile(const std::string&) override { return false; }  // no help viewer

    std::vector<std::string> started;
    std::vector<std::string> run;
    std::vector<std::chrono::milliseconds> limits;
    int exitCode = 0;
    bool startWorks = true;
    std::optional<std::string> systemInformation;
};

}  // namespace wakelatch::testing
