#pragma once

#include <chrono>
#include <optional>
#include <string>

namespace wakelatch::platform {

// Other programs the program starts: the system information program, the help viewer and the type
// library registration tool. Never through a shell.
class Programs {
  public:
    virtual ~Programs() = default;

    // Starts the program file without arguments, in a normal window with the focus, and does not wait
    // for it. True when it started.
    virtual bool Start(const std::string& path) = 0;

    // Runs a command line (the program, a blank, its argument) in a minimised window and waits at most
    // `limit` for it to end. Its exit code; 259 (still active) when it runs on after the wait; the
    // system's error code when it could not be started or its process could not be opened.
    virtual int RunAndWait(const std::string& commandLine, std::chrono::milliseconds limit) = 0;

    // The installed system information program, when there is one.
    virtual std::optional<std::string> FindSystemInformation() = 0;

    // Opens a compiled help file in the system's help viewer. False when there is no viewer for it
    // (the caller may then show the pages some other way) or it could not be started.
    virtual bool OpenHelpFile(const std::string& path) = 0;
};

}  // namespace wakelatch::platform
