#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "platform/Programs.h"

namespace wakelatch::testing {

// Records what would be started; RunAndWait answers `exitCode`.
class FakePrograms final : public platform::Programs {
  public:
    bool Start(const std::string& path) override {
        started.push_back(path);
        return true;
    }
    int RunAndWait(const std::string& commandLine, std::chrono::milliseconds limit) override {
        run.push_back(commandLine);
        limits.push_back(limit);
        return exitCode;
    }
    std::optional<std::string> FindSystemInformation() override { return std::nullopt; }
    bool OpenHelpFile(const std::string&) override { return false; }

    std::vector<std::string> started;
    std::vector<std::string> run;
    std::vector<std::chrono::milliseconds> limits;
    int exitCode = 0;
};

}  // namespace wakelatch::testing
