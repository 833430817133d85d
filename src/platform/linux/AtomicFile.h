#pragma once

#include <sys/types.h>

#include <string>

namespace wakelatch::platform::linux_files {

// Replaces the file at `path` with `content` so that a reader (or a crash) sees either the old or the
// new file, never a torn one: a new temporary file in the same folder, written, synced and renamed over
// the target. The temporary file is created exclusively and never follows a link.
bool WriteFileAtomically(const std::string& path, const std::string& content, mode_t mode);

// The whole text of a file; empty when it cannot be read.
std::string ReadWholeFile(const std::string& path);

}  // namespace wakelatch::platform::linux_files
