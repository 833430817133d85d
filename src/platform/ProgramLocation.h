#pragma once

#include <string>

namespace wakelatch::platform {

// Where the running program file lies.
class ProgramLocation {
  public:
    virtual ~ProgramLocation() = default;

    // The full path of the program file, as the autostart entry names it.
    virtual std::string ProgramFilePath() = 0;

    // The folder the program file lies in.
    virtual std::string ProgramFolder() = 0;

    // Whether the program was started from a network path (a share rather than a local drive).
    virtual bool StartedFromNetworkPath() = 0;
};

}  // namespace wakelatch::platform
