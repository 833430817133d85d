#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/DrivePlatform.h"

namespace wakelatch::testing {

// Drives by letter; a letter that is not set has no drive. Records connection requests.
class FakeDrivePlatform final : public platform::DrivePlatform {
  public:
    struct Drive {
        int type = platform::kDriveNoRoot;
        bool readable = false;  // volume information can be read
        std::string label;
        platform::DiskFreeSpace space{8, 512, 1000, 2000};
    };

    int GetDriveType(const std::string& root) override {
        ++typeCalls;
        const auto it = drives.find(Letter(root));
        return it == drives.end() ? platform::kDriveNoRoot : it->second.type;
    }
    bool GetVolumeInformation(const std::string& root, std::string& label) override {
        if (duringCall) {
            duringCall("volume " + root);
        }
        const auto it = drives.find(Letter(root));
        if (root.size() != 3 || it == drives.end() || !it->second.readable) {
            return false;
        }
        label = it->second.label;
        return true;
    }
    platform::MappingValue ReadNetworkMapping(char letter) override {
        const auto it = mappings.find(letter);
        return it == mappings.end() ? platform::MappingValue{} : it->second;
    }
    int UseConnection(const std::string& localName, const std::string& remotePath) override {
        connections.push_back(localName + " " + remotePath);
        return connectResult;
    }

    // The current drive changes only to a drive that exists, as on the original platform.
    bool SetCurrentDrive(const std::string& drive) override {
        touches.push_back("current " + drive);
        if (drive.empty() || drives.count(drive[0]) == 0 || drives[drive[0]].type == platform::kDriveNoRoot) {
            return false;
        }
        currentDrive = drive[0];
        return true;
    }
    bool GetDiskFreeSpace(platform::DiskFreeSpace& space) override {
        touches.push_back(std::string("free ") + currentDrive + ":");
        const auto it = drives.find(currentDrive);
        if (it == drives.end() || !it->second.readable) {
            return false;
        }
        space = it->second.space;
        return true;
    }
    platform::DeviceReach ReachDevice(const std::string& drive) override {
        touches.push_back("read " + drive);
        if (duringCall) {
            duringCall("read " + drive);  // the event loop turns while the read is awaited
        }
        const auto it = drives.find(drive.empty() ? '\0' : drive[0]);
        if (it == drives.end() || it->second.type == platform::kDriveNoRoot) {
            return platform::DeviceReach::Missed(platform::DeviceReach::Miss::DriveGone);
        }
        bool reachable = it->second.readable;
        if (reachThrough) {
            reachable = reachThrough(drive, reachable);
        }
        if (!reachable) {
            return platform::DeviceReach::Missed(platform::DeviceReach::Miss::NoReadableFile);
        }
        reached.push_back(drive);
        return platform::DeviceReach::Read(platform::DeviceReach::Route::File, 4096);
    }

    void Map(char letter, const std::string& remote) {
        mappings[letter] = {platform::MappingValue::Kind::Text, remote};
    }

    std::map<char, Drive> drives;
    std::map<char, platform::MappingValue> mappings;
    std::vector<std::string> connections;
    std::vector<std::string> touches;
    std::vector<std::string> reached;  // drives whose device a read reached
    char currentDrive = 'C';
    int connectResult = platform::kConnected;
    int typeCalls = 0;
    std::function<void(const std::string&)> duringCall;  // events handled while a call is awaited
    // The way a read goes (a gate in front of it, say); gets the drive and whether it can be reached.
    std::function<bool(const std::string&, bool)> reachThrough;

  private:
    static char Letter(const std::string& root) { return root.empty() ? '\0' : root[0]; }
};

}  // namespace wakelatch::testing
