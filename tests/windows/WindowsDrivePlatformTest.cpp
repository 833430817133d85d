// The Windows drive platform under Wine, against the test drive W: (a folder) of the test script's private
// prefix.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/common/BlockingAwaiter.h"
#include "platform/windows/WindowsDrivePlatform.h"
#include "windows/WinBaseSupport.h"

namespace wakelatch::platform {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

FILETIME HoursAgo(std::int64_t hours) {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER time{{now.dwLowDateTime, now.dwHighDateTime}};
    time.QuadPart -= static_cast<std::uint64_t>(hours * 36'000'000'000LL);  // in 100 ns
    return {time.LowPart, time.HighPart};
}

// Writes the file and gives it the times; a file written "0 hours ago" keeps the time of its writing.
// Its last access lies an hour ahead: Wine leaves it to the Linux mount's relatime rule, which writes none
// later than the last change (now), so it stays unless something writes it on purpose.
void PlaceFile(const std::wstring& path, const std::string& content, std::int64_t writtenHoursAgo = 3) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(fs::path(path), std::ios::binary) << content;
    if (writtenHoursAgo > 0) {
        const HANDLE file =
            CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        const FILETIME write = HoursAgo(writtenHoursAgo), access = HoursAgo(-1);
        ASSERT_TRUE(SetFileTime(file, nullptr, &access, &write));
        CloseHandle(file);
    }
}

// W: cleared before and after each test.
class WindowsDriveFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        SKIP_UNLESS(
            std::getenv("WAKELATCH_WINE_DRIVES") != nullptr && GetDriveTypeW(L"W:\\") != DRIVE_NO_ROOT_DIR,
            "needs the test drive W: of scripts/test-windows.sh");
        Clear();
    }
    void TearDown() override { Clear(); }
    static void Clear() {
        std::error_code ignored;
        for (const auto& entry : fs::directory_iterator(L"W:\\", ignored)) {
            // Wine reads a drive's label from this file when its server starts; the test script writes it.
            if (entry.path().filename() != L".windows-label") {
                fs::remove_all(entry.path(), ignored);
            }
        }
    }

    BlockingAwaiter awaiter;
};

// The file calls of the touches are checked, written down and passed on to the real ones.
TEST_F(WindowsDriveFiles, ATouchReadsOneAlignedUnbufferedBlockOfASettledFileAndChangesNothing) {
    std::vector<std::wstring> opened;
    std::vector<std::uint64_t> offsets;
    WindowsDriveOptions options;
    const auto real = win_drives::FileCalls::Real();
    options.fileCalls.open = [&](const std::wstring& path, DWORD access, DWORD share, DWORD disposition,
                                 DWORD flags) {
        EXPECT_EQ(disposition, static_cast<DWORD>(OPEN_EXISTING));
        EXPECT_EQ(access & (GENERIC_WRITE | FILE_WRITE_DATA | FILE_APPEND_DATA), 0U);
        EXPECT_NE(access & FILE_WRITE_ATTRIBUTES, 0U) << "needed to keep the last-access time";
        EXPECT_NE(flags & FILE_FLAG_NO_BUFFERING, 0U);
        opened.push_back(path);
        return real.open(path, access, share, disposition, flags);
    };
    options.fileCalls.read = [&](HANDLE file, void* buffer, DWORD size, std::uint64_t offset, DWORD& got) {
        EXPECT_EQ(size % 4096, 0U);
        EXPECT_EQ(offset % size, 0U);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(buffer) % size, 0U);
        offsets.push_back(offset);
        return real.read(file, buffer, size, offset, got);
    };
    WindowsDrivePlatform drives(awaiter, options);
    ASSERT_TRUE(drives.SetCurrentDrive("W:"));
    // Only files the search must pass over: an empty one and one just written.
    PlaceFile(L"W:\\leer.txt", "", 5);
    PlaceFile(L"W:\\Neu\\neu.txt", std::string(8192, 'w'), 0);
    EXPECT_FALSE(drives.ReachDevice("W:"));
    EXPECT_TRUE(opened.empty());

    const std::wstring path = L"W:\\Fotos\\2019\\bild.raw";
    const std::string content(3 * 4096 + 100, 'w');
    PlaceFile(path, content);
    WIN32_FILE_ATTRIBUTE_DATA before{}, after{};
    ASSERT_TRUE(GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &before));
    for (int touch = 0; touch < 3; ++touch) {
        EXPECT_TRUE(drives.ReachDevice("W:")) << touch;
    }

    EXPECT_EQ(opened, std::vector<std::wstring>(3, path));
    EXPECT_EQ(std::set(offsets.begin(), offsets.end()).size(), 3U) << "successive touches read other blocks";
    ASSERT_TRUE(GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &after));
    EXPECT_EQ(CompareFileTime(&after.ftLastAccessTime, &before.ftLastAccessTime), 0);
    EXPECT_EQ(CompareFileTime(&after.ftLastWriteTime, &before.ftLastWriteTime), 0);
}

// A read that hangs like one on a dead server: a synchronous read of a pipe nobody writes to.
TEST_F(WindowsDriveFiles, AStuckTouchFailsInTimeKeepsItsDriveFailingAndIsCancelledWhenThePlatformGoes) {
    PlaceFile(L"W:\\a.bin", std::string(4096, 'w'));
    struct Stuck {
        HANDLE readEnd = nullptr, writeEnd = nullptr;
        HANDLE returned = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        std::atomic<int> reads{0};
        ~Stuck() {
            CloseHandle(writeEnd);
            WaitForSingleObject(returned, 5000);
            CloseHandle(readEnd);
            CloseHandle(returned);
        }
    };
    const auto stuck = std::make_shared<Stuck>();
    ASSERT_TRUE(CreatePipe(&stuck->readEnd, &stuck->writeEnd, nullptr, 0));
    WindowsDriveOptions options;
    options.callLimit = 300ms;
    options.fileCalls.read = [stuck](HANDLE, void*, DWORD, std::uint64_t, DWORD& got) {
        ++stuck->reads;
        char byte = 0;
        ReadFile(stuck->readEnd, &byte, 1, &got, nullptr);
        SetEvent(stuck->returned);
        return false;
    };
    auto drives = std::make_unique<WindowsDrivePlatform>(awaiter, options);
    ASSERT_TRUE(drives->SetCurrentDrive("W:"));

    const auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(drives->ReachDevice("W:"));
    EXPECT_LT(std::chrono::steady_clock::now() - started, 2s);
    EXPECT_FALSE(drives->ReachDevice("W:"));
    EXPECT_EQ(stuck->reads, 1) << "a stuck drive fails at once, without another read";

    drives.reset();
    EXPECT_EQ(WaitForSingleObject(stuck->returned, 5000), WAIT_OBJECT_0)
        << "the stuck read is cancelled when the platform goes";
}

}  // namespace
}  // namespace wakelatch::platform
