#pragma once

#include <cstddef>
#include <string>

namespace wakelatch::platform::linux_files {

struct RegularFileText {
    enum class Outcome {
        Absent,   // nothing at the path (or a missing folder above it)
        Refused,  // not a regular file (FIFO, device, folder, socket, a link to nothing), larger than the
                  // limit, unreadable
        Read,
    };
    Outcome outcome = Outcome::Absent;
    std::string text;
};

// The whole text of a file that is a regular file (a link to one counts) of at most `limit` bytes. Never
// waits on what it finds: the type is checked before the file is opened, the open does not block (a FIFO
// swapped in meanwhile), and the opened file is checked again before it is read.
RegularFileText ReadRegularFile(const std::string& path, std::size_t limit);

}  // namespace wakelatch::platform::linux_files
