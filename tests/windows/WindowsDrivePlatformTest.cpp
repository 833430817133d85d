// The Windows drive platform under Wine, against the test drives of the test script's private prefix
// (W: fixed, N: network, R: removable, O: CD-ROM, all folders) and its registry.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/common/BlockingAwaiter.h"
#include "platform/windows/NetworkDrives.h"
#include "platform/windows/Win32.h"
#include "platform/windows/WindowsDrivePlatform.h"
#include "windows/WinBaseSupport.h"

namespace wakelatch::platform {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

#define SKIP_WITHOUT_TEST_DRIVES()                                                            \
    do {                                                                                      \
        if (std::getenv("WAKELATCH_WINE_DRIVES") == nullptr ||                                \
            GetDriveTypeW(L"W:\\") == DRIVE_NO_ROOT_DIR) {                                    \
            if (wakelatch::testing::IntegrationRequired()) {                                  \
                FAIL() << "the test drives are missing (run scripts/test-windows.sh)";        \
            }                                                                                 \
            GTEST_SKIP() << "needs the test drives of scripts/test-windows.sh (W: N: R: O:)"; \
        }                                                                                     \
    } while (false)

constexpr std::uint64_t kHour = 3600ULL * 10'000'000ULL;  // in FILETIME units

FILETIME HoursAgo(std::int64_t hours) {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const std::uint64_t then = ((static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime) -
                               static_cast<std::uint64_t>(hours) * kHour;
    return {static_cast<DWORD>(then), static_cast<DWORD>(then >> 32)};
}

// Writes the file and gives it the times; a file written "0 hours ago" keeps the time of its writing.
// Wine leaves last-access times to the Linux mount's rule, which under relatime writes one that is not
// later than the file's last change (ctime, which is now): an hour ahead, it stays as it is unless
// something writes it on purpose.
void PlaceFile(const std::wstring& path, const std::string& content, std::int64_t writtenHoursAgo = 3,
               std::int64_t accessedHoursAgo = -1) {
    fs::create_directories(fs::path(path).parent_path());
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr));
    if (writtenHoursAgo > 0) {
        const FILETIME write = HoursAgo(writtenHoursAgo);
        const FILETIME access = HoursAgo(accessedHoursAgo);
        ASSERT_TRUE(SetFileTime(file, nullptr, &access, &write));
    }
    CloseHandle(file);
}

WIN32_FILE_ATTRIBUTE_DATA InfoOf(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA info{};
    EXPECT_TRUE(GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &info));
    return info;
}

std::string Pattern(std::size_t size) {
    std::string text(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        text[i] = static_cast<char>('a' + (i * 7 + i / 4096) % 26);
    }
    return text;
}

// The file calls of the touches, passed on to the real ones and written down (on the touch's worker; read
// after the touch returned).
struct CallLog {
    struct Open {
        std::wstring path;
        DWORD access, share, disposition, flags;
    };
    struct Read {
        std::uintptr_t buffer;
        DWORD size;
        std::uint64_t offset;
    };
    std::vector<Open> opens;
    std::vector<Read> reads;
};

WindowsDriveOptions Watched(const std::shared_ptr<CallLog>& log) {
    WindowsDriveOptions options;
    const auto real = win_drives::FileCalls::Real();
    options.fileCalls.open = [log, real](const std::wstring& path, DWORD access, DWORD share,
                                         DWORD disposition, DWORD flags) {
        log->opens.push_back({path, access, share, disposition, flags});
        return real.open(path, access, share, disposition, flags);
    };
    options.fileCalls.read = [log, real](HANDLE file, void* buffer, DWORD size, std::uint64_t offset,
                                         DWORD& got) {
        log->reads.push_back({reinterpret_cast<std::uintptr_t>(buffer), size, offset});
        return real.read(file, buffer, size, offset, got);
    };
    return options;
}

// W: cleared before and after each test; the touches read what the test puts there.
class WindowsDriveFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        SKIP_WITHOUT_TEST_DRIVES();
        Clear();
    }
    void TearDown() override { Clear(); }
    static void Clear() {
        std::error_code ignored;
        for (const auto& entry : fs::directory_iterator(L"W:\\", ignored)) {
            if (entry.path().filename() != kLabelFile) {
                fs::remove_all(entry.path(), ignored);
            }
        }
    }
    // Wine reads a drive's label from this file when its server starts; the test script writes it.
    static constexpr const wchar_t* kLabelFile = L".windows-label";
    BlockingAwaiter awaiter;
};

