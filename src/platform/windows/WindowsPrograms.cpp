#include "platform/windows/WindowsPrograms.h"

#include <algorithm>
#include <vector>

#include "platform/windows/Handles.h"
#include "platform/windows/Utf.h"
#include "platform/windows/Win32.h"
#include "platform/windows/Win32RegistryReader.h"

namespace wakelatch::platform {
namespace {

struct Started {
    win32::UniqueHandle process;
    DWORD processId = 0;
};

// Starts `program` (empty: the first word of the command line names it) with the window state given;
// nothing when it cannot start, GetLastError() then tells why.
std::optional<Started> StartProcess(const std::wstring& program, const std::wstring& commandLine, WORD show) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = show;
    PROCESS_INFORMATION info{};
    std::vector<wchar_t> line(commandLine.begin(), commandLine.end());  // CreateProcessW may write into it
    line.push_back(L'\0');
    if (!CreateProcessW(program.empty() ? nullptr : program.c_str(), line.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, nullptr, &startup, &info)) {
        return std::nullopt;
    }
    CloseHandle(info.hThread);
    return Started{win32::UniqueHandle(info.hProcess), info.dwProcessId};
}

std::wstring Quoted(const std::wstring& text) {
    return L"\"" + text + L"\"";
}

bool FileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring WindowsFolder() {
    wchar_t buffer[MAX_PATH + 1] = {};
    const UINT length = GetWindowsDirectoryW(buffer, MAX_PATH + 1);
    return length == 0 || length > MAX_PATH ? std::wstring() : std::wstring(buffer, length);
}

std::optional<std::string> ReadMachineText(const char* key, const char* valueName) {
    Win32RegistryReader reader;
    std::string text;
    if (!registry::GetKeyValue(reader, registry::kRootLocalMachine, key, valueName, text)) {
        return std::nullopt;
    }
    return utf::FromAnsi(text);  // the ANSI calls answer in the ANSI code page
}

}  // namespace

bool WindowsPrograms::Start(const std::string& path) {
    const std::wstring program = utf::Widen(path);
    return StartProcess(program, Quoted(program), SW_SHOWNORMAL).has_value();
}

int WindowsPrograms::RunAndWait(const std::string& commandLine, std::chrono::milliseconds limit) {
    const std::optional<Started> started = StartProcess({}, utf::Widen(commandLine), SW_SHOWMINIMIZED);
    if (!started) {
        return static_cast<int>(GetLastError());
    }
    // The process is looked at through a handle of its own, as the tool has always been waited for. It
    // also asks for SYNCHRONIZE: without it the wait fails at once on Windows and the tool is never
    // waited for.
    const win32::UniqueHandle process(
        OpenProcess(PROCESS_QUERY_INFORMATION | SYNCHRONIZE, FALSE, started->processId));
    if (!process) {
        return static_cast<int>(GetLastError());
    }
    const auto milliseconds = std::clamp<long long>(limit.count(), 0, INFINITE - 1);
    WaitForSingleObject(process.Get(), static_cast<DWORD>(milliseconds));
    DWORD exitCode = 0;
    if (!GetExitCodeProcess(process.Get(), &exitCode)) {
        return static_cast<int>(GetLastError());
    }
    return static_cast<int>(exitCode);  // STILL_ACTIVE (259) while it runs on
}

std::optional<std::string> WindowsPrograms::FindSystemInformation() {
    if (auto path = ReadMachineText("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH")) {
        return path;
    }
    if (auto folder = ReadMachineText("SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO")) {
        const std::string program = *folder + "\\MSINFO32.EXE";
        if (FileExists(utf::Widen(program))) {
            return program;
        }
    }
    return std::nullopt;
}

bool WindowsPrograms::OpenHelpFile(const std::string& path) {
    const std::wstring file = utf::Widen(path);
    const std::wstring folder = WindowsFolder();
    if (folder.empty() || !FileExists(file)) {
        return false;
    }
    const std::wstring viewer = folder + L"\\hh.exe";
    return StartProcess(viewer, Quoted(viewer) + L" " + Quoted(file), SW_SHOWNORMAL).has_value();
}

}  // namespace wakelatch::platform
