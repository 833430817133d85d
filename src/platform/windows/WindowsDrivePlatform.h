#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "platform/Awaiter.h"
#include "platform/DrivePlatform.h"
#include "platform/common/CallGate.h"
#include "platform/windows/DriveCallCanceller.h"
#include "platform/windows/TouchFileSearch.h"
#include "platform/windows/UnbufferedRead.h"

namespace wakelatch::platform {

// How long the Windows drive platform waits and which file calls its touches make; tests shorten the
// one and watch the other.
struct WindowsDriveOptions {
    std::chrono::milliseconds callLimit{3000};      // a call on a drive
    std::chrono::milliseconds connectLimit{15000};  // a connection request
    win_drives::FileCalls fileCalls = win_drives::FileCalls::Real();
};

// Drive letters on Windows. Every call that may reach a drive (volume information, free space, the
// touch, a connection request) runs on a worker thread under the call gate and is awaited through the
// Awaiter: a dead server blocks such calls for tens of seconds, and then its drive answers as failed at
// once until the call returns. The type of a drive is not gated: GetDriveTypeA answers from the
// letter's device object and sends nothing to the device. Calls are re-entrant (the awaiter may run
// another one while one waits).
class WindowsDrivePlatform final : public DrivePlatform {
  public:
    explicit WindowsDrivePlatform(Awaiter& awaiter, WindowsDriveOptions options = {});
    // Cancels the I/O of calls still running; never waits for them.
    ~WindowsDrivePlatform() override;
    WindowsDrivePlatform(const WindowsDrivePlatform&) = delete;
    WindowsDrivePlatform& operator=(const WindowsDrivePlatform&) = delete;

    int GetDriveType(const std::string& root) override;
    bool GetVolumeInformation(const std::string& root, std::string& label) override;
    MappingValue ReadNetworkMapping(char letter) override;
    int UseConnection(const std::string& localName, const std::string& remotePath) override;
    // The current drive is this object's own record: the process's current directory never moves onto
    // a drive (it would hold the drive open, and a removable one could not be removed safely).
    bool SetCurrentDrive(const std::string& drive) override;
    bool GetDiskFreeSpace(DiskFreeSpace& space) override;
    DeviceReach ReachDevice(const std::string& drive) override;

  private:
    // What the touches of one drive remember: the file found to read, and how often they have read.
    struct TouchRecord {
        std::mutex mutex;  // the worker of a call that overran may still be using it
        std::optional<win_drives::FileToTouch> file;
        std::uint64_t touches = 0;
    };

    // Runs `work` on a worker under the gate, keyed by the drive it reaches; nothing when it did not answer
    // in time or the key is stuck.
    template <typename Result>
    std::optional<Result> OnDrive(const std::string& key, std::chrono::milliseconds limit,
                                  std::function<std::optional<Result>()> work);
    static DeviceReach Touch(const std::string& root, TouchRecord& record,
                             const win_drives::FileCalls& calls);

    WindowsDriveOptions options_;
    std::shared_ptr<win_drives::DriveCallCanceller> canceller_;
    CallGate gate_;
    char currentDrive_ = 'C';
    std::map<char, std::shared_ptr<TouchRecord>> touchRecords_;
};

}  // namespace wakelatch::platform