TEST_F(WindowsDriveFiles, KindLabelAndFreeSpaceOfTheTestDrivesAndNoneForALetterWithoutDrive) {
    WindowsDrivePlatform drives(awaiter);
    const struct {
        const char* root;
        int type;
    } kinds[] = {{"W:\\", kDriveFixed},     {"w:\\", kDriveFixed}, {"N:\\", kDriveRemote},
                 {"R:\\", kDriveRemovable}, {"O:\\", kDriveCdRom}, {"K:\\", kDriveNoRoot}};
    for (const auto& c : kinds) {
        EXPECT_EQ(drives.GetDriveType(c.root), c.type) << c.root;
    }
    std::string label;
    EXPECT_TRUE(drives.GetVolumeInformation("W:\\", label));
    EXPECT_EQ(label, "TEST-W");
    EXPECT_FALSE(drives.GetVolumeInformation("K:\\", label));

    ASSERT_TRUE(drives.SetCurrentDrive("W:"));
    DiskFreeSpace onW;
    ASSERT_TRUE(drives.GetDiskFreeSpace(onW));
    EXPECT_GT(onW.bytesPerSector * onW.sectorsPerCluster, 0U);
    EXPECT_GT(onW.totalClusters, 0U);
    EXPECT_LE(onW.freeClusters, onW.totalClusters);
    // A letter without a drive is refused and W: stays the current drive.
    EXPECT_FALSE(drives.SetCurrentDrive("K:"));
    DiskFreeSpace still;
    ASSERT_TRUE(drives.GetDiskFreeSpace(still));
    EXPECT_EQ(still.totalClusters, onW.totalClusters);
}

TEST_F(WindowsDriveFiles, ATouchReadsOneAlignedUnbufferedBlockOfASettledFileAndChangesNothing) {
    // Distractors the search must pass over: an empty file and one just written.
    PlaceFile(L"W:\\leer.txt", "", 5);
    PlaceFile(L"W:\\neu.txt", Pattern(8192), 0);
    const std::wstring path = L"W:\\Fotos\\2019\\bild.raw";
    const std::string content = Pattern(3 * 4096 + 100);
    PlaceFile(path, content);
    const WIN32_FILE_ATTRIBUTE_DATA before = InfoOf(path);
    wchar_t folder[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, folder);

    const auto log = std::make_shared<CallLog>();
    WindowsDrivePlatform drives(awaiter, Watched(log));
    ASSERT_TRUE(drives.SetCurrentDrive("W:"));
    for (int touch = 0; touch < 3; ++touch) {
        EXPECT_TRUE(drives.ReachDevice("W:")) << touch;
    }

    ASSERT_EQ(log->opens.size(), 3U);
    for (const auto& open : log->opens) {
        EXPECT_EQ(open.path, path);
        EXPECT_EQ(open.disposition, static_cast<DWORD>(OPEN_EXISTING));
        EXPECT_EQ(open.access & (GENERIC_WRITE | FILE_WRITE_DATA | FILE_APPEND_DATA), 0U);
        EXPECT_NE(open.flags & FILE_FLAG_NO_BUFFERING, 0U);
        EXPECT_NE(open.access & FILE_WRITE_ATTRIBUTES, 0U) << "needed to keep the last-access time";
    }
    ASSERT_EQ(log->reads.size(), 3U);
    std::set<std::uint64_t> offsets;
    for (const auto& read : log->reads) {
        EXPECT_GE(read.size, 4096U);
        EXPECT_EQ(read.size % 512, 0U);
        EXPECT_EQ(read.offset % read.size, 0U);
        EXPECT_EQ(read.buffer % read.size, 0U);
        EXPECT_LT(read.offset, content.size());
        offsets.insert(read.offset);
    }
    EXPECT_EQ(offsets.size(), 3U) << "successive touches read different blocks";

    const WIN32_FILE_ATTRIBUTE_DATA after = InfoOf(path);
    EXPECT_EQ(CompareFileTime(&after.ftLastAccessTime, &before.ftLastAccessTime), 0);
    EXPECT_EQ(CompareFileTime(&after.ftLastWriteTime, &before.ftLastWriteTime), 0);
    EXPECT_EQ(wakelatch::testing::ReadBytes(utf::Narrow(path)), content);
    wchar_t folderAfter[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, folderAfter);
    EXPECT_EQ(std::wstring(folderAfter), std::wstring(folder)) << "the current directory never moves";
}

TEST_F(WindowsDriveFiles, ADriveWithoutASettledFileIsNotReached) {
    const auto log = std::make_shared<CallLog>();
    WindowsDrivePlatform drives(awaiter, Watched(log));
    EXPECT_FALSE(drives.ReachDevice("W:"));
    PlaceFile(L"W:\\leer.txt", "");
    PlaceFile(L"W:\\Neu\\neu.txt", Pattern(100), 0);
    EXPECT_FALSE(drives.ReachDevice("W:"));
    EXPECT_TRUE(log->opens.empty());
    EXPECT_FALSE(drives.ReachDevice("K:")) << "no drive there";
}

TEST_F(WindowsDriveFiles, AFileRewrittenBetweenTouchesIsReadAtItsNewSizeOrPassedOver) {
    const auto log = std::make_shared<CallLog>();
    WindowsDrivePlatform drives(awaiter, Watched(log));
    const std::wstring first = L"W:\\a.bin";
    PlaceFile(first, Pattern(4 * 4096));
    ASSERT_TRUE(drives.ReachDevice("W:"));

    // Shorter now: the second touch's offset must lie within the new size.
    PlaceFile(first, Pattern(4096 + 10));
    ASSERT_TRUE(drives.ReachDevice("W:"));
    EXPECT_EQ(log->reads.back().offset, 0U);

    // Just written: its data may still sit in the cache, so another file is read instead.
    PlaceFile(L"W:\\b.bin", Pattern(2 * 4096));
    PlaceFile(first, Pattern(4 * 4096), 0);
    ASSERT_TRUE(drives.ReachDevice("W:"));
    EXPECT_EQ(log->opens.back().path, L"W:\\b.bin");
}

