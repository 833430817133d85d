#include "platform/linux/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace wakelatch::platform::linux_files {
namespace {

using Outcome = RegularFileText::Outcome;

bool IsUsable(const struct stat& info, std::size_t limit) {
    return S_ISREG(info.st_mode) && info.st_size >= 0 && static_cast<std::size_t>(info.st_size) <= limit;
}

}  // namespace

RegularFileText ReadRegularFile(const std::string& path, std::size_t limit) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        // A link to nothing is something all the same: a link the user made is not written over.
        const bool nothingThere = (errno == ENOENT || errno == ENOTDIR) && lstat(path.c_str(), &info) != 0;
        return {nothingThere ? Outcome::Absent : Outcome::Refused, {}};
    }
    // Opening a device can have effects of its own (a tape rewinds); what is not a file is not opened.
    if (!IsUsable(info, limit)) {
        return {Outcome::Refused, {}};
    }
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return {errno == ENOENT ? Outcome::Absent : Outcome::Refused, {}};
    }
    RegularFileText result{Outcome::Refused, {}};
    if (fstat(fd, &info) == 0 && IsUsable(info, limit)) {
        // One byte more than the limit shows a file that grew since it was looked at.
        result.text.resize(limit + 1);
        std::size_t done = 0;
        bool failed = false;
        while (done < result.text.size()) {
            const ssize_t got = read(fd, result.text.data() + done, result.text.size() - done);
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got <= 0) {
                failed = got < 0;
                break;
            }
            done += static_cast<std::size_t>(got);
        }
        if (!failed && done <= limit) {
            result.text.resize(done);
            result.outcome = Outcome::Read;
        } else {
            result.text.clear();
        }
    }
    close(fd);
    return result;
}

}  // namespace wakelatch::platform::linux_files
