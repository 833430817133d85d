#include "platform/windows/UnbufferedRead.h"

namespace wakelatch::platform::win_drives {
namespace {

constexpr std::uint32_t kSmallestBlock = 4096;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr DWORD kFlags = FILE_FLAG_NO_BUFFERING | FILE_FLAG_OPEN_REPARSE_POINT;

class Handle {
  public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() {
        if (valid()) {
            CloseHandle(handle_);
        }
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }

  private:
    HANDLE handle_;
};

// VirtualAlloc hands out memory aligned to the allocation granularity (64 KiB): enough for any sector.
class AlignedBlock {
  public:
    explicit AlignedBlock(std::uint32_t size)
        : data_(VirtualAlloc(nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}
    ~AlignedBlock() {
        if (data_ != nullptr) {
            VirtualFree(data_, 0, MEM_RELEASE);
        }
    }
    AlignedBlock(const AlignedBlock&) = delete;
    AlignedBlock& operator=(const AlignedBlock&) = delete;
    void* data() const { return data_; }

  private:
    void* data_;
};

// With FILE_WRITE_ATTRIBUTES the handle may tell the file system to leave the last-access time alone.
// Where that access is refused (read-only media, a file the user may only read) the file is opened for
// reading alone: the read may then update its last-access time, where the volume keeps them at all
// (read-only media never do).
HANDLE OpenForTouch(const std::wstring& path, const FileCalls& calls, bool& keepsAccessTime) {
    HANDLE handle = calls.open(path, GENERIC_READ | FILE_WRITE_ATTRIBUTES, kShareAll, OPEN_EXISTING, kFlags);
    keepsAccessTime = handle != INVALID_HANDLE_VALUE;
    if (!keepsAccessTime) {
        const DWORD error = GetLastError();
        if (error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT) {
            handle = calls.open(path, GENERIC_READ, kShareAll, OPEN_EXISTING, kFlags);
        }
    }
    return handle;
}

bool PlainFile(HANDLE handle) {
    BY_HANDLE_FILE_INFORMATION info{};
    return GetFileInformationByHandle(handle, &info) &&
           (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0;
}

}  // namespace

FileCalls FileCalls::Real() {
    FileCalls calls;
    calls.open = [](const std::wstring& path, DWORD access, DWORD share, DWORD disposition, DWORD flags) {
        return CreateFileW(path.c_str(), access, share, nullptr, disposition, flags, nullptr);
    };
    calls.read = [](HANDLE file, void* buffer, DWORD size, std::uint64_t offset, DWORD& got) {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(offset);
        at.OffsetHigh = static_cast<DWORD>(offset >> 32);
        return ReadFile(file, buffer, size, &got, &at) != FALSE;
    };
    return calls;
}

std::uint32_t TouchBlock(std::uint32_t bytesPerSector) {
    return bytesPerSector > kSmallestBlock ? bytesPerSector : kSmallestBlock;
}

std::uint64_t TouchOffset(std::uint64_t size, std::uint32_t block, std::uint64_t touchNumber) {
    const std::uint64_t blocks = size / block;
    return blocks <= 1 ? 0 : (touchNumber % blocks) * block;
}

bool ReadUnbuffered(const std::wstring& path, std::uint64_t offset, std::uint32_t block,
                    const FileCalls& calls) {
    bool keepsAccessTime = false;
    const Handle file(OpenForTouch(path, calls, keepsAccessTime));
    // Swapped for a folder or a link since it was found: not read.
    if (!file.valid() || !PlainFile(file.get())) {
        return false;
    }
    if (keepsAccessTime) {
        // All bits set: this handle's accesses leave the last-access time as it is. Should the file system
        // refuse, the read goes on as it would on a handle opened for reading alone.
        const FILETIME keep{0xFFFFFFFF, 0xFFFFFFFF};
        SetFileTime(file.get(), nullptr, &keep, nullptr);
    }
    const AlignedBlock buffer(block);
    DWORD got = 0;
    return buffer.data() != nullptr && calls.read(file.get(), buffer.data(), block, offset, got) && got > 0;
}

}  // namespace wakelatch::platform::win_drives
