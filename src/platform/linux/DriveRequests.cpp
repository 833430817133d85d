#include "platform/linux/DriveRequests.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <thread>

#include "platform/linux/DeviceReader.h"
#include "platform/linux/VolumeLabel.h"

namespace wakelatch::platform::linux_helper {
namespace {

class Writer {
  public:
    Writer& Number(std::uint64_t value) {
        bytes_.append(reinterpret_cast<const char*>(&value), sizeof value);
        return *this;
    }
    Writer& Text(const std::string& text) {
        Number(text.size());
        bytes_ += text;
        return *this;
    }
    std::string Bytes() { return std::move(bytes_); }

  private:
    std::string bytes_;
};

class Reader {
  public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}
    Reader& Number(std::uint64_t& value) {
        if (bytes_.size() < sizeof value) {
            ok_ = false;
            return *this;
        }
        std::memcpy(&value, bytes_.data(), sizeof value);
        bytes_.remove_prefix(sizeof value);
        return *this;
    }
    Reader& Signed(std::int64_t& value) {
        std::uint64_t raw = 0;
        Number(raw);
        value = static_cast<std::int64_t>(raw);
        return *this;
    }
    Reader& Text(std::string& text) {
        std::uint64_t length = 0;
        Number(length);
        if (!ok_ || length > bytes_.size()) {
            ok_ = false;
            return *this;
        }
        text.assign(bytes_.substr(0, length));
        bytes_.remove_prefix(length);
        return *this;
    }
    bool Complete() const { return ok_ && bytes_.empty(); }

  private:
    std::string_view bytes_;
    bool ok_ = true;
};

Reply Probe(const Request& request) {
    Reply reply;
    struct statvfs volume {};
    struct stat info {};
    if (statvfs(request.path.c_str(), &volume) != 0 || stat(request.path.c_str(), &info) != 0) {
        reply.status = errno;
        return reply;
    }
    if (info.st_dev != request.device) {
        reply.status = kNotOnDrive;  // the empty folder left on the parent filesystem after an unmount
        return reply;
    }
    reply.blockSize = volume.f_frsize != 0 ? volume.f_frsize : volume.f_bsize;
    reply.freeBlocks = volume.f_bavail;
    reply.totalBlocks = volume.f_blocks;
    if (request.number != 0) {
        reply.text = linux_drives::FilesystemLabel(request.path).value_or(std::string());
    }
    return reply;
}

Reply FindFile(const Request& request) {
    Reply reply;
    const auto file = linux_drives::FindFileOnDrive(
        request.path, request.device, linux_drives::AtimeRule::FromMountOptions(request.mountOptions),
        static_cast<int>(request.number));
    if (!file) {
        reply.status = ENOENT;
        return reply;
    }
    reply.text = file->path;
    reply.size = file->size;
    return reply;
}

Reply TouchFile(const Request& request) {
    const linux_drives::FileOnDrive file{request.file, request.size};
    Reply reply;
    if (linux_drives::ReadPastCache(request.path, request.device, file.path, request.number,
                                    linux_drives::AtimeRule::FromMountOptions(request.mountOptions)) !=
        linux_drives::ReadRoute::Failed) {
        return reply;
    }
    reply.status = linux_drives::StillOnDrive(file, request.device) ? EIO : kNotOnDrive;
    return reply;
}

Reply TouchDevice(const Request& request) {
    const std::uint64_t size = linux_drives::BlockDeviceSize(request.path);
    Reply reply;
    reply.status = size > 0 && linux_drives::ReadBlockDevice(request.path,
                                                             linux_drives::TouchOffset(size, request.number))
                       ? 0
                       : EIO;
    return reply;
}

}  // namespace

std::string Encode(const Request& request) {
    return Writer()
        .Number(static_cast<std::uint64_t>(request.op))
        .Text(request.path)
        .Text(request.file)
        .Number(request.device)
        .Number(request.number)
        .Number(request.size)
        .Text(request.mountOptions)
        .Bytes();
}

std::string Encode(const Reply& reply) {
    return Writer()
        .Number(static_cast<std::uint64_t>(reply.status))
        .Number(reply.blockSize)
        .Number(reply.freeBlocks)
        .Number(reply.totalBlocks)
        .Number(reply.size)
        .Text(reply.text)
        .Bytes();
}

std::optional<Request> DecodeRequest(std::string_view bytes) {
    Request request;
    std::uint64_t op = 0;
    Reader reader(bytes);
    reader.Number(op)
        .Text(request.path)
        .Text(request.file)
        .Number(request.device)
        .Number(request.number)
        .Number(request.size)
        .Text(request.mountOptions);
    if (!reader.Complete() || op < static_cast<std::uint64_t>(Op::Probe) ||
        op > static_cast<std::uint64_t>(Op::Hold)) {
        return std::nullopt;
    }
    request.op = static_cast<Op>(op);
    return request;
}

std::optional<Reply> DecodeReply(std::string_view bytes) {
    Reply reply;
    Reader reader(bytes);
    reader.Signed(reply.status)
        .Number(reply.blockSize)
        .Number(reply.freeBlocks)
        .Number(reply.totalBlocks)
        .Number(reply.size)
        .Text(reply.text);
    return reader.Complete() ? std::optional<Reply>(reply) : std::nullopt;
}

Reply Serve(const Request& request) {
    switch (request.op) {
        case Op::Probe:
            return Probe(request);
        case Op::FindFile:
            return FindFile(request);
        case Op::TouchFile:
            return TouchFile(request);
        case Op::TouchDevice:
            return TouchDevice(request);
        case Op::Hold:
            std::this_thread::sleep_for(std::chrono::milliseconds(request.number));
            return {};
    }
    Reply unknown;
    unknown.status = EINVAL;
    return unknown;
}

std::string Frame(std::uint32_t callId, const std::string& message) {
    const auto length = static_cast<std::uint32_t>(message.size());
    std::string frame(reinterpret_cast<const char*>(&length), sizeof length);
    frame.append(reinterpret_cast<const char*>(&callId), sizeof callId);
    return frame + message;
}

namespace {

bool ReadExactly(int fd, char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t got = read(fd, data, size);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return false;
        }
        data += got;
        size -= static_cast<std::size_t>(got);
    }
    return true;
}

}  // namespace

bool ReadFrame(int fd, std::uint32_t& callId, std::string& message) {
    std::uint32_t length = 0;
    if (!ReadExactly(fd, reinterpret_cast<char*>(&length), sizeof length) || length > kMaxFrame ||
        !ReadExactly(fd, reinterpret_cast<char*>(&callId), sizeof callId)) {
        return false;
    }
    message.resize(length);
    return ReadExactly(fd, message.data(), length);
}

bool WriteAll(int fd, std::string_view bytes, int flags) {
    while (!bytes.empty()) {
        const ssize_t sent = send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL | flags);
        if (sent < 0 && errno == EINTR) {
            continue;
        }
        if (sent <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
}

}  // namespace wakelatch::platform::linux_helper
