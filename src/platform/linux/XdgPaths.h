#pragma once

#include <string>

// The per-user base folders of the XDG base directory rules.
namespace wakelatch::platform::linux_xdg {

// $XDG_CONFIG_HOME when it is an absolute path, else $HOME/.config.
std::string ConfigHome();

// $XDG_DATA_HOME when it is an absolute path, else $HOME/.local/share.
std::string DataHome();

// The per-user folder for the program's lock and socket: $XDG_RUNTIME_DIR when that folder exists, else
// a private folder of this user's own in the temp folder ($TMPDIR, else /tmp), else the home folder.
std::string RuntimeFolder();

// Creates the folder and any missing parents; new folders get mode 0700, as the XDG rules ask, existing
// ones are left as they are. True when the folder exists afterwards.
bool MakeDirectories(const std::string& path);

// As MakeDirectories, and the folder itself is made private (0700) when this user owns it.
bool MakePrivateDirectory(const std::string& path);

// As MakeDirectories, and the folder itself is a real folder of this user, mode 0700: what stands there
// otherwise (a link, a file, somebody else's folder) is cleared away (ClearAway) and the folder made
// anew. For folders the program writes fixed names into (its temp and help folders).
bool MakeOwnFolder(const std::string& path);

// Clears what stands at `path` out of its way without following it: what may hold somebody's data (a
// folder, a file) is moved aside as "<path>.aside.<pid>" (never over something already there), anything
// else (a link, a FIFO, a socket, a device node) is removed. True when nothing stands there afterwards.
bool ClearAway(const std::string& path);

}  // namespace wakelatch::platform::linux_xdg
