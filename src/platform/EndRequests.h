#pragma once

namespace wakelatch::platform {

// Requests from outside to end the program: SIGTERM, SIGINT and SIGHUP on Linux; closing the console,
// logging off and shutting down on Windows. They end the program as its exit command does (placement
// saved, autostart entry written) instead of killing it mid-way. The handlers are installed first thing
// in main, before any window exists, and stay for the life of the process: a request is never lost.
// Each platform links exactly one implementation.

// Installs the handlers once per process; later calls do nothing.
void InstallEndRequestHandlers();

// True once a request has arrived. Any thread; never reset.
bool EndRequested();

}  // namespace wakelatch::platform