TEST_F(WindowsDriveFiles, AFolderSwappedForALinkIsNotReadThrough) {
    const auto log = std::make_shared<CallLog>();
    WindowsDrivePlatform drives(awaiter, Watched(log));
    PlaceFile(L"W:\\Daten\\a.bin", Pattern(2 * 4096));
    ASSERT_TRUE(drives.ReachDevice("W:"));
    // The folder of the file read last now leads to another drive that holds a file of the same name.
    PlaceFile(L"R:\\Daten\\a.bin", Pattern(2 * 4096));
    const std::shared_ptr<void> removeOther(nullptr, [](void*) {
        std::error_code ignored;
        fs::remove_all(L"R:\\Daten", ignored);
    });
    ASSERT_TRUE(MoveFileW(L"W:\\Daten", L"W:\\Alt"));
    ASSERT_TRUE(DeleteFileW(L"W:\\Alt\\a.bin"));
    if (!wakelatch::testing::MadeLink(L"W:\\Daten", L"R:\\Daten", SYMBOLIC_LINK_FLAG_DIRECTORY)) {
        // Not a missing package but a limit of Wine itself: this runs on real Windows only.
        GTEST_SKIP() << "this system makes no folder link that shows as a reparse point (Wine does not)";
    }
    EXPECT_FALSE(drives.ReachDevice("W:"));
    EXPECT_EQ(log->opens.size(), 1U) << "nothing opened through the link";
}

// A read that hangs like one on a dead server: a synchronous read of a pipe nobody writes to.
TEST_F(WindowsDriveFiles, AStuckTouchFailsInTimeKeepsItsDriveFailingAndIsCancelledWhenThePlatformGoes) {
    PlaceFile(L"W:\\a.bin", Pattern(4096));
    struct Stuck {
        HANDLE readEnd = nullptr;
        HANDLE writeEnd = nullptr;
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

    auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(drives->ReachDevice("W:"));
    EXPECT_LT(std::chrono::steady_clock::now() - started, 2s);
    started = std::chrono::steady_clock::now();
    DiskFreeSpace space;
    EXPECT_FALSE(drives->GetDiskFreeSpace(space));
    EXPECT_FALSE(drives->ReachDevice("W:"));
    EXPECT_LT(std::chrono::steady_clock::now() - started, 200ms) << "a stuck drive answers at once";
    EXPECT_EQ(stuck->reads, 1);

    drives.reset();
    EXPECT_EQ(WaitForSingleObject(stuck->returned, 5000), WAIT_OBJECT_0)
        << "the stuck read is cancelled when the platform goes";
}

// HKEY_CURRENT_USER\Network\Q, written here and removed again.
class NetworkMappingKey : public ::testing::Test {
  protected:
    void SetUp() override {
        HKEY existing = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &existing) == ERROR_SUCCESS) {
            RegCloseKey(existing);
            GTEST_SKIP() << "the prefix already maps Q:";
        }
    }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kKey); }
    static void Set(DWORD type, const void* data, DWORD size) {
        ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"RemotePath", type, data, size), ERROR_SUCCESS);
    }
    static constexpr const wchar_t* kKey = L"Network\\Q";
    BlockingAwaiter awaiter;
};

TEST_F(NetworkMappingKey, RemotePathAsTextOtherTypeOrAbsent) {
    WindowsDrivePlatform drives(awaiter);
    EXPECT_EQ(drives.ReadNetworkMapping('Q').kind, MappingValue::Kind::Absent);
    const DWORD number = 7;
    Set(REG_DWORD, &number, sizeof number);
    EXPECT_EQ(drives.ReadNetworkMapping('Q').kind, MappingValue::Kind::OtherType);
    const std::wstring remote = L"\\\\server\\\u00dcbergabe";
    Set(REG_SZ, remote.c_str(), static_cast<DWORD>((remote.size() + 1) * sizeof(wchar_t)));
    const MappingValue value = drives.ReadNetworkMapping('q');
    EXPECT_EQ(value.kind, MappingValue::Kind::Text);
    EXPECT_EQ(value.text, "\\\\server\\\u00dcbergabe");  // UTF-8
    // Longer than any share path: not read, not a mapping.
    const std::wstring huge(win_drives::kLongestRemotePath + 1, L'x');
    Set(REG_SZ, huge.c_str(), static_cast<DWORD>((huge.size() + 1) * sizeof(wchar_t)));
    EXPECT_EQ(drives.ReadNetworkMapping('Q').kind, MappingValue::Kind::Absent);
    ASSERT_EQ(RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, L"RemotePath"), ERROR_SUCCESS);
    EXPECT_EQ(drives.ReadNetworkMapping('Q').kind, MappingValue::Kind::Absent);
}

}  // namespace
}  // namespace wakelatch::platform
