// wakelatch-drive-helper: serves the drive calls that may hang (on a dead network filesystem a thread
// stuck in statvfs or read sleeps uninterruptibly and would keep the program from ending). The program
// starts it with a socket as descriptor 3 and its own process id as the argument; it serves several
// requests at once on reusable threads and ends with its parent (PR_SET_PDEATHSIG, end of the socket),
// never waiting for a call that hangs.
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <cstdlib>
#include <mutex>
#include <string>

#include "platform/common/WorkerPool.h"
#include "platform/linux/DriveRequests.h"

int main(int argc, char** argv) {
    using namespace wakelatch::platform;
    constexpr int kSocket = 3;
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (argc < 2 || getppid() != static_cast<pid_t>(std::atol(argv[1]))) {
        return 1;  // the parent is gone already (or this was not started by it)
    }
    signal(SIGINT, SIG_IGN);  // Ctrl+C in a terminal is for the program; this ends with it
    WorkerPool workers;
    std::mutex writing;
    std::uint32_t callId = 0;
    std::string message;
    while (linux_helper::ReadFrame(kSocket, callId, message)) {
        const auto request = linux_helper::DecodeRequest(message);
        if (!request) {
            break;
        }
        workers.Post([&writing, callId, request = *request] {
            const std::string reply =
                linux_helper::Frame(callId, linux_helper::Encode(linux_helper::Serve(request)));
            const std::lock_guard lock(writing);
            linux_helper::WriteAll(kSocket, reply);
        });
    }
    // The program is gone or closed the socket: calls that still hang are abandoned with the process.
    _exit(0);
}
