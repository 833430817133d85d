#pragma once

#include <map>
#include <string>
#include <vector>

#include "fakes/CallLog.h"
#include "platform/AutostartEntries.h"
#include "platform/ProgramLocation.h"
#include "platform/SystemFolders.h"

namespace wakelatch::testing {

class FakeAutostart final : public platform::AutostartEntries {
  public:
    bool Write(const std::string& name, const std::string& command) override {
        calls.push_back("write " + name + " " + command);
        entries[name] = command;
        return true;
    }
    bool Remove(const std::string& name) override {
        calls.push_back("remove " + name);
        return entries.erase(name) == 1;
    }
    std::map<std::string, std::string> entries;
    std::vector<std::string> calls;
};

class FakeLocation final : public platform::ProgramLocation {
  public:
    std::string ProgramFilePath() override { return programFile; }
    std::string ProgramFolder() override { return programFile.substr(0, programFile.rfind('/')); }
    bool StartedFromNetworkPath() override {
        Note(log, "network check");
        return onNetwork;
    }
    std::string programFile = "/opt/wakelatch/bin/wakelatch";
    bool onNetwork = false;
    CallLog* log = nullptr;
};

class FakeFolders final : public platform::SystemFolders {
  public:
    std::string WindowsDirectory() override {
        Note(log, "windows folder");
        return windowsDirectory;
    }
    std::string TempDirectoryFor(const std::string& folder) override {
        Note(log, "temp folder");
        return folder + "/TEMP";
    }
    std::string HelpParentFolder() override { return windowsDirectory; }
    std::string windowsDirectory = "/home/user/.local/share/Wakelatch";
    CallLog* log = nullptr;
};

}  // namespace wakelatch::testing
