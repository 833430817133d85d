#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The calls that may hang on a drive (a dead network filesystem holds them in uninterruptible sleep), as
// requests that the drive helper process serves, or in-process workers where it cannot run.
namespace wakelatch::platform::linux_helper {

enum class Op : std::uint8_t {
    Probe = 1,        // statvfs of `path`, which must still be the mount of `device`; its label if `number`
    FindFile = 2,     // a file to touch on the mount `path` of `device`; `number` entries at most
    TouchFile = 3,    // reads the file `file` (of `size`) below the mount `path` at offset `number`
    TouchDevice = 4,  // reads the block device node `path`, touch number `number`
    Hold = 5,         // for tests: answers after `number` milliseconds
};

// One request; each operation uses the fields it names.
struct Request {
    Op op = Op::Probe;
    std::string path;
    std::string file;
    std::uint64_t device = 0;  // dev_t
    std::uint64_t number = 0;
    std::uint64_t size = 0;
    std::string mountOptions;  // for the access-time rule
};

// Status of a reply: 0 = done; otherwise the errno of the failed call, or kNotOnDrive.
inline constexpr std::int64_t kNotOnDrive = -1;

struct Reply {
    std::int64_t status = 0;
    std::uint64_t blockSize = 0;  // Probe
    std::uint64_t freeBlocks = 0;
    std::uint64_t totalBlocks = 0;
    std::uint64_t size = 0;  // FindFile
    std::string text;        // Probe: the label; FindFile: the file
};

std::string Encode(const Request& request);
std::string Encode(const Reply& reply);
std::optional<Request> DecodeRequest(std::string_view bytes);
std::optional<Reply> DecodeReply(std::string_view bytes);

// Carries out a request here and now.
Reply Serve(const Request& request);

// Frames on the helper's socket: a 4-byte length, a 4-byte call number, then the encoded message.
inline constexpr std::uint32_t kMaxFrame = 64 * 1024;
std::string Frame(std::uint32_t callId, const std::string& message);
// Reads one frame from a stream socket; false at its end or on garbage.
bool ReadFrame(int fd, std::uint32_t& callId, std::string& message);
// Writes all of `bytes` (no SIGPIPE when the other side is gone); `flags` are added to send's (MSG_DONTWAIT:
// false as soon as the socket takes no more, possibly after part of the bytes).
bool WriteAll(int fd, std::string_view bytes, int flags = 0);

}  // namespace wakelatch::platform::linux_helper
