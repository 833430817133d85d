#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#include "fakes/TempFolder.h"

namespace wakelatch::testing {

// A throwaway sysfs, mountinfo and fstab for the Linux drive platform.
class FakeSystemTree {
  public:
    std::string Sysfs() const { return temp_.path() + "/sys"; }
    std::string MountInfo() const { return temp_.path() + "/mountinfo"; }
    std::string Fstab() const { return temp_.path() + "/fstab"; }
    std::string DriveMap() const { return temp_.path() + "/config/Wakelatch/drives"; }
    std::string Path(const std::string& name) const { return temp_.path() + "/" + name; }

    // A block device major:minor named `name`; a partition ("sdb1") of `disk` when disk is given.
    void AddBlockDevice(unsigned major, unsigned minor, const std::string& name, bool removable,
                        const std::string& disk = {}) {
        namespace fs = std::filesystem;
        const fs::path base = fs::path(Sysfs()) / "devices" / "block";
        fs::path device;
        if (disk.empty()) {
            device = base / name;
            fs::create_directories(device);
            std::ofstream(device / "removable") << (removable ? "1\n" : "0\n");
        } else {
            fs::create_directories(base / disk);
            std::ofstream(base / disk / "removable") << (removable ? "1\n" : "0\n");
            device = base / disk / name;
            fs::create_directories(device);
            std::ofstream(device / "partition") << "1\n";
        }
        fs::create_directories(fs::path(Sysfs()) / "dev" / "block");
        fs::create_symlink(device, fs::path(Sysfs()) / "dev" / "block" /
                                       (std::to_string(major) + ":" + std::to_string(minor)));
    }

    void SetMountInfo(const std::string& text) const { std::ofstream(MountInfo()) << text; }
    void SetFstab(const std::string& text) const { std::ofstream(Fstab()) << text; }

  private:
    TempFolder temp_;
};

}  // namespace wakelatch::testing
